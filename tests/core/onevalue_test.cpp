// One number of one record line of a file the editor wrote is set to an edge
// value; loading and saving the world then gives the file back byte for
// byte, or the file is refused (noted as not read whole, so a save asks).
// The files are the sample world's and those of a zone made here with the
// fields the sample leaves unused.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "common/textutil.h"
#include "common/winutf8.h"
#include "core/testutil.h"
#include "io/zonefile.h"
#include "load/loadworld.h"
#include "load/saving.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEdges[] = {"0",     "-1",         "255",         "256",
                                  "32767", "32768",      "65535",       "65536",
                                  "70000", "2147483647", "-2147483648", "2147483648"};

// The tokens of a line that a change may set: where record numbers stand.
// In a zone file, the numbers line and the numbers of a command line (its
// letter is token 0; its comment is rebuilt from the names, so it is left
// out of the comparison); elsewhere, the integers of a line with at most one
// other token ("Skill: 143 60", "T 5000", "2d6+10 4000", "0 g0 100").
std::vector<size_t> NumberTokens(const std::string& line, bool zoneFile) {
  const bool command =
      zoneFile && !line.empty() && std::string("MOPGEFDQRT").find(line[0]) != std::string::npos;
  std::string rest = command ? line.substr(0, line.find('\t')) : line;
  std::vector<size_t> numbers;
  size_t others = 0;
  for (size_t t = 0; !Trim(rest).empty(); ++t) {
    int32_t v;
    if (ParseInt(NextWord(rest, kBlanks), v) && !(command && t == 0))
      numbers.push_back(t);
    else
      ++others;
  }
  if (others > (zoneFile && !command ? 0u : 1u)) return {};
  return numbers;
}

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : bytes) {
    if (c == '\n') {
      out.push_back(cur);
      cur.clear();
    } else if (c != '\r') {
      cur += c;
    }
  }
  return out;
}

std::string WithoutComments(std::string bytes) {
  std::string out;
  bool comment = false;
  for (char c : bytes) {
    if (c == '\t') comment = true;
    if (c == '\r' || c == '\n') comment = false;
    if (!comment) out += c;
  }
  return out;
}

struct Change {
  fs::path file;  // relative to the world
  size_t line;
  size_t token;
  std::string value;
};

// Replaces token `token` of line `line` (counting whitespace-separated
// tokens, the zone command letter included) in the file's bytes.
std::string Changed(const std::string& bytes, const Change& c) {
  size_t start = 0;
  for (size_t i = 0; i < c.line; ++i) start = bytes.find('\n', start) + 1;
  size_t end = bytes.find_first_of("\r\n", start);
  std::string line = bytes.substr(start, end - start);
  size_t pos = 0;
  for (size_t t = 0;; ++t) {
    pos = line.find_first_not_of(" \t", pos);
    size_t stop = line.find_first_of(" \t", pos);
    if (t == c.token) {
      line.replace(pos, stop == std::string::npos ? std::string::npos : stop - pos, c.value);
      break;
    }
    pos = stop;
  }
  return bytes.substr(0, start) + line + bytes.substr(end);
}

// A zone of every kind of record, with the fields the sample world leaves
// unused: doors, keys and numbers after an exit, rooms of another zone
// number, ingredients, the game's own object and mobile lines, flags as
// Value0, paths, helpers, spells, shops with keyword types, and commands of
// every letter, kept ones among them. Written in KOI8-R with LF breaks, the
// other coding and break.
void MakeZone(World& w, const fs::path& dir) {
  auto zone = std::make_unique<TZone>(50);
  TZone& z = *zone;
  z.Name = W("Пробная зона");
  z.ResetTime = 25;
  z.ResetMode = 2;
  z.HeaderLines = {"#1 0", W("^Землемер~"), W("&Первая строка"), W("вторая строка~")};
  z.TopInFile = "5199";  // two hundred vnums
  z.NumbersTail = " 0 1";
  z.ZoneFilename.SetWord({kCodingKoi, kBreakLF});
  RegisterZoneFiles(w, z, dir / "ZON/50.zon");
  w.Zones.Append(std::move(zone));

  const auto room = [&](int32_t vnum, const char* name) {
    auto r = std::make_unique<TRoom>(50, vnum);
    r->Name = W(name);
    r->Description = W("   Первая строка описания.\r\nВторая.<day>   Днем светло.<day>");
    r->Flags = "a0c0";
    r->Sector = 3;
    r->MapX = static_cast<int32_t>(vnum % 10);
    r->MapY = 2;
    r->MapZ = 1;
    return w.Rooms.Add(std::move(r));
  };
  TRoom* hall = room(5000, "Зал");
  TRoom* yard = room(5001, "Двор");
  TRoom* cellar = room(5002, "Погреб");
  room(5003, "Чужая комната")->ZoneInFile = 49;
  const auto door = [](TRoomExit& e, uint8_t flags, int32_t key, int32_t to, uint8_t state) {
    e.DoorFlags = flags;
    e.Key = key;
    e.ToRoom = to;
    e.DefaultState = state;
  };
  door(hall->Exits[kNorth], 1, 5010, 5001, 1);
  hall->Exits[kNorth].Keywords = W("дверь");
  hall->Exits[kNorth].Description = W("Дубовая дверь.");
  hall->Exits[kEast].ToRoom = 5002;
  hall->Exits[kEast].ExitExtra = "0 185 0";
  hall->Exits[kSouth].DoorFlags = 2;
  hall->Exits[kSouth].ToNowhere = true;
  door(hall->Exits[kDown], 3, -1, 5002, 2);
  door(yard->Exits[kSouth], 1, 5010, 5000, 0);
  cellar->Exits[kUp].ToRoom = 5000;
  hall->ExtraDescs.Add({W("стол"), W("Стол.\r\nВторая строка.")});
  hall->ExtraDescs.Add({W("лавка"), W("Лавка.")});
  hall->Triggers.Add(TCondID{0, 5002});
  hall->Ingredients.Add({.Power = 5, .Chance = 50, .Name = W("трава")});
  cellar->Ingredients.Add({.Power = -1, .Chance = 100, .Name = W("гриб")});

  const auto obj = [&](int32_t vnum, int32_t type, const char* name) {
    auto o = std::make_unique<TObj>(50, vnum);
    o->Aliases = W(name);
    for (auto& n : o->Names) n = W(name);
    o->Description = W(name) + W(" лежит здесь.");
    o->ObjType = type;
    o->MaxInWorld = 3;
    o->Weight = 2;
    o->Price = 100;
    o->Rent = 10;
    o->RentWorn = 5;
    return w.Objs.Add(std::move(o));
  };
  obj(5010, 18, "ключ")->Value0 = "5001";
  TObj* sword = obj(5011, 5, "меч");
  sword->SkillOrMagicFlags.Text = "b0";
  sword->MaxDurability = 100;
  sword->Durability = 90;
  sword->Material = 2;
  sword->Gender = 1;
  sword->Timer = 1440;
  sword->Spell = 42;
  sword->SpellLevel = 10;
  sword->Affects = "a0";
  sword->NoUse = "b0";
  sword->Effects = "c0";
  sword->WearFlags = "a0n0";
  sword->Value0 = "67108866";
  sword->Value1 = 3;
  sword->Value2 = 6;
  sword->Value3 = 11;
  sword->Applies.Add(PackApply(1, 2));
  sword->Applies.Add(PackApply(13, -5));
  sword->Triggers.Add(5001);
  sword->ExtraDescs.Add({W("клинок"), W("Острый клинок.")});
  sword->UnknownLines = {"M 5 10"};
  sword->BlockOrder = "TEAAU";
  TObj* herb = obj(5012, kMagicIngredientType, "зелье");
  herb->SkillOrMagicFlags.Text = "a0c0";
  herb->Timer = 30;
  TObj* coins = obj(5013, 20, "куны");
  coins->NoSpellNumber = -1;
  coins->Value0 = "100";
  TObj* chest = obj(5014, 15, "сундук");
  chest->Description = W("Сундук стоит здесь.\r\nОн окован железом.");
  chest->ActionDescription = W("Крышка скрипит.\r\nВнутри темно.");
  chest->Value0 = "50";

  const auto mob = [&](int32_t vnum, const char* name) {
    auto m = std::make_unique<TMob>(50, vnum);
    m->Aliases = W(name);
    for (auto& n : m->Names) n = W(name);
    m->LongDescription = W(name) + W(" стоит здесь.");
    m->LookDescription = W("Обычный вид.\r\n");
    m->Level = 10;
    m->HitDice = {2, 10, 40};
    m->DamageDice = {1, 6, 2};
    m->GoldDice = {1, 10, 5};
    m->Experience = 500;
    m->LoadPosition = m->DefaultPosition = 8;
    m->MaxInWorld = 2;
    return w.Mobs.Add(std::move(m));
  };
  TMob* guard = mob(5020, "стражник");
  guard->Flags = "b0d0";
  guard->Affects = "a0";
  guard->Alignment = -300;
  guard->Thac0 = 5;
  guard->ArmorClass = -2;
  guard->Sex = 1;
  guard->BareHandAttack = 5;
  guard->Destinations = "5000/5001/5002";
  guard->Str = 18;
  guard->Dex = 14;
  guard->LikeWork = 10;
  guard->ExtraAttack = 1;
  guard->Class = 102;
  guard->Height = 180;
  guard->Weight = 85;
  guard->SpecialFlags = "c0";
  guard->Spells.Add(PackSpell(16, 2));
  guard->Spells.Add(PackSpell(3, 1));
  guard->Spells.Add(PackSpell(16, 1));  // named again after another spell
  guard->Skills.Add(PackSkill(143, 60));
  guard->Skills.Add(PackSkill(20, -5));
  guard->Helpers.Add(5021);
  guard->Triggers.Add(5000);
  guard->Ingredients.Add({.Power = 3, .Chance = 20, .Name = W("шерсть")});
  guard->UnknownLines = {"Race: 101"};
  guard->UnknownTail = {"L 1 2 3"};
  TMob* dog = mob(5021, "пес");
  dog->LongDescription = W("Пес лежит здесь.\r\nОн спит.");
  dog->AbsentKeys = 0x3FFF;  // no always-written key but Str
  dog->Str = 7;
  TMob* keeper = mob(5022, "торговец");
  keeper->LookDescription = W("Торговец.\r\n\r\nВторой абзац.");
  mob(5023, "вор");

  auto shop = std::make_unique<TShop>(50, 5000);
  shop->Goods.Add(5010);
  shop->Goods.Add(5013);
  shop->SellCoeff = 1.15;
  shop->BuyCoeff = 0.8;
  shop->ChangeCoeff = 1.25;
  shop->BuyTypes = {"5=", "-1=" + W("меч")};
  shop->ChangeTypes = {"9="};
  for (std::string& m : shop->Messages) m = W("%s нет.");
  shop->Temper = 2;
  shop->ShopFlags = "a0";
  shop->Keeper = 5022;
  shop->NotSellTo = "b0";
  shop->Rooms.Add(5001);
  shop->Rooms.Add(5002);
  shop->Open1 = 6;
  shop->Close1 = 20;
  shop->Open2 = 21;
  shop->Close2 = 23;
  w.Shops.Add(std::move(shop));

  const auto trigger = [&](int32_t vnum, uint8_t cls, const char* types, const std::string& arg) {
    auto t = std::make_unique<TTrigger>(50, vnum);
    t->Name = W("Триггер");
    t->TriggerClass = cls;
    t->TriggerTypes = types;
    t->NumArg = 100;
    t->Arg = arg;
    t->Text = W("wait 1\r\nsay Привет!\r\nif %actor.level% < 5\r\n  halt\r\nend");
    w.Triggers.Add(std::move(t));
  };
  trigger(5000, 0, "g0", "");
  trigger(5001, 1, "j0", W("взять"));
  trigger(5002, 2, "n0c0", "");

  TLinkObj created;
  created.ID = 5013;
  created.Chance = 50;
  created.OwnMax = 7;
  z.CreatedObjects.Add(created);
  z.RemovedMobs.Add(TCondID{0, 5023});
  z.KeptCommands = {W("* начало"), "T 1 0 5000"};
  hall->RemovedObjects.Add(TCondID{0, 5010});
  TRoomObj& box = *hall->Objects.Add({});
  box.ID = 5014;
  box.OwnMax = 1;
  TLinkObj in{};
  in.Cond = 1;
  in.ID = 5013;
  in.Chance = 60;
  box.Contents.Add(in);
  in.ID = 5012;
  in.Chance = -1;
  in.Container = 5013;
  box.Contents.Add(in);
  box.KeptCommands = {W("* в сундуке")};
  TRoomMob& g = *hall->Mobs.Add({});
  g.ID = 5020;
  g.MaxInRoom = 1;
  TLinkObj worn{};
  worn.Cond = 1;
  worn.ID = 5011;
  worn.Chance = 100;
  worn.WearPos = 16;
  g.Inventory.Add(worn);
  TLinkObj carried{};
  carried.Cond = 1;
  carried.ID = 5010;
  carried.Chance = 80;
  g.Inventory.Add(carried);
  carried.ID = 5013;
  carried.ChanceFifth = true;
  g.Inventory.Add(carried);
  TRoomMob& d = *hall->Mobs.Add({});
  d.ID = 5021;
  d.MaxInRoom = 2;
  d.OwnMax = 4;
  d.Leader = 5020;
  yard->KeptCommands = {"M 0 5020 1 9999 1"};
}

// Every file of the folder, by path below it.
std::map<fs::path, std::string> Files(const fs::path& dir) {
  std::map<fs::path, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) files[fs::relative(e.path(), dir)] = test::ReadFile(e.path());
  return files;
}

// Saves what `path` is the file of: one kind of one zone.
void SaveFileOf(World& w, const fs::path& path) {
  for (const auto& z : w.Zones)
    for (RecordKind kind : {kZone, kRoom, kObject, kMobile, kShop, kTrigger})
      if (std::error_code ec; fs::equivalent(FileSettingOf(*z, kind)->Path, path, ec))
        SaveZoneKind(w, z->Vnum, kind);
}

struct Checked {
  int back = 0, refused = 0;
};

// Changes of the files in `base`, `count` of them at most, each made in the
// working copy `world` and taken back before the next: a copy per change
// would write far more than the test reads.
void RunChanges(const fs::path& base, const fs::path& world, size_t count, Checked& out) {
  const std::map<fs::path, std::string> files = Files(base);
  std::vector<Change> changes;
  for (const auto& [file, bytes] : files) {
    if (file.extension() == ".map") continue;
    const auto lines = Lines(bytes);
    for (size_t i = 1; i < lines.size(); ++i)
      for (size_t t : NumberTokens(lines[i], file.extension() == ".zon"))
        changes.push_back({file, i, t, ""});
  }
  // A fixed sample of them, each with an edge value.
  std::mt19937 random(20261208u);
  std::shuffle(changes.begin(), changes.end(), random);
  changes.resize(std::min(changes.size(), count));
  fs::copy(base, world, fs::copy_options::recursive);
  for (size_t i = 0; i < changes.size(); ++i) {
    Change& c = changes[i];
    c.value = kEdges[i % std::size(kEdges)];
    const std::string original = Changed(files.at(c.file), c);
    if (original == files.at(c.file)) continue;  // the value it had
    test::WriteFile(world / c.file, original);
    SCOPED_TRACE(c.file.string() + " line " + std::to_string(c.line + 1) + " token " +
                 std::to_string(c.token) + " = " + c.value);
    test::RecordingReporter rep;
    World w(rep);
    LoadWorld(w, world);
    if (const FileNote* n = w.Files.Find(world / c.file); n && (n->Failed || n->Skipped > 0)) {
      ++out.refused;
    } else {
      SaveFileOf(w, world / c.file);
      const std::string saved = test::ReadFile(world / c.file);
      if (c.file.extension() == ".zon")
        EXPECT_EQ(WithoutComments(saved), WithoutComments(original));
      else
        EXPECT_EQ(saved, original);
      ++out.back;
    }
    for (const auto& [file, bytes] : Files(world)) {
      if (!files.count(file))
        fs::remove(world / file);
      else if (bytes != files.at(file))
        test::WriteFile(world / file, files.at(file));
    }
  }
}

TEST(OneValue, ComesBackOrTheFileIsRefused) {
  test::TempDir tmp;
  // The sample world's files as the editor writes them.
  fs::copy(fs::path(ZEMLEMER_SOURCE_DIR) / "data/Zones", tmp / "sample",
           fs::copy_options::recursive);
  {
    test::RecordingReporter rep;
    World w(rep);
    LoadWorld(w, tmp / "sample");
    for (const auto& z : w.Zones) ASSERT_TRUE(SaveWholeZone(w, z->Vnum).ok);
  }
  // The made zone as the editor writes it; loaded and saved, it stays so.
  {
    test::RecordingReporter rep;
    World w(rep);
    w.WorldPath = tmp / "made";
    fs::create_directory(w.WorldPath);
    MakeZone(w, tmp / "made");
    ASSERT_TRUE(SaveWholeZone(w, 50).ok);
  }
  fs::copy(tmp / "made", tmp / "again", fs::copy_options::recursive);
  {
    test::RecordingReporter rep;
    World w(rep);
    LoadWorld(w, tmp / "again");
    EXPECT_TRUE(rep.loadErrors.empty());
    ASSERT_TRUE(SaveWholeZone(w, 50).ok);
  }
  ASSERT_EQ(Files(tmp / "again"), Files(tmp / "made"));

  Checked checked;
  RunChanges(tmp / "sample", tmp / "sample-changed", 150, checked);
  RunChanges(tmp / "made", tmp / "made-changed", 200, checked);
  EXPECT_GE(checked.refused + checked.back, 200);
  std::cout << "one-value changes: " << checked.back << " came back, " << checked.refused
            << " refused\n";
}

}  // namespace
}  // namespace zm
