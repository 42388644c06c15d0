#pragma once
// Shops and the shop list.
#include <filesystem>
#include <string>
#include <vector>

#include "common/records.h"

namespace zm {

class World;

class TShop : public TMUDClass {
 public:
  TShop(int32_t zone = 0, int32_t vnum = 0) : TMUDClass(kShop) {
    Zone = zone;
    Vnum = vnum;
  }
  int32_t Keeper = -1;
};

class TShopList : public TMUDList<TShop> {
 public:
  explicit TShopList(const World& w) : m_world(w) {}
  std::string NameOfRecord(const TShop& s) const override;
  bool LoadFromFile(World& w, const std::filesystem::path& path);
  int BuildLines(const World& w, std::vector<std::string>& lines, int32_t zone) const;
  bool SaveZone(World& w, int32_t zone, const std::filesystem::path& path = {});

 private:
  const World& m_world;
};

}  // namespace zm
