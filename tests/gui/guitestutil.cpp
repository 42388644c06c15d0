#include "gui/guitestutil.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>

#include "app/appcontext.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "io/recordfile.h"
#include "io/zonefile.h"

namespace zm::test {

void FakeEditor::ApplyRecord() {
  if (linked) applied.push_back(linked);
  if (linked && linked->Kind == kRoom && !pendingName.empty())
    static_cast<TRoom*>(linked)->Name = pendingName;
}

FakeEditor* ActiveFake(EditorWindows& windows) {
  return dynamic_cast<FakeEditor*>(windows.Active());
}

void RegisterFakeEditors(EditorWindows& windows) {
  for (RecordKind kind : {kZone, kRoom, kZoneMap, kObject, kMobile, kShop, kTrigger}) {
    windows.Register(kind, [&windows](TMUDClass& rec) {
      FakeEditor* e = ActiveFake(windows);
      if (!e) {
        e = new FakeEditor();
        windows.Area()->setActiveSubWindow(windows.AddWindow(e));
      }
      e->linked = &rec;
      e->setWindowTitle(QString::number(rec.Vnum));
    });
  }
}

namespace {

template <typename T, typename List>
void Fill(List& list, int32_t zone, int count, const char* word) {
  for (int i = 0; i < count; ++i) {
    auto rec = std::make_unique<T>(zone, MakeVnum(i, zone));
    if constexpr (requires { rec->Name; })
      rec->Name = W(word) + " " + IntText(i);
    else if constexpr (requires { rec->Names; })
      rec->Names[0] = W(word) + " " + IntText(i);
    list.Append(std::move(rec));
  }
}

}  // namespace

void WriteWorld(const fs::path& dir, const std::vector<ZoneOutline>& zones) {
  fs::create_directories(dir);
  SilentReporter rep;
  World w(rep);
  w.WorldPath = dir;
  for (const ZoneOutline& z : zones) {
    Fill<TRoom>(w.Rooms, z.number, z.rooms, "Комната");
    Fill<TObj>(w.Objs, z.number, z.objs, "Объект");
    Fill<TMob>(w.Mobs, z.number, z.mobs, "Моб");
    Fill<TShop>(w.Shops, z.number, z.shops, "");
    Fill<TTrigger>(w.Triggers, z.number, z.trigs, "Триггер");
    if (z.zoneFile) {
      auto zone = std::make_unique<TZone>(z.number);
      zone->Name = W(z.name);
      zone->ZoneFilename.SetWord(z.word);
      TZone* p = zone.get();
      RegisterZoneFiles(w, *p, dir / "ZON" / (IntText(z.number) + ".zon"));
      w.Zones.Append(std::move(zone));
      // The first save of a new zone writes every kind it has.
      SaveWholeZone(w, z.number);
    } else {
      const std::string stem = IntText(z.number);
      if (z.rooms) SaveRecordFile(w, kRoom, z.number, dir / "WLD" / (stem + ".wld"));
      if (z.objs) SaveRecordFile(w, kObject, z.number, dir / "OBJ" / (stem + ".obj"));
      if (z.mobs) SaveRecordFile(w, kMobile, z.number, dir / "MOB" / (stem + ".mob"));
    }
  }
}

fs::path MakeAppDir(const fs::path& dir, bool withData) {
  fs::create_directories(dir);
  if (withData) {
    const fs::path bin = ZEMLEMER_BIN_DIR;
    fs::create_directory_symlink(bin / "Bases", dir / "Bases");
    fs::create_directory_symlink(bin / "Help", dir / "Help");
    fs::create_directory_symlink(bin / "morph", dir / "morph");
  }
  return dir;
}

Started::Started(const fs::path& appDir, const fs::path& world, const fs::path& settings) {
  StartOptions o;
  o.AppDir = appDir;
  o.WorldOverride = world;
  o.SettingsFile = settings.empty() ? appDir / "ZEMLEMER.INI" : settings;
  o.reporter = &reporter;
  o.runner = &runner;
  form = std::make_unique<MainWindow>(o);
  RegisterFakeEditors(form->Windows());
  form->FormActivate();
}

QTreeWidgetItem* Started::Node(const QString& path) {
  QTreeWidget* t = form->TreeView1();
  QTreeWidgetItem* cur = nullptr;
  for (const QString& part : path.split(u'/')) {
    QTreeWidgetItem* next = nullptr;
    int n = cur ? cur->childCount() : t->topLevelItemCount();
    for (int i = 0; i < n && !next; ++i) {
      QTreeWidgetItem* c = cur ? cur->child(i) : t->topLevelItem(i);
      if (c->text(0) == part) next = c;
    }
    if (!next) return nullptr;
    cur = next;
  }
  return cur;
}

QTreeWidgetItem* Started::ZoneGroup(int32_t zone, RecordKind kind) {
  return form->Tree().FindGroupNode(zone, kind);
}

QStringList Captions(const QTreeWidgetItem* parent) {
  QStringList out;
  for (int i = 0; parent && i < parent->childCount(); ++i) out << parent->child(i)->text(0);
  return out;
}

void ClickRow(QAbstractItemView* view, int row) {
  for (QWidget* w = view; w->parentWidget(); w = w->parentWidget()) {
    auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget());
    if (auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr)
      tabs->setCurrentWidget(w);
    else if (stack)
      stack->setCurrentWidget(w);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) sub->showMaximized();
  }
  QWidget* top = view->window();
  top->show();
  QCoreApplication::processEvents();
  const QModelIndex index = view->model()->index(row, 0);
  view->scrollTo(index);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                    view->visualRect(index).center());
}

}  // namespace zm::test
