#include "common/coding.h"

#include <array>
#include <fstream>

namespace zm {
namespace {

// KOI8-R codes of the Windows-1251 letters А..Я, а..я in alphabet order.
constexpr std::array<unsigned char, 32> kKoiUpper = {
    0xE1, 0xE2, 0xF7, 0xE7, 0xE4, 0xE5, 0xF6, 0xFA, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0xF0,
    0xF2, 0xF3, 0xF4, 0xF5, 0xE6, 0xE8, 0xE3, 0xFE, 0xFB, 0xFD, 0xFF, 0xF9, 0xF8, 0xFC, 0xE0, 0xF1};

struct Tables {
  std::array<unsigned char, 256> winToKoi{};
  std::array<unsigned char, 256> koiToWin{};
  Tables() {
    for (int i = 0; i < 256; ++i) winToKoi[i] = koiToWin[i] = static_cast<unsigned char>(i);
    for (int i = 0; i < 32; ++i) {
      unsigned char winUp = 0xC0 + i, winLo = 0xE0 + i;
      unsigned char koiUp = kKoiUpper[i], koiLo = kKoiUpper[i] - 0x20;
      winToKoi[winUp] = koiUp;
      winToKoi[winLo] = koiLo;
      koiToWin[koiUp] = winUp;
      koiToWin[koiLo] = winLo;
    }
    winToKoi[0xA8] = 0xB3;  // Ё
    winToKoi[0xB8] = 0xA3;  // ё
    koiToWin[0xB3] = 0xA8;
    koiToWin[0xA3] = 0xB8;
  }
};

const Tables& T() {
  static const Tables t;
  return t;
}

}  // namespace

CodingWord DetectCodingOf(std::string_view data, bool retryFirstLF) {
  CodingWord w{kCodingUnknown, kBreakCRLF};
  if (data.size() <= 10) return w;

  std::string_view text = data.substr(0, std::min(data.size(), data.find('\0')));
  size_t searchStart = 0;
  size_t lf = text.find('\n');
  if (lf == 0 && retryFirstLF) {
    searchStart = 1;
    lf = text.find('\n', 1);
  }
  if (lf != std::string_view::npos && lf != searchStart && text[lf - 1] != '\r')
    w.LineBreak = kBreakLF;

  // One pass to count each byte value, then the letter ranges from the counts.
  std::array<long, 256> n{};
  for (unsigned char b : data) ++n[b];
  auto sum = [&](int from, int to) {
    long s = 0;
    for (int b = from; b <= to; ++b) s += n[static_cast<size_t>(b)];
    return s;
  };
  long upperWin = sum(0xC0, 0xDF), lowerWin = sum(0xE0, 0xFF);
  long wu = n[0xA8] + upperWin;
  long wl = n[0xB8] + lowerWin;
  long ku = n[0xB3] + lowerWin;
  long kl = n[0xA3] + upperWin;
  long W = wu + wl, K = ku + kl;
  if (W > 0 && K > 0) {
    w.Coding = kCodingWin;
    if (W < K || (W == K && wl < kl)) w.Coding = kCodingKoi;
  }
  return w;
}

bool CodingDecided(std::string_view data) {
  bool low = false, high = false;
  for (unsigned char b : data) {
    low = low || (b >= 0xC0 && b <= 0xDF);
    high = high || b >= 0xE0;
    if (low && high) return true;
  }
  return false;
}

CodingWord DetectFileCoding(const std::filesystem::path& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return kDefaultCodingWord;
  std::string head(1000, '\0');
  f.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(f.gcount()));
  return DetectCodingOf(head, false);
}

void WinToKoi(std::string& s) {
  const auto& t = T().winToKoi;
  for (char& c : s) c = static_cast<char>(t[static_cast<unsigned char>(c)]);
}

void KoiToWin(std::string& s) {
  const auto& t = T().koiToWin;
  for (char& c : s) c = static_cast<char>(t[static_cast<unsigned char>(c)]);
}

}  // namespace zm
