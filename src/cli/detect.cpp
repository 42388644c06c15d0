// detect FILE...: the coding word of each file as the loader would see it.
#include <filesystem>
#include <ostream>

#include "cli/command.h"
#include "common/coding.h"

namespace zm::cli {
namespace {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << "usage: zemlemer-cli detect FILE...\n";
    return kUsage;
  }
  int status = kOk;
  for (const auto& a : args) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(a, ec)) {
      err << "zemlemer-cli: cannot read " << a << "\n";
      status = kFailed;
      continue;
    }
    CodingWord w = DetectFileCoding(a);
    out << int(w.Coding) << " " << int(w.LineBreak) << " " << a << "\n";
  }
  return status;
}

const Registrar reg({"detect", "FILE...",
                     "print \"<Coding> <LineBreak> <path>\" per file (coding 0 unknown, "
                     "1 Windows-1251, 2 KOI8-R; line break 0 LF, 1 CR LF)",
                     Run});

}  // namespace
}  // namespace zm::cli
