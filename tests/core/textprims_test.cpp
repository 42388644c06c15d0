#include <gtest/gtest.h>

#include <clocale>
#include <locale>

#include "common/coding.h"
#include "common/savelines.h"
#include "common/textutil.h"
#include "common/worldbuffer.h"
#include "core/testutil.h"

namespace zm {
namespace {

using test::ReadFile;
using test::TempDir;

TEST(WorldBuffer, LinesEndAtCRLFLoneCROrLF) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  };
  std::vector<Case> cases = {
      {"abc\r\ndef", {"abc", "def"}},
      {"abc\rdef", {"abc", "def"}},
      {"abc\n\ndef", {"abc", "", "def"}},
      {"ab\0c\ndef", {"ab", "def"}},
      {"x\n", {"x"}},
  };
  cases[3].bytes = std::string("ab\0c\ndef", 8);
  for (const auto& c : cases) {
    WorldBuffer b;
    b.LoadFromBytes(c.bytes);
    std::vector<std::string> got;
    while (!b.BufferEof()) got.push_back(b.ReadBufferLine());
    EXPECT_EQ(got, c.lines);
    EXPECT_EQ(b.Line(), static_cast<int>(c.lines.size()));
  }
}

TEST(WorldBuffer, WordsIntsAndRecordStarts) {
  WorldBuffer b;
  b.LoadFromBytes("12\r\n\r\nX");
  EXPECT_EQ(b.ReadBufferWord(kLineEnds), "12");
  EXPECT_EQ(b.Peek(), 'X');
  EXPECT_EQ(b.Line(), 1);

  b.LoadFromBytes("-17 abc 99999999999");
  EXPECT_EQ(b.ReadBufferInt(kBlanks), -17);
  EXPECT_THROW(b.ReadBufferInt(kBlanks), ParseError);
  EXPECT_THROW(b.ReadBufferInt(kBlanks), ParseError);  // overflow
  EXPECT_TRUE(b.BufferEof());
  EXPECT_THROW(b.ReadBufferInt(kBlanks), ParseError);  // nothing left

  b.LoadFromBytes("#1\nname # not a record\n#2\n");
  ASSERT_TRUE(b.SeekRecordStart());
  b.Skip();
  EXPECT_EQ(b.ReadBufferLine(), "1");
  ASSERT_TRUE(b.SeekRecordStart());
  b.Skip();
  EXPECT_EQ(b.ReadBufferLine(), "2");
  EXPECT_FALSE(b.SeekRecordStart());

  b.LoadFromBytes(std::string("ab\0~", 4));
  EXPECT_EQ(b.SeekBufferChar('~'), -1);
  b.LoadFromBytes("ab~");
  EXPECT_EQ(b.SeekBufferChar('~'), 2);
}

TEST(WorldBuffer, LongLinesAndTokensAreWhole) {
  std::string longWord(5000, 'a');
  std::string longLine(20000, 'b');
  WorldBuffer b;
  b.LoadFromBytes(longWord + " " + longLine + "\n");
  EXPECT_EQ(b.ReadBufferWord(kBlanks), longWord);
  EXPECT_EQ(b.ReadBufferLine(), longLine);
}

TEST(WorldBuffer, OpenFailureAndErrorTexts) {
  WorldBuffer b;
  EXPECT_THROW(b.LoadWorldBuffer("/nonexistent/zemlemer/x.wld"), FileError);
  EXPECT_EQ(b.Line(), -1);
  EXPECT_EQ(LineErrorText(-1), W("Не смог открыть файл"));
  EXPECT_EQ(LineErrorText(-2), W("Не смог закрыть файл"));
  EXPECT_EQ(LineErrorText(14), W("Ошибка в строке 14"));
}

TEST(Coding, Detection) {
  std::string ruWin = W("Комната у ворот города\r\nСтражник стоит тут.\r\n");
  std::string ruKoi = W("Комната у ворот города\nСтражник стоит тут.\n");
  WinToKoi(ruKoi);
  struct Case {
    std::string bytes;
    CodingWord want;
  };
  std::vector<Case> cases = {
      {"\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\n\xE0", {0, 1}},  // ten bytes: undetermined
      {ruKoi, {2, 0}},
      {ruWin, {1, 1}},
      {"#3001\nA room in plain Latin\n", {0, 0}},
      {"#3001\r\nA room in plain Latin\r\n", {0, 1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetectCodingOf(c.bytes, true), c.want) << c.bytes;
    TempDir d;
    test::WriteFile(d / "f", c.bytes);
    EXPECT_EQ(DetectFileCoding(d / "f"), c.want);
  }
  // An LF in the very first byte: only the whole-buffer detection looks past it.
  std::string lead = "\nabcdefghij\nklm";
  EXPECT_EQ(DetectCodingOf(lead, true).LineBreak, 0);
  EXPECT_EQ(DetectCodingOf(lead, false).LineBreak, 1);
}

TEST(Coding, KoiConversionKeepsYo) {
  std::string s = W("Ёжик и ёлка, Щука");
  std::string k = s;
  WinToKoi(k);
  EXPECT_EQ(static_cast<unsigned char>(k[0]), 0xB3);
  EXPECT_EQ(static_cast<unsigned char>(k[1]), 0xD6);
  KoiToWin(k);
  EXPECT_EQ(k, s);
  std::string old = "\xA8\xB8";  // older files carry Ё/ё as Windows-1251 bytes
  KoiToWin(old);
  EXPECT_EQ(old, "\xA8\xB8");
}

TEST(SaveLines, KoiFileWithYoReadsBackAsKoi) {
  TempDir d;
  std::vector<std::string> lines = {W("Ёжик и ёлка"), W("Ёж\r\nвторая\nтретья")};
  ASSERT_TRUE(SaveLines(d / "a.wld", lines, {kCodingKoi, kBreakLF}));
  std::string bytes = ReadFile(d / "a.wld");
  EXPECT_EQ(bytes.substr(0, 2), "\xB3\xD6");
  EXPECT_EQ(bytes.find('\r'), std::string::npos);
  EXPECT_EQ(DetectFileCoding(d / "a.wld"), (CodingWord{kCodingKoi, kBreakLF}));

  WorldBuffer b;
  b.LoadWorldBuffer(d / "a.wld");
  b.SetCoding(b.DetectCoding().Coding);
  EXPECT_EQ(b.ReadBufferLine(), W("Ёжик и ёлка"));
  EXPECT_EQ(b.ReadBufferLine(), W("Ёж"));
  EXPECT_EQ(b.ReadBufferLine(), W("вторая"));

  std::vector<std::string> one = {W("Ёж")};
  ASSERT_TRUE(SaveLines(d / "b", one, {kCodingKoi, kBreakLF}));
  EXPECT_EQ(ReadFile(d / "b"), "\xB3\xD6\n");
}

TEST(SaveLines, WindowsLinesStayAsTheyAre) {
  TempDir d;
  std::vector<std::string> lines = {W("Ёж"), "a\r\nb"};
  ASSERT_TRUE(SaveLines(d / "w", lines, {kCodingWin, kBreakCRLF}));
  EXPECT_EQ(ReadFile(d / "w"), W("Ёж") + "\r\na\r\nb\r\n");
  ASSERT_TRUE(SaveLines(d / "u", lines, {kCodingUnknown, kBreakLF}));
  EXPECT_EQ(ReadFile(d / "u"), W("Ёж") + "\na\r\nb\n");
}

TEST(SaveLines, FailureLeavesOldFileUntouched) {
  TempDir d;
  test::WriteFile(d / "z.zon", "old contents\n");
  std::vector<std::string> lines = {"new"};
  // A folder in the way of the temporary file makes the write fail.
  std::filesystem::create_directories(d / "z.zon.zemlemer-tmp");
  std::string err;
  EXPECT_FALSE(SaveLines(d / "z.zon", lines, kDefaultCodingWord, &err));
  EXPECT_FALSE(err.empty());
  EXPECT_EQ(ReadFile(d / "z.zon"), "old contents\n");
  EXPECT_FALSE(SaveLines(d / "gone" / "WLD" / "x.wld", lines, kDefaultCodingWord, &err));
  EXPECT_FALSE(std::filesystem::exists(d / "gone"));
  EXPECT_TRUE(SaveLines(d / "SHP" / "x.shp", lines, kDefaultCodingWord, &err));
  EXPECT_EQ(ReadFile(d / "SHP" / "x.shp"), "new\r\n");
}

TEST(TextUtil, WordsCaptionsAndVnums) {
  std::string s = "  12\t 34 rest";
  EXPECT_EQ(NextWord(s, kBlanks), "12");
  EXPECT_EQ(s, "34 rest");
  std::string t = "a,,b";
  EXPECT_EQ(NextWord(t, ",", true, false), "a");
  EXPECT_EQ(t, ",b");
  std::string u = "abc";
  EXPECT_EQ(NextWord(u, ",", false, true), "abc");
  EXPECT_EQ(u, "abc");

  EXPECT_EQ(StripLineEnd("ab\r\n\r\n"), "ab");
  EXPECT_EQ(NodeCaption(1203, W("Таверна")), W("[1203] Таверна"));
  EXPECT_EQ(ZoneOf(1203), 12);
  EXPECT_EQ(ZoneOf(-99), 0);
  EXPECT_EQ(MakeVnum(5, 12), 1205);
  EXPECT_EQ(VnumText(0), "");
  EXPECT_EQ(VnumText(-4), "");
  EXPECT_EQ(VnumText(3001), "3001");
  EXPECT_EQ(LettersToPlanes("abc"), "a0b0c0");
  EXPECT_EQ(BitVectorText(""), "0");
  EXPECT_EQ(BitVectorFromText("0"), "");
  EXPECT_EQ(BitVectorFromText("a0b1"), "a0b1");
}

TEST(TextUtil, Dice) {
  struct Case {
    const char* text;
    bool ok;
    TDice want;
  };
  std::vector<Case> cases = {
      {"3d8+20", true, {3, 8, 20}}, {"3d8+-2", true, {3, 8, -2}}, {"0d0+0", true, {0, 0, 0}},
      {"3d8", false, {}},           {"xd8+1", false, {}},         {"", false, {}},
  };
  for (const auto& c : cases) {
    TDice d;
    EXPECT_EQ(ReadDice(c.text, d), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(d, c.want) << c.text;
    }
  }
  EXPECT_EQ(DiceText({3, 8, -2}), "3d8+-2");
}

TEST(TextUtil, HugeFactorsAreWrittenWhole) {
  // A factor a file carries must come back from its text as it was.
  for (double v : {1e90, -1.5e300, 1.7976931348623157e308, 12345678901234567890.0}) {
    SCOPED_TRACE(v);
    const std::string t = FloatText(v, 2);
    double back = 0;
    ASSERT_TRUE(ParseFloat(t, back)) << t;
    EXPECT_EQ(back, v);
  }
}

TEST(TextUtil, NumbersIgnoreTheProcessLocale) {
  const char* names[] = {"ru_RU.UTF-8", "de_DE.UTF-8", "ru_RU.utf8"};
  std::locale saved;
  bool set = false;
  for (const char* n : names) {
    try {
      std::locale::global(std::locale(n));
      std::setlocale(LC_ALL, n);
      set = true;
      break;
    } catch (const std::runtime_error&) {
    }
  }
  if (!set) GTEST_SKIP() << "no comma-decimal locale installed";
  EXPECT_EQ(FloatText(1.15, 2), "1.15");
  EXPECT_EQ(FloatText(0.8, 2), "0.80");
  double v = 0;
  EXPECT_TRUE(ParseFloat("1.15", v));
  EXPECT_DOUBLE_EQ(v, 1.15);
  EXPECT_FALSE(ParseFloat("1,15", v));
  EXPECT_EQ(IntText(-1234567), "-1234567");
  int32_t n = 0;
  EXPECT_TRUE(ParseInt("-1234567", n));
  EXPECT_EQ(n, -1234567);
  std::locale::global(saved);
  std::setlocale(LC_ALL, "C");
}

TEST(Cp1251, Utf8RoundTrip) {
  std::string utf8 = "Ёжик №5 «ёлка» — Щ";
  std::string win = Utf8ToWin(utf8);
  EXPECT_EQ(win.size(), 18u);
  EXPECT_EQ(static_cast<unsigned char>(win[0]), 0xA8);
  EXPECT_EQ(WinToUtf8(win), utf8);
  EXPECT_EQ(Utf8ToWin("日本"), "??");
  EXPECT_EQ(Utf8ToWin("\xC3"), "?");  // cut-off sequence
  EXPECT_TRUE(WinEqualNoCase(W("Ёж A1"), W("ёЖ a1")));
}

}  // namespace
}  // namespace zm
