#include "query/worldcheck.h"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "common/textutil.h"
#include "common/winutf8.h"
#include "load/zonecheck.h"
#include "model/world.h"

namespace zm {
namespace {

constexpr int32_t kWeaponType = 5, kThrowingWeaponType = 6, kContainerType = 15,
                  kMagicContainerType = 35;
constexpr uint8_t kDoorBit = 1;
constexpr uint8_t kWearWield = 16;
// The wear flag (plane 0) each wear position of an E command needs; 0: none.
constexpr std::array<char, 20> kWearLetter = {0,   'b', 'b', 'c', 'c', 'd', 'e', 'f', 'g', 'h',
                                              'i', 'j', 'k', 'l', 'm', 'm', 'n', 'o', 'p', 'q'};
// The trigger class an owner's triggers must have: mobile 0, object 1, room 2.
constexpr uint8_t kMobClass = 0, kObjClass = 1, kRoomClass = 2;

bool HasFlag(const std::string& flags, char letter) {
  for (size_t i = 0; i + 1 < flags.size(); i += 2)
    if (flags[i] == letter && flags[i + 1] == '0') return true;
  return false;
}

bool IsContainer(const TObj& o) {
  return o.ObjType == kContainerType || o.ObjType == kMagicContainerType;
}

std::string N(int32_t n) {
  return VnumText(n);
}

class Checker {
 public:
  Checker(const World& w, std::vector<Finding>& out) : m_w(w), m_out(out) {}

  void Room(const TRoom& r) {
    m_zone = r.Zone;
    m_kind = kRoom;
    m_vnum = r.Vnum;
    exits(r);
    for (int i = 0; i < r.Objects.Count(); ++i) {
      const TRoomObj& o = *r.Objects.Items(i);
      const TObj* proto = object(o.ID, "загружаемый предмет");
      if (proto && !o.Contents.Empty() && !IsContainer(*proto))
        add("put-into-non-container",
            W("предмет ") + N(o.ID) + W(" не контейнер, но в него кладутся предметы"));
      for (const auto& c : o.Contents) object(c->ID, "предмет в контейнере");
    }
    for (const auto& o : r.RemovedObjects) object(o->ID, "удаляемый предмет");
    for (const auto& m : r.Mobs) {
      if (!m_w.Mobs.Find(m->ID))
        add("reset-missing-mobile", W("загружаемый моб ") + N(m->ID) + W(" не существует"));
      if (m->Leader > 0 && !m_w.Mobs.Find(m->Leader))
        add("reset-missing-mobile", W("ведущий моб ") + N(m->Leader) + W(" не существует"));
      for (const auto& item : m->Inventory) inventory(*m, *item);
    }
    for (const auto& t : r.Triggers) trigger(t->ID, kRoomClass);
    kept(r.KeptCommands);
    for (const auto& o : r.Objects) kept(o->KeptCommands);
    for (const auto& m : r.Mobs) kept(m->KeptCommands);
  }

  void Zone(const TZone& z) {
    m_zone = z.Vnum;
    m_kind = kZone;
    m_vnum = z.Vnum;
    for (const auto& o : z.CreatedObjects) {
      object(o->ID, "создаваемый предмет зоны");
      if (o->Container) {
        const TObj* c = object(*o->Container, "контейнер предмета зоны");
        if (c && !IsContainer(*c))
          add("put-into-non-container",
              W("предмет ") + N(*o->Container) + W(" не контейнер, но в него кладутся предметы"));
      }
    }
    for (const auto& m : z.RemovedMobs)
      if (!m_w.Mobs.Find(m->ID))
        add("reset-missing-mobile", W("удаляемый моб ") + N(m->ID) + W(" не существует"));
    kept(z.KeptCommands);
    kept(z.KeptAfterZoneWide);
  }

  void Object(const TObj& o) {
    m_zone = o.Zone;
    m_kind = kObject;
    m_vnum = o.Vnum;
    if (o.ObjType == kContainerType && o.Value2 > 0 && !m_w.Objs.Find(o.Value2))
      add("key-missing", W("ключ контейнера ") + N(o.Value2) + W(" не существует"));
    for (const auto& t : o.Triggers) trigger(t->Value, kObjClass);
  }

  void Mobile(const TMob& m) {
    m_zone = m.Zone;
    m_kind = kMobile;
    m_vnum = m.Vnum;
    for (const auto& t : m.Triggers) trigger(t->Value, kMobClass);
  }

  void Shop(const TShop& s) {
    m_zone = s.Zone;
    m_kind = kShop;
    m_vnum = s.Vnum;
    if (!m_w.Mobs.Find(s.Keeper))
      add("shop-missing-keeper", W("продавец ") + N(s.Keeper) + W(" не существует"));
    for (const auto& g : s.Goods)
      if (!m_w.Objs.Find(g->Value))
        add("shop-missing-goods", W("товар ") + N(g->Value) + W(" не существует"));
    for (const auto& r : s.Rooms)
      if (!m_w.Rooms.Find(r->Value))
        add("shop-missing-room", W("комната магазина ") + N(r->Value) + W(" не существует"));
  }

  void Trigger(const TTrigger& t) {
    m_zone = t.Zone;
    m_kind = kTrigger;
    m_vnum = t.Vnum;
    const std::string problem = ScriptBlockProblem(t.Text);
    if (!problem.empty()) add("script-blocks", W("блоки скрипта не сходятся: ") + problem);
  }

  void Unreachable(const TRoom& r) {
    m_zone = r.Zone;
    m_kind = kRoom;
    m_vnum = r.Vnum;
    add("room-unreachable", W("ни один выход не ведёт в эту комнату"));
  }

 private:
  void add(const char* check, std::string message) {
    m_out.push_back({m_zone, m_kind, m_vnum, check, std::move(message)});
  }

  const TObj* object(int32_t vnum, const char* what) {
    const TObj* o = m_w.Objs.Find(vnum);
    if (!o) add("reset-missing-object", W(what) + " " + N(vnum) + W(" не существует"));
    return o;
  }

  void trigger(int32_t vnum, uint8_t cls) {
    static constexpr std::array<const char*, 3> kOwners = {"моба", "предмета", "комнаты"};
    const TTrigger* t = m_w.Triggers.Find(vnum);
    if (!t)
      add("trigger-missing", W("прикреплённый триггер ") + N(vnum) + W(" не существует"));
    else if (t->TriggerClass != cls)
      add("trigger-wrong-class", W("триггер ") + N(vnum) + W(" не для ") + W(kOwners[cls]));
  }

  void inventory(const TRoomMob& m, const TLinkObj& item) {
    const TObj* o = object(item.ID, "предмет у моба");
    if (!o || item.WearPos == 255) return;
    const std::string where = W("предмет ") + N(item.ID) + W(" у моба ") + N(m.ID);
    if (item.WearPos < kWearLetter.size()) {
      const char letter = kWearLetter[item.WearPos];
      if (letter && !HasFlag(o->WearFlags, letter))
        add("wear-not-allowed",
            where + W(" надет туда, куда его не надеть (позиция ") + N(item.WearPos) + ")");
    }
    if (item.WearPos == kWearWield && o->ObjType != kWeaponType &&
        o->ObjType != kThrowingWeaponType)
      add("wield-not-weapon", where + W(" взят в правую руку, но это не оружие"));
  }

  void exits(const TRoom& r) {
    for (int d = 0; d < kDirections; ++d) {
      const TRoomExit& e = r.Exits[static_cast<size_t>(d)];
      if (!ExitWritten(e) || e.ToRoom <= 0) continue;
      const std::string dir = W("выход ") + DirectionPhrase(d);
      if (e.Key > 0 && !m_w.Objs.Find(e.Key))
        add("key-missing", W("ключ ") + N(e.Key) + " (" + dir + W(") не существует"));
      const TRoom* to = m_w.Rooms.Find(e.ToRoom);
      if (!to) {
        add("exit-missing-room", dir + W(" ведёт в несуществующую комнату ") + N(e.ToRoom));
        continue;
      }
      const TRoomExit& back = to->Exits[static_cast<size_t>(OppositeDirection(d))];
      if (back.ToRoom != r.Vnum) {
        add("exit-unpaired", dir + W(" в ") + N(e.ToRoom) + W(": непарный выход"));
        continue;
      }
      const bool door = e.DoorFlags & kDoorBit, backDoor = back.DoorFlags & kDoorBit;
      if (door && !backDoor)
        add("door-one-side", dir + W(": дверь есть только с этой стороны, не из ") + N(e.ToRoom));
      const auto key = [](int32_t k) { return k > 0 ? k : 0; };
      if (door && backDoor && key(e.Key) != key(back.Key) && r.Vnum < to->Vnum)
        add("door-keys-differ", dir + W(": ключи двери с двух сторон разные (") + N(e.Key) +
                                    W(" и ") + N(back.Key) + ")");
    }
  }

  // Zone file lines the reader kept as written: G and E lines with no M
  // before them, and commands naming rooms that exist nowhere.
  void kept(const std::vector<std::string>& lines) {
    bool afterMobile = false;
    for (const std::string& raw : lines) {
      std::string rest = raw;
      const std::string letter = NextWord(rest, " \t");
      if (letter.size() != 1) continue;
      const char c = letter[0];
      if (c == 'G' || c == 'E') {
        if (!afterMobile)
          add("give-without-mobile", W("команда ") + letter + W(" без предшествующей M: ") + raw);
        continue;
      }
      afterMobile = c == 'M';
      std::array<int32_t, 4> f{};
      for (int32_t& v : f) ParseInt(NextWord(rest, " \t"), v);
      int32_t room = 0;
      if (c == 'M' || c == 'O') room = f[3];
      if (c == 'D' || c == 'R') room = f[1];
      if (room > 0 && !m_w.Rooms.Find(room))
        add("reset-missing-room",
            W("команда ") + letter + W(" называет несуществующую комнату ") + N(room) + ": " + raw);
    }
  }

  const World& m_w;
  std::vector<Finding>& m_out;
  int32_t m_zone = 0;
  RecordKind m_kind = kRoom;
  int32_t m_vnum = 0;
};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(WinLower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

const std::vector<std::string>& WorldCheckNames() {
  static const std::vector<std::string> names = {
      "exit-missing-room",    "exit-unpaired",       "door-one-side",
      "door-keys-differ",     "key-missing",         "reset-missing-object",
      "reset-missing-mobile", "reset-missing-room",  "give-without-mobile",
      "wear-not-allowed",     "wield-not-weapon",    "put-into-non-container",
      "shop-missing-keeper",  "shop-missing-goods",  "shop-missing-room",
      "trigger-missing",      "trigger-wrong-class", "script-blocks",
      "room-unreachable"};
  return names;
}

std::string ScriptBlockProblem(const std::string& text) {
  struct Open {
    char kind;  // 'i' if, 'l' while/foreach, 's' switch
    int line;
  };
  std::vector<Open> open;
  int n = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    ++n;
    const std::string word = Lower(NextWord(line, " \t\r("));
    const char top = open.empty() ? 0 : open.back().kind;
    const std::string at = W("строка ") + std::to_string(n) + ": ";
    if (word == "if") {
      open.push_back({'i', n});
    } else if (word == "elseif" || word == "else") {
      if (top != 'i') return at + word + W(" без if");
    } else if (word == "end") {
      if (top != 'i') return at + W("end без if");
      open.pop_back();
    } else if (word == "while" || word == "foreach") {
      open.push_back({'l', n});
    } else if (word == "switch") {
      open.push_back({'s', n});
    } else if (word == "case" || word == "default") {
      if (top != 's') return at + word + W(" вне switch");
    } else if (word == "done") {
      if (top != 'l' && top != 's') return at + W("done без while, foreach или switch");
      open.pop_back();
    }
    if (end == text.size()) break;
  }
  if (open.empty()) return {};
  static constexpr std::array<std::pair<char, const char*>, 3> kNames = {
      {{'i', "if"}, {'l', "while"}, {'s', "switch"}}};
  std::string what;
  for (const auto& [k, name] : kNames)
    if (k == open.back().kind) what = name;
  return W("строка ") + std::to_string(open.back().line) + ": " + what + W(" не закрыт");
}

std::vector<Finding> CheckWorld(const World& w, std::optional<int32_t> zone) {
  std::vector<Finding> out;
  Checker c(w, out);
  const auto wanted = [&](const TMUDClass& r) { return !zone || r.Zone == *zone; };
  for (const auto& z : w.Zones)
    if (wanted(*z)) c.Zone(*z);
  // Rooms some exit of another room leads to.
  std::unordered_set<int32_t> reached;
  reached.reserve(static_cast<size_t>(w.Rooms.Count()));
  for (const auto& r : w.Rooms)
    for (const TRoomExit& e : r->Exits)
      if (ExitWritten(e) && e.ToRoom > 0 && e.ToRoom != r->Vnum) reached.insert(e.ToRoom);
  for (const auto& r : w.Rooms) {
    if (!wanted(*r)) continue;
    c.Room(*r);
    if (!reached.count(r->Vnum)) c.Unreachable(*r);
  }
  for (const auto& o : w.Objs)
    if (wanted(*o)) c.Object(*o);
  for (const auto& m : w.Mobs)
    if (wanted(*m)) c.Mobile(*m);
  for (const auto& s : w.Shops)
    if (wanted(*s)) c.Shop(*s);
  for (const auto& t : w.Triggers)
    if (wanted(*t)) c.Trigger(*t);
  std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) {
    if (a.Zone != b.Zone) return a.Zone < b.Zone;
    if (a.Kind != b.Kind) return a.Kind < b.Kind;
    return a.Vnum < b.Vnum;
  });
  return out;
}

}  // namespace zm
