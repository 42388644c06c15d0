// The open world against another folder: what differs is listed, and a line
// shows both versions side by side in windows that change nothing.
#include "app/worldcompare.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>

#include "app/appcontext.h"
#include "app/findresults.h"
#include "editors/roomeditor.h"
#include "gui/guitestutil.h"
#include "load/loadworld.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;

TEST(WorldCompare, ListsTheDifferencesAndShowsBothVersionsReadOnly) {
  TempDir tmp;
  const fs::path mine = tmp / "mine", theirs = tmp / "theirs";
  fs::copy(fs::path(ZEMLEMER_BIN_DIR) / "Zones", mine, fs::copy_options::recursive);
  fs::copy(fs::path(ZEMLEMER_BIN_DIR) / "Zones", theirs, fs::copy_options::recursive);
  {
    // The colleague removed room 3002 and added 3098.
    test::RecordingReporter rep;
    World w(rep);
    LoadWorld(w, theirs);
    w.Rooms.Extract(w.Rooms.IndexOfVnum(3002));
    w.Rooms.Add(std::make_unique<TRoom>(30, 3098))->Name = W("Новая");
    ASSERT_TRUE(SaveWholeZone(w, 30).ok);
  }
  Started app(test::MakeAppDir(tmp / "app", true), mine);
  RegisterEditors(app.form->Host());
  World& w = app.form->world();
  // This world renamed room 3001, in an editor not yet applied.
  app.form->Windows().Edit(*w.Rooms.Find(3001));
  qobject_cast<RoomEditor*>(EditorWindow::Current(app.form->Host(), kRoom))
      ->R_DescEdit->setText(QStringLiteral("Переименована"));

  WorldCompare& compare = *app.form->Compare();
  ASSERT_TRUE(compare.CompareWith(theirs));
  QTreeWidget* list = app.form->Find()->List();
  QStringList lines;
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    lines << list->topLevelItem(i)->text(0) + QStringLiteral(" | ") +
                 list->topLevelItem(i)->text(2) + QStringLiteral(" | ") +
                 list->topLevelItem(i)->text(3);
  ASSERT_EQ(lines.size(), 3) << lines.join(u'\n').toStdString();
  EXPECT_TRUE(lines[0].contains(QStringLiteral("3001 | изменена"))) << lines[0].toStdString();
  EXPECT_TRUE(lines[0].contains(QStringLiteral("Name"))) << lines[0].toStdString();
  EXPECT_TRUE(lines[1].contains(QStringLiteral("3002 | только здесь"))) << lines[1].toStdString();
  EXPECT_TRUE(lines[2].contains(QStringLiteral("3098 | только в папке"))) << lines[2].toStdString();

  // Both versions of 3001, read-only, side by side.
  const int before = app.form->Windows().Count();
  compare.OpenRow(0);
  std::vector<RoomEditor*> shown;
  for (QMdiSubWindow* sub : app.form->Mdi()->subWindowList())
    if (auto* f = qobject_cast<RoomEditor*>(sub->widget()); f && f->ReadOnly()) shown.push_back(f);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(app.form->Windows().Count(), before + 2);
  QStringList names;
  for (RoomEditor* f : shown) {
    EXPECT_TRUE(f->R_DescEdit->isReadOnly());
    names << f->R_DescEdit->text();
  }
  names.sort();
  EXPECT_EQ(names.size(), 2);
  EXPECT_EQ(names[0], QStringLiteral("Переименована"));
  EXPECT_NE(names[1], QStringLiteral("Переименована"));
  EXPECT_NE(shown[0]->SubWindow()->x(), shown[1]->SubWindow()->x());
  // Nothing a read-only window holds is applied, and the tree's Edit does
  // not take one over.
  app.form->App().ApplyAllEditors();
  EXPECT_EQ(compare.Other()->Rooms.Find(3001)->Name == w.Rooms.Find(3001)->Name, false);
  app.form->Windows().Edit(*w.Rooms.Find(3003));
  EXPECT_FALSE(app.form->Windows().Active()->ReadOnly());
  EXPECT_EQ(app.form->Windows().Active()->LinkedRecord(), w.Rooms.Find(3003));

  // A folder without a world says so.
  EXPECT_FALSE(compare.CompareWith(tmp / "nothing"));
  EXPECT_EQ(list->topLevelItemCount(), 0);
}

}  // namespace
}  // namespace zm
