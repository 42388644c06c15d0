#include "app/worldcompare.h"

#include <QApplication>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/appcontext.h"
#include "app/findresults.h"
#include "editors/editorwindow.h"
#include "editors/editorwindows.h"
#include "json/worlddiff.h"
#include "load/loadworld.h"
#include "model/world.h"
#include "widgets/modalrunner.h"
#include "widgets/qtext.h"

namespace zm {
namespace fs = std::filesystem;

WorldCompare::WorldCompare(AppContext& app, FindResults& find, QObject* parent)
    : QObject(parent), m_app(app), m_find(find) {}

WorldCompare::~WorldCompare() {
  closeViewers();
}

void WorldCompare::AskAndCompare() {
  QFileDialog dialog(m_app.MainWindow, QStringLiteral("Сравнить с папкой"));
  dialog.setObjectName("CompareFolderDialog");
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  if (!m_folder.empty()) dialog.setDirectory(QString::fromStdString(m_folder.string()));
  if (!m_app.Runner || m_app.Runner->Run(dialog) != QDialog::Accepted) return;
  const QStringList chosen = dialog.selectedFiles();
  if (!chosen.isEmpty()) CompareWith(fs::path(chosen.front().toStdString()));
}

bool WorldCompare::CompareWith(const fs::path& folder) {
  // The open editors' edits count.
  m_app.ApplyAllEditors();
  closeViewers();
  m_rows.clear();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  m_notes.Count = 0;
  auto other = std::make_unique<World>(m_notes, nullptr, m_app.world->bases());
  std::error_code ec;
  const bool read = fs::is_directory(folder, ec);
  if (read) LoadWorld(*other, folder, nullptr);
  QApplication::restoreOverrideCursor();
  const QString name = QString::fromStdString(folder.string());
  if (!read || (other->Zones.Count() == 0 && other->Rooms.Count() == 0)) {
    m_find.ShowList(QStringLiteral("В папке %1 нет мира").arg(name), {}, QStringLiteral("Разница"),
                    nullptr);
    return false;
  }
  m_other = std::move(other);
  m_folder = folder;
  // The folder is the old side: "+" is what only this world has.
  const auto diffs = json::DiffWorlds(*m_other, *m_app.world);
  std::vector<FoundRow> rows;
  rows.reserve(diffs.size());
  for (const json::RecordDiff& d : diffs) {
    m_rows.push_back({d.Kind, d.Vnum});
    const World& w = d.What == json::RecordDiff::Change::Removed ? *m_other : *m_app.world;
    std::string caption;
    w.ForKind(d.Kind, [&](const auto& list) { caption = list.CaptionOf(d.Vnum); });
    QString what, text;
    switch (d.What) {
      case json::RecordDiff::Change::Added:
        what = QStringLiteral("только здесь");
        break;
      case json::RecordDiff::Change::Removed:
        what = QStringLiteral("только в папке");
        break;
      case json::RecordDiff::Change::Changed: {
        // The first few fields with their values; the rest counted.
        QStringList fields;
        for (const json::FieldChange& f : d.Fields) {
          if (fields.size() == 3) {
            fields << QStringLiteral("и ещё %1").arg(d.Fields.size() - 3);
            break;
          }
          const auto value = [](const std::string& v) {
            QString q = QString::fromStdString(v).simplified();
            return q.size() > 40 ? q.left(40) + QStringLiteral("…") : q;
          };
          fields << QStringLiteral("%1: %2 → %3")
                        .arg(QString::fromStdString(f.Field), value(f.Old), value(f.New));
        }
        what = QStringLiteral("изменена");
        text = fields.join(QStringLiteral("; "));
        break;
      }
    }
    rows.push_back({d.Kind, d.Vnum, d.Vnum >= 0 ? ZoneOf(d.Vnum) : 0, what,
                    ToQt(caption) + (text.isEmpty() ? QString() : QStringLiteral(": ") + text)});
  }
  QString title = QStringLiteral("Сравнение с %1").arg(name);
  if (m_notes.Count > 0)
    title += QStringLiteral(" (ошибок при чтении папки: %1)").arg(m_notes.Count);
  m_find.ShowList(title, rows, QStringLiteral("Разница"), [this](int row) { OpenRow(row); });
  return true;
}

void WorldCompare::OpenRow(int row) {
  if (row < 0 || row >= static_cast<int>(m_rows.size()) || !m_other || !m_app.Windows) return;
  const Row& r = m_rows[static_cast<size_t>(row)];
  closeViewers();
  const auto find = [&](World& w) {
    TMUDClass* rec = nullptr;
    w.ForKind(r.Kind, [&](auto& list) { rec = list.Find(r.Vnum); });
    return rec;
  };
  const QString folder = QString::fromStdString(m_folder.filename().empty()
                                                    ? m_folder.parent_path().filename().string()
                                                    : m_folder.filename().string());
  std::vector<RecordEditor*> shown;
  if (TMUDClass* mine = find(*m_app.world))
    if (RecordEditor* e = m_app.Windows->View(*mine, QStringLiteral("этот мир")))
      shown.push_back(e);
  if (TMUDClass* theirs = find(*m_other))
    if (RecordEditor* e = m_app.Windows->View(*theirs, QStringLiteral("папка %1").arg(folder)))
      shown.push_back(e);
  QMdiArea* area = m_app.Windows->Area();
  const QSize size = area->viewport()->size();
  for (size_t i = 0; i < shown.size(); ++i) {
    auto* editor = dynamic_cast<EditorWindow*>(shown[i]);
    QMdiSubWindow* sub = editor ? editor->SubWindow() : nullptr;
    if (!sub) continue;
    m_viewers.emplace_back(sub);
    const int half = size.width() / static_cast<int>(shown.size());
    sub->setGeometry(static_cast<int>(i) * half, 0, half, size.height());
  }
}

void WorldCompare::closeViewers() {
  for (const QPointer<QMdiSubWindow>& sub : m_viewers)
    if (sub) {
      if (QWidget* editor = sub->widget()) {
        sub->setWidget(nullptr);
        delete editor;
      }
      delete sub.data();
    }
  m_viewers.clear();
}

}  // namespace zm
