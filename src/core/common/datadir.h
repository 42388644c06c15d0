#pragma once
// Where the program's data (Bases, Help, morph, the sample world Zones) is:
// beside the executable in a build tree, ../share/zemlemer when installed.
#include <filesystem>

namespace zm {

// The running executable's folder (empty when the system will not say).
std::filesystem::path ExecutableDir();
// `exeDir` when it holds Bases, else `exeDir`/../share/zemlemer when that
// holds it, else `exeDir`.
std::filesystem::path DataDirFor(const std::filesystem::path& exeDir);
// DataDirFor(ExecutableDir()).
std::filesystem::path DataDir();

}  // namespace zm
