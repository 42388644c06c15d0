#include "common/savelines.h"

#include "common/filebytes.h"

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

bool SaveLines(const std::filesystem::path& path, std::vector<std::string>& lines, CodingWord cw,
               std::string* error, std::string* written) {
  return ReplaceFileBytes(path, JoinLines(lines, cw), error, written);
}

}  // namespace zm
