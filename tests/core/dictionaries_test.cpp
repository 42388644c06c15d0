#include "common/dictionaries.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "core/testutil.h"

namespace zm {
namespace {

using test::RecordingReporter;
using test::TempDir;
using test::WriteFile;

// A list control held in memory: items with a check each, one selection and
// a grid column, all range-checked like the real widgets are.
class FakeControl : public DictControl {
 public:
  explicit FakeControl(std::string name = "Fake") : m_name(std::move(name)) {}

  std::string ControlName() const override { return m_name; }
  void ClearItems() override {
    items.clear();
    checks.clear();
    selected = -1;
  }
  void AddItem(const std::string& text) override {
    items.push_back(text);
    checks.push_back(false);
  }
  int ItemCount() const override { return static_cast<int>(items.size()); }
  std::string ItemText(int i) const override { return valid(i) ? items[i] : std::string(); }
  void RemoveItemsFrom(int n) override {
    if (n < 0 || n >= ItemCount()) return;
    items.resize(n);
    checks.resize(n);
    if (selected >= n) selected = -1;
  }
  int SelectedIndex() const override { return selected; }
  void SetSelectedIndex(int i) override { selected = valid(i) ? i : -1; }
  bool IsChecked(int i) const override { return valid(i) && checks[i]; }
  void SetChecked(int i, bool on) override {
    if (valid(i)) checks[i] = on;
  }
  void SetRowCount(int n) override { cells.assign(n, std::string()); }
  void SetCell(int col, int row, const std::string& text) override {
    if (col == 0 && row >= 0 && row < static_cast<int>(cells.size())) cells[row] = text;
  }

  std::string CheckedTexts() const {
    std::string s;
    for (int i = 0; i < ItemCount(); ++i)
      if (checks[i]) s += "[" + items[i] + "]";
    return s;
  }

  std::vector<std::string> items;
  std::vector<bool> checks;
  std::vector<std::string> cells;
  int selected = -1;

 private:
  bool valid(int i) const { return i >= 0 && i < ItemCount(); }
  std::string m_name;
};

std::unique_ptr<Dictionary> MakeDict(uint8_t kind, const std::string& file, bool skip = false) {
  auto b = std::make_unique<Dictionary>("F", "f", "Fake", kind, skip);
  b->Items = ParseDictionary(file, skip);
  return b;
}

TEST(Dictionary, FileLinesToEntries) {
  struct Case {
    const char* name;
    std::string bytes;
    bool skip;
    std::vector<std::string> items;
  };
  const std::vector<Case> cases = {
      {"no skip", W("5 Тундра\r\n"), false, {W("5=Тундра")}},
      {"skip drops column", W("5 x Тундра\r\n"), true, {W("5=Тундра")}},
      {"skip eats the text", W("5 Тундра\r\n"), true, {"5="}},
      {"key only", "7\n", false, {"7="}},
      {"blanks between and inside", "  3 \t  two  words \n", false, {"3=two  words "}},
      {"comments, empty and blank lines",
       "* header\r\n\r\n   \r\n1 a\n*2 b\n\t\n2 b",
       false,
       {"1=a", "2=b"}},
      {"lone CR ends lines, duplicates kept", "1 a\r1 b\r", false, {"1=a", "1=b"}},
      {"no conversion", "a0 \xC0\xE1\n", false, {"a0=\xC0\xE1"}},
      {"empty file", "", false, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDictionary(c.bytes, c.skip), c.items) << c.name;
}

TEST(Dictionary, LookupsTakeTheFirstMatch) {
  // Drop-down codes may differ in letter case; flag codes may not: B0 and b0
  // are different bits of plane 0.
  auto list = MakeDict(kDictDropDown, W("a Первый\nB Второй\nb Третий\nЖ Четвёртый\n"));
  auto flags = MakeDict(kDictCheckList, W("a0 Первый\nB0 Второй\nb0 Третий\nA0 Четвёртый\n"));
  struct Case {
    const Dictionary* dict;
    std::string key;
    int index;
    std::string text;
  };
  const std::vector<Case> cases = {
      {list.get(), "A", 0, W("Первый")},
      {list.get(), "b", 1, W("Второй")},
      {list.get(), W("ж"), 3, W("Четвёртый")},
      {list.get(), "c", -1, ""},
      {list.get(), "", -1, ""},
      {flags.get(), "b0", 2, W("Третий")},
      {flags.get(), "B0", 1, W("Второй")},
      {flags.get(), "A0", 3, W("Четвёртый")},
      {flags.get(), "c0", -1, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.dict->IndexOf(c.key), c.index) << c.key;
    EXPECT_EQ(c.dict->TextOf(c.key), c.text) << c.key;
  }
  EXPECT_EQ(flags->KeyAt(1), "B0");
  EXPECT_EQ(flags->KeyAt(4), "");
  EXPECT_EQ(flags->TextAt(-1), "");
}

TEST(Dictionary, FillsEachKindOfControl) {
  FakeControl combo, list, grid;
  MakeDict(kDictDropDown, "1 one\n2 two\n")->Fill(combo);
  MakeDict(kDictCheckList, "a0 one\nb0\n")->Fill(list);
  MakeDict(kDictGrid, "10 ten\n20 twenty\n30 thirty\n")->Fill(grid);
  EXPECT_EQ(combo.items, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(list.items, (std::vector<std::string>{"one", ""}));
  EXPECT_EQ(list.CheckedTexts(), "");
  EXPECT_TRUE(grid.items.empty());
  EXPECT_EQ(grid.cells, (std::vector<std::string>{"ten", "twenty", "thirty"}));
}

TEST(Dictionary, DropDownShowsAndReadsKeys) {
  auto d = MakeDict(kDictDropDown, "0 zero\n1 one\n2 two\nA ay\n");
  FakeControl c;
  d->Bind(&c);
  struct Case {
    std::string shown;
    int selected;    // as ShowValue leaves it
    int extraItems;  // items added for an unknown code
    int userPick;    // -2: untouched
    std::string read;
  };
  const std::vector<Case> cases = {
      {"1", 1, 0, -2, "1"}, {"1", 1, 0, 2, "2"},     {"1", 1, 0, -1, "-1"},
      {"a", 3, 0, -2, "a"},  // read back as it was written
      {"a", 3, 0, 0, "0"},  {"-1", -1, 0, -2, "-1"}, {"", -1, 0, -2, ""},
      {"", -1, 0, 1, "1"},  {"77", 4, 1, -2, "77"},  // a code the game added later survives
      {"77", 4, 1, 0, "0"}, {"77", 4, 1, 4, "77"},   {"01", 4, 1, -2, "01"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.shown + " pick " + std::to_string(k.userPick));
    d->ShowValue(k.shown);
    EXPECT_EQ(c.selected, k.selected);
    ASSERT_EQ(c.ItemCount(), d->Count() + k.extraItems);
    if (k.extraItems) {
      EXPECT_EQ(c.items.back(), k.shown);
    }
    if (k.userPick != -2) c.SetSelectedIndex(k.userPick);
    EXPECT_EQ(d->ReadValue(), k.read);
  }
  // A drop-down nobody showed a value in reads its selection plainly.
  FakeControl fresh;
  d->Bind(&fresh);
  EXPECT_EQ(d->ReadValue(), "-1");
  fresh.SetSelectedIndex(2);
  EXPECT_EQ(d->ReadValue(), "2");
}

TEST(Dictionary, CheckListShowsAndReadsBitVectors) {
  auto d = MakeDict(kDictCheckList, "a0 A\nb0 B\nc1 C\n");
  FakeControl c;
  d->Bind(&c);
  struct Case {
    std::string shown;
    std::string checked;      // after ShowValue
    std::vector<int> toggle;  // items the user flips
    std::string read;
  };
  const std::vector<Case> cases = {
      {"a0c1", "[A][C]", {}, "a0c1"},
      {"a0c1", "[A][C]", {0}, "c1"},
      {"a0c1", "[A][C]", {0, 2}, ""},
      {"c1a0", "[A][C]", {}, "c1a0"},
      {"c1a0", "[A][C]", {1}, "a0b0c1"},  // a change writes item order
      {"a0c", "[A]", {}, "a0c"},          // three characters: first pair only
      {"a0c", "[A]", {2}, "a0c1"},
      {"A0", "[A0]", {}, "A0"},  // another bit than a0: kept as an unknown flag
      {"A0", "[A0]", {1}, "A0b0"},
      {"", "", {}, ""},
      {"", "", {1, 0}, "a0b0"},
      {"z9a0", "[A][z9]", {}, "z9a0"},  // an unknown flag is an extra item
      {"z9a0", "[A][z9]", {1}, "z9a0b0"},
      {"z9a0", "[A][z9]", {3}, "a0"},
      {"a0z9", "[A][z9]", {1}, "a0b0z9"},  // unknown codes keep their place
      {"c1z9a0", "[A][C][z9]", {1}, "z9a0b0c1"},
      {"z9z9", "[z9]", {}, "z9z9"},
      {"a0a0", "[A]", {2}, "a0a0c1"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.shown + " toggling " + std::to_string(k.toggle.size()));
    d->ShowValue(k.shown);
    EXPECT_EQ(c.CheckedTexts(), k.checked);
    for (int i : k.toggle) c.SetChecked(i, !c.IsChecked(i));
    EXPECT_EQ(d->ReadValue(), k.read);
  }
  // No shown value: checked keys in item order, "0" for a box without items.
  FakeControl plain;
  d->Bind(&plain);
  EXPECT_EQ(d->ReadValue(), "");
  plain.SetChecked(2, true);
  plain.SetChecked(0, true);
  EXPECT_EQ(d->ReadValue(), "a0c1");
  auto empty = MakeDict(kDictCheckList, "");
  empty->Bind(&plain);
  EXPECT_EQ(empty->ReadValue(), "0");
  // Without a file every flag is unknown, and still nothing is lost.
  empty->ShowValue("a0b0");
  EXPECT_EQ(plain.CheckedTexts(), "[a0][b0]");
  EXPECT_EQ(empty->ReadValue(), "a0b0");
}

TEST(Dictionary, ShowingAgainDropsTheExtraItemsOfTheLastValue) {
  auto d = MakeDict(kDictCheckList, "a0 A\n");
  FakeControl c;
  d->Bind(&c);
  d->ShowValue("x1y2");
  EXPECT_EQ(c.ItemCount(), 3);
  d->ShowValue("a0");
  EXPECT_EQ(c.items, std::vector<std::string>{"A"});
  EXPECT_EQ(d->ReadValue(), "a0");
}

TEST(Dictionary, BindingMovesAndForgetsControls) {
  TempDir dir;
  WriteFile(dir / "trigger_bitvector_wld", "a0 - wld\n");
  WriteFile(dir / "trigger_bitvector_obj", "b0 - obj\n");
  WriteFile(dir / "Spells", "1 spell\n");
  RecordingReporter rep;
  Dictionaries list(dir.path());
  list.AddNamed("trigger_bitvector_wld", "wld", "T_TypeCheckListBox", 1, true, rep);
  list.AddNamed("trigger_bitvector_obj", "obj", "T_TypeCheckListBox", 1, true, rep);
  list.AddNamed("Spells", "spells", "O_SpellComboBox", 0, false, rep);
  ASSERT_TRUE(rep.errors.empty());

  FakeControl other("Unknown");
  other.AddItem("designed");
  EXPECT_EQ(list.BindControl(other), 0);
  EXPECT_EQ(list.BindControl(other, "nosuch"), 0);
  EXPECT_EQ(other.items, std::vector<std::string>{"designed"});

  FakeControl types("T_TypeCheckListBox");
  EXPECT_EQ(list.BindControl(types), 1);  // first of the rows naming it
  EXPECT_EQ(types.items, std::vector<std::string>{"wld"});
  EXPECT_EQ(list.BindControl(types, "obj"), 1);
  EXPECT_EQ(types.items, std::vector<std::string>{"obj"});
  EXPECT_EQ(list.Find("Obj"), nullptr);  // names are exact

  auto first = std::make_unique<FakeControl>("O_SpellComboBox");
  FakeControl second("O_SpellComboBox");
  EXPECT_EQ(list.BindControl(*first), 0);
  EXPECT_EQ(list.BindControl(second), 0);
  Dictionary* spells = list.Find("spells");
  EXPECT_EQ(spells->Control(), &second);
  list.BindControl(*first);
  first.reset();  // the editor window closes
  EXPECT_EQ(spells->Control(), nullptr);
  spells->ShowValue("1");
  EXPECT_EQ(spells->ReadValue(), "-1");
}

TEST(Dictionary, MissingFilesReportOncePerDictionary) {
  TempDir dir;
  WriteFile(dir / "sectortype", "0 inside\n");  // found without regard to case
  std::filesystem::create_directories(dir / "Level");
  RecordingReporter rep;
  Dictionaries list(dir.path());
  FakeControl bound("CondComboBox");
  list.AddNamed("SectorType", "sectortype", "R_SectorComboBox", 0, true, rep);
  list.AddNamed("Level", "moblevel", "M_LevelComboBox", 0, false, rep);
  Dictionary& cond = list.AddBound("zonecond", "zonecond", bound, 0, false, rep);
  EXPECT_EQ(list.Find("sectortype")->Count(), 1);
  EXPECT_EQ(cond.Control(), &bound);
  EXPECT_EQ(cond.ControlName, "CondComboBox");
  ASSERT_EQ(rep.errors.size(), 2u);
  EXPECT_EQ(rep.errors[0].n, 9);
  EXPECT_EQ(rep.errors[0].text, W("Ошибка загрузки Bases\r\nФайл: Level"));
  EXPECT_EQ(rep.errors[1].text, W("Ошибка загрузки Bases\r\nФайл: zonecond"));
}

TEST(Dictionary, RegistrationLoadsAllRowsInOrder) {
  auto rows = DictionaryRegistrations();
  ASSERT_EQ(rows.size(), 72u);
  std::set<std::string_view> names, files;
  for (const auto& r : rows) {
    EXPECT_TRUE(names.insert(r.Name).second) << r.Name;
    files.insert(r.FileName);
  }

  TempDir dir;
  for (auto f : files)
    if (f != "Spells") WriteFile(dir / std::string(f), "1 x\n");
  RecordingReporter rep;
  Dictionaries list(dir.path());
  RegisterDictionaries(list, rep);
  ASSERT_EQ(list.Count(), 72);
  EXPECT_EQ(rep.errors.size(), 10u);  // every dictionary reading Spells
  for (const auto& e : rep.errors) EXPECT_EQ(e.text, W("Ошибка загрузки Bases\r\nФайл: Spells"));

  struct Row {
    int index;
    const char* name;
    const char* control;
    uint8_t kind;
    bool skip;
  };
  const Row spot[] = {
      {0, "zon_repop", "Z_RTypeComboBox", 0, false},
      {1, "zonecond", "CondComboBox", 0, false},
      {2, "zon_equipped", "WhereComboBox", 0, false},
      {5, "sectortype", "R_SectorComboBox", 0, true},
      {34, "magicflags", "O_T25CheckListBox", 1, false},
      {58, "mobskills", "M_SkillStringGrid", 2, false},
      {71, "trigger_bitvector_mob", "T_TypeCheckListBox", 1, true},
  };
  for (const auto& r : spot) {
    const Dictionary& b = list.At(r.index);
    EXPECT_EQ(b.Name, r.name);
    EXPECT_EQ(b.ControlName, r.control);
    EXPECT_EQ(b.Kind, r.kind);
    EXPECT_EQ(b.SkipSecond, r.skip);
  }
  EXPECT_TRUE(rows[1].Bound && rows[2].Bound);
  EXPECT_EQ(list.Find("shopbuytype")->TextOf("1"), "x");
}

}  // namespace
}  // namespace zm
