#pragma once
// Mobiles and the mobile list.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "model/records.h"

namespace zm {

class World;

class TMob : public TMUDClass {
 public:
  TMob(int32_t zone = 0, int32_t vnum = 0) : TMUDClass(kMobile, zone, vnum) {}
  bool operator==(const TMob&) const = default;

  // Index of the first Spells entry for the spell, or -1.
  int IndexOfSpell(int32_t spell) const;

  // Numbers are held at 32 bits whatever their range in the game, so a file
  // is written back with the numbers it had.
  std::string Aliases;
  std::array<std::string, 6> Names{"-", "-", "-", "-", "-", "-"};  // nominative first
  std::string LongDescription;
  std::string LookDescription;  // lines joined with CR LF
  std::string Flags;
  std::string Affects;
  int32_t Alignment = 0;
  int32_t Level = 0;
  int32_t Thac0 = 0;
  int32_t ArmorClass = 0;
  TDice HitDice;
  TDice DamageDice;
  TDice GoldDice;
  int32_t Experience = 0;
  int32_t LoadPosition = 0;
  int32_t DefaultPosition = 0;
  int32_t Sex = 0;
  int32_t BareHandAttack = 0;
  std::string Destinations;  // room vnums joined by "/"
  int32_t Str = 0, Int = 0, Wis = 0, Dex = 0, Con = 0, Cha = 0;
  int32_t LikeWork = 0;
  int32_t MaxFactor = 0;
  int32_t ExtraAttack = 0;
  int32_t Class = 0;
  int32_t Size = 0;
  int32_t Height = 0;
  int32_t Weight = 0;
  std::string SpecialFlags;
  TIntList Spells;   // PackSpell
  TIntList Skills;   // PackSkill
  TIntList Helpers;  // mobile vnums
  int32_t MaxInWorld = 0;
  TIngrList Ingredients;
  TIntList Triggers;

  // Extended lines the reader does not know ("Race: 101", "Resistances: …"),
  // written back just before "E".
  std::vector<std::string> UnknownLines;
  // Lines after "E" that are neither T nor I (the game's "L" lines), written
  // back after the ingredients.
  std::vector<std::string> UnknownTail;
  // The always-written extended lines (BareHandAttack and Str to Weight, bit
  // i for ExtendedKeyName(i) of the mobile file) that the file's record did not have. Such a
  // line is not written while its value is 0, what a missing key reads as,
  // so that the game keeps its own default for it.
  uint32_t AbsentKeys = 0;
};

// Spells and skills pack a number with a count or a value.
inline constexpr auto PackSpell = PackHalves;
inline constexpr auto SpellNumber = LowHalf;
inline constexpr auto SpellCount = HighHalf;
inline constexpr auto PackSkill = PackHalves;
inline constexpr auto SkillNumber = LowHalf;
inline constexpr auto SkillValue = HighHalf;

class TMobList : public TMUDList<TMob> {
 public:
  std::string NameOfRecord(const TMob& m) const override { return m.Names[0]; }
};

}  // namespace zm
