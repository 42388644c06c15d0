#pragma once
// Triggers (game scripts) and the trigger list.
#include <filesystem>
#include <string>
#include <vector>

#include "model/records.h"

namespace zm {

class World;

class TTrigger : public TMUDClass {
 public:
  TTrigger(int32_t zone = 0, int32_t vnum = 0) : TMUDClass(kTrigger, zone, vnum) {}

  std::string DisplayText() const { return NodeCaption(Vnum, Name); }
  bool operator==(const TTrigger&) const = default;

  std::string Name;
  uint8_t TriggerClass = 0;  // 0 mobile, 1 object, 2 room
  std::string TriggerTypes;  // bit vector, empty for none
  int32_t NumArg = 0;
  std::string Arg;
  std::string Text;  // lines joined with CR LF, no break at the end
};

class TTriggerList : public TMUDList<TTrigger> {
 public:
  std::string NameOfRecord(const TTrigger& t) const override { return t.Name; }
};

}  // namespace zm
