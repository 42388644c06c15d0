#include "model/filestamps.h"

#include <cstring>

#include "common/filebytes.h"
#include "model/filenotes.h"

namespace zm {
namespace fs = std::filesystem;

// Four independent lanes of eight bytes: a byte at a time would cost a
// load of a large world as much again as reading its files.
uint64_t ContentHash(std::string_view bytes) {
  constexpr uint64_t kMul = 0x9E3779B97F4A7C15ull;
  uint64_t lane[4] = {1, 2, 3, 4};
  size_t i = 0;
  for (; i + 32 <= bytes.size(); i += 32)
    for (int k = 0; k < 4; ++k) {
      uint64_t v;
      std::memcpy(&v, bytes.data() + i + 8 * k, 8);
      lane[k] = (lane[k] ^ v) * kMul;
      lane[k] ^= lane[k] >> 29;
    }
  uint64_t h = bytes.size();
  for (uint64_t l : lane) h = (h ^ l) * kMul;
  for (; i < bytes.size(); ++i) h = (h ^ static_cast<unsigned char>(bytes[i])) * kMul;
  return h ^ (h >> 31);
}

FileStamp StatFile(const fs::path& path) {
  FileStamp s;
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return s;
  s.Size = fs::file_size(path, ec);
  if (ec) return s;
  s.Time = fs::last_write_time(path, ec);
  if (ec) return s;
  s.Exists = true;
  return s;
}

// As FileNotes keys its notes: one file, however its path is spelt.
const std::string& FileStamps::Key(const fs::path& path) const {
  auto [it, fresh] = m_keys.try_emplace(path.string());
  if (fresh) it->second = FileKeyOf(path);
  return it->second;
}

void FileStamps::Note(const fs::path& path, std::string_view bytes,
                      const std::optional<FileStamp>& before) {
  FileStamp s = before ? *before : StatFile(path);
  s.Exists = true;
  s.Hash = ContentHash(bytes);
  m_stamps[Key(path)] = s;
}

void FileStamps::NoteAbsent(const fs::path& path) {
  m_stamps[Key(path)] = FileStamp{};
}

void FileStamps::NoteFromDisk(const fs::path& path) {
  FileStamp s = StatFile(path);
  if (s.Exists) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (bytes) s.Hash = ContentHash(*bytes);
  }
  m_stamps[Key(path)] = s;
}

void FileStamps::Put(const fs::path& path, const FileStamp& stamp) {
  m_stamps[Key(path)] = stamp;
}

const FileStamp* FileStamps::Find(const fs::path& path) const {
  if (path.empty()) return nullptr;
  auto it = m_stamps.find(Key(path));
  return it == m_stamps.end() ? nullptr : &it->second;
}

namespace {

bool Differs(const fs::path& path, const FileStamp& was) {
  const FileStamp now = StatFile(path);
  if (now.Exists != was.Exists) return true;
  if (!now.Exists) return false;
  if (now.Size != was.Size) return true;
  if (now.Time == was.Time) return false;
  std::optional<std::string> bytes = ReadFileBytes(path);
  // Unreadable now: whatever it holds is not what was read.
  return !bytes || ContentHash(*bytes) != was.Hash;
}

}  // namespace

bool FileStamps::Changed(const fs::path& path) const {
  const FileStamp* was = Find(path);
  return was && Differs(path, *was);
}

std::vector<fs::path> FileStamps::ChangedFiles() const {
  std::vector<fs::path> out;
  for (const auto& [key, stamp] : m_stamps)
    if (Differs(key, stamp)) out.emplace_back(key);
  return out;
}

}  // namespace zm
