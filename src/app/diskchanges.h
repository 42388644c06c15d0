#pragma once
// World files changed on disk by someone else while the editor runs (a git
// pull, a colleague): a zone read again on request, and a watch over the
// world's folders that names the changed files and offers the zones without
// unsaved edits to be read again.
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/filestamps.h"

namespace zm {

class AppContext;

// Replaces the zone's records by what its files hold now; the zone then
// counts as saved. A zone that cannot be read again with certainty is left
// as it is, with a message. False then.
bool RereadZone(AppContext& app, int32_t zone);

class DiskWatch : public QObject {
  Q_OBJECT
 public:
  explicit DiskWatch(AppContext& app, QObject* parent = nullptr);
  // Watches the folders of every file the world was read from.
  void Start();
  // Compares the files with their stamps now (what the timer does ~1 s
  // after the last change seen).
  void CheckNow();
  QStringList Folders() const { return m_watcher.directories(); }

 private:
  void Changed();
  void WatchFiles();
  void Show(const std::vector<std::filesystem::path>& changed);

  AppContext& m_app;
  QFileSystemWatcher m_watcher;
  QTimer m_timer;
  // The disk's state of each changed file when its zone was last offered,
  // so that a No is not asked again until the file changes again.
  std::map<std::string, FileStamp> m_offered;
  QString m_shown;  // the status bar text this put there
};

}  // namespace zm
