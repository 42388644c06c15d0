// Which record kinds have an editor window. Each editor adds its opener here
// (app.Windows->Register(kind, ...)); a kind without one opens nothing.
#include "app/appcontext.h"
#include "app/editorwindows.h"
#include "editors/roomform.h"

namespace zm {

void RegisterEditors(AppContext& app) {
  RegisterRoomEditor(app);
}

}  // namespace zm
