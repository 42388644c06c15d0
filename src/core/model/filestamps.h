#pragma once
// What each world file was on disk when the editor last read or wrote it, so
// that a save does not overwrite what someone else (a git pull, a colleague
// with another editor) put there meanwhile.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zm {

struct FileStamp {
  bool Exists = false;
  uintmax_t Size = 0;
  std::filesystem::file_time_type Time{};
  uint64_t Hash = 0;
  bool operator==(const FileStamp&) const = default;
};

// A change of content, not a guard against anyone forging one.
uint64_t ContentHash(std::string_view bytes);

class FileStamps {
 public:
  // The file as read or written: `bytes` is its content; size and time are
  // taken from the disk (`before`, when given, is what the disk said before
  // the bytes were read, so a change during the read shows later).
  void Note(const std::filesystem::path& path, std::string_view bytes,
            const std::optional<FileStamp>& before = std::nullopt);
  // The file was looked for and not there.
  void NoteAbsent(const std::filesystem::path& path);
  // What the disk holds now, for a file the editor knows of but did not read.
  void NoteFromDisk(const std::filesystem::path& path);
  // Adopts another store's stamps (a zone read again into a scratch world).
  void Put(const std::filesystem::path& path, const FileStamp& stamp);

  const FileStamp* Find(const std::filesystem::path& path) const;
  // Whether the file differs from its stamp: appeared, vanished, or another
  // content. Equal size and time count as unchanged without reading it;
  // otherwise the content decides, so a touch alone is no change. A file
  // without a stamp is unchanged: nothing is known about it.
  bool Changed(const std::filesystem::path& path) const;
  // Every stamped file that has changed, by normalised path.
  std::vector<std::filesystem::path> ChangedFiles() const;
  const std::map<std::string, FileStamp>& All() const { return m_stamps; }
  void Clear() {
    m_stamps.clear();
    m_keys.clear();
  }

 private:
  const std::string& Key(const std::filesystem::path& path) const;

  std::map<std::string, FileStamp> m_stamps;                    // by normalised path
  mutable std::unordered_map<std::string, std::string> m_keys;  // path as given -> its key
};

// Size and time of the file as the disk has them now (Exists false when it
// is not there); the hash is left 0.
FileStamp StatFile(const std::filesystem::path& path);

}  // namespace zm
