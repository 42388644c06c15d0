#include "app/recovery.h"

#include "common/reporter.h"
#include "common/winutf8.h"
#include "editors/changetracker.h"
#include "editors/worlddocument.h"
#include "load/journal.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace fs = std::filesystem;

namespace {
// Lines of the question's list; the rest is counted.
constexpr int kListedLines = 15;
}  // namespace

RecoveryJournal::RecoveryJournal(WorldDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_timer(this) {
  m_timer.setSingleShot(true);
  m_timer.setInterval(3000);
  connect(&m_timer, &QTimer::timeout, this, &RecoveryJournal::WriteNow);
  connect(&m_document, &WorldDocument::ZoneChanged, this, [this] {
    if (m_started) m_timer.start();
  });
}

std::vector<std::pair<int32_t, RecordKind>> RecoveryJournal::Offer(Reporter& reporter,
                                                                   const fs::path& world) {
  std::vector<std::pair<int32_t, RecordKind>> marks;
  const fs::path dir = JournalDir(world);
  const std::optional<JournalManifest> m = ReadJournal(dir);
  // Another world's journal under the same name is not this one's to touch.
  if (!m || m->World != world.string() || !WriterGone(*m)) return marks;
  std::string list = JournalSummary(*m, kListedLines);
  if (const auto changed = ChangedSince(*m, world); !changed.empty()) {
    list += W("\r\nПосле записи журнала на диске изменены файлы:");
    for (const std::string& path : changed) list += "\r\n  " + path;
  }
  const std::string when = m->Time + ", " + m->Host;
  if (!reporter.AskConfirm(ConfirmMsg::RecoverJournal, {world.string(), when, list})) {
    RemoveJournal(dir);
    return marks;
  }
  World& w = m_document.world();
  w.ReadInstead = JournalCopies(dir, *m);
  // Copies gone from the folder: the world is read from the disk alone.
  if (w.ReadInstead.empty()) return marks;
  for (const JournalZone& z : m->Zones)
    for (RecordKind kind : z.Kinds) marks.emplace_back(z.Zone, kind);
  return marks;
}

void RecoveryJournal::Start(const fs::path& world) {
  m_dir = JournalDir(world);
  m_started = true;
}

void RecoveryJournal::WriteNow() {
  m_timer.stop();
  if (!m_started) return;
  const ChangeTracker& changes = m_document.Changes();
  std::string error;
  if (!changes.Any())
    RemoveJournal(m_dir);
  else if (!WriteJournal(m_dir, m_document.world(), changes.Changed(), &error) && OnFailure)
    OnFailure(QStringLiteral("Не могу записать журнал несохранённых изменений: %1")
                  .arg(QString::fromStdString(error)));
}

void RecoveryJournal::Clear() {
  m_timer.stop();
  if (m_started) RemoveJournal(m_dir);
}

}  // namespace zm
