#pragma once
// Every place the world names a record by number: exits and keys, reset
// commands, followers, container contents, shop keepers and goods, helpers
// and path rooms, attached triggers, container keys and ingredient
// prototypes. Built in one pass over the world and kept current record by
// record, so "where is this used" answers without a scan.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/kinds.h"

namespace zm {

class TMUDClass;
class World;

// One place that names a record.
struct Reference {
  const TMUDClass* User = nullptr;  // the record that names it
  RecordKind UserKind = kRoom;
  int32_t UserVnum = 0;
  int32_t UserZone = 0;
  // The field that holds the number, "Exits[2].ToRoom", "Mobs[0].Inventory[1].ID".
  std::string Field;
  RecordKind TargetKind = kRoom;
  int32_t Target = 0;
};

// The places `rec` names other records, in field order.
std::vector<Reference> ReferencesOf(const TMUDClass& rec);

// Russian words for a reference's field, for a readable line: "выход на
// север", "инвентарь моба 3005" (Windows-1251).
std::string FieldWords(const Reference& ref);
// "комната 3001 «Храм»: выход на север" (Windows-1251).
std::string ReferenceLine(const World& w, const Reference& ref);

class ReferenceIndex {
 public:
  // Linear in the size of the world.
  void Rebuild(const World& w);
  // `rec` changed (or was added): its old references go, its new ones come.
  void Update(const TMUDClass& rec);
  // `rec` is leaving the world: nothing of it stays in the index.
  void Forget(const TMUDClass& rec);

  // Every place naming `vnum` of `kind`, by user kind, then vnum, then field
  // order. A zone: every reference from other zones into the zone's numbers.
  std::vector<Reference> UsesOf(RecordKind kind, int32_t vnum) const;
  size_t Size() const { return m_count; }

 private:
  static uint64_t key(RecordKind kind, int32_t vnum) {
    return (static_cast<uint64_t>(kind) << 32) | static_cast<uint32_t>(vnum);
  }
  void add(std::vector<Reference> refs, const TMUDClass& user);

  // Target -> the references naming it.
  std::unordered_map<uint64_t, std::vector<Reference>> m_byTarget;
  // User -> the targets it names, to take its references out again.
  std::unordered_map<const TMUDClass*, std::vector<uint64_t>> m_byUser;
  size_t m_count = 0;
};

}  // namespace zm
