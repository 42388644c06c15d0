#include "world/shops.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <locale>
#include <map>

#include "common/bases.h"
#include "common/coding.h"
#include "core/testutil.h"
#include "load/world.h"

namespace zm {
namespace {

using test::ReadFile;
using test::RecordingReporter;
using test::TempDir;
using test::WriteFile;

// Group nodes per (zone, kind); entry nodes remember their group and caption.
class FakeSink : public TreeSink {
 public:
  struct Entry {
    NodeHandle group;
    std::string caption;
  };
  std::map<std::pair<int32_t, int>, int> groups;
  std::vector<Entry> entries;

  NodeHandle FindGroupNode(int32_t zone, RecordKind kind) override {
    auto it = groups.find({zone, kind});
    return it == groups.end() ? nullptr : &it->second;
  }
  NodeHandle AddEntryNode(NodeHandle group, const std::string& caption, TMUDClass*) override {
    entries.push_back({group, caption});
    return reinterpret_cast<NodeHandle>(entries.size());
  }
  void SetCaption(NodeHandle node, const std::string& caption) override {
    entries[reinterpret_cast<size_t>(node) - 1].caption = caption;
  }
  int ChildCount(NodeHandle) override { return 0; }
  NodeHandle AddZoneNodes(TMUDClass*, const std::string&, TMUDClass*) override { return nullptr; }
  void RemoveNode(NodeHandle) override {}
};

std::string Lf(std::string_view utf8) {
  return W(utf8);
}
std::string Crlf(std::string_view utf8) {
  std::string out;
  for (char c : W(utf8)) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A plain record (two factors, no exchange list) and an extended one.
const char* kShopFile = R"(CircleMUD v3.0 Shop File~
#4000~
100

101
-1
1.15
0.8
5
меч~
-1
%s Нет такого.~
%s У тебя нет этого.~
%s Не покупаю.~
%s Нет денег.~
%s У тебя нет денег!~
%s С тебя %d.~
%s Держи %d.~
-1
a0
4009
0
4054
4055
-1
0
28
0
0
#4002 E~
163
-1
1.00
0.33
1.25
9
-1
5
посох~
-1

%s Этого нет в списке товаров!~
%s Извините, я это не покупаю!~
%s Извините, я это не покупаю!~
%s Сейчас у меня нет денег!~
%s У вас нет столько денег!~
%s Это будет стоить %d.~
%s Теперь у Вас есть %d!~
2
0
4003
b1
4030
-1
6
20
21
23
$~
)";

// The same shops as the editor writes them.
const char* kShopWritten = R"(CircleMUD v3.0 Shop File~
#4000 E~
100
101
-1
1.15
0.80
1.00
5
меч~
-1
-1
%s Нет такого.~
%s У тебя нет этого.~
%s Не покупаю.~
%s Нет денег.~
%s У тебя нет денег!~
%s С тебя %d.~
%s Держи %d.~
-1
a0
4009
0
4054
4055
-1
0
28
0
0
#4002 E~
163
-1
1.00
0.33
1.25
9
-1
5
посох~
-1
%s Этого нет в списке товаров!~
%s Извините, я это не покупаю!~
%s Извините, я это не покупаю!~
%s Сейчас у меня нет денег!~
%s У вас нет столько денег!~
%s Это будет стоить %d.~
%s Теперь у Вас есть %d!~
2
0
4003
b1
4030
-1
6
20
21
23
$
$
~
)";

struct ShopWorld {
  TempDir dir;
  RecordingReporter rep;
  FakeSink sink;
  TBasesList bases{dir / "Bases"};
  World w{rep, &sink, &bases};

  ShopWorld() {
    WriteFile(dir / "Bases" / "Type", W("5 Оружие\n9 Посох\n"));
    bases.AddNamed("Type", "shopbuytype", "S_BuyComboBox", 0, false, rep);
    bases.AddNamed("Type", "shopchangetype", "S_ChangeComboBox", 0, false, rep);
    sink.groups[{40, kShop}] = 0;
  }
  bool Load(const std::string& bytes, const std::string& name = "40.shp") {
    WriteFile(dir / name, bytes);
    return w.Shops.LoadFromFile(w, dir / name);
  }
  TShop& Shop(int32_t vnum) { return *w.Shops.Find(vnum); }
};

std::vector<int32_t> Ints(const TIntList& l) {
  std::vector<int32_t> v;
  for (const auto& i : l) v.push_back(i->Value);
  return v;
}

TEST(ShopFile, ReadsPlainAndExtendedRecords) {
  ShopWorld s;
  ASSERT_TRUE(s.Load(Lf(kShopFile)));
  EXPECT_TRUE(s.rep.loadErrors.empty());
  ASSERT_EQ(s.w.Shops.Count(), 2);

  const TShop& a = s.Shop(4000);
  EXPECT_EQ(a.Kind, kShop);
  EXPECT_EQ(a.Zone, 40);
  EXPECT_EQ(Ints(a.Goods), (std::vector<int32_t>{100, 101}));
  EXPECT_DOUBLE_EQ(a.SellCoeff, 1.15);
  EXPECT_DOUBLE_EQ(a.BuyCoeff, 0.8);
  EXPECT_DOUBLE_EQ(a.ChangeCoeff, 1.0);
  EXPECT_EQ(a.BuyTypes, (std::vector<std::string>{W("5=Оружие"), W("-1=меч")}));
  EXPECT_TRUE(a.ChangeTypes.empty());
  EXPECT_EQ(a.Messages[0], W("%s Нет такого."));
  EXPECT_EQ(a.Messages[6], W("%s Держи %d."));
  EXPECT_EQ(a.Temper, -1);
  EXPECT_EQ(a.ShopFlags, "a0");
  EXPECT_EQ(a.Keeper, 4009);
  EXPECT_EQ(a.NotSellTo, "");
  EXPECT_EQ(Ints(a.Rooms), (std::vector<int32_t>{4054, 4055}));
  EXPECT_EQ(std::vector<int>({a.Open1, a.Close1, a.Open2, a.Close2}),
            std::vector<int>({0, 28, 0, 0}));

  const TShop& b = s.Shop(4002);
  EXPECT_DOUBLE_EQ(b.ChangeCoeff, 1.25);
  EXPECT_EQ(b.BuyTypes, (std::vector<std::string>{W("9=Посох")}));
  EXPECT_EQ(b.ChangeTypes, (std::vector<std::string>{W("5=Оружие"), W("-1=посох")}));
  EXPECT_EQ(b.Messages[0], W("%s Этого нет в списке товаров!"));
  EXPECT_EQ(b.Temper, 2);
  EXPECT_EQ(b.ShopFlags, "");
  EXPECT_EQ(b.NotSellTo, "b1");
  EXPECT_EQ(std::vector<int>({b.Open1, b.Close1, b.Open2, b.Close2}),
            std::vector<int>({6, 20, 21, 23}));

  const TZone& z = *s.w.Zones.ByNumber(40);
  EXPECT_EQ(z.ShopFilename.Path, s.dir / "40.shp");
  EXPECT_EQ(z.ShopFilename.Word(), (CodingWord{kCodingWin, kBreakLF}));
  EXPECT_FALSE(z.Registered);
}

TEST(ShopFile, WithoutDictionariesTypeTextsAreEmpty) {
  RecordingReporter rep;
  World w(rep);
  ASSERT_TRUE(w.Shops.LoadFromBytes(w, Lf(kShopFile), "40.shp"));
  EXPECT_EQ(w.Shops.Find(4000)->BuyTypes, (std::vector<std::string>{"5=", W("-1=меч")}));
}

TEST(ShopFile, WritesTheExtendedLayout) {
  ShopWorld s;
  ASSERT_TRUE(s.Load(Lf(kShopFile)));
  ASSERT_TRUE(s.w.Shops.SaveZone(s.w, 40, s.dir / "out.shp"));
  EXPECT_EQ(ReadFile(s.dir / "out.shp"), Lf(kShopWritten));

  // A new shop, and shops of other zones left out.
  RecordingReporter rep;
  World w(rep);
  w.Shops.Append(std::make_unique<TShop>(41, 4100));
  w.Shops.Append(std::make_unique<TShop>(40, 4010));
  std::vector<std::string> lines;
  EXPECT_EQ(w.Shops.BuildLines(w, lines, 40), 0);
  std::vector<std::string> expected = {
      "CircleMUD v3.0 Shop File~", "#4010 E~", "-1", "1.00", "1.00", "1.00", "-1", "-1"};
  for (int i = 0; i < 7; ++i) expected.push_back("~");
  for (const char* l : {"0", "0", "0", "0", "-1", "0", "0", "0", "0", "$", "$", "~"})
    expected.push_back(l);
  EXPECT_EQ(lines, expected);
}

TEST(ShopFile, SavedFilesLoadBackAndResaveByteForByte) {
  struct Case {
    uint8_t coding, lineBreak;
  } cases[] = {{kCodingWin, kBreakLF},
               {kCodingWin, kBreakCRLF},
               {kCodingKoi, kBreakLF},
               {kCodingKoi, kBreakCRLF}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.coding) << "/" << int(c.lineBreak));
    ShopWorld s;
    ASSERT_TRUE(s.Load(Lf(kShopFile)));
    TZone& z = *s.w.Zones.ByNumber(40);
    z.ShopFilename.Path = s.dir / "first.shp";
    z.ShopFilename.SetWord({c.coding, c.lineBreak});
    ASSERT_TRUE(s.w.Shops.SaveZone(s.w, 40));
    std::string first = ReadFile(s.dir / "first.shp");

    ShopWorld t;
    ASSERT_TRUE(t.Load(first, "again.shp"));
    EXPECT_EQ(t.w.Zones.ByNumber(40)->ShopFilename.Word(), (CodingWord{c.coding, c.lineBreak}));
    ASSERT_EQ(t.w.Shops.Count(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(*t.w.Shops.Items(i) == *s.w.Shops.Items(i));
    ASSERT_TRUE(t.w.Shops.SaveZone(t.w, 40));
    EXPECT_EQ(ReadFile(t.dir / "again.shp"), first);
  }
}

TEST(ShopFile, FactorsIgnoreTheProcessLocale) {
  const char* names[] = {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8"};
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
  ShopWorld s;
  bool loaded = s.Load(Lf(kShopFile));
  std::vector<std::string> lines;
  s.w.Shops.BuildLines(s.w, lines, 40);
  std::locale::global(saved);
  std::setlocale(LC_ALL, "C");
  ASSERT_TRUE(loaded);
  EXPECT_DOUBLE_EQ(s.Shop(4000).SellCoeff, 1.15);
  ASSERT_GT(lines.size(), 6u);
  EXPECT_EQ(lines[5], "1.15");
  EXPECT_EQ(lines[6], "0.80");
}

// Where a file is cut short, reading ends with an error line; only whole
// records are kept.
TEST(ShopFile, TruncatedFilesEndWithAnErrorLine) {
  const std::string full = Lf(kShopFile);
  const size_t second = full.find("#4002");
  for (size_t n = 0; n <= full.size(); ++n) {
    SCOPED_TRACE(n);
    RecordingReporter rep;
    World w(rep);
    bool ok = w.Shops.LoadFromBytes(w, full.substr(0, n), "40.shp");
    EXPECT_EQ(ok, rep.loadErrors.empty());
    // The last hour of each record ends just before the next "#" or "$".
    const size_t end = full.size() - 5;
    size_t whole = n >= end ? 2 : n >= second - 1 ? 1 : 0;
    if (n > second && n < end) EXPECT_FALSE(ok);
    if (n > full.find("#4000") && n < second - 1) EXPECT_FALSE(ok);
    EXPECT_EQ(static_cast<size_t>(w.Shops.Count()), whole);
  }

  struct Case {
    const char* name;
    const char* text;
    const char* error;
    int kept;
  } cases[] = {
      {"goods without -1", "x~\n#4000~\n100\n101\n", "Ошибка в строке 4", 0},
      {"the record line last", "x~\n#4000~\n", "Ошибка в строке 2", 0},
      {"buy types without -1", "x~\n#4000 E~\n-1\n1.0\n1.0\n1.0\n5\n", "Ошибка в строке 7", 0},
      {"goods not a number", "x~\n#4000~\n100\nмеч\n-1\n", "Ошибка в строке 4", 0},
      {"record line without digits", "x~\n#~\n", "Ошибка в строке 2", 0},
      {"hour beyond a byte",
       "x~\n#4000 E~\n-1\n1\n1\n1\n-1\n-1\n~\n~\n~\n~\n~\n~\n~\n0\n0\n1\n0\n-1\n0\n300\n0\n0\n",
       "Ошибка в строке 22", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingReporter rep;
    World w(rep);
    EXPECT_FALSE(w.Shops.LoadFromBytes(w, W(c.text), "SHP/40.shp"));
    ASSERT_EQ(rep.loadErrors.size(), 1u);
    EXPECT_EQ(rep.loadErrors[0],
              W("Не могу загрузить магазин из файла SHP/40.shp (") + W(c.error) + ")");
    EXPECT_EQ(w.Shops.Count(), c.kept);
  }

  RecordingReporter rep;
  World w(rep);
  EXPECT_FALSE(w.Shops.LoadFromFile(w, "/nonexistent/40.shp"));
  ASSERT_EQ(rep.loadErrors.size(), 1u);
  EXPECT_EQ(rep.loadErrors[0],
            W("Не могу загрузить магазин из файла /nonexistent/40.shp (Не смог открыть файл)"));
}

TEST(ShopFile, FactorLines) {
  struct Case {
    const char* sell;
    double value;
    bool reported;
  } cases[] = {{"1.5", 1.5, false},
               {"1,15", 1.15, false},
               {" 2.00 ", 2.0, false},
               {"дорого", 1.0, true},
               {"", 1.0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sell);
    std::string file = Lf(kShopFile);
    file.replace(file.find("1.15"), 4, W(c.sell));
    RecordingReporter rep;
    World w(rep);
    EXPECT_EQ(w.Shops.LoadFromBytes(w, file, "40.shp"), !c.reported);
    // A bad factor does not stop the file.
    ASSERT_EQ(w.Shops.Count(), 2);
    EXPECT_DOUBLE_EQ(w.Shops.Find(4000)->SellCoeff, c.value);
    EXPECT_EQ(rep.loadErrors.size(), c.reported ? 1u : 0u);
    if (c.reported) EXPECT_NE(rep.loadErrors[0].find(W("Ошибка в строке 7")), std::string::npos);
  }
}

TEST(ShopFile, ReadingAVnumAgainFillsTheSameShop) {
  ShopWorld s;
  ASSERT_TRUE(s.Load(Lf(kShopFile)));
  TShop& b = s.Shop(4002);
  b.ChangeCoeff = 2.0;
  b.Goods.Add(999);
  // The plain record carries no third factor: the shop keeps its own.
  std::string plain = Lf(kShopFile);
  plain.replace(plain.find("#4000~"), 6, "#4002~");
  plain.resize(plain.find("#4002 E~"));
  ASSERT_TRUE(s.Load(plain, "again.shp"));
  ASSERT_EQ(s.w.Shops.Count(), 2);
  EXPECT_EQ(Ints(b.Goods), (std::vector<int32_t>{100, 101}));
  EXPECT_DOUBLE_EQ(b.ChangeCoeff, 2.0);
  EXPECT_EQ(b.Keeper, 4009);
  EXPECT_TRUE(b.ChangeTypes.empty());
  // The zone's file stays the one read first.
  EXPECT_EQ(s.w.Zones.ByNumber(40)->ShopFilename.Path, s.dir / "40.shp");
}

TEST(ShopFile, TreeCaptionsNameTheKeeper) {
  ShopWorld s;
  auto mob = std::make_unique<TMob>(40, 4009);
  mob->Names[0] = W("Торговец");
  s.w.Mobs.Append(std::move(mob));
  ASSERT_TRUE(s.Load(Lf(kShopFile)));
  ASSERT_EQ(s.sink.entries.size(), 2u);
  EXPECT_EQ(s.sink.entries[0].caption, W("[4000] Торговец"));
  EXPECT_EQ(s.sink.entries[1].caption, W("[4002] Неизвестный"));
  EXPECT_EQ(s.sink.entries[1].group, s.sink.FindGroupNode(40, kShop));
  EXPECT_EQ(s.w.Shops.NameOf(4002), W("Неизвестный"));
  EXPECT_EQ(s.w.Shops.CaptionOf(4001), "[4001] ?");

  // A keeper read again renames the node.
  std::string again = Lf(kShopFile);
  again.replace(again.find("4003\n"), 4, "4009");
  ASSERT_TRUE(s.Load(again, "again.shp"));
  ASSERT_EQ(s.sink.entries.size(), 2u);
  EXPECT_EQ(s.sink.entries[1].caption, W("[4002] Торговец"));
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
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShopWorld s;
    ASSERT_TRUE(s.Load(Lf(kShopFile)));
    c.spoil(s.Shop(4002));
    EXPECT_FALSE(s.w.Shops.SaveZone(s.w, 40));
    ASSERT_EQ(s.rep.errors.size(), 1u);
    EXPECT_EQ(s.rep.errors[0].n, 15);
    EXPECT_EQ(s.rep.errors[0].text, W("Не могу сохранить магазин 4002"));
    EXPECT_EQ(ReadFile(s.dir / "40.shp"), Lf(kShopFile));
  }

  ShopWorld s;
  ASSERT_TRUE(s.Load(Lf(kShopFile)));
  EXPECT_FALSE(s.w.Shops.SaveZone(s.w, 40, s.dir / "no" / "such" / "40.shp"));
  ASSERT_EQ(s.rep.errors.size(), 1u);
  EXPECT_EQ(s.rep.errors[0].n, 15);
}

TEST(ShopFile, CrlfAndKoiFilesReadAlike) {
  ShopWorld lf;
  ASSERT_TRUE(lf.Load(Lf(kShopFile)));
  std::string koi = Crlf(kShopFile);
  WinToKoi(koi);
  ShopWorld k;
  ASSERT_TRUE(k.Load(koi));
  EXPECT_EQ(k.w.Zones.ByNumber(40)->ShopFilename.Word(), (CodingWord{kCodingKoi, kBreakCRLF}));
  ASSERT_EQ(k.w.Shops.Count(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(*k.w.Shops.Items(i) == *lf.w.Shops.Items(i));
}

// Real shop files of a running game, when they are on this machine: a second
// save repeats the first byte for byte.
TEST(ShopFile, RealFilesSettleAfterOneSave) {
  auto dir = test::RealWorld() / "bylins" / "shp";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no real world at " << dir;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (e.path().extension() != ".shp") continue;
    SCOPED_TRACE(e.path().string());
    TempDir tmp;
    RecordingReporter rep;
    World w(rep);
    EXPECT_TRUE(w.Shops.LoadFromFile(w, e.path()));
    EXPECT_TRUE(rep.loadErrors.empty());
    int32_t zone = std::stoi(e.path().stem().string());
    ASSERT_TRUE(w.Shops.SaveZone(w, zone, tmp / "a.shp"));
    World w2(rep);
    ASSERT_TRUE(w2.Shops.LoadFromFile(w2, tmp / "a.shp"));
    ASSERT_EQ(w2.Shops.Count(), w.Shops.Count());
    for (int i = 0; i < w.Shops.Count(); ++i) EXPECT_TRUE(*w2.Shops.Items(i) == *w.Shops.Items(i));
    ASSERT_TRUE(w2.Shops.SaveZone(w2, zone, tmp / "b.shp"));
    EXPECT_EQ(ReadFile(tmp / "b.shp"), ReadFile(tmp / "a.shp"));
  }
}

}  // namespace
}  // namespace zm
