#include "edit/zonemove.h"

#include <algorithm>
#include <array>
#include <set>
#include <unordered_set>

#include "common/messages.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "io/mapfile.h"
#include "io/zonefile.h"
#include "load/saving.h"
#include "model/world.h"
#include "query/namednumbers.h"

namespace zm {
namespace fs = std::filesystem;
namespace {

// The zone's numbers: its hundred, and the numbers of its records beyond it
// (a zone whose top reaches past its hundred).
struct VnumShift {
  int32_t From, To;
  std::array<std::unordered_set<int32_t>, kRecordKinds> Own{};
  bool Names(RecordKind k, int32_t v) const {
    return (v >= From * 100 && v < From * 100 + 100) || Own[k].count(v) > 0;
  }
  bool NamesAny(int32_t v) const {
    for (int k = 0; k < kRecordKinds; ++k)
      if (Names(static_cast<RecordKind>(k), v)) return true;
    return false;
  }
  int32_t operator()(int32_t v) const { return v - From * 100 + To * 100; }
  // `v` moved when it is one of the zone's numbers of kind `k`.
  bool Move(RecordKind k, int32_t& v) const {
    if (!Names(k, v)) return false;
    v = (*this)(v);
    return true;
  }
};

VnumShift ShiftOf(const World& w, int32_t from, int32_t to) {
  VnumShift s{from, to};
  for (const TRoom* r : w.Rooms.InZone(from)) s.Own[kRoom].insert(r->Vnum);
  for (const TObj* o : w.Objs.InZone(from)) s.Own[kObject].insert(o->Vnum);
  for (const TMob* m : w.Mobs.InZone(from)) s.Own[kMobile].insert(m->Vnum);
  for (const TShop* sh : w.Shops.InZone(from)) s.Own[kShop].insert(sh->Vnum);
  for (const TTrigger* t : w.Triggers.InZone(from)) s.Own[kTrigger].insert(t->Vnum);
  return s;
}

// The fields of a kept zone-file line that hold vnums, and their kinds.
std::vector<std::pair<int, RecordKind>> VnumFields(char letter) {
  switch (letter) {
    case 'M':
      return {{2, kMobile}, {4, kRoom}};
    case 'O':
      return {{2, kObject}, {4, kRoom}};
    case 'P':
      return {{2, kObject}, {4, kObject}};
    case 'G':
    case 'E':
      return {{2, kObject}};
    case 'Q':
      return {{2, kMobile}};
    case 'D':
      return {{2, kRoom}};
    case 'R':
      return {{2, kRoom}, {3, kObject}};
    case 'F':
      return {{2, kRoom}, {3, kMobile}, {4, kMobile}};
    case 'T':
      return {{3, kTrigger}, {4, kRoom}};
    default:
      return {};
  }
}

// A kept line with the zone's numbers moved, its spacing and comment kept.
bool MoveKeptLine(std::string& line, const VnumShift& s) {
  size_t i = line.find_first_not_of(" \t");
  if (i == std::string::npos || i + 1 >= line.size()) return false;
  const auto fields = VnumFields(line[i]);
  if (fields.empty()) return false;
  bool any = false;
  int field = 0;
  ++i;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (start == i) break;
    ++field;
    const auto f = std::find_if(fields.begin(), fields.end(),
                                [field](const auto& p) { return p.first == field; });
    if (f == fields.end()) continue;
    int32_t v = 0;
    if (!ParseInt(line.substr(start, i - start), v) || !s.Move(f->second, v)) continue;
    const std::string moved = IntText(v);
    line.replace(start, i - start, moved);
    i = start + moved.size();
    any = true;
  }
  return any;
}
bool MoveKept(std::vector<std::string>& lines, const VnumShift& s) {
  bool any = false;
  for (std::string& l : lines) any |= MoveKeptLine(l, s);
  return any;
}

// Every number of the zone a record names, moved; true when any was. Lines
// kept as written are looked at through their letters.
template <class Rec>
bool MoveFields(Rec& rec, const VnumShift& s) {
  bool any = false;
  ForEachNamedNumber(rec,
                     [&](RecordKind kind, int32_t& v, const auto&) { any |= s.Move(kind, v); });
  if constexpr (std::is_same_v<Rec, TRoom>) {
    for (const auto& o : rec.Objects) any |= MoveKept(o->KeptCommands, s);
    for (const auto& m : rec.Mobs) any |= MoveKept(m->KeptCommands, s);
    any |= MoveKept(rec.KeptCommands, s);
  }
  if constexpr (std::is_same_v<Rec, TZone>) {
    any |= MoveKept(rec.KeptCommands, s);
    any |= MoveKept(rec.KeptAfterZoneWide, s);
  }
  return any;
}

// Whether the record names a number of the zone, without changing it.
template <class Rec>
bool NamesZone(const Rec& rec, const VnumShift& s) {
  bool any = false;
  ForEachNamedNumber(rec,
                     [&](RecordKind kind, int32_t v, const auto&) { any |= s.Names(kind, v); });
  const auto kept = [&](const std::vector<std::string>& lines) {
    for (std::string line : lines) any |= MoveKeptLine(line, s);
  };
  if constexpr (std::is_same_v<Rec, TRoom>) {
    for (const auto& o : rec.Objects) kept(o->KeptCommands);
    for (const auto& m : rec.Mobs) kept(m->KeptCommands);
    kept(rec.KeptCommands);
  }
  if constexpr (std::is_same_v<Rec, TZone>) {
    kept(rec.KeptCommands);
    kept(rec.KeptAfterZoneWide);
  }
  return any;
}

// The script with the zone's numbers moved: whole numbers only, not digits
// inside words or longer numbers.
std::string MoveScriptNumbers(const std::string& text, const VnumShift& s) {
  std::string out;
  size_t i = 0;
  const auto isWordChar = [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
  };
  while (i < text.size()) {
    if (!std::isdigit(static_cast<unsigned char>(text[i])) || (i > 0 && isWordChar(text[i - 1]))) {
      out += text[i++];
      continue;
    }
    size_t end = i;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    std::string number = text.substr(i, end - i);
    int32_t v = 0;
    if (!(end < text.size() && isWordChar(text[end])) && ParseInt(number, v) && s.NamesAny(v))
      number = IntText(s(v));
    out += number;
    i = end;
  }
  return out;
}

void FindScriptMentions(const TTrigger& t, const VnumShift& s, std::vector<ScriptMention>& out) {
  int n = 0;
  for (std::string_view line : SplitLines(t.Text)) {
    ++n;
    const std::string text(line);
    const std::string moved = MoveScriptNumbers(text, s);
    if (moved != text) out.push_back({t.Vnum, n, text, moved});
  }
}

template <typename List>
auto RecordsOfZone(const List& list, int32_t zone) {
  using T = std::remove_pointer_t<decltype(list.Items(0))>;
  std::vector<T*> out(list.InZone(zone).begin(), list.InZone(zone).end());
  return out;
}

void Problem(ZoneMovePlan& p, const std::string& utf8) {
  p.Problems.push_back(W(utf8));
}

// What copying and renumbering both check.
ZoneMovePlan Plan(const World& w, int32_t from, int32_t to, bool renumber) {
  ZoneMovePlan p;
  p.From = from;
  p.To = to;
  p.Renumber = renumber;
  const TZone* z = w.Zones.ByNumber(from);
  if (!z) Problem(p, "зоны " + std::to_string(from) + " нет");
  if (to < 1 || to > 9999) Problem(p, "номер зоны " + std::to_string(to) + " вне 1–9999");
  if (to == from) Problem(p, "новый номер совпадает с прежним");
  if (w.Zones.ByNumber(to)) Problem(p, "зона " + std::to_string(to) + " уже есть");
  if (!p.Problems.empty()) return p;
  const VnumShift s = ShiftOf(w, from, to);
  // The zone's numbers run from its hundred up to its top, where that is
  // higher.
  int32_t top = from * 100 + 99;
  if (int32_t t = 0; ParseInt(z->TopInFile, t)) top = std::max(top, t);

  // Every record of the zone within its numbers, and none of another zone
  // already holding the number it would get.
  const auto check = [&](const auto& list, const char* kind) {
    for (const auto* r : list.InZone(from)) {
      if (r->Vnum < from * 100 || r->Vnum > top) {
        Problem(p, std::string(kind) + " " + std::to_string(r->Vnum) +
                       " вне номеров зоны: его новый номер вышел бы за пределы зоны " +
                       std::to_string(to));
        continue;
      }
      const auto* taken = list.Find(s(r->Vnum));
      if (taken && !(renumber && taken->Zone == from))
        Problem(p, std::string(kind) + " " + std::to_string(s(r->Vnum)) + " уже есть (зона " +
                       std::to_string(taken->Zone) + ")");
    }
  };
  check(w.Rooms, "комната");
  check(w.Objs, "предмет");
  check(w.Mobs, "моб");
  check(w.Shops, "магазин");
  check(w.Triggers, "триггер");

  // Files not read whole would lose what was not understood.
  z->ForEachFileSetting([&](RecordKind, const TFileSetting& f) {
    f.ForEachPlace([&](const TFilePlace& place, uint16_t) {
      if (w.Files.LossyFor(place.Path, from))
        Problem(p, "файл " + place.Path.string() + " прочитан не весь");
    });
  });

  for (const auto& t : w.Triggers)
    if (renumber || t->Zone == from) FindScriptMentions(*t, s, p.Scripts);

  if (renumber) {
    std::set<int32_t> others;
    const auto names = [&](const auto& rec) { return NamesZone(rec, s); };
    for (const auto& r : w.Rooms)
      if (r->Zone != from && names(*r)) others.insert(r->Zone);
    for (const auto& zz : w.Zones)
      if (zz->Vnum != from && names(*zz)) others.insert(zz->Vnum);
    for (const auto& o : w.Objs)
      if (o->Zone != from && names(*o)) others.insert(o->Zone);
    for (const auto& m : w.Mobs)
      if (m->Zone != from && names(*m)) others.insert(m->Zone);
    for (const auto& sh : w.Shops)
      if (sh->Zone != from && names(*sh)) others.insert(sh->Zone);
    for (const auto& t : w.Triggers)
      if (t->Zone != from && MoveScriptNumbers(t->Text, s) != t->Text) others.insert(t->Zone);
    p.OtherZones.assign(others.begin(), others.end());
  }
  return p;
}

bool Refused(const ZoneMovePlan& plan, bool rewriteScripts) {
  return !plan.Problems.empty() || (!plan.Scripts.empty() && !rewriteScripts);
}

// The zone's files under number `to`, beside its old zone file, each kind in
// its old coding and line break.
void FilesFor(TZone& z, const TZone& old, int32_t to) {
  const fs::path& zonFile = old.ZoneFilename.Path;
  const fs::path dir = zonFile.empty() ? fs::path("ZON") : zonFile.parent_path();
  const std::string ext = zonFile.empty() ? ".zon" : zonFile.extension().string();
  std::array<CodingWord, kRecordKinds> words{};
  old.ForEachFileSetting([&](RecordKind k, const TFileSetting& f) { words[k] = f.Word(); });
  AssignZoneFiles(z, dir / (std::to_string(to) + ext));
  z.ForEachFileSetting([&](RecordKind k, TFileSetting& f) {
    f.Others.clear();
    f.SetWord(words[k]);
  });
}

}  // namespace

ZoneMovePlan PlanCopyZone(const World& w, int32_t from, int32_t to) {
  return Plan(w, from, to, false);
}

ZoneMovePlan PlanRenumberZone(const World& w, int32_t from, int32_t to) {
  return Plan(w, from, to, true);
}

bool CopyZone(World& w, const ZoneMovePlan& plan, bool rewriteScripts) {
  if (plan.Renumber || Refused(plan, rewriteScripts)) return false;
  const TZone* from = w.Zones.ByNumber(plan.From);
  if (!from || w.Zones.ByNumber(plan.To)) return false;
  const VnumShift s = ShiftOf(w, plan.From, plan.To);

  // Everything is built first; the world changes only below.
  auto zone = std::make_unique<TZone>(*from);
  zone->Vnum = zone->Zone = plan.To;
  zone->Registered = false;
  zone->PendingOwnerFiles.clear();
  zone->FilesToRemove.clear();
  MoveFields(*zone, s);
  if (int32_t top = 0; ParseInt(zone->TopInFile, top)) zone->TopInFile = IntText(s(top));
  FilesFor(*zone, *from, plan.To);

  const auto copies = [&](const auto& list) {
    using T = std::remove_pointer_t<decltype(list.Items(0))>;
    std::vector<std::unique_ptr<T>> out;
    for (const T* r : RecordsOfZone(list, plan.From)) {
      auto c = std::make_unique<T>(*r);
      c->Zone = plan.To;
      c->Vnum = s(r->Vnum);
      c->FileIndex = 0;
      MoveFields(*c, s);
      if constexpr (std::is_same_v<T, TRoom>) c->ZoneInFile.reset();
      if constexpr (std::is_same_v<T, TTrigger>)
        if (rewriteScripts) c->Text = MoveScriptNumbers(c->Text, s);
      out.push_back(std::move(c));
    }
    return out;
  };
  auto rooms = copies(w.Rooms);
  auto objs = copies(w.Objs);
  auto mobs = copies(w.Mobs);
  auto shops = copies(w.Shops);
  auto trigs = copies(w.Triggers);

  TZone* z = w.Zones.Append(std::move(zone));
  w.RegisterZone(*z);
  for (auto& r : rooms) w.Rooms.Add(std::move(r));
  for (auto& o : objs) w.Objs.Add(std::move(o));
  for (auto& m : mobs) w.Mobs.Add(std::move(m));
  for (auto& sh : shops) w.Shops.Add(std::move(sh));
  for (auto& t : trigs) w.Triggers.Add(std::move(t));
  return true;
}

bool RenumberZone(World& w, const ZoneMovePlan& plan, bool rewriteScripts) {
  if (!plan.Renumber || Refused(plan, rewriteScripts)) return false;
  TZone* z = w.Zones.ByNumber(plan.From);
  if (!z || w.Zones.ByNumber(plan.To)) return false;
  const VnumShift s = ShiftOf(w, plan.From, plan.To);

  // The old files, to go once the new ones are written.
  std::vector<fs::path> old;
  z->ForEachFileSetting([&](RecordKind kind, const TFileSetting& f) {
    f.ForEachPlace([&](const TFilePlace& place, uint16_t) {
      if (place.Path.empty()) return;
      old.push_back(place.Path);
      if (kind == kRoom) old.push_back(RoomMapPath(place.Path));
    });
  });
  std::sort(old.begin(), old.end());
  old.erase(std::unique(old.begin(), old.end()), old.end());
  TZone before = *z;

  // The zone's records take their new numbers; every record anywhere naming
  // one of them names the new one.
  const auto renumber = [&](auto& list) {
    const auto moved = RecordsOfZone(list, plan.From);
    for (auto* r : moved) {
      r->Zone = plan.To;
      r->Vnum = s(r->Vnum);
      r->FileIndex = 0;
    }
    for (const auto& r : list) {
      MoveFields(*r, s);
      using T = std::remove_cvref_t<decltype(*r)>;
      if constexpr (std::is_same_v<T, TTrigger>)
        if (rewriteScripts) r->Text = MoveScriptNumbers(r->Text, s);
      if constexpr (std::is_same_v<T, TRoom>)
        if (r->Zone == plan.To) r->ZoneInFile.reset();
    }
    list.VnumsChanged();
    for (auto* r : moved) list.Renamed(*r);
  };
  renumber(w.Rooms);
  renumber(w.Objs);
  renumber(w.Mobs);
  renumber(w.Shops);
  renumber(w.Triggers);
  for (const auto& other : w.Zones)
    if (other.get() != z) MoveFields(*other, s);

  z->Vnum = z->Zone = plan.To;
  MoveFields(*z, s);
  if (int32_t top = 0; ParseInt(z->TopInFile, top)) z->TopInFile = IntText(s(top));
  FilesFor(*z, before, plan.To);
  z->FilesToRemove = std::move(old);
  w.Zones.VnumsChanged();
  if (TZoneMap* map = w.ZoneMaps.Items(w.ZoneMaps.FindByNumber(plan.From)))
    map->Vnum = map->Zone = plan.To;
  w.ZoneRenamed(*z, plan.From);
  return true;
}

std::vector<fs::path> RemoveOldZoneFiles(World& w, int32_t zone) {
  std::vector<fs::path> removed;
  TZone* z = w.Zones.ByNumber(zone);
  if (!z || z->FilesToRemove.empty()) return removed;
  // A file another zone reads, or one the zone writes now, stays.
  std::set<fs::path> kept;
  for (const auto& other : w.Zones)
    other->ForEachFileSetting([&](RecordKind kind, const TFileSetting& f) {
      f.ForEachPlace([&](const TFilePlace& place, uint16_t) {
        kept.insert(place.Path.lexically_normal());
        if (kind == kRoom) kept.insert(RoomMapPath(place.Path).lexically_normal());
      });
    });
  std::vector<fs::path> doomed;
  std::error_code ec;
  for (const fs::path& p : z->FilesToRemove)
    if (!kept.count(p.lexically_normal()) && fs::exists(p, ec)) doomed.push_back(p);
  if (doomed.empty()) {
    z->FilesToRemove.clear();
    return removed;
  }
  std::string list;
  for (const fs::path& p : doomed) list += p.string() + "\r\n";
  if (!w.reporter().AskConfirm(ConfirmMsg::RemoveOldZoneFiles, {list})) return removed;
  for (const fs::path& p : doomed)
    if (fs::remove(p, ec)) {
      removed.push_back(p);
      w.Files.Forget(p);
    }
  z->FilesToRemove.clear();
  return removed;
}

}  // namespace zm
