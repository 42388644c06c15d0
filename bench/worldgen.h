#pragma once
// A seeded world of any size, written through the editor's own writers, for
// the benchmarks and the start-up measurement.
#include <cstdint>
#include <filesystem>

namespace zm {
class World;
}

namespace zm::bench {

// Writes `zones` zones (about 100 rooms, 50 objects and 50 mobiles each,
// with descriptions of realistic length) under `dir`. Even zones are
// KOI8-R with LF, odd zones Windows-1251 with CR LF.
void GenerateWorld(const std::filesystem::path& dir, int zones, uint32_t seed);

// The generated world of `zones` zones in the temporary folder, made on the
// first call of a run.
const std::filesystem::path& WorldOf(int zones);

// Zone 10 with 1,000 rooms (1000-1999, its top 1999), each leading to the
// next, with an object and a mobile placed in every tenth.
void MakeBigZone(World& w);

}  // namespace zm::bench
