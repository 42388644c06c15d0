#pragma once
// Shops and the shop list.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "model/records.h"

namespace zm {

class World;

class TShop : public TMUDClass {
 public:
  TShop(int32_t zone = 0, int32_t vnum = 0) : TMUDClass(kShop, zone, vnum) {}

  // The keeper mobile's name, "Неизвестный" when there is no such mobile.
  std::string KeeperName(const World& w) const;
  bool operator==(const TShop&) const = default;

  TIntList Goods;
  double SellCoeff = 1.0;
  double BuyCoeff = 1.0;
  double ChangeCoeff = 1.0;
  // "key=text": an object type number and its dictionary text, or -1 and a keyword.
  std::vector<std::string> BuyTypes;
  std::vector<std::string> ChangeTypes;
  // The keeper's seven replies, in the order the shop file has them.
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

 private:
  const World& m_world;
};

}  // namespace zm
