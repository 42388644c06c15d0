#include "load/worldlock.h"

#include <unistd.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <sstream>

#include "common/textutil.h"

namespace zm {
namespace fs = std::filesystem;

std::string HostName() {
  char buf[256] = {};
  if (gethostname(buf, sizeof buf - 1) != 0) return "?";
  return buf;
}

bool ProcessRunning(int64_t pid) {
  std::error_code ec;
  return pid > 0 && fs::exists(fs::path("/proc") / std::to_string(pid), ec);
}

namespace {

std::optional<LockOwner> ReadLock(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  LockOwner o;
  std::string line;
  while (std::getline(in, line)) {
    line = StripLineEnd(line);
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    if (key == "host") o.Host = value;
    if (key == "pid") {
      int32_t pid = 0;
      if (ParseInt(value, pid)) o.Pid = pid;
    }
    if (key == "started") o.Started = value;
  }
  return o;
}

}  // namespace

WorldLock::~WorldLock() {
  Release();
}

fs::path WorldLock::LockPath(const fs::path& world) {
  return world / ".zemlemer.lock";
}

std::optional<LockOwner> WorldLock::Holder(const fs::path& world) {
  const std::optional<LockOwner> o = ReadLock(LockPath(world));
  if (!o || o->Host != HostName() || o->Pid == getpid() || !ProcessRunning(o->Pid)) {
    // Another host's lock cannot be checked: it counts as held.
    if (o && o->Host != HostName() && !o->Host.empty()) return o;
    return std::nullopt;
  }
  return o;
}

bool WorldLock::Take(const fs::path& world) {
  Release();
  const fs::path path = LockPath(world);
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  char when[64] = {};
  std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << "host=" << HostName() << "\npid=" << getpid() << "\nstarted=" << when << "\n";
  if (!out) return false;
  m_path = path;
  return true;
}

void WorldLock::Release() {
  if (m_path.empty()) return;
  const std::optional<LockOwner> o = ReadLock(m_path);
  std::error_code ec;
  if (o && o->Host == HostName() && o->Pid == getpid()) fs::remove(m_path, ec);
  m_path.clear();
}

}  // namespace zm
