#pragma once
// Shops and the shop list.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "common/records.h"

namespace zm {

class World;
class WorldBuffer;

class TShop : public TMUDClass {
 public:
  TShop(int32_t zone = 0, int32_t vnum = 0) : TMUDClass(kShop) {
    Zone = zone;
    Vnum = vnum;
  }
  TShop(const TShop&) = default;
  TShop& operator=(const TShop&) = default;

  // Everything but Kind and Node.
  void Assign(const TShop& o);
  // The keeper mobile's name, "Неизвестный" when there is no such mobile.
  std::string KeeperName(const World& w) const;
  bool operator==(const TShop& o) const;

  TIntList Goods;
  double SellCoeff = 1.0;
  double BuyCoeff = 1.0;
  double ChangeCoeff = 1.0;
  // "key=text": an object type number and its dictionary text, or -1 and a keyword.
  std::vector<std::string> BuyTypes;
  std::vector<std::string> ChangeTypes;
  // Messages[0] is the Part's message 1.
  std::array<std::string, 7> Messages;
  int32_t Temper = 0;
  std::string ShopFlags;  // bit vector, empty for none
  int32_t Keeper = 0;
  std::string NotSellTo;  // bit vector, empty for none
  TIntList Rooms;
  uint8_t Open1 = 0;
  uint8_t Close1 = 0;
  uint8_t Open2 = 0;
  uint8_t Close2 = 0;
};

class TShopList : public TMUDList<TShop> {
 public:
  explicit TShopList(const World& w) : m_world(w) {}
  std::string NameOfRecord(const TShop& s) const override;

  // False when the file could not be read whole; what was read stays and the
  // failure goes to the load errors.
  bool LoadFromFile(World& w, const std::filesystem::path& path);
  // The same over bytes already in memory; `path` names them in messages.
  bool LoadFromBytes(World& w, std::string bytes, const std::filesystem::path& path);
  // 0, or the vnum of the shop that cannot be written (-1 for vnum 0).
  int BuildLines(const World& w, std::vector<std::string>& lines, int32_t zone) const;
  // An empty path means the zone's ShopFilename.
  bool SaveZone(World& w, int32_t zone, const std::filesystem::path& path = {});

 private:
  bool parse(World& w, WorldBuffer& buf, const std::filesystem::path& path);

  const World& m_world;
};

}  // namespace zm
