#include <algorithm>
#include <iostream>

#include "cli/command.h"

namespace zm::cli {

std::vector<Command>& Commands() {
  static std::vector<Command> all;
  return all;
}

namespace {

void PrintHelp(std::ostream& out) {
  auto cmds = Commands();
  std::sort(cmds.begin(), cmds.end(), [](auto& a, auto& b) { return a.name < b.name; });
  out << "zemlemer-cli: load, check and save world files without the editor\n\n"
      << "Usage: zemlemer-cli COMMAND [ARGS]\n\nCommands:\n";
  for (const auto& c : cmds) {
    out << "  " << c.name << " " << c.usage << "\n      " << c.summary << "\n";
  }
  out << "\nTexts are printed in UTF-8. Exit status: 0 success, 1 an error was reported, "
         "2 wrong usage.\n--version prints the version.\n";
}

}  // namespace
}  // namespace zm::cli

int main(int argc, char** argv) {
  using namespace zm::cli;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintHelp(std::cerr);
    return kUsage;
  }
  if (args[0] == "--version") {
    std::cout << "zemlemer-cli " << ZEMLEMER_VERSION << "\n";
    return kOk;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(std::cout);
    return kOk;
  }
  for (const auto& c : Commands()) {
    if (c.name == args[0]) {
      args.erase(args.begin());
      return c.run(args, std::cout, std::cerr);
    }
  }
  std::cerr << "zemlemer-cli: unknown command '" << args[0] << "' (see --help)\n";
  return kUsage;
}
