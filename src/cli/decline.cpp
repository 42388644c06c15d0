// decline [--animate | --inanimate] TEXT: a name in the nominative and its five
// other case forms.
#include <ostream>

#include "cli/command.h"
#include "common/winutf8.h"
#include "text/declension.h"

namespace zm::cli {
namespace {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Animacy hint = Animacy::Unknown;
  size_t first = 0;
  for (; first < args.size(); ++first) {
    if (args[first] == "--animate")
      hint = Animacy::Animate;
    else if (args[first] == "--inanimate")
      hint = Animacy::Inanimate;
    else
      break;
  }
  if (first == args.size()) {
    err << "usage: zemlemer-cli decline [--animate | --inanimate] TEXT\n";
    return kUsage;
  }
  // An unquoted name arrives as several arguments.
  std::string utf8 = args[first];
  for (size_t i = first + 1; i < args.size(); ++i) utf8 += " " + args[i];
  const std::string text = Utf8ToWin(utf8);
  const morph::Dictionary* dict = SharedMorphology();
  if (!dict)
    err << "warning: " << WinToUtf8(SharedMorphologyError())
        << "; the forms follow the ending rules alone\n";
  for (const auto& form : DeclineAll(text, dict, hint)) out << WinToUtf8(form) << "\n";
  return kOk;
}

const Registrar reg({"decline", "[--animate | --inanimate] TEXT",
                     "print TEXT and its genitive, dative, accusative, instrumental and "
                     "prepositional forms, one per line; --animate declines words the "
                     "dictionary does not know as a creature's (a mobile's name), "
                     "--inanimate as a thing's (an object's)",
                     Run});

}  // namespace
}  // namespace zm::cli
