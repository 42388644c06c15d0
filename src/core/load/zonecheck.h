#pragma once
// Zone checking: what a zone holds and the errors found in its rooms, for
// the statistics page of the zone editor.
#include <cstdint>
#include <string>
#include <vector>

namespace zm {

class World;

struct ZoneCheckResult {
  int Rooms = 0;
  int Unplaced = 0;  // rooms whose MapX is negative
  int Objects = 0;
  int Mobiles = 0;
  int Shops = 0;
  int Triggers = 0;
  std::vector<std::string> Errors;  // Windows-1251, in the order found
};

// The phrase for a direction in the unpaired-exit message ("на север" …),
// Windows-1251; empty for a number outside 0 to 5.
const std::string& DirectionPhrase(int dir);
int OppositeDirection(int dir);

ZoneCheckResult CheckZone(const World& w, int32_t zone);

}  // namespace zm
