// Undoing and redoing the auto-arrangement of a 1,000-room zone.
#include <benchmark/benchmark.h>

#include "edit/worldhistory.h"
#include "io/recordfile.h"
#include "load/arrange.h"
#include "model/world.h"
#include "query/references.h"
#include "worldgen.h"

namespace zm::bench {
namespace {

// What the editor's document does with each record: the reference index
// follows it.
class IndexingListener : public StepListener {
 public:
  explicit IndexingListener(ReferenceIndex& refs) : m_refs(refs) {}
  void AboutToRemove(TMUDClass& rec) override { m_refs.Forget(rec); }
  void Added(TMUDClass& rec) override { m_refs.Update(rec); }
  void Changed(TMUDClass& rec) override { m_refs.Update(rec); }

 private:
  ReferenceIndex& m_refs;
};

void BM_UndoArrangement(benchmark::State& state) {
  SilentReporter rep;
  World w(rep);
  MakeBigZone(w);
  ReferenceIndex refs;
  refs.Rebuild(w);
  StepRecorder recorder(w, {10});
  ArrangeZone(w, 10);
  const WorldStep step = recorder.Finish(w, "arrangement");
  IndexingListener listener(refs);
  std::vector<std::string> lines;
  for (auto _ : state) {
    // The editor compares the zone's room file before and after, too.
    BuildRecordLines(w, kRoom, 10, lines);
    if (!UndoStep(w, step, listener)) state.SkipWithError("did not fit");
    BuildRecordLines(w, kRoom, 10, lines);
    state.PauseTiming();
    if (!RedoStep(w, step, listener)) state.SkipWithError("did not fit");
    state.ResumeTiming();
  }
  state.SetLabel(std::to_string(step.Changes.size()) + " rooms in the step");
}

BENCHMARK(BM_UndoArrangement)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zm::bench
