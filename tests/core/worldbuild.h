#pragma once
// Records added to a world in memory, for tests that build small worlds.
#include <memory>
#include <type_traits>

#include "model/world.h"

namespace zm::test {

// A new record of kind T numbered `vnum`, in the zone its number says.
template <typename T>
T& AddRecord(World& w, int32_t vnum) {
  auto rec = std::make_unique<T>(ZoneOf(vnum), vnum);
  T* p = rec.get();
  if constexpr (std::is_same_v<T, TRoom>) w.Rooms.Add(std::move(rec));
  if constexpr (std::is_same_v<T, TObj>) w.Objs.Add(std::move(rec));
  if constexpr (std::is_same_v<T, TMob>) w.Mobs.Add(std::move(rec));
  if constexpr (std::is_same_v<T, TShop>) w.Shops.Add(std::move(rec));
  if constexpr (std::is_same_v<T, TTrigger>) w.Triggers.Add(std::move(rec));
  return *p;
}

}  // namespace zm::test
