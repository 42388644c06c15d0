#include "edit/merge.h"

#include <functional>
#include <map>
#include <set>

#include "common/savelines.h"
#include "common/winutf8.h"
#include "common/worldbuffer.h"
#include "io/recordfile.h"
#include "io/recordformat.h"
#include "io/zonefile.h"
#include "load/saving.h"

namespace zm {
namespace fs = std::filesystem;

std::optional<RecordKind> KindOfWorldFile(const fs::path& path) {
  std::string ext = path.extension().string();
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  static const std::pair<const char*, RecordKind> kExts[] = {{".wld", kRoom},   {".obj", kObject},
                                                             {".mob", kMobile}, {".zon", kZone},
                                                             {".shp", kShop},   {".trg", kTrigger}};
  for (const auto& [e, kind] : kExts)
    if (ext == e) return kind;
  return std::nullopt;
}

namespace {

// One mergeable part of a record: compared and taken over as a whole.
template <typename R>
struct Field {
  std::string Name;
  std::function<bool(const R&, const R&)> Same;
  std::function<void(R&, const R&)> Take;
};

template <typename R>
using Fields = std::vector<Field<R>>;

template <typename R, typename M>
void Member(Fields<R>& out, const char* name, M R::*m) {
  out.push_back({name, [m](const R& a, const R& b) { return a.*m == b.*m; },
                 [m](R& to, const R& from) { to.*m = from.*m; }});
}

// Each element of a fixed array is a field of its own ("Names[2]").
template <typename R, typename E, size_t N>
void Elements(Fields<R>& out, const char* name, std::array<E, N> R::*m) {
  for (size_t i = 0; i < N; ++i)
    out.push_back({std::string(name) + "[" + std::to_string(i) + "]",
                   [m, i](const R& a, const R& b) { return (a.*m)[i] == (b.*m)[i]; },
                   [m, i](R& to, const R& from) { (to.*m)[i] = (from.*m)[i]; }});
}

// The room file's part of a room; its map position and the zone file's
// commands are other files'.
const Fields<TRoom>& RoomFields() {
  static const Fields<TRoom> f = [] {
    Fields<TRoom> f;
    Member(f, "Name", &TRoom::Name);
    Member(f, "Description", &TRoom::Description);
    Member(f, "Flags", &TRoom::Flags);
    Member(f, "Sector", &TRoom::Sector);
    Member(f, "ZoneInFile", &TRoom::ZoneInFile);
    Elements(f, "Exits", &TRoom::Exits);
    Member(f, "ExtraDescs", &TRoom::ExtraDescs);
    Member(f, "Ingredients", &TRoom::Ingredients);
    Member(f, "Triggers", &TRoom::Triggers);
    return f;
  }();
  return f;
}

// A zone file holds a room's commands: they merge as one unit, since the
// lines of a room depend on each other (P after its O, G after its M).
bool SameCommands(const TRoom& a, const TRoom& b) {
  if (!(a.Objects == b.Objects && a.RemovedObjects == b.RemovedObjects && a.Mobs == b.Mobs &&
        a.KeptCommands == b.KeptCommands))
    return false;
  for (size_t i = 0; i < a.Exits.size(); ++i)
    if (a.Exits[i].DefaultState != b.Exits[i].DefaultState ||
        a.Exits[i].WithoutReset != b.Exits[i].WithoutReset)
      return false;
  return true;
}

const Fields<TRoom>& RoomCommandFields() {
  static const Fields<TRoom> f{{"Commands", SameCommands, [](TRoom& to, const TRoom& from) {
                                  to.Objects = from.Objects;
                                  to.RemovedObjects = from.RemovedObjects;
                                  to.Mobs = from.Mobs;
                                  to.KeptCommands = from.KeptCommands;
                                  for (size_t i = 0; i < to.Exits.size(); ++i) {
                                    to.Exits[i].DefaultState = from.Exits[i].DefaultState;
                                    to.Exits[i].WithoutReset = from.Exits[i].WithoutReset;
                                  }
                                }}};
  return f;
}

const Fields<TZone>& ZoneFields() {
  static const Fields<TZone> f = [] {
    Fields<TZone> f;
    Member(f, "Name", &TZone::Name);
    Member(f, "ResetMode", &TZone::ResetMode);
    Member(f, "ResetTime", &TZone::ResetTime);
    Member(f, "HeaderLines", &TZone::HeaderLines);
    Member(f, "NumbersTail", &TZone::NumbersTail);
    Member(f, "TopInFile", &TZone::TopInFile);
    f.push_back({"ZoneCommands",
                 [](const TZone& a, const TZone& b) {
                   return a.CreatedObjects == b.CreatedObjects && a.RemovedMobs == b.RemovedMobs &&
                          a.KeptCommands == b.KeptCommands &&
                          a.KeptAfterZoneWide == b.KeptAfterZoneWide;
                 },
                 [](TZone& to, const TZone& from) {
                   to.CreatedObjects = from.CreatedObjects;
                   to.RemovedMobs = from.RemovedMobs;
                   to.KeptCommands = from.KeptCommands;
                   to.KeptAfterZoneWide = from.KeptAfterZoneWide;
                 }});
    return f;
  }();
  return f;
}

const Fields<TObj>& ObjFields() {
  static const Fields<TObj> f = [] {
    Fields<TObj> f;
    Elements(f, "Names", &TObj::Names);
    Member(f, "Aliases", &TObj::Aliases);
    Member(f, "Description", &TObj::Description);
    Member(f, "ActionDescription", &TObj::ActionDescription);
    Member(f, "SkillOrMagicFlags", &TObj::SkillOrMagicFlags);
    Member(f, "MaxDurability", &TObj::MaxDurability);
    Member(f, "Durability", &TObj::Durability);
    Member(f, "Material", &TObj::Material);
    Member(f, "Gender", &TObj::Gender);
    Member(f, "Timer", &TObj::Timer);
    Member(f, "Spell", &TObj::Spell);
    Member(f, "SpellLevel", &TObj::SpellLevel);
    Member(f, "Affects", &TObj::Affects);
    Member(f, "NoTake", &TObj::NoTake);
    Member(f, "NoUse", &TObj::NoUse);
    Member(f, "ObjType", &TObj::ObjType);
    Member(f, "Effects", &TObj::Effects);
    Member(f, "WearFlags", &TObj::WearFlags);
    Member(f, "Value0", &TObj::Value0);
    Member(f, "Value1", &TObj::Value1);
    Member(f, "Value2", &TObj::Value2);
    Member(f, "Value3", &TObj::Value3);
    Member(f, "Weight", &TObj::Weight);
    Member(f, "Price", &TObj::Price);
    Member(f, "Rent", &TObj::Rent);
    Member(f, "RentWorn", &TObj::RentWorn);
    Member(f, "ExtraDescs", &TObj::ExtraDescs);
    Member(f, "Applies", &TObj::Applies);
    Member(f, "Triggers", &TObj::Triggers);
    Member(f, "MaxInWorld", &TObj::MaxInWorld);
    Member(f, "NoSpellNumber", &TObj::NoSpellNumber);
    Member(f, "UnknownLines", &TObj::UnknownLines);
    Member(f, "BlockOrder", &TObj::BlockOrder);
    return f;
  }();
  return f;
}

const Fields<TMob>& MobFields() {
  static const Fields<TMob> f = [] {
    Fields<TMob> f;
    Member(f, "Aliases", &TMob::Aliases);
    Elements(f, "Names", &TMob::Names);
    Member(f, "LongDescription", &TMob::LongDescription);
    Member(f, "LookDescription", &TMob::LookDescription);
    Member(f, "Flags", &TMob::Flags);
    Member(f, "Affects", &TMob::Affects);
    Member(f, "Alignment", &TMob::Alignment);
    Member(f, "Level", &TMob::Level);
    Member(f, "Thac0", &TMob::Thac0);
    Member(f, "ArmorClass", &TMob::ArmorClass);
    Member(f, "HitDice", &TMob::HitDice);
    Member(f, "DamageDice", &TMob::DamageDice);
    Member(f, "GoldDice", &TMob::GoldDice);
    Member(f, "Experience", &TMob::Experience);
    Member(f, "LoadPosition", &TMob::LoadPosition);
    Member(f, "DefaultPosition", &TMob::DefaultPosition);
    Member(f, "Sex", &TMob::Sex);
    Member(f, "BareHandAttack", &TMob::BareHandAttack);
    Member(f, "Destinations", &TMob::Destinations);
    Member(f, "Str", &TMob::Str);
    Member(f, "Int", &TMob::Int);
    Member(f, "Wis", &TMob::Wis);
    Member(f, "Dex", &TMob::Dex);
    Member(f, "Con", &TMob::Con);
    Member(f, "Cha", &TMob::Cha);
    Member(f, "LikeWork", &TMob::LikeWork);
    Member(f, "MaxFactor", &TMob::MaxFactor);
    Member(f, "ExtraAttack", &TMob::ExtraAttack);
    Member(f, "Class", &TMob::Class);
    Member(f, "Size", &TMob::Size);
    Member(f, "Height", &TMob::Height);
    Member(f, "Weight", &TMob::Weight);
    Member(f, "SpecialFlags", &TMob::SpecialFlags);
    Member(f, "Spells", &TMob::Spells);
    Member(f, "Skills", &TMob::Skills);
    Member(f, "Helpers", &TMob::Helpers);
    Member(f, "MaxInWorld", &TMob::MaxInWorld);
    Member(f, "Ingredients", &TMob::Ingredients);
    Member(f, "Triggers", &TMob::Triggers);
    Member(f, "UnknownLines", &TMob::UnknownLines);
    Member(f, "UnknownTail", &TMob::UnknownTail);
    Member(f, "AbsentKeys", &TMob::AbsentKeys);
    return f;
  }();
  return f;
}

const Fields<TShop>& ShopFields() {
  static const Fields<TShop> f = [] {
    Fields<TShop> f;
    Member(f, "Goods", &TShop::Goods);
    Member(f, "SellCoeff", &TShop::SellCoeff);
    Member(f, "BuyCoeff", &TShop::BuyCoeff);
    Member(f, "ChangeCoeff", &TShop::ChangeCoeff);
    Member(f, "BuyTypes", &TShop::BuyTypes);
    Member(f, "ChangeTypes", &TShop::ChangeTypes);
    Elements(f, "Messages", &TShop::Messages);
    Member(f, "Temper", &TShop::Temper);
    Member(f, "ShopFlags", &TShop::ShopFlags);
    Member(f, "Keeper", &TShop::Keeper);
    Member(f, "NotSellTo", &TShop::NotSellTo);
    Member(f, "Rooms", &TShop::Rooms);
    Member(f, "Open1", &TShop::Open1);
    Member(f, "Close1", &TShop::Close1);
    Member(f, "Open2", &TShop::Open2);
    Member(f, "Close2", &TShop::Close2);
    return f;
  }();
  return f;
}

const Fields<TTrigger>& TriggerFields() {
  static const Fields<TTrigger> f = [] {
    Fields<TTrigger> f;
    Member(f, "Name", &TTrigger::Name);
    Member(f, "TriggerClass", &TTrigger::TriggerClass);
    Member(f, "TriggerTypes", &TTrigger::TriggerTypes);
    Member(f, "NumArg", &TTrigger::NumArg);
    Member(f, "Arg", &TTrigger::Arg);
    Member(f, "Text", &TTrigger::Text);
    return f;
  }();
  return f;
}

template <typename R>
const Fields<R>& FieldsOf(bool zoneFile) {
  if constexpr (std::is_same_v<R, TRoom>)
    return zoneFile ? RoomCommandFields() : RoomFields();
  else if constexpr (std::is_same_v<R, TObj>)
    return ObjFields();
  else if constexpr (std::is_same_v<R, TMob>)
    return MobFields();
  else if constexpr (std::is_same_v<R, TShop>)
    return ShopFields();
  else if constexpr (std::is_same_v<R, TTrigger>)
    return TriggerFields();
  else
    return ZoneFields();
}

// ------------------------------------------------------------ reading

struct Side {
  World* w = nullptr;
  std::string refusal;
  int32_t zone = -1;  // the zone of its records, -1 without any
};

std::string Refused(const fs::path& name, const std::string& why) {
  return FormatMessage(W("%s не прочитан с уверенностью: %s"), {name.string(), why});
}

// What the file's note tells against certainty.
std::string NoteDoubts(const World& s, const fs::path& name) {
  const FileNote* n = s.Files.Find(name);
  if (!n) return {};
  if (n->Failed || n->Skipped > 0)
    return FormatMessage(W("строки с %d не прочитаны"), {n->FirstLine});
  std::set<int32_t> seen;
  for (const auto& [vnum, line] : n->Records)
    if (!seen.insert(vnum).second) return FormatMessage(W("номер %d встречается дважды"), {vnum});
  return {};
}

// The bytes' own coding and line break, for a file that names no zone.
CodingWord WordOf(const std::string& bytes) {
  WorldBuffer buf;
  buf.LoadFromBytes(bytes);
  return buf.DetectCoding();
}

// The file as the writer gives it. A room file of a zone whose top passes
// its hundred (rooms 1000-1999 of zone 10) reads as records of several
// zones here: their records follow each other under one header.
std::string Lines(const World& s, RecordKind kind, int32_t zone, CodingWord word,
                  std::vector<std::string>& lines) {
  lines.clear();
  if (kind == kZone) {
    const TZone* z = s.Zones.ByNumber(zone);
    if (!z) return {};
    BuildZoneLines(s, *z, lines);
    return JoinLines(lines, word);
  }
  const RecordFormat* f = FormatOf(kind);
  std::set<int32_t> zones;
  s.ForKind(kind, [&](const auto& list) {
    for (const auto& rec : list) zones.insert(rec->Zone);
  });
  if (zones.empty()) zones.insert(zone);
  std::vector<std::string> part;
  for (int32_t z : zones) {
    if (BuildRecordLines(s, kind, z, part)) {
      lines.clear();
      return {};
    }
    const size_t tail = f->Trailer.size();
    if (lines.empty()) lines.push_back(part.front());
    lines.insert(lines.end(), part.begin() + 1, part.end() - static_cast<std::ptrdiff_t>(tail));
    if (z == *zones.rbegin())
      lines.insert(lines.end(), part.end() - static_cast<std::ptrdiff_t>(tail), part.end());
  }
  return JoinLines(lines, word);
}

CodingWord WordIn(const World& s, RecordKind kind, int32_t zone, const std::string& bytes) {
  const TZone* z = s.Zones.ByNumber(zone);
  const TFileSetting* setting = z ? FileSettingOf(*z, kind) : nullptr;
  if (setting && setting->Coding != kCodingUnknown) return setting->Word();
  return WordOf(bytes);
}

// The prototypes a zone file's comments name ("M 0 3001 1 3000 1\t(name)"):
// the writer rebuilds each comment from its prototype's name, and the
// other files are not read here.
void CommentPrototypes(World& s, const std::string& bytes) {
  WorldBuffer buf;
  buf.LoadFromBytes(bytes);
  buf.SetCoding(buf.DetectCoding().Coding);
  buf.ResetWorldBuffer();
  while (!buf.BufferEof()) {
    std::string line = buf.ReadBufferLine();
    const size_t open = line.find("\t(");
    if (line.size() < 2 || open == std::string::npos || line.back() != ')') continue;
    const char letter = line[0];
    // The field that names the prototype, and whether it is a mobile.
    int at = 2;
    bool mob = false;
    switch (letter) {
      case 'O':
      case 'P':
      case 'G':
      case 'E':
        break;
      case 'R':
        at = 3;
        break;
      case 'M':
      case 'Q':
        mob = true;
        break;
      case 'F':
        at = 3;
        mob = true;
        break;
      default:
        continue;
    }
    std::string rest = line.substr(1, open - 1);
    std::string word;
    for (int i = 0; i < at; ++i) word = NextWord(rest, kBlanks);
    int32_t vnum;
    if (!ParseInt(word, vnum)) continue;
    std::string name = line.substr(open + 2, line.size() - open - 3);
    if (mob && !s.Mobs.Find(vnum)) {
      s.Mobs.Append(std::make_unique<TMob>(ZoneOf(vnum), vnum))->Names[0] = std::move(name);
    } else if (!mob && !s.Objs.Find(vnum)) {
      s.Objs.Append(std::make_unique<TObj>(ZoneOf(vnum), vnum))->Names[0] = std::move(name);
    }
  }
}

// The zone file alone: its commands are held on rooms, which no other file
// gives here, so each room number of the zone gets a bare room; a line
// naming none stays as written. Each line keeps its own maximum (nothing
// is settled against prototypes, which are only names here). A T line
// would move its trigger into the owner's own file, which is not written
// here: such a file is refused.
std::string ReadZone(World& s, const std::string& bytes, const fs::path& name, Side& side) {
  TZone& z = *s.Zones.Append(std::make_unique<TZone>());
  if (!ReadZoneHeaderBytes(s, z, bytes, name)) return {};
  if (z.Vnum < 0) return W("номер зоны меньше нуля");
  for (int32_t n = 0; n < 100; ++n)
    s.Rooms.Append(std::make_unique<TRoom>(z.Vnum, MakeVnum(n, z.Vnum)));
  CommentPrototypes(s, bytes);
  if (!ReadZoneCommandsBytes(s, z, bytes, name)) return {};
  if (z.DroppedCommands > 0)
    return FormatMessage(W("строки с %d не прочитаны"), {z.FirstDroppedLine});
  if (!z.PendingOwnerFiles.empty()) return W("команды T прикрепляют триггеры к записям");
  side.zone = z.Vnum;
  return NoteDoubts(s, name);
}

std::string ReadRecords(World& s, RecordKind kind, const std::string& bytes, const fs::path& name,
                        Side& side) {
  if (!LoadRecordBytes(s, kind, bytes, name)) return {};
  if (std::string why = NoteDoubts(s, name); !why.empty()) return why;
  // The zone of its first records names the file's coding.
  if (const FileNote* n = s.Files.Find(name); n && !n->Zones.empty()) side.zone = *n->Zones.begin();
  return {};
}

Side Read(MergeResult& r, int index, RecordKind kind, const std::string& bytes,
          const fs::path& name, FirstErrorReporter& rep) {
  Side side;
  r.Sides[index] = std::make_unique<World>(rep);
  side.w = r.Sides[index].get();
  // An empty file stands for one that is not there (git's base of a file
  // both sides added).
  if (bytes.empty()) return side;
  rep.first.clear();
  std::string why = kind == kZone ? ReadZone(*side.w, bytes, name, side)
                                  : ReadRecords(*side.w, kind, bytes, name, side);
  if (why.empty()) why = rep.first;
  if (why.empty() && kind == kZone && side.zone < 0) why = W("в файле нет зоны");
  if (why.empty()) {
    // What the writer would not give back as it stands would change in a
    // merge that touched nothing of it.
    std::vector<std::string> lines;
    const std::string again =
        Lines(*side.w, kind, side.zone, WordIn(*side.w, kind, side.zone, bytes), lines);
    if (again != bytes) why = W("запись файла не повторяет его");
  }
  if (!why.empty()) side.refusal = Refused(name, why);
  return side;
}

// ------------------------------------------------------------ merging

template <typename R>
std::string NameOf(const World& w, const R& rec) {
  std::string name;
  w.ForKind(rec.Kind, [&](const auto& list) {
    using L = std::remove_cvref_t<decltype(list)>;
    if constexpr (std::is_base_of_v<TMUDList<R>, L>) name = list.NameOfRecord(rec);
  });
  return name;
}

// What tells how a record was read, not what it holds, is not merged.
template <typename R>
void Unmark(R& rec, const R& from) {
  rec.FileIndex = from.FileIndex;
  if constexpr (std::is_same_v<R, TZone>) {
    rec.ForEachFileSetting([&](RecordKind k, TFileSetting& s) { s = *FileSettingOf(from, k); });
    rec.Registered = from.Registered;
    rec.CommandsRead = from.CommandsRead;
    rec.DroppedCommands = from.DroppedCommands;
    rec.FirstDroppedLine = from.FirstDroppedLine;
    rec.PendingOwnerFiles = from.PendingOwnerFiles;
    rec.FilesToRemove = from.FilesToRemove;
  }
}

template <typename R>
std::unique_ptr<R> Blank(const R& like) {
  if constexpr (std::is_same_v<R, TZone>)
    return std::make_unique<R>(like.Vnum);
  else
    return std::make_unique<R>(like.Zone, like.Vnum);
}

template <typename R>
class ListMerge {
 public:
  ListMerge(MergeResult& r, const Fields<R>& fields) : m_r(r), m_fields(fields) {}

  // A copy of OURS' record with THEIRS' changes; conflicting fields keep
  // OURS'.
  std::unique_ptr<R> Fields3(const R& base, const R& ours, const R& theirs, const World& w) {
    auto out = std::make_unique<R>(ours);
    for (const Field<R>& f : m_fields) {
      if (f.Same(ours, base))
        f.Take(*out, theirs);
      else if (!f.Same(theirs, base) && !f.Same(ours, theirs))
        Conflict(ours, w, f.Name);
    }
    // What the table does not name must not change unseen.
    R restBase = base, restOurs = ours, restTheirs = theirs;
    for (const Field<R>& f : m_fields) {
      f.Take(restOurs, base);
      f.Take(restTheirs, base);
    }
    Unmark(restOurs, restBase);
    Unmark(restTheirs, restBase);
    if (!(restTheirs == restBase) && !(restOurs == restTheirs)) Conflict(ours, w, "Other");
    return out;
  }

  void Conflict(const R& rec, const World& w, std::string field) {
    m_r.Conflicts.push_back({rec.Kind, rec.Vnum, NameOf(w, rec), std::move(field)});
  }

  // The merged records of the three lists, in OURS' order with THEIRS'
  // additions placed by vnum, replace OURS' list.
  void Run(TMUDList<R>& base, TMUDList<R>& ours, TMUDList<R>& theirs, const World& ow,
           const World& tw) {
    std::vector<std::unique_ptr<R>> out;
    for (const auto& o : ours) {
      const R* b = base.Find(o->Vnum);
      const R* t = theirs.Find(o->Vnum);
      if (b && t) {
        out.push_back(Fields3(*b, *o, *t, ow));
      } else if (b) {
        // THEIRS deleted it.
        if (!(*o == *b)) {
          Conflict(*o, ow, "");
          out.push_back(std::make_unique<R>(*o));
        }
      } else if (t && !(*t == *o)) {
        // Added on both sides, differently: field by field as if from nothing.
        out.push_back(Fields3(*Blank(*o), *o, *t, ow));
      } else {
        out.push_back(std::make_unique<R>(*o));
      }
    }
    for (const auto& t : theirs) {
      if (ours.Find(t->Vnum)) continue;
      if (const R* b = base.Find(t->Vnum)) {
        // OURS deleted it; so it stays unless THEIRS changed it.
        if (!(*t == *b)) Conflict(*t, tw, "");
        continue;
      }
      auto rec = std::make_unique<R>(*t);
      rec->FileIndex = 0;
      size_t at = 0;
      while (at < out.size() && out[at]->Vnum < t->Vnum) ++at;
      out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), std::move(rec));
    }
    ours.Clear();
    for (auto& rec : out) ours.Append(std::move(rec));
  }

 private:
  MergeResult& m_r;
  const Fields<R>& m_fields;
};

template <typename List>
using RecordOf = std::remove_pointer_t<decltype(std::declval<List&>().Items(0))>;

}  // namespace

MergeResult MergeWorldFile(RecordKind kind, const std::string& base, const std::string& ours,
                           const std::string& theirs, const fs::path (&names)[3]) {
  MergeResult r;
  auto errors = std::make_unique<FirstErrorReporter>(true);
  FirstErrorReporter& rep = *errors;
  r.Errors = std::move(errors);
  if (kind == kZoneMap) {
    r.Refusal = W("файлы этого вида не сливаются");
    return r;
  }
  const std::string* bytes[3] = {&base, &ours, &theirs};
  Side sides[3];
  for (int i = 0; i < 3; ++i) {
    sides[i] = Read(r, i, kind, *bytes[i], names[i], rep);
    if (!sides[i].refusal.empty()) {
      r.Refusal = sides[i].refusal;
      return r;
    }
  }
  int32_t zone = -1;
  for (const Side& s : sides) {
    if (s.zone < 0) continue;
    if (zone >= 0 && s.zone != zone && kind == kZone) {
      r.Refusal =
          FormatMessage(W("версии файла принадлежат разным зонам (%d и %d)"), {zone, s.zone});
      return r;
    }
    zone = s.zone;
  }
  if (kind != kZone && sides[1].zone >= 0) zone = sides[1].zone;
  World& bw = *r.Sides[0];
  World& ow = *r.Sides[1];
  World& tw = *r.Sides[2];
  const bool zoneFile = kind == kZone;
  auto mergeKind = [&](RecordKind k) {
    ow.ForKind(k, [&](auto& oursList) {
      using L = std::remove_cvref_t<decltype(oursList)>;
      using R = RecordOf<L>;
      L* lists[3] = {nullptr, &oursList, nullptr};
      bw.ForKind(k, [&](auto& l) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(l)>, L>) lists[0] = &l;
      });
      tw.ForKind(k, [&](auto& l) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(l)>, L>) lists[2] = &l;
      });
      ListMerge<R>(r, FieldsOf<R>(zoneFile)).Run(*lists[0], *lists[1], *lists[2], ow, tw);
    });
  };
  if (zoneFile) {
    // A zone file both sides added has no base zone to set the rooms against.
    if (!bw.Zones.ByNumber(zone)) {
      bw.Zones.Append(std::make_unique<TZone>(zone));
      for (int32_t n = 0; n < 100; ++n)
        bw.Rooms.Append(std::make_unique<TRoom>(zone, MakeVnum(n, zone)));
    }
    mergeKind(kZone);
    mergeKind(kRoom);
    // The other sides' prototypes name the lines they brought.
    for (World* other : {&tw, &bw}) {
      for (const auto& m : other->Mobs)
        if (!ow.Mobs.Find(m->Vnum)) ow.Mobs.Append(std::make_unique<TMob>(*m));
      for (const auto& o : other->Objs)
        if (!ow.Objs.Find(o->Vnum)) ow.Objs.Append(std::make_unique<TObj>(*o));
    }
  } else {
    mergeKind(kind);
  }
  if (zone < 0) {
    // No record on any side: the file as OURS has it.
    r.Bytes = ours;
    return r;
  }
  if (zoneFile && !ow.Zones.ByNumber(zone)) {
    r.Refusal = W("OURS удалил зону");
    return r;
  }
  std::vector<std::string> lines;
  try {
    r.Bytes = Lines(ow, kind, zone, WordIn(ow, kind, zone, ours), lines);
  } catch (const std::exception& e) {
    r.Refusal = e.what();
  }
  if (lines.empty() && r.Refusal.empty()) r.Refusal = W("слитые записи не записываются");
  return r;
}

}  // namespace zm
