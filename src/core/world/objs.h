#pragma once
// Objects and the object list.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "common/records.h"

namespace zm {

class World;

class TObj : public TMUDClass {
 public:
  TObj(int32_t zone = 0, int32_t vnum = 0) : TMUDClass(kObject) {
    Zone = zone;
    Vnum = vnum;
  }
  TObj(const TObj&) = default;
  TObj& operator=(const TObj&) = default;

  std::array<std::string, 6> Names;  // nominative first
  TIntList Triggers;
  int32_t MaxInWorld = -1;
};

class TObjList : public TMUDList<TObj> {
 public:
  std::string NameOfRecord(const TObj& o) const override { return o.Names[0]; }
  bool LoadFromFile(World& w, const std::filesystem::path& path);
  int BuildLines(const World& w, std::vector<std::string>& lines, int32_t zone) const;
  bool SaveZone(World& w, int32_t zone, const std::filesystem::path& path = {});
};

}  // namespace zm
