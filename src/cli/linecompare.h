#pragma once
// The lines of a world's files as they were, against the files a save wrote
// from them. Every line that carries something must come back, after the
// normalisations the writers make (README.md lists them); a value the
// reader never took in is missing from the records read back and from the
// records first read alike, and only shows here.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/kinds.h"

namespace zm::cli {

struct LostLine {
  int Line = 0;      // from 1
  std::string Text;  // as the file had it, in its own coding
};

// Whether the world read back from the saved files attaches the trigger to
// the mobile (type 0), object (1) or room (2) of that vnum.
using TriggerCarried = std::function<bool(int32_t type, int32_t owner, int32_t trigger)>;

// The lines of every saved file. A record may be saved into another file
// than the one it was read from (its own zone's), and a zone command into the
// file of its room's zone, so a line is looked for among all the files of
// its kind: under its record's "#" line, or, for a zone command, anywhere.
class SavedLines {
 public:
  void Add(RecordKind kind, const std::vector<std::string>& lines);
  // The lines of `original` that no saved line gives back; each saved line
  // answers for one original line only. A zone's T line the writer moved to
  // its owner's file is given back when `carried` says the owner has it.
  std::vector<LostLine> Lost(RecordKind kind, const std::vector<std::string>& original,
                             const TriggerCarried& carried = {});

 private:
  std::unordered_map<std::string, int> m_lines;
};

// One original file against the one file saved from it.
std::vector<LostLine> LostLines(RecordKind kind, const std::vector<std::string>& original,
                                const std::vector<std::string>& saved);

// The lines of a file's bytes, broken where the readers break them: at CR LF,
// LF or a lone CR.
std::vector<std::string> LinesOf(std::string_view bytes);

}  // namespace zm::cli
