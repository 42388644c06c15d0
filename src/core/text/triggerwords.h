#pragma once
// The trigger editor's word lists (Bases/Trigger_*): completion words,
// automatic replacements and the script language's keywords.
#include <filesystem>
#include <string>
#include <vector>

namespace zm {

// Windows-1251 lines, empty lines left out.
struct TriggerWords {
  std::vector<std::string> Complete;
  std::vector<std::string> AutoChange;
  std::vector<std::string> Language;
};

// A missing list gives no words; file names are matched in any letter case.
TriggerWords ReadTriggerWords(const std::filesystem::path& basesDir);

}  // namespace zm
