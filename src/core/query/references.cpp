#include "query/references.h"

#include <algorithm>
#include <array>

#include "common/textutil.h"
#include "common/winutf8.h"
#include "model/world.h"
#include "query/namednumbers.h"

namespace zm {
namespace {

// The number inside the first "[...]" after `list` in `field`, or -1.
int IndexIn(const std::string& field, const std::string& list) {
  const size_t at = field.find(list + "[");
  if (at == std::string::npos) return -1;
  int32_t n = -1;
  const size_t from = at + list.size() + 1;
  ParseInt(field.substr(from, field.find(']', from) - from), n);
  return n;
}

}  // namespace

std::vector<Reference> ReferencesOf(const TMUDClass& rec) {
  std::vector<Reference> out;
  const auto add = [&](RecordKind kind, int32_t target, const auto& field) {
    // Non-positive numbers mean "none" in every field that is indexed.
    if (target <= 0) return;
    out.push_back({&rec, rec.Kind, rec.Vnum, rec.Zone, field(), kind, target});
  };
  switch (rec.Kind) {
    case kRoom:
      ForEachNamedNumber(static_cast<const TRoom&>(rec), add);
      break;
    case kZone:
      ForEachNamedNumber(static_cast<const TZone&>(rec), add);
      break;
    case kObject:
      ForEachNamedNumber(static_cast<const TObj&>(rec), add);
      break;
    case kMobile:
      ForEachNamedNumber(static_cast<const TMob&>(rec), add);
      break;
    case kShop:
      ForEachNamedNumber(static_cast<const TShop&>(rec), add);
      break;
    case kTrigger:
    case kZoneMap:
      break;
  }
  return out;
}

std::string FieldWords(const Reference& ref) {
  static constexpr std::array<const char*, kDirections> kDirs = {"на север", "на восток", "на юг",
                                                                 "на запад", "вверх",     "вниз"};
  const std::string& f = ref.Field;
  const auto ends = [&](const char* tail) { return f.ends_with(tail); };
  std::string words;
  if (f.starts_with("Exits[")) {
    const int d = std::clamp(IndexIn(f, "Exits"), 0, kDirections - 1);
    words = std::string(ends(".Key") ? "ключ выхода " : "выход ") + kDirs[static_cast<size_t>(d)];
  } else if (f.find(".Contents[") != std::string::npos) {
    words = "содержимое загружаемого предмета";
  } else if (f.find(".Inventory[") != std::string::npos) {
    words = "предмет у моба";
  } else if (f.starts_with("Objects[")) {
    words = "загружаемый предмет";
  } else if (f.starts_with("RemovedObjects[")) {
    words = "удаляемый предмет";
  } else if (f.starts_with("Mobs[")) {
    words = ends(".Leader") ? "ведущий моба" : "загружаемый моб";
  } else if (f.starts_with("Triggers[")) {
    words = "прикреплённый триггер";
  } else if (f.starts_with("CreatedObjects[")) {
    words = ends(".Container") ? "контейнер предмета зоны" : "создаваемый предмет зоны";
  } else if (f.starts_with("RemovedMobs[")) {
    words = "удаляемый моб зоны";
  } else if (f == "Value2") {
    words = "ключ контейнера";
  } else if (f == "Value1") {
    words = "прототип ингредиента";
  } else if (f.starts_with("Helpers[")) {
    words = "помощник";
  } else if (f.starts_with("Destinations[")) {
    words = "комната пути";
  } else if (f == "Keeper") {
    words = "продавец";
  } else if (f.starts_with("Goods[")) {
    words = "товар";
  } else if (f.starts_with("Rooms[")) {
    words = "комната магазина";
  } else {
    words = "ссылка";
  }
  return W(words + " ") + VnumText(ref.Target);
}

std::string ReferenceLine(const World& w, const Reference& ref) {
  std::string name;
  if (ref.UserKind == kZone) {
    if (const TZone* z = w.Zones.ByNumber(ref.UserVnum)) name = z->Name;
  } else if (ref.User) {
    w.ForRecord(*ref.User, [&](const auto& list, const auto& r) { name = list.NameOfRecord(r); });
  }
  return W(KindNoun(ref.UserKind)) + " " + VnumText(ref.UserVnum) + " " + W("«") + name + W("»: ") +
         FieldWords(ref);
}

void ReferenceIndex::add(std::vector<Reference> refs, const TMUDClass& user) {
  std::vector<uint64_t>& targets = m_byUser[&user];
  for (Reference& r : refs) {
    const uint64_t k = key(r.TargetKind, r.Target);
    targets.push_back(k);
    m_byTarget[k].push_back(std::move(r));
    ++m_count;
  }
  if (targets.empty()) m_byUser.erase(&user);
}

void ReferenceIndex::Rebuild(const World& w) {
  m_byTarget.clear();
  m_byUser.clear();
  m_count = 0;
  const size_t records = static_cast<size_t>(w.Zones.Count() + w.Rooms.Count() + w.Objs.Count() +
                                             w.Mobs.Count() + w.Shops.Count());
  m_byTarget.reserve(records);
  m_byUser.reserve(records);
  for (const auto& z : w.Zones) add(ReferencesOf(*z), *z);
  for (const auto& r : w.Rooms) add(ReferencesOf(*r), *r);
  for (const auto& o : w.Objs) add(ReferencesOf(*o), *o);
  for (const auto& m : w.Mobs) add(ReferencesOf(*m), *m);
  for (const auto& s : w.Shops) add(ReferencesOf(*s), *s);
}

void ReferenceIndex::Forget(const TMUDClass& rec) {
  auto it = m_byUser.find(&rec);
  if (it == m_byUser.end()) return;
  std::vector<uint64_t> targets = std::move(it->second);
  m_byUser.erase(it);
  std::sort(targets.begin(), targets.end());
  targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
  for (uint64_t k : targets) {
    auto t = m_byTarget.find(k);
    if (t == m_byTarget.end()) continue;
    const size_t before = t->second.size();
    std::erase_if(t->second, [&](const Reference& r) { return r.User == &rec; });
    m_count -= before - t->second.size();
    if (t->second.empty()) m_byTarget.erase(t);
  }
}

void ReferenceIndex::Update(const TMUDClass& rec) {
  Forget(rec);
  add(ReferencesOf(rec), rec);
}

std::vector<Reference> ReferenceIndex::UsesOf(RecordKind kind, int32_t vnum) const {
  std::vector<Reference> out;
  const auto take = [&](RecordKind k, int32_t v, bool outsideOnly) {
    auto it = m_byTarget.find(key(k, v));
    if (it == m_byTarget.end()) return;
    for (const Reference& r : it->second)
      if (!outsideOnly || r.UserZone != vnum) out.push_back(r);
  };
  if (kind == kZone) {
    for (RecordKind k : {kRoom, kObject, kMobile, kTrigger})
      for (int n = 0; n < 100; ++n) take(k, MakeVnum(n, vnum), true);
  } else {
    take(kind, vnum, false);
  }
  // Field order within a record is the order references were collected in.
  std::stable_sort(out.begin(), out.end(), [](const Reference& a, const Reference& b) {
    if (a.UserKind != b.UserKind) return a.UserKind < b.UserKind;
    return a.UserVnum < b.UserVnum;
  });
  return out;
}

}  // namespace zm
