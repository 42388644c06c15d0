#pragma once
// Objects and the object list.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "model/records.h"

namespace zm {

class World;

// The first number of the object's first numeric line: for type 25 a bit
// vector of magic flags (Text, Number 0), for other types the skill the object
// trains (Number).
struct TSkillOrMagicFlags {
  int32_t Number = 0;
  std::string Text;
  bool operator==(const TSkillOrMagicFlags&) const = default;
};

inline constexpr int32_t kMagicIngredientType = 25;

class TObj : public TMUDClass {
 public:
  TObj(int32_t zone = 0, int32_t vnum = 0) : TMUDClass(kObject, zone, vnum) {}
  bool operator==(const TObj&) const = default;

  // Numbers are held at 32 bits whatever their range in the game, so a file
  // is written back with the numbers it had.
  std::array<std::string, 6> Names{"-", "-", "-", "-", "-", "-"};  // nominative first
  std::string Aliases;
  std::string Description;
  std::string ActionDescription;
  TSkillOrMagicFlags SkillOrMagicFlags;
  int32_t MaxDurability = 0;
  int32_t Durability = 0;
  int32_t Material = 0;
  int32_t Gender = 0;
  int32_t Timer = 0;
  int32_t Spell = -1;  // -1: none
  int32_t SpellLevel = 0;
  std::string Affects;
  std::string NoTake;
  std::string NoUse;
  int32_t ObjType = 0;
  std::string Effects;
  std::string WearFlags;
  std::string Value0;
  int32_t Value1 = 0;
  int32_t Value2 = 0;
  int32_t Value3 = 0;
  int32_t Weight = 0;
  int32_t Price = 0;
  int32_t Rent = 0;
  int32_t RentWorn = 0;
  TExtraDescList ExtraDescs;
  TIntList Applies;  // PackApply
  TIntList Triggers;
  int32_t MaxInWorld = 0;

  // The number the file gave for "no spell" (0, or -1 in files the game
  // wrote), written back while Spell is -1.
  int32_t NoSpellNumber = 0;
  // Lines after the numeric lines that are none of E, A or T (such as the
  // game's "M" lines), kept as written.
  std::vector<std::string> UnknownLines;
  // The order in which the file had those blocks, one letter per block: E, A,
  // T, or U for a line of UnknownLines. Empty for the designed order (all E,
  // then all A, then all T, then the unknown lines), which is also how
  // blocks without a place here are written.
  std::string BlockOrder;
};

// An apply packs a location and a modifier.
inline constexpr auto PackApply = PackHalves;
inline constexpr auto ApplyLocation = LowHalf;
inline constexpr auto ApplyModifier = HighHalf;

class TObjList : public TMUDList<TObj> {
 public:
  std::string NameOfRecord(const TObj& o) const override { return o.Names[0]; }

  // "vnum=name" for every object of the zone (all zones for 0) and of the type
  // (all types for -2), then "-1=Не выбран".
  std::vector<std::string> FillChoiceList(int32_t zone, int32_t type) const {
    return Choices(
        zone, [type](const TObj& o) { return type == -2 || o.ObjType == type; },
        [](const TObj& o) { return o.Names[0]; });
  }
};

}  // namespace zm
