#pragma once
#include <cstdint>

namespace zm {

// The same numbers (0 to 6, in this order) select tree groups, loader file
// lists and commands.
enum RecordKind : uint8_t { kZone, kRoom, kZoneMap, kObject, kMobile, kShop, kTrigger };
inline constexpr int kRecordKinds = kTrigger + 1;

// The five kinds kept in a file of their own per zone, in saving order.
inline constexpr RecordKind kRecordFileKinds[] = {kRoom, kObject, kMobile, kShop, kTrigger};

class TMUDClass;

}  // namespace zm
