// Copying a large zone and renumbering a zone of a large world.
#include <benchmark/benchmark.h>

#include "edit/zonemove.h"
#include "load/loadworld.h"
#include "worldgen.h"

namespace zm::bench {
namespace {

// Zone 10 with 1,000 rooms (1000-1999, its top 1999), each leading to the
// next, with an object and a mobile placed in every tenth.
void MakeBigZone(World& w) {
  auto z = std::make_unique<TZone>(10);
  z->TopInFile = "1999";
  z->ZoneFilename.Path = "ZON/10.zon";
  TZone* zone = w.Zones.Append(std::move(z));
  w.RegisterZone(*zone);
  for (int32_t v = 1000; v < 2000; ++v) {
    auto r = std::make_unique<TRoom>(10, v);
    r->Name = "room";
    r->Description = std::string(300, 'x');
    r->Exits[kNorth].ToRoom = v + 1 < 2000 ? v + 1 : 1000;
    if (v % 10 == 0) {
      r->Objects.Add(TRoomObj{{0, v}});
      r->Mobs.Add(TRoomMob{{0, v}});
      w.Objs.Append(std::make_unique<TObj>(10, v));
      w.Mobs.Append(std::make_unique<TMob>(10, v));
    }
    w.Rooms.Append(std::move(r));
  }
}

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
