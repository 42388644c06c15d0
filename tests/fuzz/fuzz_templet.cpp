// The five template lists over arbitrary bytes, and new records made from
// whatever they read: it must end, and every template must make a record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/reporter.h"
#include "model/world.h"
#include "templates/templets.h"

namespace {

using namespace zm;

// Takes the last template, two records at a time.
struct LastTemplate : TemplateChooser {
  bool Choose(TemplateRequest& req) override {
    req.Template = static_cast<int>(req.Names.size()) - 1;
    req.Mode = TemplateMode::Quantity;
    req.Quantity = req.Maximum < 2 ? req.Maximum : 2;
    return true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  SilentReporter rep;
  Templets t;
  (void)t.Objs.LoadFromBytes(bytes, "Template_Obj", rep);
  (void)t.Mobs.LoadFromBytes(bytes, "Template_Mob", rep);
  (void)t.Shops.LoadFromBytes(bytes, "Template_Shop", rep);
  (void)t.Triggers.LoadFromBytes(bytes, "Template_Trigger", rep);
  (void)t.Rooms.LoadFromBytes(bytes, "Template_Room", rep);

  World w(rep);
  LastTemplate chooser;
  for (RecordKind k : {kRoom, kObject, kMobile, kShop, kTrigger}) {
    if (t.NamesOf(k).empty()) continue;
    TMUDClass* rec = CreateFromTemplate(w, t, chooser, k, 1);
    if (!rec || rec->Kind != k || rec->Vnum != 100) std::abort();
  }
  return 0;
}
