#pragma once
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>
#include <utility>

namespace zm::test {

// Runs zemlemer-cli with the given arguments (a shell command line tail) and
// gives back its exit status and standard output.
inline std::pair<int, std::string> RunCli(const std::string& args) {
  std::string out;
  std::string cmd = std::string(ZEMLEMER_CLI) + " " + args;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return {-1, out};
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
  int rc = pclose(p);
  return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, out};
}

}  // namespace zm::test
