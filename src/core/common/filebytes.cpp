#include "common/filebytes.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace zm {
namespace fs = std::filesystem;
namespace {

bool Fail(std::string* error, const std::string& what) {
  if (error) *error = what + ": " + std::strerror(errno);
  return false;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const fs::path& path, uintmax_t limit) {
  std::error_code ec;
  const uintmax_t size = fs::file_size(path, ec);
  if (ec || size > limit) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return bytes;
}

bool WriteFileBytes(const fs::path& path, const std::string& bytes, std::string* error) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) return Fail(error, "cannot open " + path.string() + " for writing");
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  f.close();
  if (f.fail()) return Fail(error, "cannot write " + path.string());
  return true;
}

bool ReplaceFileBytes(const fs::path& given, std::string bytes, std::string* error,
                      std::string* written) {
  std::error_code ec;
  // Through a symbolic link to the file it names, which is what the game reads.
  fs::path path = given;
  if (fs::is_symlink(given, ec)) {
    fs::path target = fs::weakly_canonical(given, ec);
    if (!ec) path = target;
  }
  auto old = fs::status(path, ec);
  if (!ec && fs::is_regular_file(old)) {
    // A file made read-only is not replaced behind its owner's back.
    if ((old.permissions() & fs::perms::owner_write) == fs::perms::none) {
      if (error) *error = "read-only file " + path.string();
      return false;
    }
    // Written over in place, the other names of a file with hard links see
    // the new text too, which a rename would cut them off from.
    if (fs::hard_link_count(path, ec) > 1 && !ec) {
      if (!WriteFileBytes(path, bytes, error)) return false;
      if (written) *written = std::move(bytes);
      return true;
    }
  }

  fs::path tmp = path;
  tmp += ".zemlemer-tmp";
  // A world that has no SHP folder yet gets one; a vanished world folder is
  // not recreated.
  fs::path dir = path.parent_path();
  if (!dir.empty() && !fs::exists(dir, ec) && fs::is_directory(dir.parent_path(), ec))
    fs::create_directory(dir, ec);
  if (!WriteFileBytes(tmp, bytes, error)) {
    std::error_code ignored;
    fs::remove(tmp, ignored);
    return false;
  }
  // Keep the permissions the old file had.
  if (fs::exists(old)) fs::permissions(tmp, old.permissions(), ec);
  fs::rename(tmp, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(tmp, ignored);
    if (error) *error = "cannot replace " + path.string() + ": " + ec.message();
    return false;
  }
  if (written) *written = std::move(bytes);
  return true;
}

}  // namespace zm
