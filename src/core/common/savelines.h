#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "common/coding.h"

namespace zm {

// The one writer of world files. With KOI8-R the lines are converted (and
// stored back into `lines`) and line breaks inside a line become the file's
// own. The text goes to a temporary file beside the target, which then
// replaces it, so a failure leaves the old file as it was. A missing folder
// is made when its parent exists. On failure returns false and describes it
// in `error`; on success `written`, when given, gets the bytes written.
bool SaveLines(const std::filesystem::path& path, std::vector<std::string>& lines, CodingWord cw,
               std::string* error = nullptr, std::string* written = nullptr);

// The bytes SaveLines would write.
std::string JoinLines(std::vector<std::string>& lines, CodingWord cw);

}  // namespace zm
