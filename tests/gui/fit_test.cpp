// Every editor is usable on a 1280x800 screen at its designed size and tiled
// four at a time: no labelled control gets less than its minimum size (the
// window scrolls instead). With ZEMLEMER_SHOTS=<folder> the main window is
// saved there as PNG files at each step (the README's pictures).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "app/findresults.h"
#include "app/worldcompare.h"
#include "editors/editorwindow.h"
#include "editors/editorwindows.h"
#include "gui/guitestutil.h"
#include "load/loadworld.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

struct Fit : ::testing::Test {
  test::TempDir tmp;
  std::unique_ptr<test::Started> app;

  void SetUp() override {
    fs::copy(fs::path(ZEMLEMER_BIN_DIR) / "Zones", tmp / "world", fs::copy_options::recursive);
    app = std::make_unique<test::Started>(test::MakeAppDir(tmp / "app", true), tmp / "world");
    RegisterEditors(form().Host());
    form().resize(1280, 800);
    form().show();
    QApplication::processEvents();
  }
  MainWindow& form() { return *app->form; }

  // The first record of each kind of zone 30, and the zone and its map.
  std::vector<TMUDClass*> Records() {
    World& w = form().world();
    return {w.Rooms.InZone(30).front(),
            w.Objs.InZone(30).front(),
            w.Mobs.InZone(30).front(),
            w.Shops.InZone(30).front(),
            w.Triggers.InZone(30).front(),
            w.Zones.ByNumber(30),
            w.ZoneMaps.Items(w.ZoneMaps.FindByNumber(30))};
  }

  void Shot(const std::string& name) {
    const char* dir = std::getenv("ZEMLEMER_SHOTS");
    if (!dir || !*dir) return;
    QApplication::processEvents();
    form().grab().save(QString::fromStdString((fs::path(dir) / (name + ".png")).string()));
  }
};

// "zm::RoomEditor" -> "roomeditor", as the README names its pictures.
std::string ShotName(const QWidget* editor) {
  return QString::fromLatin1(editor->metaObject()->className())
      .section(QStringLiteral("::"), -1)
      .toLower()
      .toStdString();
}

bool Labelled(const QWidget* w) {
  // The parts of a spin box, a combo box or a tab bar are theirs to size.
  const QWidget* parent = w->parentWidget();
  if (qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QComboBox*>(parent) ||
      qobject_cast<const QTabBar*>(parent))
    return false;
  return qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w) ||
         qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w);
}

// What the control needs to show its text whole. A push button's own hint
// holds the style's least button width, which small buttons ("...", "<")
// are rightly narrower than: for them the text and a margin.
QSize Needed(const QWidget* w) {
  const QSize hint = w->minimumSizeHint();
  if (const auto* b = qobject_cast<const QPushButton*>(w)) {
    QString text = b->text();
    text.remove(u'&');
    const int width = b->fontMetrics().horizontalAdvance(text.section(u'\t', 0, 0)) + 8 +
                      (b->icon().isNull() ? 0 : b->iconSize().width());
    return {std::min(hint.width(), width), hint.height()};
  }
  return hint;
}

// The labelled controls on show in `editor` that are smaller than their
// minimum size hint, on every page of its tab widgets.
QStringList Squeezed(QWidget* editor) {
  QStringList out;
  auto check = [&] {
    QApplication::processEvents();
    for (QWidget* w : editor->findChildren<QWidget*>()) {
      if (!Labelled(w) || !w->isVisibleTo(editor)) continue;
      const QSize hint = Needed(w);
      if (w->width() + 1 < hint.width() || w->height() + 1 < hint.height()) {
        const auto* label = qobject_cast<const QLabel*>(w);
        QString what = w->objectName().isEmpty() && label ? label->text() : w->objectName();
        out << QStringLiteral("%1 %2x%3 < %4x%5")
                   .arg(what.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : what)
                   .arg(w->width())
                   .arg(w->height())
                   .arg(hint.width())
                   .arg(hint.height());
      }
    }
  };
  check();
  for (QTabWidget* tabs : editor->findChildren<QTabWidget*>()) {
    const int was = tabs->currentIndex();
    for (int i = 0; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      check();
    }
    tabs->setCurrentIndex(was);
  }
  out.removeDuplicates();
  return out;
}

TEST_F(Fit, EveryEditorAtItsDesignedSizeFitsTheScreen) {
  Shot("overview");
  const QRect area = form().Mdi()->viewport()->rect();
  for (TMUDClass* rec : Records()) {
    ASSERT_NE(rec, nullptr);
    form().Mdi()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Each opens at its designed size, not at the last one's.
    form().Windows().Memory().Rect = {};
    form().Windows().Memory().State = Qt::WindowNoState;
    form().Windows().Edit(*rec);
    QMdiSubWindow* sub = form().Mdi()->activeSubWindow();
    ASSERT_NE(sub, nullptr);
    SCOPED_TRACE(sub->widget()->metaObject()->className());
    // The whole window, its buttons included, lies in the work area.
    EXPECT_TRUE(area.contains(sub->geometry()))
        << sub->geometry().width() << "x" << sub->geometry().height();
    EXPECT_EQ(Squeezed(sub->widget()), QStringList{});
    Shot(ShotName(sub->widget()));
  }
}

TEST_F(Fit, EveryEditorTiledFourAtATime) {
  const auto records = Records();
  for (size_t first = 0; first < records.size(); first += 4) {
    form().Mdi()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Four windows: the rest of the kinds, then from the start again.
    for (size_t i = 0; i < 4; ++i)
      form().Windows().EditInNewWindow(*records[(first + i) % records.size()]);
    form().Mdi()->tileSubWindows();
    for (QMdiSubWindow* sub : form().Mdi()->subWindowList()) {
      SCOPED_TRACE(sub->widget()->metaObject()->className());
      EXPECT_EQ(Squeezed(sub->widget()), QStringList{});
    }
    Shot(first == 0 ? "tiled" : "tiled" + std::to_string(first / 4 + 1));
  }
}

TEST_F(Fit, TheFindPanelBesideAnEditor) {
  World& w = form().world();
  form().App().SelectRecord(*w.Rooms.Find(3001));
  form().findChild<QAction*>(QStringLiteral("MI_WhereUsed"))->trigger();
  QApplication::processEvents();
  // The dock's own title buttons are the style's.
  QWidget* panel = form().Find()->widget();
  EXPECT_EQ(Squeezed(panel), QStringList{});
  // The editor above it is moved into the smaller work area, whole.
  QMdiSubWindow* sub = form().Mdi()->activeSubWindow();
  ASSERT_NE(sub, nullptr);
  EXPECT_TRUE(form().Mdi()->viewport()->rect().contains(sub->geometry()));
  EXPECT_EQ(Squeezed(sub->widget()), QStringList{});
  Shot("whereused");
  form().findChild<QAction*>(QStringLiteral("MI_CheckWorld"))->trigger();
  Shot("worldcheck");
}

TEST_F(Fit, BothVersionsOfAComparedRecordSideBySide) {
  const fs::path theirs = tmp / "theirs";
  fs::copy(tmp / "world", theirs, fs::copy_options::recursive);
  {
    test::RecordingReporter rep;
    World w(rep);
    LoadWorld(w, theirs);
    w.Rooms.Find(3001)->Name = W("Площадь у фонтана");
    ASSERT_TRUE(SaveWholeZone(w, 30).ok);
  }
  ASSERT_TRUE(form().Compare()->CompareWith(theirs));
  form().Compare()->OpenRow(0);
  QApplication::processEvents();
  int shown = 0;
  for (QMdiSubWindow* sub : form().Mdi()->subWindowList()) {
    SCOPED_TRACE(sub->windowTitle().toStdString());
    EXPECT_TRUE(form().Mdi()->viewport()->rect().contains(sub->geometry()));
    EXPECT_EQ(Squeezed(sub->widget()), QStringList{});
    ++shown;
  }
  EXPECT_EQ(shown, 2);
  Shot("compare");
}

}  // namespace
}  // namespace zm
