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

// The tree node of a record; owned and interpreted by the TreeSink.
using NodeHandle = void*;

class TMUDClass;

}  // namespace zm
