#pragma once
// The journal of the world's unsaved changes, written a few seconds after
// each change, and the offer to bring back a journal that an editor which
// is gone left behind.
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

#include "model/kinds.h"

namespace zm {

class Reporter;
class World;
class WorldDocument;

class RecoveryJournal : public QObject {
  Q_OBJECT
 public:
  explicit RecoveryJournal(WorldDocument& document, QObject* parent = nullptr);

  // Before `world` is loaded into the document: asks about a journal left by
  // an editor that is gone. On yes the world's reading takes the journalled
  // files (World::ReadInstead) and the result names the (zone, kind) pairs
  // to mark unsaved once it is loaded; on no the journal is removed.
  std::vector<std::pair<int32_t, RecordKind>> Offer(Reporter& reporter,
                                                    const std::filesystem::path& world);
  // From now on the world's changes are journalled.
  void Start(const std::filesystem::path& world);

  // The journal now: of what is unsaved, or none when nothing is.
  void WriteNow();
  void Clear();
  const std::filesystem::path& Dir() const { return m_dir; }
  // Restarted by each change; the journal is written when it runs out.
  QTimer& Timer() { return m_timer; }
  // Told when the journal cannot be written.
  std::function<void(const QString&)> OnFailure;

 private:
  WorldDocument& m_document;
  QTimer m_timer;
  std::filesystem::path m_dir;
  bool m_started = false;
};

}  // namespace zm
