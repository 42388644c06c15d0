#pragma once
#include <cstdint>

namespace zm {

// The same numbers select tree groups, loader file lists and commands.
enum RecordKind : uint8_t {
  kZone = 0,
  kRoom = 1,
  kZoneMap = 2,
  kObject = 3,
  kMobile = 4,
  kShop = 5,
  kTrigger = 6,
};
inline constexpr int kRecordKinds = kTrigger + 1;

// The five kinds kept in a file of their own per zone, in saving order.
inline constexpr RecordKind kRecordFileKinds[] = {kRoom, kObject, kMobile, kShop, kTrigger};

class TMUDClass;

}  // namespace zm
