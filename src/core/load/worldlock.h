#pragma once
// One editor per world: a lock file in the world folder names the host,
// process and start time of the editor that has the world open.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace zm {

struct LockOwner {
  std::string Host;
  int64_t Pid = 0;
  std::string Started;  // as the owner wrote it
};

// This machine's name, as locks and journals note it.
std::string HostName();
// Whether a process of that id runs on this host.
bool ProcessRunning(int64_t pid);

class WorldLock {
 public:
  WorldLock() = default;
  WorldLock(const WorldLock&) = delete;
  WorldLock& operator=(const WorldLock&) = delete;
  // Releases what it holds.
  ~WorldLock();

  static std::filesystem::path LockPath(const std::filesystem::path& world);

  // Another live editor holding `world`: a lock naming this host and a
  // running process other than this one. A lock of a process that is gone
  // (or of this process) is no one's.
  static std::optional<LockOwner> Holder(const std::filesystem::path& world);
  // Writes the lock (over any other); false when the folder takes no file.
  bool Take(const std::filesystem::path& world);
  // Removes the lock when it is still this process's.
  void Release();
  bool Held() const { return !m_path.empty(); }

 private:
  std::filesystem::path m_path;
};

}  // namespace zm
