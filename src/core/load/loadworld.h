#pragma once
// Loading a whole world folder: discovery of the six folders, then the
// readers in the order that lets reset commands find what they name.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "model/world.h"

namespace zm {

// Told about each phase and file so a window can show progress.
class LoadProgress {
 public:
  virtual ~LoadProgress() = default;
  // A new phase with its title and the number of files it will visit.
  virtual void Phase(const std::string& title, int files) = 0;
  // The file about to be read (name only).
  virtual void File(const std::string& name) = 0;
  // One file done.
  virtual void Step() = 0;
  // The whole load is over: the total of the lower bar is reached.
  virtual void Finished() {}
  // Set before the first phase: the number of steps of the whole load.
  virtual void Total(int steps) { (void)steps; }
};

struct WorldFolder {
  std::filesystem::path Dir;       // the world folder, or empty when it has no folder of the kind
  std::vector<std::string> Names;  // "FOLDER/name" below Dir, sorted by name
};

// The six folders by record kind (kZone, kRoom, kObject, kMobile, kShop,
// kTrigger; kZoneMap stays empty). Folder names and extensions are matched
// without regard to letter case; a missing folder gives an empty list.
std::array<WorldFolder, kRecordKinds> DiscoverWorldFiles(const std::filesystem::path& worldPath);

// Finds `name` (any letter case) inside `dir`; empty when absent.
std::filesystem::path FindChildNoCase(const std::filesystem::path& dir, const std::string& name);

// Reads everything into `w` (which should be empty). Failures are reported
// through w.reporter() and the load goes on; returns the number of failures.
int LoadWorld(World& w, const std::filesystem::path& worldPath, LoadProgress* progress = nullptr);

}  // namespace zm
