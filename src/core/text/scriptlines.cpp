#include "text/scriptlines.h"

#include <algorithm>

namespace zm {
namespace {

// A comment mark this far into the line still makes a comment line.
constexpr size_t kCommentReach = 9;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

bool StartsComment(std::string_view s) {
  s = TrimLeft(s);
  return !s.empty() && s[0] == '*';
}

// Positions are 1-based as in the rules; attrs[0] is position 1.
void SetRange(std::vector<uint8_t>& attrs, size_t from, size_t to, uint8_t a) {
  for (size_t p = from; p <= to && p - 1 < attrs.size(); ++p) attrs[p - 1] = a;
}

void ColourSpans(std::string_view line, bool readOnly, std::vector<uint8_t>& attrs) {
  uint8_t c = 0;  // 0: no class yet
  size_t s = 0, e = 0;
  for (size_t i = 1; i <= line.size(); ++i) {
    const char ch = line[i - 1];
    if (IsBlank(ch)) {
      c = 0;
      s = e = 0;
      continue;
    }
    uint8_t k = 0;
    if (ch == '%')
      k = kAttrVariable;
    else if (ch >= '0' && ch <= '9')
      k = kAttrDigits;
    else
      continue;
    if (c == 0 || k != c) {
      c = k;
      s = i;
      e = 0;
    } else {
      e = i;
    }
    if (s > 0 && e >= s + 2) {
      SetRange(attrs, s, e, c);
      if (readOnly) {
        SetRange(attrs, s, s, kAttrDelimiter);
        SetRange(attrs, e, e, kAttrDelimiter);
      }
      c = 0;
      s = e = 0;
    } else if (s > 0 && e > 0) {
      // The closing character right after the opening one: no span.
      s = e = 0;
    }
  }
}

}  // namespace

void ColourScriptLine(std::string_view line, const std::vector<std::string>& keywords,
                      bool readOnly, std::vector<uint8_t>& attrs) {
  if (attrs.size() < line.size() + 1) attrs.resize(line.size() + 1, kAttrPlain);
  for (const std::string& word : keywords) {
    // An empty word would mark the first character of every line.
    if (word.empty()) continue;
    const size_t at = line.find(word);
    if (at != std::string_view::npos) SetRange(attrs, at + 1, at + 1 + word.size(), kAttrKeyword);
  }
  const std::string_view head = line.substr(0, std::min(line.size(), kCommentReach));
  if (head.find('*') != std::string_view::npos) {
    SetRange(attrs, 1, line.size(), kAttrComment);
    return;
  }
  ColourSpans(line, readOnly, attrs);
}

std::vector<uint8_t> ScriptLineAttrs(std::string_view line,
                                     const std::vector<std::string>& keywords, bool readOnly) {
  std::vector<uint8_t> attrs(line.size() + 1, kAttrPlain);
  ColourScriptLine(line, keywords, readOnly, attrs);
  return attrs;
}

std::string BreakLinePrefix(std::string_view line, size_t caret) {
  // Only the part that stays above counts: Enter before the mark moves the
  // whole comment down instead of marking it twice.
  return StartsComment(line.substr(0, std::min(caret, line.size()))) ? "* " : "";
}

std::string JoinLineTail(std::string_view upper, std::string_view lower) {
  if (!StartsComment(upper) || !StartsComment(lower)) return std::string(lower);
  std::string_view rest = TrimLeft(lower).substr(1);
  if (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
  return std::string(rest);
}

bool EndsScript(std::string_view line) {
  size_t e = line.size();
  while (e > 0 && IsBlank(line[e - 1])) --e;
  return e > 0 && line[e - 1] == '~';
}

std::string StoredScriptText(std::string text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
  return text;
}

}  // namespace zm
