// The world queries on generated worlds: building the reference index, a
// where-used question, the world check and a text search.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "common/winutf8.h"
#include "load/loadworld.h"
#include "query/references.h"
#include "query/search.h"
#include "query/worldcheck.h"
#include "worldgen.h"

namespace zm::bench {
namespace {

struct Loaded {
  SilentReporter rep;
  World w{rep};
  explicit Loaded(int zones) { LoadWorld(w, WorldOf(zones)); }
};

Loaded& LoadedWorld(int zones) {
  static std::map<int, std::unique_ptr<Loaded>> made;
  auto& p = made[zones];
  if (!p) p = std::make_unique<Loaded>(zones);
  return *p;
}

void BM_BuildReferenceIndex(benchmark::State& state) {
  const World& w = LoadedWorld(static_cast<int>(state.range(0))).w;
  for (auto _ : state) {
    ReferenceIndex index;
    index.Rebuild(w);
    benchmark::DoNotOptimize(index.Size());
  }
  state.SetLabel(std::to_string(w.Rooms.Count()) + " rooms");
}

void BM_WhereUsed(benchmark::State& state) {
  const World& w = LoadedWorld(static_cast<int>(state.range(0))).w;
  ReferenceIndex index;
  index.Rebuild(w);
  const int32_t room = w.Rooms.Items(w.Rooms.Count() / 2)->Vnum;
  const int32_t zone = ZoneOf(room);
  for (auto _ : state) {
    benchmark::DoNotOptimize(index.UsesOf(kRoom, room));
    benchmark::DoNotOptimize(index.UsesOf(kZone, zone));
  }
  state.SetLabel("a room and a whole zone");
}

void BM_CheckWorld(benchmark::State& state) {
  const World& w = LoadedWorld(static_cast<int>(state.range(0))).w;
  for (auto _ : state) benchmark::DoNotOptimize(CheckWorld(w).size());
  state.SetLabel(std::to_string(w.Rooms.Count()) + " rooms");
}

void BM_SearchText(benchmark::State& state) {
  const World& w = LoadedWorld(static_cast<int>(state.range(0))).w;
  const std::string text = W("колодец");
  for (auto _ : state) benchmark::DoNotOptimize(SearchText(w, text).size());
  state.SetLabel(std::to_string(w.Rooms.Count()) + " rooms");
}

BENCHMARK(BM_BuildReferenceIndex)->Arg(100)->Arg(1200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WhereUsed)->Arg(1200)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckWorld)->Arg(100)->Arg(1200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchText)->Arg(1200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zm::bench
