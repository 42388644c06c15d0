// git-setup WORLD [--print]: the world's repository diffs and merges world
// files through this program: .gitattributes lines, the local git config of
// the driver and the text conversion, and the editor's lock file ignored.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "cli/command.h"

extern char** environ;

namespace zm::cli {
namespace {
namespace fs = std::filesystem;

struct GitRun {
  int status = -1;
  std::string out;
};

// git with `args` in `dir`, its standard output kept (without the last line
// break) and its errors dropped.
GitRun Git(const fs::path& dir, const std::vector<std::string>& args) {
  GitRun r;
  std::vector<std::string> all{"git", "-C", dir.string()};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  int pipeFd[2];
  if (pipe(pipeFd) != 0) return r;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFd[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclose(&actions, pipeFd[0]);
  pid_t pid;
  const int spawned = posix_spawnp(&pid, "git", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFd[1]);
  if (spawned == 0) {
    char buf[4096];
    ssize_t n;
    while ((n = read(pipeFd[0], buf, sizeof buf)) > 0) r.out.append(buf, static_cast<size_t>(n));
  }
  close(pipeFd[0]);
  if (spawned != 0) return r;
  int st = 0;
  if (waitpid(pid, &st, 0) == pid && WIFEXITED(st)) r.status = WEXITSTATUS(st);
  while (!r.out.empty() && (r.out.back() == '\n' || r.out.back() == '\r')) r.out.pop_back();
  return r;
}

// The repository's top folder: git's answer, or the first folder up with a .git.
fs::path TopOf(const fs::path& world) {
  GitRun g = Git(world, {"rev-parse", "--show-toplevel"});
  if (g.status == 0 && !g.out.empty()) return g.out;
  std::error_code ec;
  for (fs::path p = fs::absolute(world, ec); !p.empty(); p = p.parent_path()) {
    if (fs::exists(p / ".git", ec)) return p;
    if (p == p.parent_path()) break;
  }
  return {};
}

// Single quotes where the shell git runs the driver with would split the path.
std::string ShellWord(const std::string& s) {
  if (s.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._-+") ==
      std::string::npos)
    return s;
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string AnyCase(const std::string& ext) {
  std::string p = "*.";
  for (char c : ext) p += std::string("[") + c + static_cast<char>(c - 'a' + 'A') + "]";
  return p;
}

std::vector<std::string> ReadLines(const fs::path& p) {
  std::vector<std::string> lines;
  std::ifstream f(p, std::ios::binary);
  for (std::string line; std::getline(f, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The lines of `wanted` that `file` lacks.
std::vector<std::string> Missing(const fs::path& file, const std::vector<std::string>& wanted) {
  const std::vector<std::string> have = ReadLines(file);
  std::vector<std::string> out;
  for (const auto& w : wanted)
    if (std::find(have.begin(), have.end(), w) == have.end()) out.push_back(w);
  return out;
}

bool Append(const fs::path& file, const std::vector<std::string>& lines, std::ostream& err) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  std::string old;
  {
    std::ifstream in(file, std::ios::binary);
    old.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::ofstream f(file, std::ios::binary | std::ios::app);
  if (!old.empty() && old.back() != '\n') f << "\n";
  for (const auto& l : lines) f << l << "\n";
  f.close();
  if (!f) err << "zemlemer-cli git-setup: cannot write " << file.string() << "\n";
  return static_cast<bool>(f);
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool print = false;
  std::vector<std::string> rest;
  for (const auto& a : args) {
    if (a == "--print")
      print = true;
    else if (a.starts_with("--")) {
      err << "zemlemer-cli git-setup: unknown option " << a << "\n";
      return kUsage;
    } else {
      rest.push_back(a);
    }
  }
  if (rest.size() != 1) {
    err << "usage: zemlemer-cli git-setup WORLD [--print]\n";
    return kUsage;
  }
  std::error_code ec;
  const fs::path world = rest[0];
  if (!fs::is_directory(world, ec)) {
    err << "zemlemer-cli git-setup: no folder " << world.string() << "\n";
    return kFailed;
  }
  const fs::path top = TopOf(world);
  if (top.empty()) {
    err << "zemlemer-cli git-setup: " << world.string() << " is not in a git repository\n";
    return kFailed;
  }
  fs::path exclude = top / ".git" / "info" / "exclude";
  if (GitRun g = Git(top, {"rev-parse", "--git-path", "info/exclude"}); g.status == 0)
    exclude = fs::path(g.out).is_absolute() ? fs::path(g.out) : top / g.out;

  const std::string self = ShellWord(fs::read_symlink("/proc/self/exe", ec).string());
  std::vector<std::string> attributes;
  for (const char* ext : {"wld", "obj", "mob", "zon", "shp", "trg"})
    attributes.push_back(AnyCase(ext) + " diff=zemlemer merge=zemlemer");
  const std::pair<std::string, std::string> config[] = {
      {"merge.zemlemer.name", "Землемер: слияние записей мира"},
      {"merge.zemlemer.driver", self + " merge %O %A %B --output %A --path %P"},
      {"diff.zemlemer.textconv", self + " textconv"},
  };

  const fs::path gitattributes = top / ".gitattributes";
  const std::vector<std::string> addAttributes = Missing(gitattributes, attributes);
  const std::vector<std::string> addExclude = Missing(exclude, {".zemlemer.lock"});
  std::vector<std::pair<std::string, std::string>> setConfig;
  for (const auto& [key, value] : config) {
    GitRun g = Git(top, {"config", "--local", "--get", key});
    if (g.status != 0 || g.out != value) setConfig.push_back({key, value});
  }

  const char* verb = print ? "would add to " : "added to ";
  out << "repository: " << top.string() << "\n";
  for (const auto& l : addAttributes) out << verb << gitattributes.string() << ": " << l << "\n";
  for (const auto& l : addExclude) out << verb << exclude.string() << ": " << l << "\n";
  for (const auto& [key, value] : setConfig)
    out << (print ? "would set" : "set") << " git config " << key << " " << value << "\n";
  if (addAttributes.empty() && addExclude.empty() && setConfig.empty()) out << "already set up\n";
  if (print) return kOk;

  if (!addAttributes.empty() && !Append(gitattributes, addAttributes, err)) return kFailed;
  if (!addExclude.empty() && !Append(exclude, addExclude, err)) return kFailed;
  for (const auto& [key, value] : setConfig)
    if (Git(top, {"config", "--local", key, value}).status != 0) {
      err << "zemlemer-cli git-setup: git config " << key << " failed\n";
      return kFailed;
    }
  return kOk;
}

const Registrar reg({"git-setup", "WORLD [--print]",
                     "set the world's git repository to diff and merge world files through "
                     "zemlemer-cli (.gitattributes, local git config, .zemlemer.lock ignored); "
                     "--print shows it and writes nothing",
                     Run});

}  // namespace
}  // namespace zm::cli
