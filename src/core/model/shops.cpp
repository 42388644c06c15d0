#include "model/shops.h"

#include "common/winutf8.h"
#include "model/world.h"

namespace zm {

std::string TShop::KeeperName(const World& w) const {
  const TMob* m = w.Mobs.Find(Keeper);
  return m ? w.Mobs.NameOfRecord(*m) : W("Неизвестный");
}

std::string TShopList::NameOfRecord(const TShop& s) const {
  return s.KeeperName(m_world);
}

}  // namespace zm
