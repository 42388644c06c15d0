// The world-file primitives over arbitrary bytes: every loop below must end,
// and nothing may read outside the buffer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/coding.h"
#include "common/textutil.h"
#include "common/worldbuffer.h"

namespace {

using namespace zm;

// Delimiter sets the readers use, picked by a byte of the input.
constexpr std::string_view kSets[] = {kBlanks, kLineEnds, " \t\r\n", "~", "d", "+", ":", "|", ""};

void driveBuffer(std::string_view bytes, uint8_t selector) {
  WorldBuffer b;
  b.LoadFromBytes(std::string(bytes));
  b.SetCoding(selector & 1 ? kCodingKoi : kCodingWin);
  (void)b.DetectCoding();

  // A step that does not move the cursor steps over one byte instead, so a
  // zero byte (where words and SeekBufferChar stop) cannot hold the loop.
  size_t steps = 0;
  while (!b.BufferEof() && steps++ < 4 * bytes.size() + 16) {
    size_t before = b.Pos();
    switch ((selector + steps) % 6) {
      case 0:
        (void)b.ReadBufferLine();
        break;
      case 1:
        (void)b.ReadBufferWord(kSets[(selector + steps) % std::size(kSets)]);
        break;
      case 2:
        try {
          (void)b.ReadBufferInt(kSets[steps % std::size(kSets)]);
        } catch (const ParseError&) {
        }
        break;
      case 3:
        if (b.SeekRecordStart()) b.Skip();
        break;
      case 4:
        (void)b.SeekBufferChar(static_cast<char>(bytes[before]));
        b.Skip();
        break;
      default:
        (void)b.Peek();
        break;
    }
    if (b.Pos() == before) b.Skip();
  }
}

void driveStrings(std::string_view bytes, uint8_t selector) {
  std::string s(bytes);
  size_t words = 0;
  while (!s.empty() && words++ <= bytes.size()) {
    size_t before = s.size();
    (void)NextWord(s, kSets[(selector + words) % std::size(kSets)], true, (words & 1) != 0);
    if (s.size() == before) break;
  }
  std::string t(bytes);
  (void)NextWord(t, kBlanks, false, false);

  TDice d;
  (void)ReadDice(bytes, d);
  (void)StripLineEnd(bytes);
  (void)LettersToPlanes(bytes.substr(0, 64));

  std::string k(bytes);
  KoiToWin(k);
  WinToKoi(k);
  (void)DetectCodingOf(bytes, selector & 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  driveBuffer(bytes, data[0]);
  driveStrings(bytes, data[0]);
  return 0;
}
