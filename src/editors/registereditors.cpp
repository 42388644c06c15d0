// Which record kinds have an editor window. Each editor adds its opener here
// (app.Windows->Register(kind, ...)); a kind without one opens nothing.
#include "app/appcontext.h"
#include "app/editorwindows.h"
#include "editors/mapform.h"
#include "editors/mobform.h"
#include "editors/objform.h"
#include "editors/roomform.h"
#include "editors/shopform.h"
#include "editors/trigform.h"
#include "editors/zoneform.h"

namespace zm {

void RegisterEditors(AppContext& app) {
  RegisterRoomEditor(app);
  RegisterZoneEditor(app);
  RegisterMapEditor(app);
  RegisterObjEditor(app);
  RegisterMobEditor(app);
  RegisterTrigEditor(app);
  RegisterShopEditor(app);
}

}  // namespace zm
