// Which record kinds have an editor window. Each editor adds its opener here
// (app.Windows->Register(kind, ...)); a kind without one opens nothing.
#include "app/appcontext.h"
#include "app/editorwindows.h"

namespace zm {

void RegisterEditors(AppContext& app) {
  (void)app;
}

}  // namespace zm
