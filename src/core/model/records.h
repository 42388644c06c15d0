#pragma once
// The record base of every world entry, the list base with lookup by vnum,
// and the small records that several kinds of entry share.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/textutil.h"
#include "model/kinds.h"
#include "model/treesink.h"

namespace zm {

// Records are plain data: copies and comparisons are the defaulted ones, so
// a new field is copied and compared without anyone remembering to.
class TMUDClass {
 public:
  explicit TMUDClass(RecordKind kind, int32_t zone = 0, int32_t vnum = 0)
      : Kind(kind), Zone(zone), Vnum(vnum) {}
  virtual ~TMUDClass() = default;

  RecordKind Kind;
  int32_t Zone = 0;
  int32_t Vnum = 0;
  // The file of its kind it was read from, so that it is written back
  // there: 0 its zone's own (and a record made in the editor), i the i-th
  // of the zone's other files of the kind (TFileSetting::Others).
  uint16_t FileIndex = 0;

  bool operator==(const TMUDClass&) const = default;

 protected:
  TMUDClass(const TMUDClass&) = default;
  TMUDClass& operator=(const TMUDClass&) = default;
};

// An ordered list that owns its items; Assign always makes new items.
template <typename T>
class OwnedList {
 public:
  OwnedList() = default;
  OwnedList(const OwnedList& o) { Assign(o); }
  OwnedList& operator=(const OwnedList& o) {
    if (this != &o) Assign(o);
    return *this;
  }
  OwnedList(OwnedList&&) noexcept = default;
  OwnedList& operator=(OwnedList&&) noexcept = default;

  int Count() const { return static_cast<int>(m_items.size()); }
  bool Empty() const { return m_items.empty(); }
  T* Items(int i) const {
    return i >= 0 && i < Count() ? m_items[static_cast<size_t>(i)].get() : nullptr;
  }
  T* Add(T item) {
    m_items.push_back(std::make_unique<T>(std::move(item)));
    return m_items.back().get();
  }
  T* Insert(int i, T item) {
    if (i < 0 || i > Count()) i = Count();
    auto it = m_items.insert(m_items.begin() + i, std::make_unique<T>(std::move(item)));
    return it->get();
  }
  // Out-of-range indexes are ignored.
  void Delete(int i) {
    if (i >= 0 && i < Count()) m_items.erase(m_items.begin() + i);
  }
  void Clear() { m_items.clear(); }
  void Assign(const OwnedList& o) {
    std::vector<std::unique_ptr<T>> copy;
    copy.reserve(o.m_items.size());
    for (const auto& p : o.m_items) copy.push_back(std::make_unique<T>(*p));
    m_items = std::move(copy);
  }

  bool operator==(const OwnedList& o) const {
    if (m_items.size() != o.m_items.size()) return false;
    for (size_t i = 0; i < m_items.size(); ++i)
      if (!(*m_items[i] == *o.m_items[i])) return false;
    return true;
  }

  auto begin() const { return m_items.begin(); }
  auto end() const { return m_items.end(); }

 protected:
  std::vector<std::unique_ptr<T>> m_items;
};

struct TInt {
  int32_t Value = 0;
  bool operator==(const TInt&) const = default;
};

class TIntList : public OwnedList<TInt> {
 public:
  void Add(int32_t v) { OwnedList::Add(TInt{v}); }
  int32_t Get(int i) const { return Items(i) ? Items(i)->Value : 0; }
  void Put(int i, int32_t v) {
    if (TInt* p = Items(i)) p->Value = v;
  }
  // The first place of `v`; -1 when it is not in the list.
  int IndexOf(int32_t v) const {
    for (int i = 0; i < Count(); ++i)
      if (Get(i) == v) return i;
    return -1;
  }
};

struct TCondID {
  uint8_t Cond = 0;
  int32_t ID = 0;
  bool operator==(const TCondID&) const = default;
};

struct TLinkObj : TCondID {
  int16_t Chance = 0;
  uint8_t WearPos = 255;  // 255: not worn
  // How a zone file line of a running game said more than the fields above;
  // unset in entries made in the editor, which are written as designed.
  // The line's own maximum, where it is not the prototype's MaxInWorld.
  std::optional<int32_t> OwnMax;
  // P: the container the line named, where it is not the room object's vnum.
  std::optional<int32_t> Container;
  // G: the chance stood fifth, after a -1 ("G 1 222 100000 -1 100").
  bool ChanceFifth = false;
  bool operator==(const TLinkObj&) const = default;
};

template <typename T>
class TCondIDList : public OwnedList<T> {
 public:
  int IndexOfID(int32_t id) const {
    for (int i = 0; i < this->Count(); ++i)
      if (this->Items(i)->ID == id) return i;
    return -1;
  }
};

class TCondItemList : public TCondIDList<TCondID> {};
class TLinkObjList : public TCondIDList<TLinkObj> {};

struct TIngr {
  int16_t Power = 0;
  int16_t Chance = 0;
  std::string Name;
  bool operator==(const TIngr&) const = default;
};
class TIngrList : public OwnedList<TIngr> {};

struct TExtraDesc {
  std::string Keywords;
  std::string Description;  // lines joined with CR LF
  bool operator==(const TExtraDesc&) const = default;
};
class TExtraDescList : public OwnedList<TExtraDesc> {};

// Two numbers in one: the low 16 bits unsigned (what), the high 16 bits
// signed (how much): object applies, mobile spells and skills.
constexpr int32_t PackHalves(int32_t low, int32_t high) {
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16) |
                              static_cast<uint16_t>(low));
}
constexpr int32_t LowHalf(int32_t packed) {
  return static_cast<uint16_t>(static_cast<uint32_t>(packed) & 0xFFFF);
}
constexpr int32_t HighHalf(int32_t packed) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(packed) >> 16));
}

// "Не выбран", the last entry of every choice list.
std::string NotChosenText();

// Base of the world lists. Owns its records and keeps an index from vnum to
// the first record with that vnum, so lookups are not scans of the list.
template <typename T>
class TMUDList {
 public:
  virtual ~TMUDList() = default;

  int Count() const { return static_cast<int>(m_items.size()); }
  T* Items(int i) const {
    return i >= 0 && i < Count() ? m_items[static_cast<size_t>(i)].get() : nullptr;
  }
  auto begin() const { return m_items.begin(); }
  auto end() const { return m_items.end(); }

  void SetSink(TreeSink* sink) { m_sink = sink; }
  TreeSink* Sink() const { return m_sink; }

  // Appends and, when a tree is attached, hangs the record's node.
  T* Add(std::unique_ptr<T> rec) {
    T* p = Append(std::move(rec));
    if (m_sink) m_sink->AddEntryNode(*p, CaptionOf(*p));
    return p;
  }
  // The record's name has changed: its node follows.
  void Renamed(const T& rec) const {
    if (m_sink) m_sink->SetCaption(rec, CaptionOf(rec));
  }

  T* Append(std::unique_ptr<T> rec) {
    T* p = rec.get();
    if (!m_dirty) m_index.try_emplace(p->Vnum, Count());
    m_items.push_back(std::move(rec));
    m_zonesDirty = true;
    return p;
  }
  // Puts a record back at place i (the end when out of range), with its node.
  T* InsertAt(int i, std::unique_ptr<T> rec) {
    if (i < 0 || i > Count()) i = Count();
    T* p = rec.get();
    m_items.insert(m_items.begin() + i, std::move(rec));
    m_dirty = m_zonesDirty = true;
    if (m_sink) m_sink->AddEntryNode(*p, CaptionOf(*p));
    return p;
  }
  // Takes the record out of the list and gives it to the caller.
  std::unique_ptr<T> Extract(int i) {
    if (i < 0 || i >= Count()) return nullptr;
    auto rec = std::move(m_items[static_cast<size_t>(i)]);
    m_items.erase(m_items.begin() + i);
    m_dirty = m_zonesDirty = true;
    return rec;
  }
  void Delete(int i) { Extract(i); }
  int IndexOf(const T* rec) const {
    for (int i = 0; i < Count(); ++i)
      if (m_items[static_cast<size_t>(i)].get() == rec) return i;
    return -1;
  }
  void Clear() {
    m_items.clear();
    m_index.clear();
    m_dirty = false;
    m_zonesDirty = true;
  }
  // Call after changing a record's Vnum (or Zone) in place.
  void VnumsChanged() { m_dirty = m_zonesDirty = true; }

  int IndexOfVnum(int32_t vnum) const {
    Reindex();
    auto it = m_index.find(vnum);
    return it == m_index.end() ? -1 : it->second;
  }
  T* Find(int32_t vnum) const { return Items(IndexOfVnum(vnum)); }
  bool IsFreeVnum(int32_t vnum) const { return IndexOfVnum(vnum) < 0; }
  int32_t FirstFreeNumber(int32_t zone) const {
    int32_t n = 0;
    while (!IsFreeVnum(MakeVnum(n, zone))) ++n;
    return n;
  }
  // The records of a zone, in list order: what the writers of its files
  // walk, so that saving every zone does not walk the whole list per zone.
  const std::vector<T*>& InZone(int32_t zone) const {
    if (m_zonesDirty) {
      m_byZone.clear();
      for (const auto& r : m_items) m_byZone[r->Zone].push_back(r.get());
      m_zonesDirty = false;
    }
    static const std::vector<T*> kNone;
    auto it = m_byZone.find(zone);
    return it == m_byZone.end() ? kNone : it->second;
  }
  int CountInZone(int32_t zone) const { return static_cast<int>(InZone(zone).size()); }

  // The name a record is listed under (the nominative for objects and mobiles).
  virtual std::string NameOfRecord(const T& rec) const = 0;
  std::string NameOf(int32_t vnum) const {
    const T* r = Find(vnum);
    return r ? NameOfRecord(*r) : std::string("?");
  }
  std::string CaptionOf(int32_t vnum) const { return NodeCaption(vnum, NameOf(vnum)); }
  std::string CaptionOf(const T& rec) const { return NodeCaption(rec.Vnum, NameOfRecord(rec)); }

  // "vnum=text" for every record of the zone (all zones for 0) that `keep`
  // accepts, then "-1=Не выбран": the lists of the choice boxes.
  template <typename Keep, typename Text>
  std::vector<std::string> Choices(int32_t zone, Keep keep, Text text) const {
    std::vector<std::string> list;
    for (const auto& r : m_items)
      if ((zone == 0 || r->Zone == zone) && keep(*r))
        list.push_back(IntText(r->Vnum) + "=" + text(*r));
    list.push_back("-1=" + NotChosenText());
    return list;
  }

 protected:
  void Reindex() const {
    if (!m_dirty) return;
    m_index.clear();
    for (size_t i = 0; i < m_items.size(); ++i)
      m_index.try_emplace(m_items[i]->Vnum, static_cast<int>(i));
    m_dirty = false;
  }

  std::vector<std::unique_ptr<T>> m_items;
  mutable std::unordered_map<int32_t, int> m_index;
  mutable bool m_dirty = false;
  mutable std::unordered_map<int32_t, std::vector<T*>> m_byZone;
  mutable bool m_zonesDirty = true;
  TreeSink* m_sink = nullptr;
};

}  // namespace zm
