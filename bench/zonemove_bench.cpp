// Copying a large zone and renumbering a zone of a large world.
#include <benchmark/benchmark.h>

#include "edit/zonemove.h"
#include "load/loadworld.h"
#include "worldgen.h"

namespace zm::bench {
namespace {

void BM_CopyLargeZone(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    SilentReporter rep;
    World w(rep);
    MakeBigZone(w);
    state.ResumeTiming();
    const ZoneMovePlan plan = PlanCopyZone(w, 10, 20);
    benchmark::DoNotOptimize(CopyZone(w, plan, true));
  }
  state.SetLabel("1,000 rooms, 100 objects, 100 mobiles");
}

void BM_RenumberZone(benchmark::State& state) {
  SilentReporter rep;
  World w(rep);
  LoadWorld(w, WorldOf(static_cast<int>(state.range(0))));
  int32_t from = w.Zones.Items(w.Zones.Count() / 2)->Vnum, to = 9000;
  for (auto _ : state) {
    const ZoneMovePlan plan = PlanRenumberZone(w, from, to);
    if (!RenumberZone(w, plan, true)) state.SkipWithError("refused");
    std::swap(from, to);
  }
  state.SetLabel(std::to_string(w.Rooms.Count()) + " rooms in the world");
}

BENCHMARK(BM_CopyLargeZone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenumberZone)->Arg(1200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zm::bench
