#include "templates/templets.h"

#include <gtest/gtest.h>

#include "common/dictionaries.h"
#include "core/testutil.h"
#include "model/world.h"

namespace zm {
namespace {

using test::RecordingReporter;
using test::TempDir;
using test::WriteFile;

// ---- every key of the five tables

TEST(TempletKeys, ObjectTemplateSetsEveryKey) {
  const std::string text = W(R"(* предметы
#Меч
alias меч стальной
IMEN стальной меч
ROD стального меча
DAT стальному мечу
VIN стальной меч
TVOR стальным мечом
PRED стальном мече
DESC Меч лежит здесь.
ACTION Вы взмахнули мечом.
TRENSKILL 143
MAGICVECTOR a0b1
MAXDURAB 100
CURRDURAB 90
MATERIAL 4
POL 1
TIMER 10080
SPELL 12
SPELLLEVEL 30
EFFECTS c0
DISCOMFORT d0
BANS e1
KIND 5
FLAGS f0
WEARFLAGS a0n0
PARAM1 3
PARAM2 2
PARAM3 5
PARAM4 7
WEIGHT 8
PRICE 150
RENTINV 10
RENTWEAR 15
EXDESCS 1
ADDPARAMS 1 2
ADDPARAMS 13 -5
TRIGGERS 1200
TRIGGERS 1201
MAXINWORLD 3
)");
  RecordingReporter rep;
  TObjTemplet t;
  ASSERT_TRUE(t.LoadFromBytes(text, "Template_Obj", rep));
  ASSERT_EQ(t.Count(), 1);
  EXPECT_EQ(t.Names(0), W("Меч"));

  TObj want;
  want.Aliases = W("меч стальной");
  want.Names = {W("стальной меч"), W("стального меча"), W("стальному мечу"),
                W("стальной меч"), W("стальным мечом"), W("стальном мече")};
  want.Description = W("Меч лежит здесь.");
  want.ActionDescription = W("Вы взмахнули мечом.");
  want.SkillOrMagicFlags = {143, "a0b1"};
  want.MaxDurability = 100;
  want.Durability = 90;
  want.Material = 4;
  want.Gender = 1;
  want.Timer = 10080;
  want.Spell = 12;
  want.SpellLevel = 30;
  want.Affects = "c0";
  want.NoTake = "d0";
  want.NoUse = "e1";
  want.ObjType = 5;
  want.Effects = "f0";
  want.WearFlags = "a0n0";
  want.Value0 = "3";
  want.Value1 = 2;
  want.Value2 = 5;
  want.Value3 = 7;
  want.Weight = 8;
  want.Price = 150;
  want.Rent = 10;
  want.RentWorn = 15;
  want.Applies.Add(131073);   // 1 + 2 * 65536
  want.Applies.Add(-327667);  // 13 - 5 * 65536
  want.Triggers.Add(1200);
  want.Triggers.Add(1201);
  want.MaxInWorld = 3;
  EXPECT_TRUE(*t.Objects(0) == want);
  EXPECT_EQ(t.Objects(0)->Vnum, 0);
}

TEST(TempletKeys, MobileTemplateSetsEveryKey) {
  const std::string text = W(R"(#Стражник
ALIAS стражник
IMEN стражник
ROD стражника
DAT стражнику
VIN стражника
TVOR стражником
PRED стражнике
DESC Стражник стоит здесь.
LOOK Рослый стражник
LOOK с копьем.
FLAGS b0d0
AFFECTS d0k0
ALIGN -600
LEVEL 20
HITROLL 10
AC -2
HITS 10 10 250
DAMAGE 2 6 -4
MONEY 2 10 0
EXP 60000
POSLOAD 8
POSDEFAULT 7
POL 1
BAREHANDATTACK 3
DESTINATION 1201
DESTINATION 1202
STR 22
INT 12
WIS 13
DEX 18
CON 21
CHA 11
LIKEWORK 4
MAXFACTOR 5
EXTRAATTACK 2
MODEL 102
SIZE 50
HEIGHT 185
WEIGHT 160
SPECIAL a0
SPELLS 12
SPELLS 15
SPELLS 12
SKILLS 136 40
HELPER 1205
HELPER 1206
MAXINWORLD 4
INGRS зверобой 5 10
TRIGGERS 1203
)");
  RecordingReporter rep;
  TMobTemplet t;
  ASSERT_TRUE(t.LoadFromBytes(text, "Template_Mob", rep));
  ASSERT_EQ(t.Count(), 1);

  TMob want;
  want.Aliases = W("стражник");
  want.Names = {W("стражник"),  W("стражника"),  W("стражнику"),
                W("стражника"), W("стражником"), W("стражнике")};
  want.LongDescription = W("Стражник стоит здесь.");
  want.LookDescription = W("Рослый стражник\r\nс копьем.");
  want.Flags = "b0d0";
  want.Affects = "d0k0";
  want.Alignment = -600;
  want.Level = 20;
  want.Thac0 = 10;
  want.ArmorClass = -2;
  want.HitDice = {10, 10, 250};
  want.DamageDice = {2, 6, -4};
  want.GoldDice = {2, 10, 0};
  want.Experience = 60000;
  want.LoadPosition = 8;
  want.DefaultPosition = 7;
  want.Sex = 1;
  want.BareHandAttack = 3;
  want.Destinations = "1201/1202";
  want.Str = 22;
  want.Int = 12;
  want.Wis = 13;
  want.Dex = 18;
  want.Con = 21;
  want.Cha = 11;
  want.LikeWork = 4;
  want.MaxFactor = 5;
  want.ExtraAttack = 2;
  want.Class = 102;
  want.Size = 50;
  want.Height = 185;
  want.Weight = 160;
  want.SpecialFlags = "a0";
  want.Spells.Add(131084);   // spell 12 cast twice
  want.Spells.Add(65551);    // spell 15 once
  want.Skills.Add(2621576);  // skill 136 at 40
  want.Helpers.Add(1205);
  want.Helpers.Add(1206);
  want.MaxInWorld = 4;
  want.Ingredients.Add(TIngr{5, 10, W("зверобой")});
  want.Triggers.Add(1203);
  EXPECT_TRUE(*t.Objects(0) == want);
}

TEST(TempletKeys, ShopTemplateSetsEveryKey) {
  TempDir dir;
  WriteFile(dir / "Type", W("5 Оружие\n9 Броня\n"));
  RecordingReporter rep;
  Dictionaries bases(dir.path());
  bases.AddNamed("Type", "shopbuytype", "S_BuyComboBox", 0, false, rep);
  bases.AddNamed("Type", "shopchangetype", "S_ChangeComboBox", 0, false, rep);

  const std::string text = W(R"(#Лавка
GOODS 1210
GOODS 1211
COEFFSELL 2
COEFFBUY 0.33
COEFFCHANGE 1.5
GOODSBUY 5
GOODSBUY меч
GOODSCHANGE 9
MSG1 %s! Нет.
MSG2 m2
MSG3 m3
MSG4 m4
MSG5 m5
MSG6 %s! Это будет стоить %d кун.
MSG7 m7
EMOTION 1
BITVECTOR a0
SELLER 1200
NOTSELLVECTOR b0c0
ROOMS 1201
ROOMS 1202
OPEN1 6
CLOSE1 22
OPEN2 23
CLOSE2 24
)");
  TShopTemplet t;
  ASSERT_TRUE(t.LoadFromBytes(text, "Template_Shop", rep, &bases));
  ASSERT_EQ(t.Count(), 1);

  TShop want;
  want.Goods.Add(1210);
  want.Goods.Add(1211);
  want.SellCoeff = 2.0;
  want.BuyCoeff = 0.33;
  want.ChangeCoeff = 1.5;
  want.BuyTypes = {W("5=Оружие"), W("-1=меч")};
  want.ChangeTypes = {W("9=Броня")};
  want.Messages = {W("%s! Нет."), "m2", "m3", "m4", "m5", W("%s! Это будет стоить %d кун."), "m7"};
  want.Temper = 1;
  want.ShopFlags = "a0";
  want.Keeper = 1200;
  want.NotSellTo = "b0c0";
  want.Rooms.Add(1201);
  want.Rooms.Add(1202);
  want.Open1 = 6;
  want.Close1 = 22;
  want.Open2 = 23;
  want.Close2 = 24;
  EXPECT_TRUE(*t.Objects(0) == want);
  EXPECT_TRUE(rep.errors.empty());
}

TEST(TempletKeys, TriggerTemplateSetsEveryKey) {
  const std::string text = W(R"(#Моб: ответ на слова
NAME Ответ на слова
MODEL 2
FLAGS d0
NUMPARAM 100
STRPARAM привет здравствуй
)");
  RecordingReporter rep;
  TTrigTemplet t;
  ASSERT_TRUE(t.LoadFromBytes(text, "Template_Trigger", rep));
  ASSERT_EQ(t.Count(), 1);
  EXPECT_EQ(t.Names(0), W("Моб: ответ на слова"));

  TTrigger want;
  want.Name = W("Ответ на слова");
  want.TriggerClass = 2;
  want.TriggerTypes = "d0";
  want.NumArg = 100;
  want.Arg = W("привет здравствуй");
  EXPECT_TRUE(*t.Objects(0) == want);
}

TEST(TempletKeys, RoomTemplateSetsEveryKey) {
  const std::string text = W(R"(#Лесная тропа
NAME Лесная тропа
DESC Узкая тропинка
DESC петляет между елями.
FLAGS a0d0
SECTOR 3
EXITN 1201
EXITE 1202
EXITS 1203
EXITW 1204
EXITU 1205
EXITD 1206
TRIGGERS 1210
MOBS 1220 2
OBJECTS 1230 50
DELOBJECTS 1240
INGRS зверобой 5 10
)");
  RecordingReporter rep;
  TRoomTemplet t;
  ASSERT_TRUE(t.LoadFromBytes(text, "Template_Room", rep));
  ASSERT_EQ(t.Count(), 1);

  TRoom want;
  want.Name = W("Лесная тропа");
  want.Description = W("Узкая тропинка\r\nпетляет между елями.");
  want.Flags = "a0d0";
  want.Sector = 3;
  for (int d = 0; d < kDirections; ++d) want.Exits[static_cast<size_t>(d)].ToRoom = 1201 + d;
  want.Triggers.Add(TCondID{0, 1210});
  TRoomMob mob;
  mob.ID = 1220;
  mob.MaxInRoom = 2;
  want.Mobs.Add(mob);
  TRoomObj obj;
  obj.ID = 1230;
  obj.Chance = 50;
  want.Objects.Add(std::move(obj));
  want.RemovedObjects.Add(TCondID{0, 1240});
  want.Ingredients.Add(TIngr{5, 10, W("зверобой")});
  EXPECT_TRUE(*t.Objects(0) == want);
  EXPECT_EQ(t.Objects(0)->Mobs.Items(0)->Leader, -1);
}

// ---- the file format

TEST(TempletFile, LinesAndValues) {
  struct Case {
    const char* what;
    std::string bytes;
    std::vector<std::string> names;
    std::string look;  // of the last template
    int32_t level;
  };
  const std::string koi = [] {
    std::string s = W("#Страж\nLOOK рослый стражник опирается на копье\nlevel 3\n");
    WinToKoi(s);
    return s;
  }();
  const Case cases[] = {
      {"no templates at all", W("* только комментарий\nLEVEL 5\n"), {}, "", 0},
      {"keys before the first # are ignored", "LEVEL 5\n#A\nLOOK x\n", {"A"}, "x", 0},
      {"comments and empty lines", "#A\n\n* LEVEL 7\nLEVEL 2\n", {"A"}, "", 2},
      {"unknown keys are ignored", "#A\nNOSUCH 1\nLEVEL 2\n", {"A"}, "", 2},
      {"key case does not matter", "#A\nlevel 4\nLook x\n", {"A"}, "x", 4},
      {"tabs separate key and value", "#A\nLEVEL\t \t6\n", {"A"}, "", 6},
      {"blanks after a number are forgiven", "#A\nLEVEL 20 \t\n", {"A"}, "", 20},
      {"text values keep their blanks", "#A\nLOOK  x  \n", {"A"}, "x  ", 0},
      {"two LOOK lines join with CR LF", "#A\nLOOK a\nLOOK b\n", {"A"}, "a\r\nb", 0},
      {"LOOK starts anew in the next template", "#A\nLOOK a\n#B\nLOOK b\n", {"A", "B"}, "b", 0},
      {"CR LF line ends", "#A\r\nLEVEL 3\r\nLOOK a\r\nLOOK b\r\n", {"A"}, "a\r\nb", 3},
      {"lone CR line ends", "#A\rLEVEL 3\rLOOK a\rLOOK b", {"A"}, "a\r\nb", 3},
      {"empty name", "#\nLEVEL 1\n", {""}, "", 1},
      {"KOI8-R text", koi, {W("Страж")}, W("рослый стражник опирается на копье"), 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingReporter rep;
    TMobTemplet t;
    EXPECT_TRUE(t.LoadFromBytes(c.bytes, "T", rep));
    EXPECT_TRUE(rep.errors.empty());
    EXPECT_EQ(t.NameList(), c.names);
    if (t.Count() == 0) continue;
    const TMob& m = *t.Objects(t.Count() - 1);
    EXPECT_EQ(m.LookDescription, c.look);
    EXPECT_EQ(m.Level, c.level);
  }
}

TEST(TempletFile, ZeroBitVectorsAreEmpty) {
  RecordingReporter rep;
  TObjTemplet objs;
  ASSERT_TRUE(
      objs.LoadFromBytes("#O\nFLAGS 0\nWEARFLAGS a0 \nPARAM1 0\nMAGICVECTOR 0\n", "T", rep));
  EXPECT_EQ(objs.Objects(0)->Effects, "");
  EXPECT_EQ(objs.Objects(0)->WearFlags, "a0");
  EXPECT_EQ(objs.Objects(0)->Value0, "");
  EXPECT_EQ(objs.Objects(0)->SkillOrMagicFlags.Text, "");
  TRoomTemplet rooms;
  ASSERT_TRUE(rooms.LoadFromBytes("#R\nFLAGS 0 \n", "T", rep));
  EXPECT_EQ(rooms.Objects(0)->Flags, "");
}

TEST(TempletFile, ReloadEmptiesTheList) {
  RecordingReporter rep;
  TRoomTemplet t;
  ASSERT_TRUE(t.LoadFromBytes("#A\n#B\n", "T", rep));
  ASSERT_TRUE(t.LoadFromBytes("#C\n", "T", rep));
  EXPECT_EQ(t.NameList(), std::vector<std::string>{"C"});
  EXPECT_EQ(t.Objects(1), nullptr);
  EXPECT_EQ(t.Names(-1), "");
}

TEST(TempletFile, BadNumbersStopTheFileWithError18) {
  struct Case {
    const char* what;
    std::string bytes;
    int line;
    int kept;
  };
  const Case cases[] = {
      {"a word for a number", "#A\nLEVEL 1\n#B\nLEVEL x\n#C\n", 4, 2},
      {"a number too large", "#A\nEXP 99999999999\n", 2, 1},
      {"a missing dice part", "#A\nHITS 10 10\n", 2, 1},
      {"a missing skill value", "* c\n\n#A\nSKILLS 136\n", 4, 1},
      {"an ingredient without numbers", "#A\nINGRS name\n", 2, 1},
      {"an empty number", "#A\nLEVEL\n", 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingReporter rep;
    TMobTemplet t;
    EXPECT_FALSE(t.LoadFromBytes(c.bytes, "Bases/Template_Mob", rep));
    EXPECT_EQ(t.Count(), c.kept);
    ASSERT_EQ(rep.errors.size(), 1u);
    EXPECT_EQ(rep.errors[0].n, 18);
    EXPECT_EQ(
        rep.errors[0].text,
        W("Не могу загрузить шаблоны мобов\r\nФайл: Bases/Template_Mob\r\n\r\n(Ошибка в строке ") +
            std::to_string(c.line) + ")");
  }
}

TEST(TempletFile, MissingFileNamesTheKind) {
  TempDir dir;
  RecordingReporter rep;
  TObjTemplet t;
  EXPECT_FALSE(t.LoadFromFile(dir / "none", rep));
  ASSERT_EQ(rep.errors.size(), 1u);
  EXPECT_EQ(rep.errors[0].text, W("Не могу загрузить шаблоны объектов\r\nФайл: ") +
                                    (dir / "none").string() + W("\r\n\r\n(Не смог открыть файл)"));
}

TEST(TempletFile, ShopFactorsAndTypes) {
  TempDir dir;
  WriteFile(dir / "Type", W("5 Оружие\n"));
  RecordingReporter quiet;
  Dictionaries bases(dir.path());
  bases.AddNamed("Type", "shopbuytype", "S_BuyComboBox", 0, false, quiet);

  struct Case {
    std::string line;
    bool withDictionary;
    bool ok;
    double sell;
    std::vector<std::string> types;
  };
  const Case cases[] = {
      {"COEFFSELL 0.33", true, true, 0.33, {}},
      {"COEFFSELL 2", true, true, 2.0, {}},
      {"COEFFSELL 1.15  ", true, true, 1.15, {}},
      {"COEFFSELL 1,5", true, true, 1.5, {}},
      {"COEFFSELL много", true, false, 1.0, {}},
      {"COEFFSELL", true, false, 1.0, {}},
      {"GOODSBUY 5", true, true, 1.0, {W("5=Оружие")}},
      {"GOODSBUY 5 ", true, true, 1.0, {W("5=Оружие")}},
      {"GOODSBUY 77", true, true, 1.0, {"-1=77"}},
      {"GOODSBUY меч", true, true, 1.0, {W("-1=меч")}},
      {"GOODSBUY 5", false, true, 1.0, {"5="}},
      {"GOODSBUY меч", false, true, 1.0, {W("-1=меч")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WinToUtf8(c.line));
    RecordingReporter rep;
    TShopTemplet t;
    EXPECT_EQ(
        t.LoadFromBytes("#S\n" + W(c.line) + "\n", "T", rep, c.withDictionary ? &bases : nullptr),
        c.ok);
    ASSERT_EQ(t.Count(), 1);
    EXPECT_DOUBLE_EQ(t.Objects(0)->SellCoeff, c.sell);
    EXPECT_EQ(t.Objects(0)->BuyTypes, c.types);
  }
}

TEST(TempletFile, BundledTemplatesLoad) {
  const std::filesystem::path dir = std::filesystem::path(ZEMLEMER_SOURCE_DIR) / "data" / "Bases";
  RecordingReporter rep;
  Dictionaries bases(dir);
  RegisterDictionaries(bases, rep);
  Templets t;
  EXPECT_TRUE(t.LoadAll(dir, rep, &bases));
  for (const auto& e : rep.errors) ADD_FAILURE() << WinToUtf8(e.text);
  for (RecordKind k : {kRoom, kObject, kMobile, kShop, kTrigger})
    EXPECT_GT(t.NamesOf(k).size(), 3u) << int(k);
  EXPECT_TRUE(t.NamesOf(kZone).empty());

  // Spot checks that the files say what their comments promise.
  ASSERT_EQ(t.Mobs.Names(0), W("Стражник"));
  const TMob& guard = *t.Mobs.Objects(0);
  EXPECT_EQ(guard.Level, 20);
  EXPECT_EQ(guard.HitDice, (TDice{10, 10, 250}));
  EXPECT_NE(guard.LookDescription.find("\r\n"), std::string::npos);
  const TShop& shop = *t.Shops.Objects(0);
  ASSERT_FALSE(shop.BuyTypes.empty());
  EXPECT_EQ(shop.BuyTypes[0], W("1=Источник света"));
}

// ---- creating records

// Answers the dialog with `answer`, remembering what it was asked.
struct FakeChooser : TemplateChooser {
  std::function<bool(TemplateRequest&)> answer = [](TemplateRequest&) { return true; };
  int asked = 0;
  TemplateRequest seen;
  bool Choose(TemplateRequest& req) override {
    ++asked;
    seen = req;
    seen.IsFreeNumber = nullptr;
    return answer(req);
  }
};

std::vector<int32_t> MobVnums(const World& w) {
  std::vector<int32_t> v;
  for (const auto& m : w.Mobs) v.push_back(m->Vnum);
  return v;
}

void AddMobs(World& w, int32_t zone, std::initializer_list<int32_t> numbers) {
  for (int32_t n : numbers) w.Mobs.Add(std::make_unique<TMob>(zone, MakeVnum(n, zone)));
}

Templets GuardTemplets() {
  Templets t;
  RecordingReporter rep;
  EXPECT_TRUE(t.Mobs.LoadFromBytes(W("#Стражник\nIMEN стражник\nLEVEL 20\n#Пусто\n"), "T", rep));
  return t;
}

TEST(CreateFromTemplate, ZoneTwelveNumbering) {
  RecordingReporter rep;
  World w(rep);
  AddMobs(w, 12, {0, 1, 3});
  Templets t = GuardTemplets();
  FakeChooser ch;
  ch.answer = [](TemplateRequest& r) {
    r.Mode = TemplateMode::Quantity;
    r.Quantity = 3;
    return true;
  };
  TMUDClass* first = CreateFromTemplate(w, t, ch, kMobile, 12);

  EXPECT_EQ(ch.seen.Proposed, 2);
  EXPECT_EQ(ch.seen.Number, 2);
  EXPECT_EQ(ch.seen.Maximum, 96);
  EXPECT_EQ(ch.seen.Template, 0);
  EXPECT_EQ(ch.seen.Names, (std::vector<std::string>{W("Стражник"), W("Пусто")}));
  EXPECT_EQ(MobVnums(w), (std::vector<int32_t>{1200, 1201, 1203, 1202, 1204, 1205}));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Vnum, 1202);
  const TMob& m = *w.Mobs.Find(1205);
  EXPECT_EQ(m.Zone, 12);
  EXPECT_EQ(m.Kind, kMobile);
  EXPECT_EQ(m.Level, 20);
  EXPECT_EQ(m.Names[0], W("стражник"));
  EXPECT_EQ(w.Mobs.IndexOfVnum(1204), 4);
}

TEST(CreateFromTemplate, AnswersTheZoneCanTake) {
  struct Case {
    const char* what;
    int existing;  // mobiles 1200 .. in the zone before
    std::function<bool(TemplateRequest&)> answer;
    std::vector<int32_t> created;
    int asked;
    int error22;
  };
  auto quantity = [](int q) {
    return [q](TemplateRequest& r) {
      r.Mode = TemplateMode::Quantity;
      r.Quantity = q;
      return true;
    };
  };
  auto number = [](int32_t n) {
    return [n](TemplateRequest& r) {
      r.Number = n;
      return true;
    };
  };
  const Case cases[] = {
      {"98 records allow one", 98, quantity(1), {1298}, 1, 0},
      {"98 records refuse two", 98, quantity(2), {}, 1, 0},
      {"99 records are full", 99, quantity(1), {}, 0, 1},
      {"100 records are full", 100, quantity(1), {}, 0, 1},
      {"quantity 0", 0, quantity(0), {}, 1, 0},
      {"a free number", 5, number(42), {1242}, 1, 0},
      {"the proposed number", 5, [](TemplateRequest&) { return true; }, {1205}, 1, 0},
      {"a taken number", 5, number(3), {}, 1, 0},
      {"a number of the next zone", 5, number(100), {}, 1, 0},
      {"a negative number", 5, number(-1), {}, 1, 0},
      {"cancel", 5, [](TemplateRequest&) { return false; }, {}, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingReporter rep;
    World w(rep);
    for (int i = 0; i < c.existing; ++i) AddMobs(w, 12, {i});
    Templets t = GuardTemplets();
    FakeChooser ch;
    ch.answer = c.answer;
    TMUDClass* first = CreateFromTemplate(w, t, ch, kMobile, 12);
    std::vector<int32_t> after = MobVnums(w);
    std::vector<int32_t> created(after.begin() + c.existing, after.end());
    EXPECT_EQ(created, c.created);
    EXPECT_EQ(first != nullptr, !c.created.empty());
    EXPECT_EQ(ch.asked, c.asked);
    ASSERT_EQ(static_cast<int>(rep.errors.size()), c.error22);
    if (c.error22) {
      EXPECT_EQ(rep.errors[0].text, W("Достигнуто максимальное количество мобов в зоне"));
    }
  }
}

TEST(CreateFromTemplate, QuantityNeverSpillsIntoTheNextZone) {
  RecordingReporter rep;
  World w(rep);
  // Records whose Zone disagrees with their vnum: the count says 89 more fit,
  // the zone has room for 2.
  AddMobs(w, 12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  for (int i = 12; i < 100; ++i) w.Mobs.Add(std::make_unique<TMob>(13, MakeVnum(i, 12)));
  Templets t;
  FakeChooser ch;
  ch.answer = [](TemplateRequest& r) {
    r.Mode = TemplateMode::Quantity;
    r.Quantity = 5;
    return true;
  };
  ASSERT_NE(CreateFromTemplate(w, t, ch, kMobile, 12), nullptr);
  EXPECT_EQ(ch.seen.Maximum, 89);
  EXPECT_EQ(w.Mobs.Count(), 100);
  EXPECT_FALSE(w.Mobs.IsFreeVnum(1211));
  EXPECT_TRUE(w.Mobs.IsFreeVnum(1300));
}

TEST(CreateFromTemplate, EveryKindWithItsTemplate) {
  Templets t;
  RecordingReporter quiet;
  ASSERT_TRUE(t.Rooms.LoadFromBytes("#R\nNAME Road\n", "T", quiet));
  ASSERT_TRUE(t.Objs.LoadFromBytes("#O\nIMEN sword\n", "T", quiet));
  ASSERT_TRUE(t.Mobs.LoadFromBytes("#M\nIMEN guard\n", "T", quiet));
  ASSERT_TRUE(t.Shops.LoadFromBytes("#S\nSELLER 1200\n", "T", quiet));
  ASSERT_TRUE(t.Triggers.LoadFromBytes("#T\nNAME greet\n", "T", quiet));

  struct Case {
    RecordKind kind;
    std::string caption;  // of the tree node, which shows what the template set
    std::string word;
  };
  const Case cases[] = {
      {kRoom, "[700] Road", W("комнат")},        {kObject, "[700] sword", W("объектов")},
      {kMobile, "[700] guard", W("мобов")},      {kShop, W("[700] Неизвестный"), W("магазинов")},
      {kTrigger, "[700] greet", W("триггеров")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.kind));
    RecordingReporter rep;
    test::FakeTree sink;
    sink.groups = {{7, c.kind}};
    World w(rep, &sink);
    FakeChooser ch;
    TMUDClass* rec = CreateFromTemplate(w, t, ch, c.kind, 7);
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->Kind, c.kind);
    EXPECT_EQ(rec->Zone, 7);
    EXPECT_EQ(rec->Vnum, 700);
    ASSERT_EQ(sink.entries.size(), 1u);
    EXPECT_EQ(sink.entries[0].rec, rec);
    EXPECT_EQ(sink.entries[0].caption, c.caption);
    EXPECT_EQ(ch.seen.Kind, c.kind);
    EXPECT_EQ(ch.seen.Zone, 7);
    EXPECT_EQ(TempletKindWord(c.kind), c.word);
  }
}

TEST(CreateFromTemplate, WithoutTemplateGivesNewRecords) {
  RecordingReporter rep;
  World w(rep);
  Templets none;
  FakeChooser ch;
  TMUDClass* rec = CreateFromTemplate(w, none, ch, kObject, 3);
  EXPECT_EQ(ch.seen.Template, -1);
  ASSERT_NE(rec, nullptr);
  EXPECT_TRUE(*w.Objs.Find(300) == TObj(3, 300));

  // An index beyond the list is no template either.
  Templets t = GuardTemplets();
  ch.answer = [](TemplateRequest& r) {
    r.Template = 5;
    return true;
  };
  ASSERT_NE(CreateFromTemplate(w, t, ch, kMobile, 3), nullptr);
  EXPECT_TRUE(*w.Mobs.Find(300) == TMob(3, 300));
}

TEST(CreateFromTemplate, KindsWithoutTemplatesAndBadZones) {
  struct Case {
    RecordKind kind;
    int32_t zone;
  };
  const Case cases[] = {
      {kZone, 1}, {kZoneMap, 1}, {static_cast<RecordKind>(9), 1}, {kRoom, -1}, {kRoom, 21474836},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.kind));
    RecordingReporter rep;
    World w(rep);
    Templets t;
    FakeChooser ch;
    EXPECT_EQ(CreateFromTemplate(w, t, ch, c.kind, c.zone), nullptr);
    EXPECT_EQ(ch.asked, 0);
    EXPECT_TRUE(rep.errors.empty());
  }
}

}  // namespace
}  // namespace zm
