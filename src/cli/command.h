#pragma once
// Each command of zemlemer-cli lives in its own file and registers itself here.
#include <iosfwd>
#include <string>
#include <vector>

namespace zm::cli {

enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

struct Command {
  std::string name;
  std::string usage;    // arguments, e.g. "WORLD [--zone N]"
  std::string summary;  // one line for --help
  int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

std::vector<Command>& Commands();

struct Registrar {
  explicit Registrar(Command c) { Commands().push_back(std::move(c)); }
};

}  // namespace zm::cli
