// The world-wide commands: the Поиск panel (where a record is used, search,
// the world check, the index following edits, additions and deletions made
// in the editor) and copying and renumbering a zone from the tree.
#include "app/findresults.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "app/commands.h"
#include "app/templatedialog.h"
#include "app/treecontrol.h"
#include "app/worldtree.h"
#include "app/zonemovedialog.h"
#include "editors/roomeditor.h"
#include "editors/roomexitspage.h"
#include "gui/guitestutil.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;

struct FindResultsTest : ::testing::Test {
  TempDir tmp;
  std::unique_ptr<Started> app;

  void SetUp() override {
    fs::copy(fs::path(ZEMLEMER_BIN_DIR) / "Zones", tmp / "world", fs::copy_options::recursive);
    app = std::make_unique<Started>(test::MakeAppDir(tmp / "app", true), tmp / "world");
    RegisterEditors(app->form->Host());
  }
  MainWindow& form() { return *app->form; }
  FindResults& find() { return *form().Find(); }
  void Trigger(const char* action) { form().findChild<QAction*>(QLatin1String(action))->trigger(); }
  void Open(RecordKind kind, int32_t vnum) {
    TMUDClass* rec = nullptr;
    form().world().ForKind(kind, [&](auto& list) { rec = list.Find(vnum); });
    ASSERT_NE(rec, nullptr);
    form().App().SelectRecord(*rec);
  }
  // Column 0 of every row: "Комната 3000".
  QStringList Rows() {
    QStringList out;
    for (int i = 0; i < find().List()->topLevelItemCount(); ++i)
      out << find().List()->topLevelItem(i)->text(0) + QStringLiteral(" ") +
                 find().List()->topLevelItem(i)->text(2);
    return out;
  }
};

TEST_F(FindResultsTest, WhereUsedFollowsEditsAdditionsAndDeletions) {
  Open(kRoom, 3001);
  Trigger("MI_WhereUsed");
  EXPECT_TRUE(find().isVisibleTo(&form()));
  EXPECT_EQ(Rows(), QStringList({QStringLiteral("Комната 3000 Exits[0].ToRoom"),
                                 QStringLiteral("Комната 3002 Exits[3].ToRoom"),
                                 QStringLiteral("Комната 3004 Exits[1].ToRoom"),
                                 QStringLiteral("Комната 3007 Exits[2].ToRoom"),
                                 QStringLiteral("Моб 3006 Destinations[0]")}));
  // A line opens its record.
  find().OpenRow(1);
  auto* editor = dynamic_cast<RoomEditor*>(form().Windows().Active());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->LinkedRecord()->Vnum, 3002);

  // An edit: room 3002's west exit now leads to 3003; its east exit is
  // where it was. The question applies the editor first.
  editor->Exits().R_ExitPanelClick(kWest);
  QComboBox* rooms = editor->Exits().R_ERComboBox;
  rooms->setCurrentIndex(rooms->findData(3003));
  emit rooms->activated(rooms->currentIndex());
  Open(kRoom, 3001);
  Trigger("MI_WhereUsed");
  EXPECT_FALSE(Rows().contains(QStringLiteral("Комната 3002 Exits[3].ToRoom")));

  // A deletion: room 3000 goes, and with it its exit into 3001.
  app->reporter.answer = true;
  QTreeWidgetItem* node = form().Tree().ItemOf(form().world().Rooms.Find(3000));
  form().TreeControl().SetContextNode(node);
  form().Commands().MI_PDeleteClick();
  Open(kRoom, 3001);
  Trigger("MI_WhereUsed");
  EXPECT_FALSE(Rows().contains(QStringLiteral("Комната 3000 Exits[0].ToRoom")));

  // An addition from a template: a new room of zone 30 names nothing yet,
  // and once its exit is set it is found.
  app->runner.answer = [](QDialog& d) {
    auto* f = dynamic_cast<TemplateDialog*>(&d);
    if (!f) return int(QDialog::Rejected);
    f->QtyEditEnter();
    return f->OkBtn()->isEnabled() ? int(QDialog::Accepted) : int(QDialog::Rejected);
  };
  form().TreeControl().SetContextNode(form().Tree().ItemOf(form().world().Rooms.Find(3001)));
  form().Commands().MI_PAddClick();
  auto* added = dynamic_cast<RoomEditor*>(form().Windows().Active());
  ASSERT_NE(added, nullptr);
  const int32_t vnum = added->LinkedRecord()->Vnum;
  EXPECT_NE(vnum, 3001);
  added->Exits().R_ExitPanelClick(kDown);
  added->Exits().R_ERComboBox->setCurrentIndex(added->Exits().R_ERComboBox->findData(3001));
  emit added->Exits().R_ERComboBox->activated(added->Exits().R_ERComboBox->currentIndex());
  Open(kRoom, 3001);
  Trigger("MI_WhereUsed");
  EXPECT_TRUE(Rows().contains(QStringLiteral("Комната %1 Exits[5].ToRoom").arg(vnum))) << vnum;
}

TEST_F(FindResultsTest, SearchByWordsOrFieldAndTheWorldCheck) {
  Trigger("MI_Search");
  EXPECT_TRUE(find().SearchEdit()->hasFocus() || !form().isVisible());
  find().SearchEdit()->setText(QStringLiteral("ЗЕЛЁН"));
  find().KindCombo()->setCurrentText(QStringLiteral("Моб"));
  find().RunSearch();
  EXPECT_EQ(Rows(), QStringList({QStringLiteral("Моб 3103 LongDescription")}));

  find().FieldCheck()->setChecked(true);
  find().KindCombo()->setCurrentIndex(0);
  find().SearchEdit()->setText(QStringLiteral("ObjType=15"));
  find().RunSearch();
  EXPECT_EQ(Rows().size(), 3);
  find().SearchEdit()->setText(QStringLiteral("no equals sign"));
  find().RunSearch();
  EXPECT_TRUE(Rows().isEmpty());

  Trigger("MI_CheckWorld");
  EXPECT_EQ(Rows(), QStringList({QStringLiteral("Комната 3103 exit-unpaired"),
                                 QStringLiteral("Комната 3203 reset-missing-mobile")}));
  EXPECT_TRUE(find().Title()->text().contains(QStringLiteral("найдено: 2")));
}

TEST_F(FindResultsTest, CopyAndRenumberAZoneFromTheTree) {
  const auto zoneNode = [&](int32_t n) {
    return form().Tree().ItemOf(form().world().Zones.ByNumber(n));
  };
  // The dialog proposes the first free number; a number can be typed.
  int32_t number = 0;
  app->runner.answer = [&number](QDialog& d) {
    auto* move = dynamic_cast<ZoneMoveDialog*>(&d);
    if (!move) return int(QDialog::Rejected);
    if (number) move->NumEdit()->setValue(number);
    return move->OkBtn()->isEnabled() ? int(QDialog::Accepted) : int(QDialog::Rejected);
  };
  form().TreeControl().SetContextNode(zoneNode(30));
  Trigger("MI_PCopyZone");
  ASSERT_NE(form().world().Zones.ByNumber(33), nullptr);
  EXPECT_NE(form().Tree().ItemOf(form().world().Rooms.Find(3300)), nullptr);
  EXPECT_EQ(form().world().Rooms.Find(3301)->Exits[kSouth].ToRoom, 3300);

  number = 35;
  form().TreeControl().SetContextNode(zoneNode(31));
  Trigger("MI_PRenumberZone");
  ASSERT_EQ(form().world().Zones.ByNumber(31), nullptr);
  QTreeWidgetItem* renumbered = zoneNode(35);
  ASSERT_NE(renumbered, nullptr);
  EXPECT_TRUE(renumbered->text(0).startsWith(QStringLiteral("[35]")));
  // Saving the zone writes its new files and, once confirmed, removes the old.
  app->reporter.answer = true;
  form().TreeView1()->setCurrentItem(renumbered);
  form().Commands().MI_SaveZoneClick();
  EXPECT_TRUE(fs::exists(tmp / "world" / "ZON" / "35.zon"));
  EXPECT_FALSE(fs::exists(tmp / "world" / "ZON" / "31.zon"));
}

}  // namespace
}  // namespace zm
