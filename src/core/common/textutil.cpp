#include "common/textutil.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zm {

std::string NextWord(std::string& s, std::string_view delims, bool consume, bool skipLeading) {
  auto isDelim = [&](char c) { return delims.find(c) != std::string_view::npos; };
  size_t i = 0;
  if (skipLeading)
    while (i < s.size() && isDelim(s[i])) ++i;
  size_t start = i;
  while (i < s.size() && !isDelim(s[i])) ++i;
  std::string word = s.substr(start, i - start);
  if (consume) {
    if (skipLeading) {
      while (i < s.size() && isDelim(s[i])) ++i;
    } else if (i < s.size()) {
      ++i;
    }
    s.erase(0, i);
  }
  return word;
}

std::string StripLineEnd(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && (s[n - 1] == '\r' || s[n - 1] == '\n')) --n;
  return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return std::string(s.substr(b, e - b));
}

std::string IntText(int64_t n) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, n);
  return std::string(buf, r.ptr);
}

bool ParseInt64(std::string_view s, int64_t& out) {
  if (s.empty()) return false;
  if (s[0] == '-' && (s.size() == 1 || s[1] == '-')) return false;
  auto r = std::from_chars(s.data(), s.data() + s.size(), out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool ParseInt(std::string_view s, int32_t& out) {
  int64_t v;
  if (!ParseInt64(s, v) || v < INT32_MIN || v > INT32_MAX) return false;
  out = static_cast<int32_t>(v);
  return true;
}

std::string FloatText(double v, int digits) {
  // The largest double needs 309 digits before the point; a short buffer
  // turned a huge factor read from a file into "0".
  char buf[400];
  digits = std::clamp(digits, 0, 20);
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, digits);
  if (r.ec != std::errc()) return "0";
  return std::string(buf, r.ptr);
}

bool ParseFloat(std::string_view s, double& out) {
  if (s.empty()) return false;
  if (s[0] == '+') s.remove_prefix(1);
  auto r = std::from_chars(s.data(), s.data() + s.size(), out);
  return r.ec == std::errc() && r.ptr == s.data() + s.size() && std::isfinite(out);
}

std::string VnumText(int32_t n) {
  return n <= 0 ? std::string() : IntText(n);
}

std::string NodeCaption(int32_t vnum, std::string_view name) {
  std::string s = "[";
  s += IntText(vnum);
  s += "] ";
  s += name;
  return s;
}

std::string LettersToPlanes(std::string_view s) {
  std::string out;
  out.reserve(s.size() * 2);
  for (char c : s) {
    out += c;
    out += '0';
  }
  return out;
}

std::string BitVectorText(std::string_view v) {
  return v.empty() ? "0" : std::string(v);
}

std::string BitVectorFromText(std::string_view s) {
  return s == "0" ? std::string() : std::string(s);
}

std::string DiceText(const TDice& d) {
  return IntText(d.Count) + "d" + IntText(d.Sides) + "+" + IntText(d.Bonus);
}

bool ReadDice(std::string_view text, TDice& out) {
  std::string s(text);
  std::string count = NextWord(s, "d");
  size_t d = std::string(text).find('d');
  s = d == std::string::npos ? std::string() : std::string(text.substr(d + 1));
  std::string sides = NextWord(s, "+");
  std::string bonus = NextWord(s, "+");
  TDice r;
  if (!ParseInt(Trim(count), r.Count) || !ParseInt(Trim(sides), r.Sides) ||
      !ParseInt(Trim(bonus), r.Bonus))
    return false;
  out = r;
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  size_t i = 0;
  while (i < bytes.size()) {
    size_t e = bytes.find_first_of(kLineEnds, i);
    if (e == std::string_view::npos) e = bytes.size();
    lines.push_back(bytes.substr(i, e - i));
    i = e;
    if (i < bytes.size() && bytes[i] == '\r') ++i;
    if (i < bytes.size() && bytes[i] == '\n') ++i;
  }
  return lines;
}

}  // namespace zm
