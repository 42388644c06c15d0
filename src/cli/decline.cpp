// decline TEXT: a name in the nominative and its five other case forms.
#include <ostream>

#include "cli/command.h"
#include "common/cp1251.h"
#include "text/declension.h"

namespace zm::cli {
namespace {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "usage: zemlemer-cli decline TEXT\n";
    return kUsage;
  }
  // An unquoted name arrives as several arguments.
  std::string utf8 = args[0];
  for (size_t i = 1; i < args.size(); ++i) utf8 += " " + args[i];
  const std::string text = Utf8ToWin(utf8);
  for (int c = kNominative; c < kDeclCaseCount; ++c)
    out << WinToUtf8(DeclinePhrase(text, c)) << "\n";
  return kOk;
}

const Registrar reg({"decline", "TEXT",
                     "print TEXT and its genitive, dative, accusative, instrumental and "
                     "prepositional forms, one per line",
                     Run});

}  // namespace
}  // namespace zm::cli
