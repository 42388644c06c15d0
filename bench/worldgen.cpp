#include "worldgen.h"

#include <map>
#include <random>

#include "common/winutf8.h"
#include "io/recordfile.h"
#include "io/zonefile.h"
#include "load/saving.h"
#include "model/world.h"

namespace zm::bench {
namespace {

const char* const kWords[] = {"старый",  "дуб",   "тропа",   "камень", "ручей", "тихий", "ветер",
                              "лес",     "берег", "туман",   "дорога", "поле",  "холм",  "высокий",
                              "тёмный",  "река",  "мост",    "ворота", "стена", "башня", "город",
                              "площадь", "рынок", "кузница", "изба",   "трава", "снег"};

std::string Sentence(std::mt19937& rng, int words) {
  std::uniform_int_distribution<size_t> pick(0, std::size(kWords) - 1);
  std::string s;
  for (int i = 0; i < words; ++i) {
    if (i) s += ' ';
    s += W(kWords[pick(rng)]);
  }
  s[0] = static_cast<char>(WinUpper(static_cast<unsigned char>(s[0])));
  return s + ".";
}

std::string Paragraph(std::mt19937& rng, int lines) {
  std::string s;
  for (int i = 0; i < lines; ++i) {
    if (i) s += "\r\n";
    s += Sentence(rng, 8);
  }
  return s;
}

}  // namespace

void GenerateWorld(const std::filesystem::path& dir, int zones, uint32_t seed) {
  std::mt19937 rng(seed);
  SilentReporter rep;
  World w(rep);
  w.WorldPath = dir;
  for (const char* sub : {"ZON", "WLD", "OBJ", "MOB", "SHP", "TRG"})
    std::filesystem::create_directories(dir / sub);

  for (int zn = 1; zn <= zones; ++zn) {
    auto zone = std::make_unique<TZone>(zn);
    TZone* z = w.Zones.Append(std::move(zone));
    z->Name = Sentence(rng, 3);
    z->ResetTime = 30;
    z->ResetMode = 2;
    RegisterZoneFiles(w, *z, dir / "ZON" / (std::to_string(zn) + ".zon"));
    CodingWord cw =
        zn % 2 == 0 ? CodingWord{kCodingKoi, kBreakLF} : CodingWord{kCodingWin, kBreakCRLF};
    for (TFileSetting* fs : {&z->ZoneFilename, &z->RoomFilename, &z->ZoneMapFilename,
                             &z->ObjFilename, &z->MobFilename, &z->ShopFilename, &z->TrigFilename})
      fs->SetWord(cw);

    for (int n = 0; n < 50; ++n) {
      auto o = std::make_unique<TObj>(zn, MakeVnum(n, zn));
      for (auto& name : o->Names) name = Sentence(rng, 2);
      o->Aliases = Sentence(rng, 3);
      o->Description = Sentence(rng, 7);
      o->ObjType = 1 + n % 20;
      o->Weight = 1 + n;
      o->Price = 10 * n;
      o->MaxInWorld = 5;
      TExtraDesc e;
      e.Keywords = o->Aliases;
      e.Description = Paragraph(rng, 3);
      o->ExtraDescs.Add(e);
      w.Objs.Append(std::move(o));
      auto m = std::make_unique<TMob>(zn, MakeVnum(n, zn));
      for (auto& name : m->Names) name = Sentence(rng, 2);
      m->Aliases = Sentence(rng, 2);
      m->LongDescription = Sentence(rng, 6);
      m->LookDescription = Paragraph(rng, 4);
      m->Level = 1 + n % 30;
      m->HitDice = {n % 10 + 1, 8, n};
      m->DamageDice = {1, 6, 1};
      m->MaxInWorld = 3;
      w.Mobs.Append(std::move(m));
    }
    for (int n = 0; n < 5; ++n) {
      auto t = std::make_unique<TTrigger>(zn, MakeVnum(n, zn));
      t->Name = Sentence(rng, 3);
      t->TriggerClass = static_cast<uint8_t>(n % 3);
      t->TriggerTypes = "g0";
      t->NumArg = 100;
      t->Text = "wait 1\r\nsay " + Sentence(rng, 5) + "\r\nend";
      w.Triggers.Append(std::move(t));
    }
    {
      auto sh = std::make_unique<TShop>(zn, MakeVnum(0, zn));
      sh->Keeper = MakeVnum(0, zn);
      sh->Goods.Add(MakeVnum(1, zn));
      sh->Rooms.Add(MakeVnum(5, zn));
      for (auto& m : sh->Messages) m = "%s " + Sentence(rng, 4);
      sh->Close1 = 28;
      w.Shops.Append(std::move(sh));
    }
    for (int n = 0; n < 100; ++n) {
      auto r = std::make_unique<TRoom>(zn, MakeVnum(n, zn));
      r->Name = Sentence(rng, 3);
      r->Description = Paragraph(rng, 5) + "\r\n";
      r->Sector = static_cast<int16_t>(n % 6);
      int x = n % 10, y = n / 10;
      if (y > 0) r->Exits[kNorth].ToRoom = MakeVnum(n - 10, zn);
      if (y < 9) r->Exits[kSouth].ToRoom = MakeVnum(n + 10, zn);
      if (x > 0) r->Exits[kWest].ToRoom = MakeVnum(n - 1, zn);
      if (x < 9) r->Exits[kEast].ToRoom = MakeVnum(n + 1, zn);
      r->MapX = x;
      r->MapY = y;
      r->MapZ = 1;
      if (n % 2 == 0) {
        TRoomMob rm;
        rm.ID = MakeVnum(n / 2, zn);
        rm.MaxInRoom = 1;
        TLinkObj inv;
        inv.ID = MakeVnum(n / 2, zn);
        inv.Chance = 50;
        rm.Inventory.Add(inv);
        r->Mobs.Add(std::move(rm));
        TRoomObj ro;
        ro.ID = MakeVnum((n + 1) / 2 % 50, zn);
        ro.Chance = 100;
        r->Objects.Add(std::move(ro));
      }
      w.Rooms.Append(std::move(r));
    }
  }
  for (int zn = 1; zn <= zones; ++zn) SaveWholeZone(w, zn);
}

const std::filesystem::path& WorldOf(int zones) {
  static std::map<int, std::filesystem::path> made;
  auto it = made.find(zones);
  if (it != made.end()) return it->second;
  auto dir = std::filesystem::temp_directory_path() / ("zemlemer-bench-" + std::to_string(zones));
  std::filesystem::remove_all(dir);
  GenerateWorld(dir, zones, 20261207u);
  return made.emplace(zones, dir).first->second;
}

void MakeBigZone(World& w) {
  auto z = std::make_unique<TZone>(10);
  z->TopInFile = "1999";
  z->ZoneFilename.Path = "ZON/10.zon";
  TZone* zone = w.Zones.Append(std::move(z));
  w.RegisterZone(*zone);
  for (int32_t v = 1000; v < 2000; ++v) {
    auto r = std::make_unique<TRoom>(10, v);
    r->Name = "room";
    r->Description = std::string(300, 'x');
    r->Exits[kNorth].ToRoom = v + 1 < 2000 ? v + 1 : 1000;
    if (v % 10 == 0) {
      r->Objects.Add(TRoomObj{{0, v}});
      r->Mobs.Add(TRoomMob{{0, v}});
      w.Objs.Append(std::make_unique<TObj>(10, v));
      w.Mobs.Append(std::make_unique<TMob>(10, v));
    }
    w.Rooms.Append(std::move(r));
  }
}

}  // namespace zm::bench
