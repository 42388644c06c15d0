#pragma once
// The one walk over every number field of a record that names another
// record, shared by the reference index (which reads them) and zone moves
// (which rewrite them). `f(kind, value, field)` gets the named record's
// kind, the number (a reference into a mutable record, a copy otherwise)
// and a callable giving the field's name, "Exits[2].ToRoom"; path rooms,
// kept as one text, are handed over one by one and written back.
#include <string>
#include <type_traits>

#include "common/textutil.h"
#include "model/world.h"

namespace zm {
namespace named {

constexpr int32_t kContainerType = 15;

inline std::string Indexed(const std::string& list, int i) {
  return list + "[" + std::to_string(i) + "]";
}

template <class Links, class F>
void LinkObjs(Links& items, const std::string& list, F& f) {
  int i = 0;
  for (const auto& l : items) {
    f(kObject, l->ID, [&] { return Indexed(list, i) + ".ID"; });
    if (l->Container) f(kObject, *l->Container, [&] { return Indexed(list, i) + ".Container"; });
    ++i;
  }
}

template <class List, class F>
void CondIds(List& items, const char* list, RecordKind kind, F& f) {
  int i = 0;
  for (const auto& c : items) {
    f(kind, c->ID, [&] { return Indexed(list, i); });
    ++i;
  }
}

template <class List, class F>
void Ints(List& items, const char* list, RecordKind kind, F& f) {
  int i = 0;
  for (const auto& v : items) {
    f(kind, v->Value, [&] { return Indexed(list, i); });
    ++i;
  }
}

}  // namespace named

template <class Room, class F>
void ForEachNamedNumber(Room& r, F&& f) requires std::is_same_v<std::remove_const_t<Room>, TRoom> {
  for (int d = 0; d < kDirections; ++d) {
    auto& e = r.Exits[static_cast<size_t>(d)];
    if (!ExitWritten(e)) continue;
    f(kRoom, e.ToRoom, [&] { return named::Indexed("Exits", d) + ".ToRoom"; });
    f(kObject, e.Key, [&] { return named::Indexed("Exits", d) + ".Key"; });
  }
  int i = 0;
  for (const auto& o : r.Objects) {
    f(kObject, o->ID, [&] { return named::Indexed("Objects", i) + ".ID"; });
    named::LinkObjs(o->Contents, named::Indexed("Objects", i) + ".Contents", f);
    ++i;
  }
  named::CondIds(r.RemovedObjects, "RemovedObjects", kObject, f);
  i = 0;
  for (const auto& m : r.Mobs) {
    f(kMobile, m->ID, [&] { return named::Indexed("Mobs", i) + ".ID"; });
    f(kMobile, m->Leader, [&] { return named::Indexed("Mobs", i) + ".Leader"; });
    named::LinkObjs(m->Inventory, named::Indexed("Mobs", i) + ".Inventory", f);
    ++i;
  }
  named::CondIds(r.Triggers, "Triggers", kTrigger, f);
}

template <class Zone, class F>
void ForEachNamedNumber(Zone& z, F&& f) requires std::is_same_v<std::remove_const_t<Zone>, TZone> {
  named::LinkObjs(z.CreatedObjects, "CreatedObjects", f);
  named::CondIds(z.RemovedMobs, "RemovedMobs", kMobile, f);
}

template <class Obj, class F>
void ForEachNamedNumber(Obj& o, F&& f) requires std::is_same_v<std::remove_const_t<Obj>, TObj> {
  named::Ints(o.Triggers, "Triggers", kTrigger, f);
  if (o.ObjType == named::kContainerType)
    f(kObject, o.Value2, [] { return std::string("Value2"); });
  if (o.ObjType == kMagicIngredientType) f(kObject, o.Value1, [] { return std::string("Value1"); });
}

template <class Mob, class F>
void ForEachNamedNumber(Mob& m, F&& f) requires std::is_same_v<std::remove_const_t<Mob>, TMob> {
  named::Ints(m.Helpers, "Helpers", kMobile, f);
  // Path rooms: "3001/3002"; words that are no numbers stay as they are.
  std::string rest = m.Destinations, out;
  bool changed = false;
  for (int i = 0; !rest.empty(); ++i) {
    std::string word = NextWord(rest, "/");
    int32_t room = 0;
    if (ParseInt(word, room)) {
      const int32_t was = room;
      f(kRoom, room, [&] { return named::Indexed("Destinations", i); });
      if (room != was) {
        word = IntText(room);
        changed = true;
      }
    }
    if (!out.empty()) out += '/';
    out += word;
  }
  if constexpr (!std::is_const_v<Mob>)
    if (changed) m.Destinations = out;
  named::Ints(m.Triggers, "Triggers", kTrigger, f);
}

template <class Shop, class F>
void ForEachNamedNumber(Shop& s, F&& f) requires std::is_same_v<std::remove_const_t<Shop>, TShop> {
  f(kMobile, s.Keeper, [] { return std::string("Keeper"); });
  named::Ints(s.Goods, "Goods", kObject, f);
  named::Ints(s.Rooms, "Rooms", kRoom, f);
}

template <class Trigger, class F>
void ForEachNamedNumber(Trigger&,
                        F&&) requires std::is_same_v<std::remove_const_t<Trigger>, TTrigger> {}

}  // namespace zm
