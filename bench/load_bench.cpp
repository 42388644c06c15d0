// Load and save times of generated worlds, beside a raw baseline that only
// reads the same files and splits them into lines.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

#include "load/loadworld.h"
#include "load/saving.h"
#include "worldgen.h"

namespace zm::bench {
namespace {

void BM_LoadWorld(benchmark::State& state) {
  const auto& dir = WorldOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    SilentReporter rep;
    World w(rep);
    LoadWorld(w, dir);
    benchmark::DoNotOptimize(w.Rooms.Count());
  }
  state.SetLabel(std::to_string(state.range(0)) + " zones");
}

void BM_SaveAllZones(benchmark::State& state) {
  const auto& dir = WorldOf(static_cast<int>(state.range(0)));
  SilentReporter rep;
  World w(rep);
  LoadWorld(w, dir);
  for (auto _ : state) {
    for (const auto& z : w.Zones) SaveWholeZone(w, z->Vnum);
  }
  state.SetLabel(std::to_string(state.range(0)) + " zones");
}

void BM_RawReadAndSplit(benchmark::State& state) {
  const auto& dir = WorldOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    size_t lines = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
      if (!e.is_regular_file()) continue;
      std::ifstream f(e.path(), std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
      size_t start = 0;
      for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
          std::string line = bytes.substr(start, i - start);
          benchmark::DoNotOptimize(line);
          start = i + 1;
          ++lines;
        }
      }
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetLabel(std::to_string(state.range(0)) + " zones");
}

BENCHMARK(BM_LoadWorld)->Arg(100)->Arg(400)->Arg(1200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawReadAndSplit)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveAllZones)->Arg(100)->Arg(400)->Arg(1200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zm::bench

BENCHMARK_MAIN();
