#pragma once
// What each reader could not take in from the file it read. A file whose
// content was not fully understood is not overwritten without asking: the
// writers regenerate a file whole, so whatever was left out would be lost.
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace zm {

struct FileNote {
  bool Failed = false;      // reading stopped before the end of the file
  int Skipped = 0;          // lines left out
  int FirstLine = 0;        // the first of them (or of the failure), 0 unknown
  std::set<int32_t> Zones;  // zones of the records the file held
  // The records it held, with the line of each "#".
  std::vector<std::pair<int32_t, int>> Records;
  // Its letters told its coding; otherwise it takes its zone's.
  bool CodingDecided = false;

  void Skip(int line) {
    ++Skipped;
    if (FirstLine <= 0 && line > 0) FirstLine = line;
  }
  void Fail(int line) {
    Failed = true;
    if (FirstLine <= 0 && line > 0) FirstLine = line;
  }
  // Whether writing the file for `zone` alone loses something it held.
  bool LossyFor(int32_t zone) const;
};

// The same file reached as WLD/30.wld or wld/../wld/30.wld gives one key.
std::string FileKeyOf(const std::filesystem::path& path);

class FileNotes {
 public:
  // A fresh note for a file about to be read (again).
  FileNote& Begin(const std::filesystem::path& path);
  const FileNote* Find(const std::filesystem::path& path) const;
  // The file now holds what memory holds.
  void Forget(const std::filesystem::path& path);
  bool LossyFor(const std::filesystem::path& path, int32_t zone) const {
    const FileNote* n = Find(path);
    return n && n->LossyFor(zone);
  }
  void Clear() {
    m_notes.clear();
    m_keys.clear();
  }
  const std::map<std::string, FileNote>& All() const { return m_notes; }

 private:
  const std::string& Key(const std::filesystem::path& path) const;

  std::map<std::string, FileNote> m_notes;                      // by normalised path
  mutable std::unordered_map<std::string, std::string> m_keys;  // path as given -> its key
};

}  // namespace zm
