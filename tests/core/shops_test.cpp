#include "model/shops.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <locale>
#include <map>

#include "common/coding.h"
#include "common/dictionaries.h"
#include "core/testutil.h"
#include "io/recordfile.h"
#include "model/world.h"

namespace zm {
namespace {

using test::ReadFile;
using test::RecordingReporter;
using test::TempDir;
using test::WriteFile;

// A plain record (two factors, no exchange list) and an extended one.
std::string ShopFile() {
  return test::TestData("shop/plain-and-extended/SHP/40.shp");
}

struct ShopWorld {
  TempDir dir;
  RecordingReporter rep;
  test::FakeTree sink;
  Dictionaries bases{dir / "Bases"};
  World w{rep, &sink, &bases};

  ShopWorld() {
    WriteFile(dir / "Bases" / "Type", W("5 Оружие\n9 Посох\n"));
    bases.AddNamed("Type", "shopbuytype", "S_BuyComboBox", 0, false, rep);
    bases.AddNamed("Type", "shopchangetype", "S_ChangeComboBox", 0, false, rep);
    sink.groups = {{40, kShop}};
  }
  bool Load(const std::string& bytes, const std::string& name = "40.shp") {
    WriteFile(dir / name, bytes);
    return LoadRecordFile(w, kShop, dir / name);
  }
  TShop& Shop(int32_t vnum) { return *w.Shops.Find(vnum); }
};

std::vector<int32_t> Ints(const TIntList& l) {
  std::vector<int32_t> v;
  for (const auto& i : l) v.push_back(i->Value);
  return v;
}

TEST(ShopFile, TypesHaveTheirDictionaryTexts) {
  ShopWorld s;
  ASSERT_TRUE(s.Load(ShopFile()));
  EXPECT_EQ(s.Shop(4000).BuyTypes, (std::vector<std::string>{W("5=Оружие"), W("-1=меч")}));
  EXPECT_EQ(s.Shop(4002).BuyTypes, (std::vector<std::string>{W("9=Посох")}));
  // With no dictionaries loaded a type has no text.
  RecordingReporter rep;
  World w(rep);
  ASSERT_TRUE(LoadRecordBytes(w, kShop, ShopFile(), "40.shp"));
  EXPECT_EQ(w.Shops.Find(4000)->BuyTypes, (std::vector<std::string>{"5=", W("-1=меч")}));
}

TEST(ShopFile, FactorsIgnoreTheProcessLocale) {
  std::locale saved;
  bool set = false;
  for (const char* n : {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8"}) {
    try {
      std::locale::global(std::locale(n));
      std::setlocale(LC_ALL, n);
      set = true;
      break;
    } catch (const std::runtime_error&) {
    }
  }
  if (!set) GTEST_SKIP() << "no comma-decimal locale installed";
  ShopWorld s;
  bool loaded = s.Load(ShopFile());
  std::vector<std::string> lines;
  BuildRecordLines(s.w, kShop, 40, lines);
  std::locale::global(saved);
  std::setlocale(LC_ALL, "C");
  ASSERT_TRUE(loaded);
  EXPECT_DOUBLE_EQ(s.Shop(4000).SellCoeff, 1.15);
  ASSERT_GT(lines.size(), 6u);
  EXPECT_EQ(lines[5], "1.15");
  EXPECT_EQ(lines[6], "0.80");
}

// A file cut short ends with an error line; only whole records are kept.
TEST(ShopFile, BrokenFilesEndWithAnErrorLine) {
  const std::string full = ShopFile();
  const size_t first = full.find("#4000"), second = full.find("#4002");
  // The last hour of each record ends just before the next "#" or "$".
  const size_t end = full.size() - 5;
  for (size_t n = 0; n <= full.size(); ++n) {
    SCOPED_TRACE(n);
    RecordingReporter rep;
    World w(rep);
    bool ok = LoadRecordBytes(w, kShop, full.substr(0, n), "40.shp");
    EXPECT_EQ(ok, rep.loadErrors.empty());
    EXPECT_EQ(w.Shops.Count(), n >= end ? 2 : n >= second - 1 ? 1 : 0);
    if ((n > first && n < second - 1) || (n > second && n < end)) {
      EXPECT_FALSE(ok);
    }
  }

  struct Case {
    const char* name;
    const char* text;
    int line;
  } cases[] = {
      {"goods without -1", "x~\n#4000~\n100\n101\n", 4},
      {"the record line last", "x~\n#4000~\n", 2},
      {"buy types without -1", "x~\n#4000 E~\n-1\n1.0\n1.0\n1.0\n5\n", 7},
      {"goods not a number", "x~\n#4000~\n100\nмеч\n-1\n", 4},
      {"record line without digits", "x~\n#~\n", 2},
      {"hour beyond a byte",
       "x~\n#4000 E~\n-1\n1\n1\n1\n-1\n-1\n~\n~\n~\n~\n~\n~\n~\n0\n0\n1\n0\n-1\n0\n300\n0\n0\n",
       22},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingReporter rep;
    World w(rep);
    EXPECT_FALSE(LoadRecordBytes(w, kShop, W(c.text), "SHP/40.shp"));
    EXPECT_EQ(rep.loadErrors, std::vector<std::string>{W("Не могу загрузить магазин из файла "
                                                         "SHP/40.shp (Ошибка в строке ") +
                                                       IntText(c.line) + ")"});
    EXPECT_EQ(w.Shops.Count(), 0);
  }

  RecordingReporter rep;
  World w(rep);
  EXPECT_FALSE(LoadRecordFile(w, kShop, "/nonexistent/40.shp"));
  EXPECT_EQ(rep.loadErrors,
            std::vector<std::string>{
                W("Не могу загрузить магазин из файла "
                  "/nonexistent/40.shp (Не смог открыть файл: No such file or directory)")});
}

TEST(ShopFile, FactorLines) {
  struct Case {
    const char* sell;
    double value;
    bool reported;
  } cases[] = {{"1.5", 1.5, false}, {"1,15", 1.15, false}, {" 2.00 ", 2.0, false}, {"", 1.0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sell);
    std::string file = ShopFile();
    file.replace(file.find("1.15"), 4, W(c.sell));
    RecordingReporter rep;
    World w(rep);
    EXPECT_TRUE(LoadRecordBytes(w, kShop, file, "40.shp"));
    // A bad factor is left out and told of, but does not stop the file.
    ASSERT_EQ(w.Shops.Count(), 2);
    EXPECT_DOUBLE_EQ(w.Shops.Find(4000)->SellCoeff, c.value);
    ASSERT_EQ(rep.loadErrors.size(), c.reported ? 1u : 0u);
    if (c.reported) {
      EXPECT_NE(rep.loadErrors[0].find(W("первая в строке 7")), std::string::npos);
    }
  }
}

TEST(ShopFile, ReadingAVnumAgainFillsTheSameShopAndNode) {
  ShopWorld s;
  auto mob = std::make_unique<TMob>(40, 4009);
  mob->Names[0] = W("Торговец");
  s.w.Mobs.Append(std::move(mob));
  ASSERT_TRUE(s.Load(ShopFile()));
  ASSERT_EQ(s.sink.entries.size(), 2u);
  EXPECT_EQ(s.sink.entries[0].caption, W("[4000] Торговец"));
  EXPECT_EQ(s.sink.entries[1].caption, W("[4002] Неизвестный"));
  EXPECT_EQ(s.sink.entries[1].group, std::make_pair(40, kShop));

  TShop& b = s.Shop(4002);
  b.ChangeCoeff = 2.0;
  // A plain record of the same vnum: no third factor, so the shop keeps its own.
  std::string plain = ShopFile();
  plain.replace(plain.find("#4000~"), 6, "#4002~");
  plain.resize(plain.find("#4002 E~"));
  ASSERT_TRUE(s.Load(plain, "again.shp"));
  ASSERT_EQ(s.w.Shops.Count(), 2);
  EXPECT_EQ(Ints(b.Goods), (std::vector<int32_t>{100, 101}));
  EXPECT_DOUBLE_EQ(b.ChangeCoeff, 2.0);
  EXPECT_TRUE(b.ChangeTypes.empty());
  EXPECT_EQ(b.Keeper, 4009);
  ASSERT_EQ(s.sink.entries.size(), 2u);
  EXPECT_EQ(s.sink.entries[1].caption, W("[4002] Торговец"));
  // The zone's file stays the one read first.
  EXPECT_EQ(s.w.Zones.ByNumber(40)->ShopFilename.Path, s.dir / "40.shp");
}

TEST(ShopFile, ShopsThatCannotBeWrittenKeepTheOldFile) {
  struct Case {
    const char* name;
    void (*spoil)(TShop&);
  } cases[] = {
      {"message with a line break", [](TShop& s) { s.Messages[3] = "a\r\nb"; }},
      {"keyword with a line break", [](TShop& s) { s.BuyTypes.push_back("-1=a\nb"); }},
      {"type key not a number", [](TShop& s) { s.ChangeTypes.push_back("x=y"); }},
      {"factor not finite", [](TShop& s) { s.BuyCoeff = std::numeric_limits<double>::infinity(); }},
      {"a room -1, which ends the list", [](TShop& s) { s.Rooms.Add(-1); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShopWorld s;
    ASSERT_TRUE(s.Load(ShopFile()));
    c.spoil(s.Shop(4002));
    EXPECT_FALSE(SaveRecordFile(s.w, kShop, 40));
    ASSERT_EQ(s.rep.errors.size(), 1u);
    EXPECT_EQ(s.rep.errors[0].n, 15);
    EXPECT_EQ(s.rep.errors[0].text, W("Не могу сохранить магазины для зоны 40\r\nФайл ") +
                                        (s.dir / "40.shp").string() +
                                        W(": ошибка в магазине 4002"));
    EXPECT_EQ(ReadFile(s.dir / "40.shp"), ShopFile());
  }

  ShopWorld s;
  ASSERT_TRUE(s.Load(ShopFile()));
  EXPECT_FALSE(SaveRecordFile(s.w, kShop, 40, s.dir / "no" / "such" / "40.shp"));
  ASSERT_EQ(s.rep.errors.size(), 1u);
  EXPECT_EQ(s.rep.errors[0].n, 15);
}

// Real shop files, when they are on this machine: a second save repeats the
// first byte for byte.
TEST(ShopFile, RealFilesSettleAfterOneSave) {
  auto dir = test::RealWorld() / "bylins" / "shp";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no real world at " << dir;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (e.path().extension() != ".shp") continue;
    SCOPED_TRACE(e.path().string());
    TempDir tmp;
    RecordingReporter rep;
    World w(rep), w2(rep);
    EXPECT_TRUE(LoadRecordFile(w, kShop, e.path()));
    int32_t zone = std::stoi(e.path().stem().string());
    ASSERT_TRUE(SaveRecordFile(w, kShop, zone, tmp / "a.shp"));
    ASSERT_TRUE(LoadRecordFile(w2, kShop, tmp / "a.shp"));
    ASSERT_EQ(w2.Shops.Count(), w.Shops.Count());
    for (int i = 0; i < w.Shops.Count(); ++i) EXPECT_TRUE(*w2.Shops.Items(i) == *w.Shops.Items(i));
    ASSERT_TRUE(SaveRecordFile(w2, kShop, zone, tmp / "b.shp"));
    EXPECT_EQ(ReadFile(tmp / "b.shp"), ReadFile(tmp / "a.shp"));
    EXPECT_TRUE(rep.loadErrors.empty());
  }
}

}  // namespace
}  // namespace zm
