// Two 1,200-zone worlds compared record by record: the second is the first
// with a few records renamed, one removed and one added, as a day's work of
// a team would leave it.
#include <benchmark/benchmark.h>

#include "json/worlddiff.h"
#include "load/loadworld.h"
#include "worldgen.h"

namespace zm::bench {
namespace {

void BM_DiffWorlds(benchmark::State& state) {
  const int zones = static_cast<int>(state.range(0));
  SilentReporter rep;
  World a{rep}, b{rep};
  LoadWorld(a, WorldOf(zones));
  LoadWorld(b, WorldOf(zones));
  for (int i = 0; i < 10; ++i) b.Rooms.Items(i * 997)->Name += "!";
  b.Objs.Delete(b.Objs.Count() / 2);
  b.Mobs.Append(std::make_unique<TMob>(zones - 1, (zones - 1) * 100 + 99));
  size_t found = 0;
  for (auto _ : state) {
    auto diffs = json::DiffWorlds(a, b);
    found = diffs.size();
    benchmark::DoNotOptimize(diffs.data());
  }
  state.SetLabel(std::to_string(a.Rooms.Count() + a.Objs.Count() + a.Mobs.Count()) + " records, " +
                 std::to_string(found) + " differences");
}
BENCHMARK(BM_DiffWorlds)->Arg(1200)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace zm::bench
