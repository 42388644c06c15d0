#pragma once
// Code page and line-break style of a world file, their detection and the
// KOI8-R <-> Windows-1251 conversions.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zm {

enum : uint8_t { kCodingUnknown = 0, kCodingWin = 1, kCodingKoi = 2 };
enum : uint8_t { kBreakLF = 0, kBreakCRLF = 1 };

struct CodingWord {
  uint8_t Coding = kCodingUnknown;
  uint8_t LineBreak = kBreakCRLF;
  bool operator==(const CodingWord&) const = default;
};

// New zones and files of unknown zones are written this way.
inline constexpr CodingWord kDefaultCodingWord{kCodingUnknown, kBreakCRLF};

// Detection over a block of bytes; `retryFirstLF` is the whole-buffer variant
// that looks past an LF in the very first byte.
CodingWord DetectCodingOf(std::string_view data, bool retryFirstLF);
// Whether the letters of the bytes tell the two codings apart. Without
// letters, or with letters of one half only (an all-capitals KOI8-R name
// reads as a lower-case Windows-1251 one), the detection is a guess.
bool CodingDecided(std::string_view data);
// The first 1000 bytes of the file; the default word when it cannot be read.
CodingWord DetectFileCoding(const std::filesystem::path& path);

// Whole-string conversions of the 66 Russian letters; other bytes stay. Ё/ё
// are written as the real KOI8-R codes 0xB3/0xA3, so a file with Ё is still
// detected as KOI8-R on the next load.
void WinToKoi(std::string& s);
void KoiToWin(std::string& s);

}  // namespace zm
