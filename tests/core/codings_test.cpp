// Every file of a zone keeps its own coding and line break through a load and
// a save; a file whose letters cannot tell takes its zone's.
#include <gtest/gtest.h>

#include "common/coding.h"
#include "core/testutil.h"
#include "load/loadworld.h"
#include "load/saving.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

// UTF-8 text as a file's bytes: Windows-1251 or KOI8-R, LF or CR LF.
std::string Bytes(const std::string& utf8, uint8_t coding, uint8_t lineBreak) {
  std::string s = W(utf8);
  if (coding == kCodingKoi) WinToKoi(s);
  std::string out;
  for (char c : s) {
    if (c == '\n' && lineBreak == kBreakCRLF) out += '\r';
    out += c;
  }
  return out;
}

struct File {
  const char* path;
  const char* utf8;
  CodingWord word;
};

constexpr CodingWord kWinCrlf{kCodingWin, kBreakCRLF}, kKoiLf{kCodingKoi, kBreakLF},
    kKoiCrlf{kCodingKoi, kBreakCRLF}, kWinLf{kCodingWin, kBreakLF};

// Rooms with both cases of letters, so their own coding is plain to see.
constexpr const char* kRooms =
    "* Korvask room file v1.0\n#5000\nТихая Поляна~\nТрава и Цветы.\n~\n50 0 0\nS\n$\n$\n";

// An object whose name the zone file's comment lines repeat.
constexpr const char* kSword =
    "#5000\nмеч~\nмеч~\nмеча~\nмечу~\nмеч~\nмечом~\nмече~\nМеч лежит здесь.~\n~\n"
    "0 0 0 0\n0 0 0 0\n0 0 0\n5 0 a0\n0 0 0 0\n1 1 1 1\n$\n$\n";

TEST(Codings, EachFileKeepsItsOwnAndUndecidedOnesTakeTheZones) {
  struct Case {
    const char* name;
    std::vector<File> files;
    // What the zone file and the room file are written in.
    CodingWord zoneWord, roomWord;
    const char* zoneName;
  } cases[] = {
      {"a Windows-1251 room file beside a KOI8-R zone file",
       {{"ZON/50.zon", "#50\nЛесная Опушка~\n5099 10 2\nS\n$\n$\n", kKoiCrlf},
        {"WLD/50.wld", kRooms, kWinCrlf}},
       kKoiCrlf,
       kWinCrlf,
       "Лесная Опушка"},
      {"a KOI8-R zone with a Latin name",
       {{"ZON/50.zon", "#50\nForest~\n5099 10 2\nO 0 5000 1 5000 100\nS\n$\n$\n", kKoiLf},
        {"WLD/50.wld", kRooms, kKoiLf},
        {"OBJ/50.obj", kSword, kKoiLf}},
       kKoiLf,
       kKoiLf,
       "Forest"},
      {"a KOI8-R zone named in capitals",
       {{"ZON/50.zon", "#50\nЛЕС~\n5099 10 2\nS\n$\n$\n", kKoiLf}, {"WLD/50.wld", kRooms, kKoiLf}},
       kKoiLf,
       kKoiLf,
       "ЛЕС"},
      {"a room file with LF beside a zone file with CR LF",
       {{"ZON/50.zon", "#50\nЛесная Опушка~\n5099 10 2\nS\n$\n$\n", kWinCrlf},
        {"WLD/50.wld", kRooms, kWinLf}},
       kWinCrlf,
       kWinLf,
       "Лесная Опушка"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    for (const File& f : c.files)
      WriteFile(dir / f.path, Bytes(f.utf8, f.word.Coding, f.word.LineBreak));
    // Twice: the comment lines the first save writes must not flip the coding.
    for (int round = 0; round < 2; ++round) {
      test::RecordingReporter rep;
      World w(rep);
      EXPECT_EQ(LoadWorld(w, dir.path()), 0);
      const TZone* z = w.Zones.ByNumber(50);
      ASSERT_NE(z, nullptr);
      EXPECT_EQ(z->Name, W(c.zoneName)) << "round " << round;
      ASSERT_TRUE(SaveWholeZone(w, 50).ok);
      EXPECT_EQ(ReadFile(dir / "WLD/50.wld"),
                Bytes(kRooms, c.roomWord.Coding, c.roomWord.LineBreak));
      const std::string zone = ReadFile(dir / "ZON/50.zon");
      EXPECT_NE(zone.find(Bytes(std::string("\n") + c.zoneName + "~", c.zoneWord.Coding,
                                c.zoneWord.LineBreak)),
                std::string::npos)
          << "round " << round;
    }
  }
}

}  // namespace
}  // namespace zm
