// Which record kinds have an editor window. Each editor adds its opener here
// (host.Windows().Register(kind, ...)); a kind without one opens nothing.
#include "editors/editorhost.h"
#include "editors/editorwindows.h"
#include "editors/mapeditor.h"
#include "editors/mobileeditor.h"
#include "editors/objecteditor.h"
#include "editors/roomeditor.h"
#include "editors/shopeditor.h"
#include "editors/triggereditor.h"
#include "editors/zoneeditor.h"

namespace zm {

void RegisterEditors(EditorHost& host) {
  RegisterRoomEditor(host);
  RegisterZoneEditor(host);
  RegisterMapEditor(host);
  RegisterObjEditor(host);
  RegisterMobEditor(host);
  RegisterTrigEditor(host);
  RegisterShopEditor(host);
}

}  // namespace zm
