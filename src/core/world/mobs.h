#pragma once
// Mobiles and the mobile list.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "common/records.h"

namespace zm {

class World;

class TMob : public TMUDClass {
 public:
  TMob(int32_t zone = 0, int32_t vnum = 0) : TMUDClass(kMobile) {
    Zone = zone;
    Vnum = vnum;
  }
  TMob(const TMob&) = default;
  TMob& operator=(const TMob&) = default;

  std::array<std::string, 6> Names;  // nominative first
  TIntList Triggers;
  int32_t MaxInWorld = -1;
};

class TMobList : public TMUDList<TMob> {
 public:
  std::string NameOfRecord(const TMob& m) const override { return m.Names[0]; }
  bool LoadFromFile(World& w, const std::filesystem::path& path);
  int BuildLines(const World& w, std::vector<std::string>& lines, int32_t zone) const;
  bool SaveZone(World& w, int32_t zone, const std::filesystem::path& path = {});
};

}  // namespace zm
