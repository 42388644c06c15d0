#include "common/datadir.h"

namespace zm {
namespace fs = std::filesystem;

fs::path ExecutableDir() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : exe.parent_path();
}

fs::path DataDirFor(const fs::path& exeDir) {
  std::error_code ec;
  if (fs::is_directory(exeDir / "Bases", ec)) return exeDir;
  const fs::path shared = (exeDir / ".." / "share" / "zemlemer").lexically_normal();
  if (fs::is_directory(shared / "Bases", ec)) return shared;
  return exeDir;
}

fs::path DataDir() {
  return DataDirFor(ExecutableDir());
}

}  // namespace zm
