#pragma once
// Finding records by the words in them: names, aliases, descriptions, extra
// descriptions, the keeper's replies and scripts, in any letter case and
// with "ё" matching "е".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/kinds.h"

namespace zm {

class TMUDClass;
class World;

struct SearchHit {
  const TMUDClass* Rec = nullptr;
  RecordKind Kind = kRoom;
  int32_t Vnum = 0;
  int32_t Zone = 0;
  std::string Field;  // "Name", "ExtraDescs[1].Description", "Text"
  std::string Text;   // the line of the field holding the match (Windows-1251)
};

// Windows-1251 text folded for comparison: lower case, "ё" as "е".
std::string FoldForSearch(std::string_view win);

// Every field of every record (of `kind` only, when given) holding `text`
// (Windows-1251); one hit per field, records in list order. An empty text
// finds nothing.
std::vector<SearchHit> SearchText(const World& w, std::string_view text,
                                  std::optional<RecordKind> kind = std::nullopt);

}  // namespace zm
