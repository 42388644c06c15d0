#include "app/appcontext.h"

#include "app/changetracker.h"
#include "app/editorwindows.h"
#include "model/records.h"

namespace zm {

TMUDClass* AppContext::ApplyActiveEditor(bool unlink) {
  EditorWindow* e = Windows ? Windows->Active() : nullptr;
  TMUDClass* rec = e ? e->LinkedRecord() : nullptr;
  if (!rec) return nullptr;
  const int32_t zone = rec->Zone;
  Tracked(zone, [&] { Windows->ApplyActive(unlink); });
  return rec;
}

void AppContext::Tracked(int32_t zone, const std::function<void()>& op) {
  if (!Changes) {
    op();
    return;
  }
  ChangeTracker::Snapshot before = Changes->Take(zone);
  op();
  Changes->MarkDifferences(before);
}

}  // namespace zm
