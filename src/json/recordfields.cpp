#include "json/recordfields.h"

#include "common/winutf8.h"
#include "io/zonefile_internal.h"
#include "json/recordjson.h"

namespace zm::json {
namespace {

// Texts keep their lines; the CR of a CR LF break is the file's business.
std::string Lines(std::string s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i)
    if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) out += s[i];
  return out;
}

std::string OneLine(std::string s) {
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

void Flatten(const ordered_json& j, const std::string& name, std::vector<FieldValue>& out) {
  if (j.is_object()) {
    for (const auto& [key, v] : j.items()) Flatten(v, name.empty() ? key : name + "." + key, out);
  } else if (j.is_array()) {
    for (size_t i = 0; i < j.size(); ++i) Flatten(j[i], name + "[" + std::to_string(i) + "]", out);
  } else if (j.is_string()) {
    out.push_back({name, Lines(j.get<std::string>())});
  } else if (!j.is_null()) {
    out.push_back({name, j.dump()});
  }
}

ordered_json JsonOf(const TMUDClass& rec, const World& w) {
  switch (rec.Kind) {
    case kZone:
      return ZoneJson(static_cast<const TZone&>(rec), w);
    case kRoom: {
      const auto& r = static_cast<const TRoom&>(rec);
      ordered_json j = RoomJson(r, w);
      for (size_t d = 0; d < r.Exits.size(); ++d)
        if (r.Exits[d] == TRoomExit{}) j["Exits"][d] = nullptr;
      return j;
    }
    case kObject:
      return ObjJson(static_cast<const TObj&>(rec));
    case kMobile:
      return MobJson(static_cast<const TMob&>(rec));
    case kShop:
      return ShopJson(static_cast<const TShop&>(rec), w);
    case kTrigger:
      return TriggerJson(static_cast<const TTrigger&>(rec));
    case kZoneMap:
      break;
  }
  return nullptr;
}

// " «name»" of a record the world holds, else nothing.
template <typename List>
std::string Named(const List& list, int32_t vnum) {
  const auto* r = list.Find(vnum);
  if (!r) return {};
  std::string name = WinToUtf8(list.NameOfRecord(*r));
  return name.empty() ? name : " «" + name + "»";
}

struct Commands {
  const World& w;
  std::vector<FieldValue>& out;
  std::string where;

  void Add(std::string text) { out.push_back({where, std::move(text)}); }
  void Kept(const TKeptLines& lines) {
    for (const auto& l : lines) Add("как записано: " + OneLine(WinToUtf8(l)));
  }

  static std::string Cond(uint8_t c) { return c ? " (усл. " + std::to_string(c) + ")" : ""; }
  std::string Obj(int32_t vnum) const {
    return "предмет " + std::to_string(vnum) + Named(w.Objs, vnum);
  }
  std::string Mob(int32_t vnum) const {
    return "моб " + std::to_string(vnum) + Named(w.Mobs, vnum);
  }
  std::string ObjMax(int32_t vnum, const std::optional<int32_t>& own) const {
    const TObj* o = w.Objs.Find(vnum);
    return "макс. " + std::to_string(own ? *own : o ? o->MaxInWorld : -1);
  }
  std::string MobMax(int32_t vnum, const std::optional<int32_t>& own) const {
    const TMob* m = w.Mobs.Find(vnum);
    return "макс. " + std::to_string(own ? *own : m ? m->MaxInWorld : -1);
  }
  std::string Chance(int16_t c) const { return ", шанс " + std::to_string(c); }

  void Room(const TRoom& r) {
    where = "Комната " + std::to_string(r.Vnum);
    if (r.Name != "-" && !r.Name.empty()) where += " «" + WinToUtf8(r.Name) + "»";
    for (const auto& rem : r.RemovedObjects) Add("R убрать " + Obj(rem->ID) + Cond(rem->Cond));
    for (const auto& o : r.Objects) {
      Add("O " + Obj(o->ID) + Cond(o->Cond) + ": " + ObjMax(o->ID, o->OwnMax) + Chance(o->Chance));
      for (const auto& c : o->Contents)
        Add("P " + Obj(c->ID) + Cond(c->Cond) + " в " +
            std::to_string(c->Container.value_or(o->ID)) + ": " + ObjMax(c->ID, c->OwnMax) +
            Chance(c->Chance));
      Kept(o->KeptCommands);
    }
    for (const auto& m : r.Mobs) {
      Add("M " + Mob(m->ID) + Cond(m->Cond) + ": " + MobMax(m->ID, m->OwnMax) + ", в комнате " +
          std::to_string(m->MaxInRoom));
      for (const auto& i : m->Inventory) {
        std::string text =
            Obj(i->ID) + Cond(i->Cond) + ": " + ObjMax(i->ID, i->OwnMax) + Chance(i->Chance);
        if (i->WearPos != 255)
          Add("E " + text + ", надет " + std::to_string(i->WearPos));
        else
          Add("G " + text);
      }
      if (m->Leader != -1) Add("F " + Mob(m->ID) + " следует за " + Mob(m->Leader));
      Kept(m->KeptCommands);
    }
    for (size_t d = 0; d < r.Exits.size(); ++d)
      if (zonefile::WritesDoor(r.Exits[d]))
        Add("D выход " + std::to_string(d) + ": состояние " +
            std::to_string(r.Exits[d].DefaultState));
    Kept(r.KeptCommands);
    for (const auto& t : r.Triggers)
      Add("T триггер " + std::to_string(t->ID) + Named(w.Triggers, t->ID) + Cond(t->Cond));
  }
};

}  // namespace

std::vector<FieldValue> RecordFields(const TMUDClass& rec, const World& w) {
  std::vector<FieldValue> out;
  Flatten(JsonOf(rec, w), {}, out);
  return out;
}

std::vector<FieldValue> ZoneFileFields(const TZone& z, const World& w) {
  ordered_json j = ZoneJson(z, w);
  // The commands follow as lines; Registered is not in the file.
  for (const char* key :
       {"CreatedObjects", "RemovedMobs", "KeptCommands", "KeptAfterZoneWide", "Registered"})
    j.erase(key);
  std::vector<FieldValue> out;
  Flatten(j, {}, out);
  Commands c{w, out, "Зона"};
  c.Kept(z.KeptCommands);
  for (const auto& o : z.CreatedObjects)
    c.Add("O " + c.Obj(o->ID) + Commands::Cond(o->Cond) + ": " + c.ObjMax(o->ID, o->OwnMax) +
          c.Chance(o->Chance));
  for (const auto& q : z.RemovedMobs) c.Add("Q убрать " + c.Mob(q->ID) + Commands::Cond(q->Cond));
  c.Kept(z.KeptAfterZoneWide);
  for (const TRoom* r : w.Rooms.InZone(z.Vnum)) c.Room(*r);
  return out;
}

std::string RecordName(const TMUDClass& rec, const World& w) {
  std::string name;
  if (rec.Kind == kZoneMap) return name;
  w.ForRecord(rec, [&](const auto& list, const auto& r) { name = list.NameOfRecord(r); });
  return OneLine(WinToUtf8(name));
}

std::string RecordTitle(const TMUDClass& rec, const World& w) {
  std::string title = std::string(KindNoun(rec.Kind)) + " " + std::to_string(rec.Vnum);
  std::string name = RecordName(rec, w);
  return name.empty() ? title : title + " «" + name + "»";
}

}  // namespace zm::json
