#pragma once
// Text conventions shared by every world file: tokens, numbers, captions,
// vnum arithmetic, bit vectors and dice. Numbers never go through the
// process locale, so a Russian desktop still writes "1.15".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zm {

inline constexpr std::string_view kBlanks = " \t";
inline constexpr std::string_view kLineEnds = "\r\n";

// Splits the next word off `s` (see the readers: consume and skipLeading
// both true cut a line into fields one after another).
std::string NextWord(std::string& s, std::string_view delims, bool consume = true,
                     bool skipLeading = true);

std::string StripLineEnd(std::string_view s);
// The lines of some bytes, broken where the readers break them: at CR LF,
// LF or a lone CR; views into `bytes`.
std::vector<std::string_view> SplitLines(std::string_view bytes);
// Blanks (space, TAB) removed at both ends.
std::string Trim(std::string_view s);

std::string IntText(int64_t n);
// Decimal integer with an optional minus sign, nothing else; false on
// anything else, an overflow included.
bool ParseInt(std::string_view s, int32_t& out);
bool ParseInt64(std::string_view s, int64_t& out);
// `digits` places after the point, "." whatever the locale.
std::string FloatText(double v, int digits);
bool ParseFloat(std::string_view s, double& out);

std::string VnumText(int32_t n);
std::string NodeCaption(int32_t vnum, std::string_view name);
inline int32_t ZoneOf(int32_t vnum) {
  return vnum / 100;
}
inline int32_t MakeVnum(int32_t n, int32_t zone) {
  return zone * 100 + n;
}

// Old single-letter flag form to letter+plane pairs: "abc" -> "a0b0c0".
std::string LettersToPlanes(std::string_view s);
// An empty bit vector is written "0" and "0" reads as empty.
std::string BitVectorText(std::string_view v);
std::string BitVectorFromText(std::string_view s);

struct TDice {
  int32_t Count = 0;
  int32_t Sides = 0;
  int32_t Bonus = 0;
  bool operator==(const TDice&) const = default;
};
std::string DiceText(const TDice& d);
// "3d8+20", "3d8+-2"; false when a part is not a number.
bool ReadDice(std::string_view s, TDice& out);

}  // namespace zm
