#include "editors/roomeditor.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/treecontrol.h"
#include "common/dictionaries.h"
#include "common/winutf8.h"
#include "editors/changetracker.h"
#include "editors/roomeditorpages.h"
#include "editors/roomexitspage.h"
#include "editors/roommobilespage.h"
#include "editors/roomobjectspage.h"
#include "editors/roomtriggersingredientspage.h"
#include "gui/guitestutil.h"
#include "io/zonefile.h"
#include "load/loadworld.h"
#include "widgets/selectrecorddialog.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;

// Zone 12 with three rooms, four objects, two mobiles and two triggers; zone
// 30 with one room. Room 1200 has a little of everything.
void WriteForest(const fs::path& dir) {
  fs::create_directories(dir);
  SilentReporter rep;
  World w(rep);
  w.WorldPath = dir;
  auto room = [&](int32_t vnum, const char* name) {
    auto r = std::make_unique<TRoom>(ZoneOf(vnum), vnum);
    r->Name = W(name);
    r->Description = W("Пусто.");
    return w.Rooms.Append(std::move(r));
  };
  TRoom* glade = room(1200, "Поляна");
  room(1201, "Опушка");
  room(1202, "Чаща");
  room(3000, "Площадь");
  glade->Description = W("Светлая поляна.\r\nТрава.<day>RСолнечно.<day>");
  glade->Sector = 2;
  glade->Flags = "a0";
  TRoomExit& north = glade->Exits[kNorth];
  north = {W("дверь"), W("Дубовая дверь"), 1, 1202, 1201, 1, ""};
  TRoomObj sword;
  sword.ID = 1200;
  glade->Objects.Add(sword);
  TRoomMob wolf;
  wolf.ID = 1200;
  wolf.MaxInRoom = 1;
  glade->Mobs.Add(wolf);
  glade->ExtraDescs.Add({W("камень"), W("Большой камень.")});
  glade->Ingredients.Add({5, 50, W("зверобой")});
  glade->Triggers.Add({0, 1200});

  auto obj = [&](int32_t vnum, const char* name, int32_t type, int32_t max) {
    auto o = std::make_unique<TObj>(ZoneOf(vnum), vnum);
    o->Names.fill(W(name));
    o->ObjType = type;
    o->MaxInWorld = max;
    w.Objs.Append(std::move(o));
  };
  obj(1200, "меч", 5, 3);
  obj(1201, "сундук", 15, 1);
  obj(1202, "ключ", 18, 2);
  obj(1203, "щит", 9, 4);
  for (auto [vnum, name] : {std::pair{1200, "волк"}, std::pair{1201, "медведь"}}) {
    auto m = std::make_unique<TMob>(12, vnum);
    m->Names.fill(W(name));
    m->MaxInWorld = 2;
    w.Mobs.Append(std::move(m));
  }
  for (auto [vnum, name] :
       {std::pair{1200, "приветствие"}, std::pair{1201, "тишина"}, std::pair{3000, "город"}}) {
    auto t = std::make_unique<TTrigger>(ZoneOf(vnum), vnum);
    t->Name = W(name);
    t->TriggerClass = 2;
    w.Triggers.Append(std::move(t));
  }
  for (auto [n, name] : {std::pair{12, "Лес"}, std::pair{30, "Город"}}) {
    auto zone = std::make_unique<TZone>(n);
    zone->Name = W(name);
    zone->ZoneFilename.SetWord({kCodingWin, kBreakCRLF});
    RegisterZoneFiles(w, *zone, dir / "ZON" / (IntText(n) + ".zon"));
    w.Zones.Append(std::move(zone));
    SaveWholeZone(w, n);
  }
}

// A file's expected bytes: Windows-1251 with CR LF.
std::string Crlf(std::string_view utf8) {
  std::string out;
  for (char c : W(utf8)) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// What the selection dialog is answered with.
struct Pick {
  int32_t id;
  int32_t where = kNoWhere;
  int32_t chance = 0;
};

struct RoomEditorTest : ::testing::Test {
  TempDir tmp;
  fs::path world = tmp / "world";
  std::unique_ptr<Started> app;

  void SetUp() override {
    WriteForest(world);
    Start();
  }
  void Start() {
    app = std::make_unique<Started>(test::MakeAppDir(tmp / "app", true), world);
    RegisterEditors(form().Host());
    for (const auto& e : app->reporter.loadErrors) ADD_FAILURE() << WinToUtf8(e);
    for (const auto& e : app->reporter.errors) ADD_FAILURE() << WinToUtf8(e.text);
  }
  MainWindow& form() { return *app->form; }
  TRoom& Room(int32_t vnum) { return *form().world().Rooms.Find(vnum); }
  RoomEditor* Open(int32_t vnum) {
    form().App().SelectRecord(Room(vnum));
    return dynamic_cast<RoomEditor*>(form().Windows().Active());
  }
  void Answer(std::vector<Pick> picks) {
    app->runner.answer = [this, picks, i = size_t{0}](QDialog& d) mutable {
      auto& f = dynamic_cast<SelectRecordDialog&>(d);
      const Pick& p = picks.at(i++);
      f.IDEdit()->setValue(p.id);
      if (p.where >= -1)
        f.WhereComboBox()->setCurrentIndex(
            form().App().Bases->Find("zon_equipped")->IndexOf(IntText(p.where)));
      if (p.chance > 0) f.ChanceEdit()->setValue(p.chance);
      f.SelectBtnClick();
      return static_cast<int>(QDialog::Accepted);
    };
  }
  // The user picks an entry of a drop-down.
  static void Choose(QComboBox* combo, int index) {
    ASSERT_GE(index, 0) << combo->objectName().toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  static void ChooseData(QComboBox* combo, int32_t data) { Choose(combo, combo->findData(data)); }
  static void ChooseText(QComboBox* combo, const QString& text) {
    Choose(combo, combo->findText(text));
  }
  static void TypeRoom(RoomEditor* f, const QString& text) {
    QLineEdit* edit = f->Exits().R_ERComboBox->lineEdit();
    edit->setText(text);
    emit edit->textEdited(text);
    emit edit->editingFinished();
  }
  QList<int> FollowChoices(RoomEditor* f) {
    QList<int> out;
    for (int i = 0; i < f->Mobiles().R_MobFolComboBox->count(); ++i)
      out << f->Mobiles().R_MobFolComboBox->itemData(i).toInt();
    return out;
  }
};

TEST_F(RoomEditorTest, EveryGroupOfFieldsReachesRecordAndFiles) {
  RoomEditor* f = Open(1200);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->windowTitle(), QStringLiteral("(1200) Поляна"));

  f->R_DescEdit->setText(QStringLiteral("Большая поляна"));
  f->Description().R_DescPageControl->setCurrentIndex(2);  // "Ночь"
  EXPECT_TRUE(f->Description().R_DescCheckBox->isVisible() || !f->isVisible());
  EXPECT_FALSE(f->Description().R_DescCheckBox->isChecked());
  f->Description().R_FullDescMemo[2]->setPlainText(QStringLiteral("Темно."));
  f->Description().R_DescCheckBox->click();
  ChooseText(f->Type().R_SectorComboBox, QStringLiteral("Лес"));
  f->Type()
      .R_TypeCheckListBox->findItems(QStringLiteral("В помещении (нет погоды)"), Qt::MatchExactly)
      .at(0)
      ->setCheckState(Qt::Checked);

  // A destination on every direction: typed, chosen, or from another zone.
  f->Exits().R_ExitPanelClick(kNorth);
  TypeRoom(f, QStringLiteral("1202"));
  f->Exits().R_ExitPanelClick(kEast);
  EXPECT_TRUE(f->Exits().R_EStdPanel->isHidden());
  ChooseData(f->Exits().R_ERComboBox, 1201);
  EXPECT_FALSE(f->Exits().R_EStdPanel->isHidden());
  f->Exits().R_ExitPanelClick(kSouth);
  ChooseData(f->Exits().R_EZComboBox, 30);
  ChooseData(f->Exits().R_ERComboBox, 3000);
  f->Exits().R_ExitPanelClick(kWest);
  TypeRoom(f, QStringLiteral("1201"));
  f->Exits().R_ExitPanelClick(kUp);
  ChooseData(f->Exits().R_ERComboBox, 1202);
  f->Exits().R_ExitPanelClick(kDown);
  ChooseData(f->Exits().R_ERComboBox, 1200);
  const QString panels[] = {QStringLiteral("1202"), QStringLiteral("1201"), QStringLiteral("3000"),
                            QStringLiteral("1201"), QStringLiteral("1202"), QStringLiteral("1200")};
  for (int d = 0; d < kDirections; ++d) EXPECT_EQ(f->Exits().R_EPanel[d]->text(), panels[d]) << d;

  // Door fields on two exits, switching between them.
  f->Exits().R_ExitPanelClick(kNorth);
  EXPECT_EQ(f->Exits().R_ENameEdit->text(), QStringLiteral("дверь"));
  f->Exits().R_ENameEdit->setText(QStringLiteral("ворота"));
  f->Exits().R_EDescEdit->setText(QStringLiteral("Высокие ворота"));
  ChooseText(f->Exits().R_EKeyComboBox, QStringLiteral("[1202] ключ"));
  EXPECT_EQ(f->Exits().R_EKeyEdit->value(), 1202);
  ChooseText(f->Exits().R_EDoorComboBox, QStringLiteral("Закрыта и заперта"));
  f->Exits().R_ExitPanelClick(kEast);
  f->Exits().R_ENameEdit->setText(QStringLiteral("калитка"));
  ChooseText(f->Exits().R_EStateComboBox, QStringLiteral("Обычная дверь"));
  f->Exits().R_EKeyEdit->setValue(1203);
  EXPECT_EQ(f->Exits().R_EKeyComboBox->currentIndex(), -1);  // no key object 1203
  ChooseText(f->Exits().R_EDoorComboBox, QStringLiteral("Закрыта"));
  f->Exits().R_ExitPanelClick(kNorth);
  EXPECT_EQ(f->Exits().R_ENameEdit->text(), QStringLiteral("ворота"));
  EXPECT_EQ(f->Exits().R_EKeyComboBox->currentText(), QStringLiteral("[1202] ключ"));
  f->Exits().R_ExitPanelClick(kEast);

  // An object with contents; a mobile that follows and wields.
  Answer({{1201}, {1203, kNoWhere, 50}, {1201}, {1200, 16, 100}});
  f->Objects().R_ObjAddBtn->click();
  EXPECT_EQ(f->Objects().R_ObjListView->currentItem()->text(1), QStringLiteral("[1201] сундук"));
  EXPECT_EQ(f->Objects().R_ObjQtyEdit->value(), 0);  // placed nowhere yet
  f->Objects().R_ObjQtyEdit->setValue(2);
  f->Objects().R_ObjOAddBtn->click();
  EXPECT_EQ(f->Objects().R_ObjOListView->topLevelItem(0)->text(2), QStringLiteral("50"));
  f->Mobiles().R_MobAddBtn->click();
  ChooseText(f->Mobiles().R_MobFolComboBox, QStringLiteral("[1200] волк"));
  f->Mobiles().R_MobOAddBtn->click();
  EXPECT_EQ(f->Mobiles().R_MobOListView->topLevelItem(0)->text(2),
            QStringLiteral("В правой руке (оружие)"));

  // Without keywords the button says why it does nothing.
  f->ExtraDescs().R_EDescKeyEdit->clear();
  EXPECT_FALSE(f->ExtraDescs().R_EDescAddBtn->isEnabled());
  EXPECT_TRUE(f->ExtraDescs().R_EDescAddBtn->toolTip().contains(QStringLiteral("ключевые слова")));
  f->ExtraDescs().R_EDescKeyEdit->setText(QStringLiteral("дуб"));
  f->ExtraDescs().R_EDescMemo->setPlainText(QStringLiteral("Старый дуб.\nС дуплом."));
  EXPECT_FALSE(f->ExtraDescs().R_EDescAddBtn->toolTip().contains(QStringLiteral("ключевые слова")));
  f->ExtraDescs().R_EDescAddBtn->click();
  ChooseText(f->TriggersIngredients().R_INameComboBox, QStringLiteral("мята"));
  f->TriggersIngredients().R_IStrEdit->setValue(10);
  f->TriggersIngredients().R_IChanceEdit->setValue(20);
  f->TriggersIngredients().R_IngrAddBtn->click();

  Open(1201);  // the selection moves on: room 1200 is applied
  const TRoom& r = Room(1200);
  EXPECT_EQ(WinToUtf8(r.Name), "Большая поляна");
  EXPECT_EQ(WinToUtf8(r.Description),
            "Светлая поляна.\r\nТрава.<day>RСолнечно.<day><night>RТемно.<night>");
  EXPECT_EQ(r.Sector, 3);
  EXPECT_EQ(r.Flags, "a0d0");
  const int32_t to[] = {1202, 1201, 3000, 1201, 1202, 1200};
  for (int d = 0; d < kDirections; ++d) EXPECT_EQ(r.Exits[d].ToRoom, to[d]) << d;
  EXPECT_EQ((TRoomExit{W("ворота"), W("Высокие ворота"), 1, 1202, 1202, 2, ""}), r.Exits[kNorth]);
  EXPECT_EQ((TRoomExit{W("калитка"), "", 1, 1203, 1201, 1, ""}), r.Exits[kEast]);
  ASSERT_EQ(r.Objects.Count(), 2);
  EXPECT_EQ(r.Objects.Items(1)->ID, 1201);
  ASSERT_EQ(r.Objects.Items(1)->Contents.Count(), 1);
  EXPECT_EQ(r.Objects.Items(1)->Contents.Items(0)->ID, 1203);
  EXPECT_EQ(r.Objects.Items(1)->Contents.Items(0)->Chance, 50);
  ASSERT_EQ(r.Mobs.Count(), 2);
  EXPECT_EQ(r.Mobs.Items(1)->Leader, 1200);
  ASSERT_EQ(r.Mobs.Items(1)->Inventory.Count(), 1);
  EXPECT_EQ(r.Mobs.Items(1)->Inventory.Items(0)->WearPos, 16);
  ASSERT_EQ(r.ExtraDescs.Count(), 2);
  EXPECT_EQ(WinToUtf8(r.ExtraDescs.Items(1)->Description), "Старый дуб.\r\nС дуплом.");
  ASSERT_EQ(r.Ingredients.Count(), 2);
  EXPECT_EQ(*r.Ingredients.Items(1), (TIngr{10, 20, W("мята")}));
  EXPECT_EQ(r.Triggers.Count(), 1);
  EXPECT_EQ(form().TreeView1()->currentItem()->text(0), QStringLiteral("[1201] Опушка"));

  ASSERT_TRUE(SaveWholeZone(form().world(), 12).ok);
  EXPECT_EQ(test::ReadFile(world / "WLD" / "12.wld"), Crlf(R"(* Korvask room file v1.0
#1200
Большая поляна~
Светлая поляна.
Трава.<day>RСолнечно.<day><night>RТемно.<night>~
12 a0d0 3
D0
Высокие ворота~
ворота~
1 1202 1202
D1
~
калитка~
1 1203 1201
D2
~
~
0 -1 3000
D3
~
~
0 -1 1201
D4
~
~
0 -1 1202
D5
~
~
0 -1 1200
E
камень~
Большой камень.~
E
дуб~
Старый дуб.
С дуплом.~
S
T 1200
I зверобой,5:50
I мята,10:20
#1201
Опушка~
Пусто.~
12 0 0
S
#1202
Чаща~
Пусто.~
12 0 0
S
$
$
)"));
  EXPECT_EQ(test::ReadFile(world / "ZON" / "12.zon"), Crlf(R"(* Korvask zone file v1.0
#12
Лес~
1299 0 0
O 0 1200 3 1200 100	(меч)
O 0 1201 2 1200 100	(сундук)
P 0 1203 0 1201 50	(щит)
M 0 1200 2 1200 1	(волк)
M 0 1201 0 1200 0	(медведь)
E 0 1200 3 16 100	(меч)
F 0 1200 1200 1201 -1	(волк)
D 0 1200 0 2 -1	(Большая поляна)
D 0 1200 1 1 -1	(Большая поляна)
S
$
$
)"));
}

}  // namespace
}  // namespace zm

namespace zm {
namespace {

TEST_F(RoomEditorTest, TickedFlagsTakeTheirPlaceInItemOrder) {
  struct Case {
    const char* flags;
    const char* tick;
    const char* after;
  } cases[] = {
      {"m0", "a0", "a0m0"},
      {"m0z9", "a0", "a0m0z9"},  // a code the dictionary lacks keeps its place
      {"z9m0", "a0", "z9a0m0"},
      {"m0a0", "c0", "a0c0m0"},
  };
  const Dictionary* flags = form().App().Bases->Find("roomvector");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    Room(1201).Flags = c.flags;
    RoomEditor* f = Open(1201);
    f->Type().R_TypeCheckListBox->item(flags->IndexOf(c.tick))->setCheckState(Qt::Checked);
    Open(1202);
    EXPECT_EQ(Room(1201).Flags, c.after);
  }
}

TEST_F(RoomEditorTest, FollowListLeavesOutTheMobileItself) {
  RoomEditor* f = Open(1200);
  Answer({{1201}, {1200}});
  f->Mobiles().R_MobAddBtn->click();
  f->Mobiles().R_MobAddBtn->click();
  // Rows: 1200, 1201, 1200 again.
  const QList<int> expected[] = {{-1, 1201}, {-1, 1200}, {-1, 1201}};
  for (int row = 0; row < 3; ++row) {
    f->Mobiles().R_MobListView->setCurrentItem(f->Mobiles().R_MobListView->topLevelItem(row));
    EXPECT_EQ(FollowChoices(f), expected[row]) << row;
  }
  // A leader that is placed nowhere in the room is kept while not chosen.
  Room(1201).Mobs.Add(TRoomMob{{0, 1200}, 7777, 1, {}});
  Open(1201);
  Open(1200);
  EXPECT_EQ(Room(1201).Mobs.Items(0)->Leader, 7777);
}

TEST_F(RoomEditorTest, DescriptionVariantsAndMarks) {
  struct Case {
    const char* description;
    int tab;  // -1: nothing typed
    const char* typed;
    bool toggleMark;
    const char* expected;
  } cases[] = {
      // Left alone, a description stays as the file had it.
      {"Чаща.\r\n", -1, "", false, "Чаща.\r\n"},
      {"a<night>b<day>c<day>", -1, "", false, "a<night>b<day>c<day>"},
      // Typing joins the pages again.
      {"Чаща.\r\n", 0, "Лес.\n", false, "Лес."},
      {"x<day>Rday<day>", 1, "", true, "x"},  // an emptied variant goes with its mark
      {"x", 3, "\n\n", true, "x"},            // line breaks alone are no variant
      {"x", 10, "осень", true, "x<autumnnight>Rосень<autumnnight>"},
      {"x<day>Rday<day>", -2, "", true, "x<day>day<day>"},  // the mark only
  };
  for (const Case& c : cases) {
    Room(1202).Description = W(c.description);
    RoomEditor* f = Open(1202);
    if (c.tab >= 0)
      f->Description().R_FullDescMemo[c.tab]->setPlainText(QString::fromUtf8(c.typed));
    f->Description().R_DescPageControl->setCurrentIndex(c.tab == -2 ? 1 : std::max(c.tab, 0));
    if (c.toggleMark) f->Description().R_DescCheckBox->click();
    Open(1201);
    EXPECT_EQ(WinToUtf8(Room(1202).Description), c.expected) << c.description << " / " << c.tab;
  }
}

TEST_F(RoomEditorTest, ExitDestinations) {
  RoomEditor* f = Open(1200);
  // The door fields typed before a destination is chosen stay.
  f->Exits().R_ExitPanelClick(kWest);
  EXPECT_TRUE(f->Exits().R_EStdPanel->isHidden());
  EXPECT_EQ(f->Exits().R_EZComboBox->currentData().toInt(), 0);  // all zones, as on the map
  f->Exits().R_ENameEdit->setText(QStringLiteral("люк"));
  ChooseData(f->Exits().R_ERComboBox, 1202);
  EXPECT_EQ(f->Exits().R_ENameEdit->text(), QStringLiteral("люк"));
  EXPECT_EQ(f->Exits().R_EPanel[kWest]->text(), QStringLiteral("1202"));
  // Another zone's rooms are offered without changing the destination.
  f->Exits().R_ExitPanelClick(kNorth);
  EXPECT_EQ(f->Exits().R_EZComboBox->currentData().toInt(), 12);
  EXPECT_EQ(f->Exits().R_ERComboBox->currentData().toInt(), 1201);
  ChooseData(f->Exits().R_EZComboBox, 30);
  EXPECT_GE(f->Exits().R_ERComboBox->findData(3000), 0);
  EXPECT_LT(f->Exits().R_ERComboBox->findData(1201), 0);
  EXPECT_EQ(f->Exits().R_ERComboBox->currentText(), QStringLiteral("1201"));
  // Text that names no room gives no destination.
  f->Exits().R_ExitPanelClick(kSouth);
  TypeRoom(f, QStringLiteral("куда-то"));
  EXPECT_EQ(f->Exits().R_EPanel[kSouth]->text(), QString());
  f->Exits().R_ExitPanelClick(kUp);
  TypeRoom(f, QStringLiteral("4242"));  // a room that is not loaded
  EXPECT_EQ(f->Exits().R_ERComboBox->currentText(), QStringLiteral("4242"));
  f->Exits().R_ExitPanelClick(kEast);
  ChooseData(f->Exits().R_ERComboBox, 1201);
  ChooseData(f->Exits().R_ERComboBox, -1);  // "Не выбран"
  EXPECT_TRUE(f->Exits().R_EStdPanel->isHidden());
  Open(1201);
  const TRoom& r = Room(1200);
  EXPECT_EQ(r.Exits[kWest].ToRoom, 1202);
  EXPECT_EQ(WinToUtf8(r.Exits[kWest].Keywords), "люк");
  EXPECT_EQ(r.Exits[kNorth].ToRoom, 1201);
  EXPECT_EQ(WinToUtf8(r.Exits[kNorth].Keywords), "дверь");
  EXPECT_EQ(r.Exits[kSouth].ToRoom, -1);
  EXPECT_EQ(r.Exits[kUp].ToRoom, 4242);
  EXPECT_EQ(r.Exits[kEast].ToRoom, -1);
}

TEST_F(RoomEditorTest, DroppedRecordsGoToTheFocusedList) {
  form().show();
  form().activateWindow();
  RoomEditor* f = Open(1200);
  TObj& shield = *form().world().Objs.Find(1203);
  TMob& bear = *form().world().Mobs.Find(1201);
  struct Case {
    QWidget* focus;
    TMUDClass* rec;
  } cases[] = {
      {f->Objects().R_ObjListView, &shield},
      {f->Objects().R_ObjOListView, &shield},
      {f->Objects().R_ObjDListView, &shield},
      {f->Mobiles().R_MobListView, &bear},
      {f->Mobiles().R_MobOListView, &shield},
      {f->Mobiles().R_MobListView, &shield},
      {f->R_DescEdit, &shield},
  };
  for (const Case& c : cases) {
    f->R_PageControl->setCurrentWidget(c.focus->parentWidget());
    c.focus->setFocus();
    form().TreeControl().CtrlClick(form().Tree().ItemOf(c.rec));
  }
  EXPECT_EQ(form().TreeView1()->currentItem()->text(0), QStringLiteral("[1200] Поляна"));
  Open(1201);
  const TRoom& r = Room(1200);
  ASSERT_EQ(r.Objects.Count(), 2);
  EXPECT_EQ((std::pair<int, int>{r.Objects.Items(1)->ID, r.Objects.Items(1)->Chance}),
            std::pair(1203, 100));
  ASSERT_EQ(r.Objects.Items(1)->Contents.Count(), 1);
  EXPECT_EQ(r.Objects.Items(1)->Contents.Items(0)->WearPos, 255);
  ASSERT_EQ(r.RemovedObjects.Count(), 1);
  EXPECT_EQ(r.RemovedObjects.Items(0)->ID, 1203);
  ASSERT_EQ(r.Mobs.Count(), 2);
  EXPECT_EQ((std::pair{r.Mobs.Items(1)->ID, r.Mobs.Items(1)->Leader}), std::pair(1201, -1));
  ASSERT_EQ(r.Mobs.Items(1)->Inventory.Count(), 1);
  EXPECT_EQ(r.Mobs.Items(1)->Inventory.Items(0)->Chance, 100);
}

TEST_F(RoomEditorTest, TriggersOfTheZoneAreAttachedAndRemoved) {
  Room(1200).Triggers.Items(0)->Cond = 1;  // attached by a zone command with a condition
  RoomEditor* f = Open(1200);
  QStringList available;
  for (int i = 0; i < f->TriggersIngredients().R_ATrigListBox->count(); ++i)
    available << f->TriggersIngredients().R_ATrigListBox->item(i)->text();
  EXPECT_EQ(available,
            (QStringList{QStringLiteral("[1200] приветствие"), QStringLiteral("[1201] тишина")}));
  f->TriggersIngredients().R_ATrigListBox->setCurrentRow(1);
  EXPECT_EQ(f->TriggersIngredients().R_TrigNumEdit->value(), 1201);
  f->TriggersIngredients().R_TrigAddBtn->click();
  f->TriggersIngredients().R_TrigNumEdit->setValue(3000);
  f->TriggersIngredients().R_TrigAddBtn->click();
  f->TriggersIngredients().R_TrigNumEdit->setValue(1200);
  f->TriggersIngredients().R_TrigAddBtn->click();  // attached already
  ASSERT_EQ(f->TriggersIngredients().R_TrigListBox->count(), 3);
  EXPECT_EQ(f->TriggersIngredients().R_TrigListBox->currentRow(), 0);
  f->TriggersIngredients().R_TrigListBox->setCurrentRow(1);
  f->TriggersIngredients().R_TrigDelBtn->click();
  EXPECT_EQ(f->TriggersIngredients().R_TrigListBox->currentRow(), 1);
  Open(1201);
  const TRoom& r = Room(1200);
  ASSERT_EQ(r.Triggers.Count(), 2);
  EXPECT_EQ(*r.Triggers.Items(0), (TCondID{1, 1200}));
  EXPECT_EQ(*r.Triggers.Items(1), (TCondID{0, 3000}));
}

TEST_F(RoomEditorTest, DeletingAsksAndSelectsTheNextRow) {
  RoomEditor* f = Open(1200);
  Answer({{1201}, {1202}});
  f->Objects().R_ObjAddBtn->click();
  f->Objects().R_ObjAddBtn->click();
  app->reporter.answer = false;
  f->Objects().R_ObjDelBtn->click();
  EXPECT_EQ(f->Objects().R_ObjListView->topLevelItemCount(), 3);
  app->reporter.answer = true;
  f->Objects().R_ObjDelBtn->click();  // the last: the new last is selected
  EXPECT_EQ(f->Objects().R_ObjListView->currentItem()->text(1), QStringLiteral("[1201] сундук"));
  f->Objects().R_ObjListView->setCurrentItem(f->Objects().R_ObjListView->topLevelItem(0));
  f->Objects().R_ObjDelBtn->click();  // the first: the one after it moves up
  EXPECT_EQ(f->Objects().R_ObjListView->currentItem()->text(1), QStringLiteral("[1201] сундук"));
  EXPECT_FALSE(f->Objects().R_ObjPanel->isHidden());
  f->Objects().R_ObjDelBtn->click();
  EXPECT_EQ(f->Objects().R_ObjListView->currentItem(), nullptr);
  EXPECT_TRUE(f->Objects().R_ObjPanel->isHidden());
  EXPECT_FALSE(f->Objects().R_ObjDelBtn->isEnabled());
  ASSERT_EQ(app->reporter.confirms.size(), 4u);
  EXPECT_EQ(WinToUtf8(app->reporter.confirms[0].text), "Вы хотите удалить объект из списка?");
  f->TriggersIngredients().R_IngrDelBtn->click();
  EXPECT_EQ(WinToUtf8(app->reporter.confirms.back().text),
            "Вы хотите удалить ингредиент из списка?");
  f->ExtraDescs().R_EDescDelBtn->click();
  ASSERT_EQ(app->reporter.confirms.size(), 6u);
  EXPECT_EQ(WinToUtf8(app->reporter.confirms.back().text),
            "Вы хотите удалить дополнительное описание из списка?");
  Open(1201);
  EXPECT_EQ(Room(1200).Objects.Count(), 0);
  EXPECT_EQ(Room(1200).Ingredients.Count(), 0);
  EXPECT_EQ(Room(1200).ExtraDescs.Count(), 0);
}

TEST_F(RoomEditorTest, TildeAtLineEndIsMendedAndLoadsBack) {
  RoomEditor* f = Open(1200);
  QPlainTextEdit* memo = f->Description().R_FullDescMemo[0];
  memo->setPlainText(QStringLiteral("Строка~\nВторая~"));
  QFocusEvent out(QEvent::FocusOut);
  QCoreApplication::sendEvent(memo, &out);
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("Строка~ \nВторая~ "));
  EXPECT_TRUE(form().statusBar()->currentMessage().contains(QStringLiteral("~")));
  f->ExtraDescs().R_EDescListBox->setCurrentRow(0);
  f->ExtraDescs().R_EDescMemo->setPlainText(QStringLiteral("а~\nб"));
  f->ExtraDescs().R_EDescKeyEdit->setText(QStringLiteral("камень~"));
  f->ExtraDescs().R_EDescSetBtn->click();
  EXPECT_EQ(f->ExtraDescs().R_EDescMemo->toPlainText(), QStringLiteral("а~ \nб"));
  f->R_DescEdit->setText(QStringLiteral("Поляна~"));
  Open(1201);
  const TRoom saved = Room(1200);
  EXPECT_EQ(WinToUtf8(saved.Description), "Строка~ \r\nВторая~ <day>RСолнечно.<day>");
  ASSERT_TRUE(SaveWholeZone(form().world(), 12).ok);

  test::RecordingReporter rep;
  World again(rep);
  LoadWorld(again, world);
  EXPECT_TRUE(rep.loadErrors.empty());
  const TRoom* back = again.Rooms.Find(1200);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->Name, saved.Name);
  EXPECT_EQ(back->Description, saved.Description);
  EXPECT_EQ(back->ExtraDescs, saved.ExtraDescs);
  EXPECT_EQ(back->Sector, saved.Sector);
}

}  // namespace
}  // namespace zm
