// The merge driver's work on one 1,000-room room file: both sides changed
// rooms here and there, and each added one at the end.
#include <benchmark/benchmark.h>

#include "common/savelines.h"
#include "edit/merge.h"
#include "io/recordfile.h"
#include "model/world.h"
#include "worldgen.h"

namespace zm::bench {
namespace {

std::string RoomFile(World& w) {
  std::vector<std::string> lines;
  BuildRecordLines(w, kRoom, 10, lines);
  return JoinLines(lines, {kCodingKoi, kBreakLF});
}

void BM_MergeRoomFile(benchmark::State& state) {
  SilentReporter rep;
  World w(rep);
  MakeBigZone(w);
  const std::string base = RoomFile(w);
  // OURS renames every 50th room and adds one; THEIRS changes the sector
  // of every 70th and adds another.
  for (int32_t v = 1000; v < 2000; v += 50) w.Rooms.Find(v)->Name += " *";
  w.Rooms.Append(std::make_unique<TRoom>(10, 2000));
  const std::string ours = RoomFile(w);
  World t(rep);
  MakeBigZone(t);
  for (int32_t v = 1000; v < 2000; v += 70) t.Rooms.Find(v)->Sector = 3;
  t.Rooms.Append(std::make_unique<TRoom>(10, 2001));
  const std::string theirs = RoomFile(t);
  for (auto _ : state) {
    MergeResult r = MergeWorldFile(kRoom, base, ours, theirs);
    if (!r.Merged() || !r.Conflicts.empty()) {
      state.SkipWithError("not a clean merge");
    }
    benchmark::DoNotOptimize(r.Bytes);
  }
}
BENCHMARK(BM_MergeRoomFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zm::bench
