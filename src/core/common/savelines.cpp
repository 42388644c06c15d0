#include "common/savelines.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace zm {
namespace {

std::string NormaliseBreaks(const std::string& s, const char* eol) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    if (c == '\r' || c == '\n') {
      char pair = c == '\r' ? '\n' : '\r';
      if (i + 1 < s.size() && s[i + 1] == pair) ++i;
      out += eol;
    } else {
      out += c;
    }
  }
  return out;
}

bool Fail(std::string* error, const std::string& what) {
  if (error) *error = what + ": " + std::strerror(errno);
  return false;
}

}  // namespace

std::string JoinLines(std::vector<std::string>& lines, CodingWord cw) {
  const char* eol = cw.LineBreak == kBreakLF ? "\n" : "\r\n";
  std::string out;
  size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  out.reserve(total);
  for (auto& line : lines) {
    if (cw.Coding == kCodingKoi) {
      WinToKoi(line);
      if (line.find_first_of("\r\n") != std::string::npos) line = NormaliseBreaks(line, eol);
    }
    out += line;
    out += eol;
  }
  return out;
}

namespace {

// The bytes as the whole content of the file.
bool WriteBytes(const std::filesystem::path& path, const std::string& bytes, std::string* error) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  if (!f) return Fail(error, "cannot open " + path.string() + " for writing");
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  f.close();
  if (f.fail()) return Fail(error, "cannot write " + path.string());
  return true;
}

}  // namespace

bool SaveLines(const std::filesystem::path& given, std::vector<std::string>& lines, CodingWord cw,
               std::string* error, std::string* written) {
  namespace fs = std::filesystem;
  std::string bytes = JoinLines(lines, cw);

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
      if (!WriteBytes(path, bytes, error)) return false;
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
  if (!WriteBytes(tmp, bytes, error)) {
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
