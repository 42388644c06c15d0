#include "app/diskchanges.h"

#include <QStatusBar>
#include <QTreeWidgetItem>
#include <algorithm>
#include <set>

#include "app/appcontext.h"
#include "app/worldtree.h"
#include "editors/changetracker.h"
#include "editors/editorwindows.h"
#include "editors/worlddocument.h"
#include "io/mapfile.h"
#include "load/reread.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace fs = std::filesystem;

bool RereadZone(AppContext& app, int32_t zone) {
  World& w = *app.world;
  ZoneOnDisk disk = ReadZoneOnDisk(w, zone);
  if (!disk.Refusal.empty()) {
    app.reporter->ShowError(ErrorMsg::ZoneReread, {zone, disk.Refusal});
    return false;
  }
  // The zone record stays (its node too); an editor showing it lets go of
  // its working copy, which would otherwise be applied over the disk's.
  if (TZone* z = w.Zones.ByNumber(zone); z && app.Windows) app.Windows->ForgetRecord(*z);
  std::vector<std::unique_ptr<TMUDClass>> removed;
  // One step of the history: undo brings the edits the re-reading dropped.
  // Nodes go with their records (the tree listens to the removals).
  app.Document->Tracked(
      zone,
      [&] {
        ReplaceZone(
            w, disk, zone, [&](TMUDClass& rec) { return app.Document->RemoveEntry(rec); }, removed);
      },
      FromQt(QStringLiteral("зона %1 прочитана заново").arg(zone)));
  if (app.Tree)
    if (QTreeWidgetItem* node = app.Tree->ItemOf(w.Zones.ByNumber(zone)))
      for (int i = 0; i < node->childCount(); ++i) app.Tree->SortChildren(node->child(i));
  for (int kind = 0; kind < kRecordKinds; ++kind)
    app.Changes->Saved(zone, static_cast<RecordKind>(kind));
  return true;
}

DiskWatch::DiskWatch(AppContext& app, QObject* parent) : QObject(parent), m_app(app) {
  m_timer.setSingleShot(true);
  m_timer.setInterval(1000);
  connect(&m_timer, &QTimer::timeout, this, &DiskWatch::CheckNow);
  connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &DiskWatch::Changed);
  connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &DiskWatch::Changed);
}

void DiskWatch::Start() {
  std::set<QString> folders;
  for (const auto& [path, stamp] : m_app.world->Stamps.All()) {
    const fs::path dir = fs::path(path).parent_path();
    std::error_code ec;
    if (fs::is_directory(dir, ec)) folders.insert(QString::fromStdString(dir.string()));
  }
  if (!m_watcher.directories().isEmpty()) m_watcher.removePaths(m_watcher.directories());
  if (!folders.empty()) m_watcher.addPaths(QStringList(folders.begin(), folders.end()));
  WatchFiles();
}

// A folder's watch sees files come and go; a file written in place is seen
// only by its own, which a replacing rename ends: renewed at every check.
void DiskWatch::WatchFiles() {
  QStringList files;
  const QStringList watched = m_watcher.files();
  for (const auto& [path, stamp] : m_app.world->Stamps.All()) {
    const QString p = QString::fromStdString(path);
    if (stamp.Exists && !watched.contains(p)) files << p;
  }
  if (!files.isEmpty()) m_watcher.addPaths(files);
}

void DiskWatch::Changed() {
  m_timer.start();
}

namespace {

std::string Canonical(const fs::path& p) {
  std::error_code ec;
  fs::path c = fs::weakly_canonical(p, ec);
  return (ec ? p.lexically_normal() : c).string();
}

// The zones whose files are among `changed` (normalised paths).
std::set<int32_t> ZonesOf(const World& w, const std::set<std::string>& changed) {
  std::set<int32_t> zones;
  for (const auto& z : w.Zones) {
    z->ForEachFileSetting([&](RecordKind kind, const TFileSetting& setting) {
      setting.ForEachPlace([&](const TFilePlace& place, uint16_t) {
        if (place.Path.empty()) return;
        if (changed.count(Canonical(place.Path)) ||
            (kind == kRoom && changed.count(Canonical(RoomMapPath(place.Path)))))
          zones.insert(z->Vnum);
      });
    });
  }
  return zones;
}

}  // namespace

void DiskWatch::Show(const std::vector<fs::path>& changed) {
  QStatusBar* bar = m_app.StatusBar;
  if (changed.empty()) {
    if (bar && !m_shown.isEmpty() && bar->currentMessage() == m_shown) bar->clearMessage();
    m_shown.clear();
    return;
  }
  QStringList names;
  for (const fs::path& p : changed) names << QString::fromStdString(p.filename().string());
  m_shown = QStringLiteral("Изменены на диске: %1").arg(names.join(QStringLiteral(", ")));
  if (bar) bar->showMessage(m_shown);
}

void DiskWatch::CheckNow() {
  if (!m_app.world) return;
  World& w = *m_app.world;
  const std::vector<fs::path> changed = w.Stamps.ChangedFiles();
  WatchFiles();
  Show(changed);
  std::set<std::string> keys;
  bool fresh = false;
  for (const fs::path& p : changed) {
    keys.insert(p.string());
    const FileStamp now = StatFile(p);
    auto [it, added] = m_offered.try_emplace(p.string(), now);
    if (added || !(it->second == now)) fresh = true;
    it->second = now;
  }
  if (!fresh) return;
  // A zone with unsaved edits is left to the question before its save.
  std::set<int32_t> edited;
  for (const auto& [zone, kind] : m_app.Changes->Changed()) edited.insert(zone);
  bool reread = false;
  for (int32_t zone : ZonesOf(w, keys)) {
    if (edited.count(zone)) continue;
    const std::string name = w.Zones.ZoneNameOf(zone);
    if (m_app.reporter->AskConfirm(ConfirmMsg::RereadZone,
                                   {name.empty() ? "[" + std::to_string(zone) + "]" : name}))
      reread = RereadZone(m_app, zone) || reread;
  }
  if (reread) Show(w.Stamps.ChangedFiles());
}

}  // namespace zm
