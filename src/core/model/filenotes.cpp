#include "model/filenotes.h"

namespace zm {
namespace fs = std::filesystem;

// The same file reached as WLD/30.wld or wld/../wld/30.wld is one file. The
// answer is kept: every save asks it for each file it writes.
std::string FileKeyOf(const fs::path& path) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(path, ec);
  return (ec ? path.lexically_normal() : p).string();
}

const std::string& FileNotes::Key(const fs::path& path) const {
  auto [it, fresh] = m_keys.try_emplace(path.string());
  if (fresh) it->second = FileKeyOf(path);
  return it->second;
}

bool FileNote::LossyFor(int32_t zone) const {
  if (Failed || Skipped > 0) return true;
  for (int32_t z : Zones)
    if (z != zone) return true;
  return false;
}

FileNote& FileNotes::Begin(const fs::path& path) {
  FileNote& n = m_notes[Key(path)];
  n = FileNote{};
  return n;
}

const FileNote* FileNotes::Find(const fs::path& path) const {
  if (path.empty()) return nullptr;
  auto it = m_notes.find(Key(path));
  return it == m_notes.end() ? nullptr : &it->second;
}

void FileNotes::Forget(const fs::path& path) {
  if (!path.empty()) m_notes.erase(Key(path));
}

}  // namespace zm
