#pragma once
#include <cstdint>

namespace zm {

// The same numbers (0 to 6, in this order) select tree groups, loader file
// lists and commands.
enum RecordKind : uint8_t { kZone, kRoom, kZoneMap, kObject, kMobile, kShop, kTrigger };
inline constexpr int kRecordKinds = kTrigger + 1;

// The five kinds kept in a file of their own per zone, in saving order.
inline constexpr RecordKind kRecordFileKinds[] = {kRoom, kObject, kMobile, kShop, kTrigger};

// The kind as a word of a list line: "комната", "предмет" (UTF-8).
constexpr const char* KindNoun(RecordKind kind) {
  constexpr const char* kWords[kRecordKinds] = {"зона", "комната", "карта",  "предмет",
                                                "моб",  "магазин", "триггер"};
  return kind < kRecordKinds ? kWords[kind] : "?";
}

class TMUDClass;

}  // namespace zm
