#pragma once
// A record as named fields with UTF-8 values, one per line of a readable
// listing: what textconv prints and what a comparison of two worlds
// compares field by field.
#include <string>
#include <vector>

#include "model/world.h"

namespace zm::json {

struct FieldValue {
  std::string Field;  // "Name", "Exits[2].ToRoom", "Objects[1].Contents[0].ID"
  std::string Value;  // UTF-8; lines of a text joined with "\n"
  bool operator==(const FieldValue&) const = default;
};

// The record's JSON flattened, in the JSON's order. Exits that lead nowhere
// and were never read as such are left out; empty lists give no field.
std::vector<FieldValue> RecordFields(const TMUDClass& rec, const World& w);

// What a zone file holds: the zone's own fields, then its reset commands
// one per field in the order the writer writes them, each under the room it
// belongs to ("Комната 3001 «Храм»": "O предмет 3010 «меч»: макс. 2, шанс
// 100") or under "Зона" for the zone-wide ones. Lines kept as written
// appear as written. Names are given where `w` holds the record named.
std::vector<FieldValue> ZoneFileFields(const TZone& z, const World& w);

// The name a record is listed under, UTF-8; empty when it has none.
std::string RecordName(const TMUDClass& rec, const World& w);
// "комната 3001 «Храм»".
std::string RecordTitle(const TMUDClass& rec, const World& w);

}  // namespace zm::json
