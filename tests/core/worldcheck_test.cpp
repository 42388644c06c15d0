// The world check: each check fires on a world made to have its fault, and
// stays silent on the same world without it.
#include "query/worldcheck.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/testutil.h"
#include "core/worldbuild.h"
#include "model/world.h"

namespace zm {
namespace {

using test::AddRecord;

// Rooms 100 and 101 joined north-south, each reached from the other.
std::pair<TRoom*, TRoom*> TwoRooms(World& w) {
  TRoom& a = AddRecord<TRoom>(w, 100);
  TRoom& b = AddRecord<TRoom>(w, 101);
  a.Exits[kNorth].ToRoom = 101;
  b.Exits[kSouth].ToRoom = 100;
  return {&a, &b};
}

TRoomMob& MobIn(World& w, TRoom& r, int32_t mob) {
  if (!w.Mobs.Find(mob)) AddRecord<TMob>(w, mob);
  return *r.Mobs.Add(TRoomMob{{0, mob}});
}

TLinkObj Item(int32_t id, uint8_t wear = 255) {
  TLinkObj l;
  l.ID = id;
  l.WearPos = wear;
  return l;
}

struct CheckCase {
  const char* check;
  // Makes the world; with `bad` the fault is in it.
  std::function<void(World&, bool bad)> make;
};

const std::vector<CheckCase>& Cases() {
  static const std::vector<CheckCase> cases = {
      {"exit-missing-room",
       [](World& w, bool bad) { TwoRooms(w).first->Exits[kEast].ToRoom = bad ? 199 : -1; }},
      {"exit-unpaired",
       [](World& w, bool bad) {
         auto [a, b] = TwoRooms(w);
         if (bad) b->Exits[kSouth].ToRoom = -1, a->Exits[kUp].ToRoom = 100;
       }},
      {"door-one-side",
       [](World& w, bool bad) {
         auto [a, b] = TwoRooms(w);
         a->Exits[kNorth].DoorFlags = 1;
         b->Exits[kSouth].DoorFlags = bad ? 0 : 1;
       }},
      {"door-keys-differ",
       [](World& w, bool bad) {
         auto [a, b] = TwoRooms(w);
         AddRecord<TObj>(w, 150);
         AddRecord<TObj>(w, 151);
         a->Exits[kNorth].DoorFlags = b->Exits[kSouth].DoorFlags = 1;
         a->Exits[kNorth].Key = 150;
         b->Exits[kSouth].Key = bad ? 151 : 150;
       }},
      {"key-missing",
       [](World& w, bool bad) {
         TwoRooms(w).first->Exits[kNorth].Key = bad ? 159 : -1;
         TObj& box = AddRecord<TObj>(w, 150);
         box.ObjType = 15;
         box.Value2 = bad ? 158 : -1;
       }},
      {"reset-missing-object",
       [](World& w, bool bad) {
         AddRecord<TObj>(w, 150);
         TwoRooms(w).first->Objects.Add(TRoomObj{{0, bad ? 159 : 150}});
       }},
      {"reset-missing-mobile",
       [](World& w, bool bad) {
         TRoom& r = *TwoRooms(w).first;
         r.Mobs.Add(TRoomMob{{0, bad ? 199 : 150}});
         AddRecord<TMob>(w, 150);
       }},
      {"reset-missing-room",
       [](World& w, bool bad) {
         TwoRooms(w);
         w.ZoneOrBare(1).KeptCommands.push_back(bad ? "M 0 150 1 9999" : "M 0 150 1 101");
       }},
      {"give-without-mobile",
       [](World& w, bool bad) {
         TwoRooms(w);
         auto& kept = w.ZoneOrBare(1).KeptCommands;
         if (!bad) kept.push_back("M 0 150 1 101");
         kept.push_back("G 1 150 1");
       }},
      {"wear-not-allowed",
       [](World& w, bool bad) {
         TObj& ring = AddRecord<TObj>(w, 150);
         ring.WearFlags = bad ? "a0c0" : "a0b0";
         MobIn(w, *TwoRooms(w).first, 160).Inventory.Add(Item(150, 1));
       }},
      {"wield-not-weapon",
       [](World& w, bool bad) {
         TObj& sword = AddRecord<TObj>(w, 150);
         sword.WearFlags = "a0n0";
         sword.ObjType = bad ? 12 : 5;
         MobIn(w, *TwoRooms(w).first, 160).Inventory.Add(Item(150, 16));
       }},
      {"put-into-non-container",
       [](World& w, bool bad) {
         AddRecord<TObj>(w, 150).ObjType = bad ? 12 : 15;
         AddRecord<TObj>(w, 151);
         TRoomObj o{{0, 150}};
         o.Contents.Add(Item(151));
         TwoRooms(w).first->Objects.Add(o);
       }},
      {"shop-missing-keeper",
       [](World& w, bool bad) {
         AddRecord<TMob>(w, 150);
         AddRecord<TShop>(w, 100).Keeper = bad ? 199 : 150;
       }},
      {"shop-missing-goods",
       [](World& w, bool bad) {
         AddRecord<TMob>(w, 150);
         AddRecord<TObj>(w, 151);
         TShop& s = AddRecord<TShop>(w, 100);
         s.Keeper = 150;
         s.Goods.Add(bad ? 199 : 151);
       }},
      {"shop-missing-room",
       [](World& w, bool bad) {
         TwoRooms(w);
         AddRecord<TMob>(w, 150);
         TShop& s = AddRecord<TShop>(w, 100);
         s.Keeper = 150;
         s.Rooms.Add(bad ? 199 : 101);
       }},
      {"trigger-missing",
       [](World& w, bool bad) {
         AddRecord<TTrigger>(w, 150).TriggerClass = 2;
         TwoRooms(w).first->Triggers.Add(TCondID{0, bad ? 199 : 150});
       }},
      {"trigger-wrong-class",
       [](World& w, bool bad) {
         AddRecord<TTrigger>(w, 150).TriggerClass = bad ? 0 : 1;
         AddRecord<TObj>(w, 151).Triggers.Add(150);
       }},
      {"script-blocks",
       [](World& w, bool bad) {
         AddRecord<TTrigger>(w, 150).Text = bad ? "if 1\r\n  say x" : "if 1\r\n  say x\r\nend";
       }},
      {"room-unreachable",
       [](World& w, bool bad) {
         auto [a, b] = TwoRooms(w);
         if (bad) a->Exits[kNorth].ToRoom = -1, b->Exits[kSouth].ToRoom = -1;
       }},
  };
  return cases;
}

TEST(WorldCheck, EachCheckFiresOnItsFaultOnly) {
  std::set<std::string> covered;
  for (const CheckCase& c : Cases()) {
    SCOPED_TRACE(c.check);
    covered.insert(c.check);
    for (bool bad : {false, true}) {
      test::RecordingReporter rep;
      World w(rep);
      c.make(w, bad);
      std::vector<std::string> checks;
      for (const Finding& f : CheckWorld(w)) checks.push_back(f.Check);
      const auto n = std::count(checks.begin(), checks.end(), c.check);
      if (bad) {
        EXPECT_GE(n, 1) << ::testing::PrintToString(checks);
      } else {
        EXPECT_TRUE(checks.empty()) << ::testing::PrintToString(checks);
      }
    }
  }
  EXPECT_EQ(covered.size(), WorldCheckNames().size());
}

TEST(WorldCheck, ScriptBlocks) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"if 1\nelseif 2\nelse\nend", ""},
      {"while 1\n  if x\n  end\ndone\nforeach i a b\ndone", ""},
      {"switch %x%\n case 1\n  break\n default\ndone", ""},
      {"* end in a comment line\nsay end", ""},
      {"end", "строка 1: end без if"},
      {"if 1\nwhile 2\nend", "строка 3: end без if"},
      {"case 1", "строка 1: case вне switch"},
      {"while 1\n  if x\ndone", "строка 3: done без while, foreach или switch"},
      {"if (x)\nsay\n", "строка 1: if не закрыт"},
  };
  for (const auto& [text, problem] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(WinToUtf8(ScriptBlockProblem(W(text))), problem);
  }
}

}  // namespace
}  // namespace zm
