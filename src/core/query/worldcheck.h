#pragma once
// The whole world checked the way the game will see it: exits and doors,
// keys, reset commands, what mobiles wear and wield, containers, shops,
// attached triggers, script blocks and rooms nothing leads to.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/kinds.h"

namespace zm {

class World;

struct Finding {
  int32_t Zone = 0;
  RecordKind Kind = kRoom;
  int32_t Vnum = 0;
  std::string Check;    // "exit-missing-room", "door-one-side" …
  std::string Message;  // Russian, Windows-1251
};

// The names of every check, in the order findings of one record come.
const std::vector<std::string>& WorldCheckNames();

// Findings of every zone, or of `zone` only, ordered by zone, kind and vnum.
// Linear in the size of the world.
std::vector<Finding> CheckWorld(const World& w, std::optional<int32_t> zone = std::nullopt);

// The first place the script's if/end, while/done, foreach/done and
// switch/done blocks do not balance: "строка 4: end без if"; empty when they do.
std::string ScriptBlockProblem(const std::string& text);

}  // namespace zm
