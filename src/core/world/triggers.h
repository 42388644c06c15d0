#pragma once
// Triggers (game scripts) and the trigger list.
#include <filesystem>
#include <string>
#include <vector>

#include "common/records.h"

namespace zm {

class World;

class TTrigger : public TMUDClass {
 public:
  TTrigger(int32_t zone = 0, int32_t vnum = 0) : TMUDClass(kTrigger) {
    Zone = zone;
    Vnum = vnum;
  }
  std::string Name;
};

class TTriggerList : public TMUDList<TTrigger> {
 public:
  std::string NameOfRecord(const TTrigger& t) const override { return t.Name; }
  bool LoadFromFile(World& w, const std::filesystem::path& path);
  int BuildLines(const World& w, std::vector<std::string>& lines, int32_t zone) const;
  bool SaveZone(World& w, int32_t zone, const std::filesystem::path& path = {});
};

}  // namespace zm
