#pragma once
// save --check WORLD: the world is saved into a temporary folder and read
// back from there; what the save changed is listed file by file, then the
// lines of the files that did not come back, then value by value.
#include <iosfwd>

#include "cli/clicommon.h"

namespace zm::cli {

// Exit status: kOk when no line and no value was lost or changed.
int SaveCheck(const Options& opt, std::ostream& out, std::ostream& err);

// The number of lines that differ between two texts: those only in the first
// plus those only in the second, by a shortest edit script.
int DifferingLines(const std::vector<std::string>& a, const std::vector<std::string>& b);

// Reset command lines of a zone file's command section (up to "S"): all of
// them, and the T lines among them.
struct CommandCount {
  int all = 0;
  int triggers = 0;
};
CommandCount CountResetCommands(const std::vector<std::string>& lines);

}  // namespace zm::cli
