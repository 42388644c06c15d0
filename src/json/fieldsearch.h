#pragma once
// Finding records by the value of a field, named as the record's JSON names
// it: "Sector=1", "ObjType=15", "Exits[*].ToRoom=3001", "Flags=d0".
#include <optional>
#include <string>
#include <vector>

#include "query/search.h"

namespace zm::json {

struct FieldQuery {
  std::vector<std::string> Path;  // "Exits", "*", "ToRoom"
  std::string Value;              // UTF-8
};

// "PATH=VALUE"; nullopt when there is no "=" or no path.
std::optional<FieldQuery> ParseFieldQuery(const std::string& utf8);

// Records (of `kind` only, when given) whose field holds the value: a number
// equal to it, a text containing it in any letter case, a list with an
// element that does. "[*]" in the path stands for any element of a list.
std::vector<SearchHit> SearchField(const World& w, const FieldQuery& q,
                                   std::optional<RecordKind> kind = std::nullopt);

}  // namespace zm::json
