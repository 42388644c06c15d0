// The files shipped in data/ go through the same readers the editor uses at
// start-up: dictionaries, the command menu, the trigger word lists, hints,
// templates and the sample world, which must also come back byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string_view>

#include "common/coding.h"
#include "common/dictionaries.h"
#include "common/editcmdmenu.h"
#include "common/textutil.h"
#include "core/testutil.h"
#include "load/loadworld.h"
#include "load/saving.h"
#include "load/zonecheck.h"
#include "templates/templets.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RecordingReporter;
using test::TempDir;

fs::path DataDir() {
  return fs::path(ZEMLEMER_SOURCE_DIR) / "data";
}

// True when the non-ASCII bytes of `s` all form well-made UTF-8 sequences.
bool IsUtf8(const std::string& s) {
  for (size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    size_t extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : 3;
    if (extra == 3 || (extra > 0 && i + extra >= s.size())) return false;
    for (size_t k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

bool HasNonAscii(const std::string& s) {
  return std::any_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// ------------------------------------------------------------ dictionaries

TEST(BundledData, EveryRegisteredDictionaryLoadsWithEntries) {
  RecordingReporter rep;
  Dictionaries bases(DataDir() / "Bases");
  RegisterDictionaries(bases, rep);
  for (const auto& e : rep.errors) ADD_FAILURE() << "error " << e.n << ": " << WinToUtf8(e.text);

  ASSERT_EQ(bases.Count(), static_cast<int>(DictionaryRegistrations().size()));
  for (const DictRegistration& r : DictionaryRegistrations()) {
    SCOPED_TRACE(std::string(r.Name) + " from " + std::string(r.FileName));
    const Dictionary* b = bases.Find(r.Name);
    ASSERT_NE(b, nullptr);
    EXPECT_GT(b->Count(), 0);
    for (int i = 0; i < b->Count(); ++i) {
      EXPECT_FALSE(b->KeyAt(i).empty()) << "entry " << i;
      // The short name column is skipped only where the file has one: a
      // text left empty means the skip ate the whole name.
      EXPECT_FALSE(b->TextAt(i).empty()) << "entry " << i << " key " << b->KeyAt(i);
    }
  }
}

TEST(BundledData, EditorCommandMenuHasItemsInKnownSubmenus) {
  EditCmdMenu menu = LoadEditCmdMenu(DataDir() / "Bases" / "editcmdmenu");
  ASSERT_FALSE(menu.Items.empty());
  ASSERT_FALSE(menu.Submenus.empty());
  std::set<int> used;
  for (const EditCmdItem& item : menu.Items) {
    SCOPED_TRACE(item.Key);
    EXPECT_FALSE(item.Caption.empty());
    EXPECT_FALSE(menu.CommandOf(item.Tag).empty());
    EXPECT_LT(item.Submenu, static_cast<int>(menu.Submenus.size()));
    used.insert(item.Submenu);
  }
  // Every submenu the file declares gets at least one command.
  for (int s = 0; s < static_cast<int>(menu.Submenus.size()); ++s)
    EXPECT_TRUE(used.count(s)) << menu.Submenus[static_cast<size_t>(s)].Key;
}

// ------------------------------------------------ word lists and hints

struct TextFileCase {
  const char* path;    // under data/
  bool russian;        // holds Cyrillic text
  char pairSeparator;  // every entry is "left<sep>right"; 0 for single words
};

TEST(BundledData, WordListsAndHintsAreWindows1251Lines) {
  const TextFileCase cases[] = {
      {"Bases/Trigger_Language", false, 0},     {"Bases/Trigger_Complete", false, 0},
      {"Bases/Trigger_CompleteChar", false, 0}, {"Bases/Trigger_CompleteMob", false, 0},
      {"Bases/Trigger_AutoChange", true, '='},  {"Help/hints", true, ':'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const fs::path p = DataDir() / c.path;
    ASSERT_TRUE(fs::is_regular_file(p));
    const std::string bytes = ReadFile(p);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
    // 0x98 is the one byte Windows-1251 leaves undefined.
    EXPECT_EQ(bytes.find('\x98'), std::string::npos);
    if (c.russian) {
      EXPECT_TRUE(HasNonAscii(bytes));
      EXPECT_FALSE(IsUtf8(bytes)) << "saved as UTF-8";
      EXPECT_EQ(DetectCodingOf(bytes, true).Coding, kCodingWin);
    }
    int entries = 0;
    for (const std::string_view line : SplitLines(bytes)) {
      std::string t = Trim(line);
      if (t.empty() || t[0] == '*' || t[0] == ';') continue;
      ++entries;
      if (c.pairSeparator) {
        size_t at = t.find(c.pairSeparator);
        ASSERT_NE(at, std::string::npos) << WinToUtf8(t);
        EXPECT_GT(at, 0u) << WinToUtf8(t);
        EXPECT_FALSE(Trim(t.substr(at + 1)).empty()) << WinToUtf8(t);
      } else {
        EXPECT_EQ(t.find_first_of(" \t"), std::string::npos) << WinToUtf8(t);
      }
    }
    EXPECT_GT(entries, 0);
  }
}

// ---------------------------------------------------------------- templates

TEST(BundledData, TemplatesLoadThroughTheTemplateReader) {
  const fs::path bases = DataDir() / "Bases";
  RecordingReporter rep;
  Dictionaries dicts(bases);
  RegisterDictionaries(dicts, rep);
  Templets t;
  EXPECT_TRUE(t.LoadAll(bases, rep, &dicts));
  for (const auto& e : rep.errors) ADD_FAILURE() << "error " << e.n << ": " << WinToUtf8(e.text);
  for (RecordKind k : {kRoom, kObject, kMobile, kShop, kTrigger}) {
    SCOPED_TRACE(static_cast<int>(k));
    const auto& names = t.NamesOf(k);
    EXPECT_FALSE(names.empty());
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size())
        << "two templates of a kind share a name";
  }
}

// ------------------------------------------------------------- sample world

fs::path SampleWorld() {
  return DataDir() / "Zones";
}

std::map<std::string, std::string> Snapshot(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file())
      files[fs::relative(e.path(), dir).generic_string()] = ReadFile(e.path());
  return files;
}

// Loaded once for the read-only checks.
const World& Sample() {
  static RecordingReporter rep;
  static World w(rep);
  static const int failures = [] { return LoadWorld(w, SampleWorld()); }();
  EXPECT_EQ(failures, 0);
  for (const auto& e : rep.loadErrors) ADD_FAILURE() << WinToUtf8(e);
  for (const auto& e : rep.errors) ADD_FAILURE() << "error " << e.n << ": " << WinToUtf8(e.text);
  return w;
}

TEST(SampleWorld, ZonesKeepTheirCodingAndLineBreak) {
  struct Case {
    int32_t zone;
    uint8_t coding;
    uint8_t lineBreak;
  } const cases[] = {
      {30, kCodingWin, kBreakCRLF},
      {31, kCodingKoi, kBreakLF},
      {32, kCodingWin, kBreakCRLF},
  };
  const World& w = Sample();
  int registered = 0;
  for (const auto& z : w.Zones) registered += z->Registered ? 1 : 0;
  EXPECT_EQ(registered, 3);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zone);
    const TZone* z = w.Zones.ByNumber(c.zone);
    ASSERT_NE(z, nullptr);
    EXPECT_TRUE(z->Registered);
    for (RecordKind k : {kZone, kRoom, kObject, kMobile, kShop, kTrigger}) {
      const TFileSetting& fs = *FileSettingOf(*z, k);
      EXPECT_EQ(fs.Coding, c.coding) << fs.Path;
      EXPECT_EQ(fs.LineBreak, c.lineBreak) << fs.Path;
      if (!fs::exists(fs.Path)) continue;
      // Every line of the file, not just the first one detection looks at.
      const std::string bytes = ReadFile(fs.Path);
      const size_t lf = std::count(bytes.begin(), bytes.end(), '\n');
      const size_t crlf = [&] {
        size_t n = 0;
        for (size_t at = bytes.find("\r\n"); at != std::string::npos;
             at = bytes.find("\r\n", at + 2))
          ++n;
        return n;
      }();
      EXPECT_EQ(crlf, c.lineBreak == kBreakCRLF ? lf : 0) << fs.Path;
      EXPECT_EQ(DetectCodingOf(bytes, true).Coding, c.coding) << fs.Path;
    }
  }
}

// One row per feature the sample world is there to show.
TEST(SampleWorld, ShowsEveryFeature) {
  const World& w = Sample();
  auto anyRoom = [&](const std::function<bool(const TRoom&)>& f) {
    return std::any_of(w.Rooms.begin(), w.Rooms.end(), [&](const auto& r) { return f(*r); });
  };
  auto anyObj = [&](const std::function<bool(const TObj&)>& f) {
    return std::any_of(w.Objs.begin(), w.Objs.end(), [&](const auto& o) { return f(*o); });
  };
  auto anyMob = [&](const std::function<bool(const TMob&)>& f) {
    return std::any_of(w.Mobs.begin(), w.Mobs.end(), [&](const auto& m) { return f(*m); });
  };
  auto anyExit = [&](const std::function<bool(const TRoomExit&)>& f) {
    return anyRoom([&](const TRoom& r) { return std::any_of(r.Exits.begin(), r.Exits.end(), f); });
  };
  auto anyRoomMob = [&](const std::function<bool(const TRoomMob&)>& f) {
    return anyRoom([&](const TRoom& r) {
      return std::any_of(r.Mobs.begin(), r.Mobs.end(), [&](const auto& m) { return f(*m); });
    });
  };
  auto anyZone = [&](const std::function<bool(const TZone&)>& f) {
    return std::any_of(w.Zones.begin(), w.Zones.end(), [&](const auto& z) { return f(*z); });
  };
  auto triggerClass = [&](int cls) {
    return std::any_of(w.Triggers.begin(), w.Triggers.end(),
                       [&](const auto& t) { return t->TriggerClass == cls && !t->Text.empty(); });
  };

  struct Feature {
    const char* what;
    bool shown;
  } const features[] = {
      {"a shop", w.Shops.Count() > 0},
      {"a room flag of a second plane",
       anyRoom([](const TRoom& r) { return r.Flags.find('1') != std::string::npos; })},
      {"extra descriptions of rooms",
       anyRoom([](const TRoom& r) { return r.ExtraDescs.Count() > 0; })},
      {"ingredients in rooms", anyRoom([](const TRoom& r) { return r.Ingredients.Count() > 0; })},
      {"room triggers", anyRoom([](const TRoom& r) { return r.Triggers.Count() > 0; })},
      {"a door with a key",
       anyExit([](const TRoomExit& e) { return e.ToRoom > 0 && e.DoorFlags && e.Key > 0; })},
      {"a hidden passage",
       anyExit([](const TRoomExit& e) { return e.ToRoom > 0 && (e.DoorFlags & 4); })},
      {"a door locked at reset", anyExit([](const TRoomExit& e) { return e.DefaultState == 2; })},
      {"an exit into another zone", anyRoom([](const TRoom& r) {
         return std::any_of(r.Exits.begin(), r.Exits.end(), [&](const TRoomExit& e) {
           return e.ToRoom > 0 && ZoneOf(e.ToRoom) != r.Zone;
         });
       })},
      {"objects put into objects", anyRoom([](const TRoom& r) {
         return std::any_of(r.Objects.begin(), r.Objects.end(),
                            [](const auto& o) { return o->Contents.Count() > 0; });
       })},
      {"objects removed at reset",
       anyRoom([](const TRoom& r) { return r.RemovedObjects.Count() > 0; })},
      {"equipped objects", anyRoomMob([](const TRoomMob& m) {
         return std::any_of(m.Inventory.begin(), m.Inventory.end(),
                            [](const auto& i) { return i->WearPos != 255; });
       })},
      {"carried objects", anyRoomMob([](const TRoomMob& m) {
         return std::any_of(m.Inventory.begin(), m.Inventory.end(),
                            [](const auto& i) { return i->WearPos == 255; });
       })},
      {"a follower", anyRoomMob([](const TRoomMob& m) { return m.Leader != -1; })},
      {"a command run only after the one before", anyRoomMob([](const TRoomMob& m) {
         return std::any_of(m.Inventory.begin(), m.Inventory.end(),
                            [](const auto& i) { return i->Cond == 1; });
       })},
      {"objects the zone loads without a room",
       anyZone([](const TZone& z) { return z.CreatedObjects.Count() > 0; })},
      {"mobiles removed at reset",
       anyZone([](const TZone& z) { return z.RemovedMobs.Count() > 0; })},
      {"object extra descriptions", anyObj([](const TObj& o) { return o.ExtraDescs.Count() > 0; })},
      {"object applies", anyObj([](const TObj& o) { return o.Applies.Count() > 0; })},
      {"object triggers", anyObj([](const TObj& o) { return o.Triggers.Count() > 0; })},
      {"an object spell", anyObj([](const TObj& o) { return o.Spell > 0; })},
      {"magic flags of an ingredient",
       anyObj([](const TObj& o) { return o.ObjType == 25 && !o.SkillOrMagicFlags.Text.empty(); })},
      {"a skill trained by a weapon",
       anyObj([](const TObj& o) { return o.ObjType == 5 && o.SkillOrMagicFlags.Number > 0; })},
      {"an action description", anyObj([](const TObj& o) { return !o.ActionDescription.empty(); })},
      {"restrictions on use",
       anyObj([](const TObj& o) { return !o.NoTake.empty() && !o.NoUse.empty(); })},
      {"mobile dice with bonus",
       anyMob([](const TMob& m) { return m.HitDice.Bonus > 0 && m.GoldDice.Count > 0; })},
      {"mobile spells cast more than once", anyMob([](const TMob& m) {
         return std::any_of(m.Spells.begin(), m.Spells.end(),
                            [](const auto& s) { return (s->Value >> 16) > 1; });
       })},
      {"mobile skills", anyMob([](const TMob& m) { return m.Skills.Count() > 0; })},
      {"a mobile path",
       anyMob([](const TMob& m) { return m.Destinations.find('/') != std::string::npos; })},
      {"mobile helpers", anyMob([](const TMob& m) { return m.Helpers.Count() > 0; })},
      {"mobile special flags", anyMob([](const TMob& m) { return !m.SpecialFlags.empty(); })},
      {"mobile ingredients", anyMob([](const TMob& m) { return m.Ingredients.Count() > 0; })},
      {"mobile triggers", anyMob([](const TMob& m) { return m.Triggers.Count() > 0; })},
      {"a mobile trigger script", triggerClass(0)},
      {"an object trigger script", triggerClass(1)},
      {"a room trigger script", triggerClass(2)},
  };
  for (const auto& f : features) EXPECT_TRUE(f.shown) << f.what;
}

TEST(SampleWorld, HasAnObjectOfEveryTypeWithAValuePanel) {
  std::set<int> types;
  for (const auto& o : Sample().Objs) types.insert(o->ObjType);
  for (int t : {1, 2, 3, 4, 5, 9, 10, 15, 17, 19, 20, 23, 24, 25}) EXPECT_TRUE(types.count(t)) << t;
}

TEST(SampleWorld, DescriptionsHoldEveryVariantAndSurviveTheEditor) {
  std::array<bool, kVariants> seen{};
  bool marked = false;
  for (const auto& r : Sample().Rooms) {
    SCOPED_TRACE(r->Vnum);
    DescriptionParts parts = SplitDescription(r->Description);
    EXPECT_FALSE(parts.General.empty());
    // Shown in the room editor and applied untouched, it stays the same.
    EXPECT_EQ(JoinDescription(parts), r->Description);
    for (int v = 0; v < kVariants; ++v) {
      seen[static_cast<size_t>(v)] =
          seen[static_cast<size_t>(v)] || !parts.Variants[static_cast<size_t>(v)].empty();
      marked = marked || parts.Marks[static_cast<size_t>(v)];
    }
  }
  for (int v = 0; v < kVariants; ++v)
    EXPECT_TRUE(seen[static_cast<size_t>(v)]) << "variant " << v + 1;
  EXPECT_TRUE(marked);
}

TEST(SampleWorld, CodesAreKeysOfTheirDictionaries) {
  RecordingReporter rep;
  Dictionaries bases(DataDir() / "Bases");
  RegisterDictionaries(bases, rep);
  auto has = [&](const char* dict, const std::string& key) {
    const Dictionary* b = bases.Find(dict);
    return b && b->IndexOf(key) >= 0;
  };
  // Ingredients are written by their names, not by their keys.
  auto hasText = [&](const char* dict, const std::string& text) {
    const Dictionary* b = bases.Find(dict);
    for (int i = 0; b && i < b->Count(); ++i)
      if (b->TextAt(i) == text) return true;
    return false;
  };
  auto flagsIn = [&](const char* dict, const std::string& vector) {
    for (size_t i = 0; i + 1 < vector.size(); i += 2)
      if (!has(dict, vector.substr(i, 2))) return vector.substr(i, 2);
    return std::string();
  };
  for (const auto& r : Sample().Rooms) {
    SCOPED_TRACE(r->Vnum);
    EXPECT_EQ(flagsIn("roomvector", r->Flags), "");
    EXPECT_TRUE(has("sectortype", IntText(r->Sector)));
    for (const auto& e : r->Exits)
      if (e.ToRoom > 0) EXPECT_TRUE(has("doorflags", IntText(e.DoorFlags)));
    for (const auto& i : r->Ingredients)
      EXPECT_TRUE(hasText("ingredientroom", i->Name)) << WinToUtf8(i->Name);
  }
  for (const auto& o : Sample().Objs) {
    SCOPED_TRACE(o->Vnum);
    EXPECT_TRUE(has("objtype", IntText(o->ObjType)));
    EXPECT_TRUE(has("material", IntText(o->Material)));
    EXPECT_TRUE(has("objpol", IntText(o->Gender)));
    EXPECT_TRUE(has("objstructurehits", IntText(o->MaxDurability)));
    EXPECT_EQ(flagsIn("objeffect", o->Effects), "");
    EXPECT_EQ(flagsIn("objwear", o->WearFlags), "");
    EXPECT_EQ(flagsIn("objaffect", o->Affects), "");
    EXPECT_EQ(flagsIn("objnotake", o->NoTake), "");
    EXPECT_EQ(flagsIn("objnouse", o->NoUse), "");
  }
  for (const auto& m : Sample().Mobs) {
    SCOPED_TRACE(m->Vnum);
    EXPECT_EQ(flagsIn("mobflags", m->Flags), "");
    EXPECT_EQ(flagsIn("mobaffect", m->Affects), "");
    EXPECT_EQ(flagsIn("mobspecflags", m->SpecialFlags), "");
    EXPECT_TRUE(has("mobclass", IntText(m->Class)));
    for (const auto& s : m->Spells) EXPECT_TRUE(has("mobspells", IntText(s->Value & 0xFFFF)));
    for (const auto& s : m->Skills) EXPECT_TRUE(has("mobskills", IntText(s->Value & 0xFFFF)));
    for (const auto& i : m->Ingredients)
      EXPECT_TRUE(hasText("ingredientmob", i->Name)) << WinToUtf8(i->Name);
  }
  for (const auto& t : Sample().Triggers) {
    SCOPED_TRACE(t->Vnum);
    const char* dict[] = {"trigger_bitvector_mob", "trigger_bitvector_obj",
                          "trigger_bitvector_wld"};
    ASSERT_LT(t->TriggerClass, 3);
    EXPECT_EQ(flagsIn(dict[t->TriggerClass], t->TriggerTypes), "");
  }
}

TEST(SampleWorld, ZoneCheckFindsOnlyTheErrorsLeftOnPurpose) {
  struct Case {
    int32_t zone;
    std::vector<std::string> errors;  // UTF-8
  } const cases[] = {
      {30, {}},
      {31, {"Room #3103, Выход на восток: непарный выход"}},
      {32, {"Room #3203, неизвестный моб: #3299"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.zone);
    ZoneCheckResult r = CheckZone(Sample(), c.zone);
    std::vector<std::string> errors;
    for (const auto& e : r.Errors) errors.push_back(WinToUtf8(e));
    EXPECT_EQ(errors, c.errors);
    EXPECT_GT(r.Rooms, 0);
    EXPECT_GT(r.Unplaced, 0);
    EXPECT_LT(r.Unplaced * 4, r.Rooms) << "most rooms are placed on the map";
  }
}

TEST(SampleWorld, SavingEveryZoneLeavesEveryFileByteForByte) {
  TempDir dir;
  const fs::path copy = dir / "Zones";
  fs::copy(SampleWorld(), copy, fs::copy_options::recursive);
  const auto before = Snapshot(copy);
  ASSERT_GE(before.size(), 18u);

  RecordingReporter rep;
  World w(rep);
  ASSERT_EQ(LoadWorld(w, copy), 0);
  int saved = 0;
  for (const auto& z : w.Zones) {
    if (!z->Registered) continue;
    SCOPED_TRACE(z->Vnum);
    SaveResult r = SaveWholeZone(w, z->Vnum);
    EXPECT_TRUE(r.ok);
    saved += static_cast<int>(r.written.size());
  }
  EXPECT_EQ(saved, static_cast<int>(before.size()));
  EXPECT_TRUE(rep.errors.empty());

  const auto after = Snapshot(copy);
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [name, bytes] : before) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(after.count(name));
    EXPECT_TRUE(after.at(name) == bytes) << "the saved file differs";
  }
}

}  // namespace
}  // namespace zm
