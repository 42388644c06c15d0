#include "editors/editorwindows.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QWidget>
#include <algorithm>

#include "model/records.h"

namespace zm {
namespace {

// The plain window that "В новом окне" opens first; the kind's editor then
// takes its place.
class PlainEditorWindow : public QWidget, public RecordEditor {
 public:
  PlainEditorWindow() { setWindowTitle(QStringLiteral("()")); }
  TMUDClass* LinkedRecord() const override { return nullptr; }
  void Unlink() override {}
  void ApplyRecord() override {}
};

RecordEditor* EditorOf(QMdiSubWindow* sub) {
  return sub ? dynamic_cast<RecordEditor*>(sub->widget()) : nullptr;
}

}  // namespace

EditorWindows::EditorWindows(QMdiArea* mdi, QMenu* windowMenu, QObject* parent)
    : QObject(parent), m_mdi(mdi), m_menu(windowMenu) {}

void EditorWindows::Register(RecordKind kind, EditorOpener opener) {
  m_openers[kind] = std::move(opener);
}

void EditorWindows::Edit(TMUDClass& rec) {
  auto it = m_openers.find(rec.Kind);
  if (it != m_openers.end()) it->second(rec);
}

void EditorWindows::EditInNewWindow(TMUDClass& rec) {
  if (!HasEditor(rec.Kind)) return;
  QMdiSubWindow* sub = AddWindow(new PlainEditorWindow());
  m_mdi->setActiveSubWindow(sub);
  Edit(rec);
}

RecordEditor* EditorWindows::View(TMUDClass& rec, const QString& label) {
  if (!HasEditor(rec.Kind)) return nullptr;
  const auto current = m_memory.Current;
  QMdiSubWindow* sub = AddWindow(new PlainEditorWindow());
  m_mdi->setActiveSubWindow(sub);
  Edit(rec);
  m_memory.Current = current;
  RecordEditor* e = Active();
  if (e && e->LinkedRecord() == &rec) {
    e->SetReadOnly(label);
    return e;
  }
  return nullptr;
}

QMdiSubWindow* EditorWindows::AddWindow(QWidget* editor) {
  QMdiSubWindow* sub = m_mdi->addSubWindow(editor);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  if (m_menu) {
    QAction* item = m_menu->addAction(editor->windowTitle());
    connect(editor, &QWidget::windowTitleChanged, item, &QAction::setText);
    connect(item, &QAction::triggered, sub, [this, sub] {
      m_mdi->setActiveSubWindow(sub);
      sub->raise();
    });
    // The entry goes with the window, however it is closed.
    connect(sub, &QObject::destroyed, item, &QObject::deleteLater);
  }
  sub->show();
  return sub;
}

int EditorWindows::Count() const {
  return static_cast<int>(All().size());
}

QMdiSubWindow* EditorWindows::ActiveSubWindow() const {
  QMdiSubWindow* sub = m_mdi->currentSubWindow();
  return sub && !sub->isHidden() ? sub : nullptr;
}

RecordEditor* EditorWindows::Active() const {
  return EditorOf(ActiveSubWindow());
}

std::vector<RecordEditor*> EditorWindows::All() const {
  std::vector<RecordEditor*> out;
  for (QMdiSubWindow* sub : m_mdi->subWindowList())
    if (!sub->isHidden())
      if (RecordEditor* e = EditorOf(sub)) out.push_back(e);
  return out;
}

void EditorWindows::CloseActive() {
  if (QMdiSubWindow* sub = ActiveSubWindow()) sub->close();
}

TMUDClass* EditorWindows::ApplyActive(bool unlink) {
  RecordEditor* e = Active();
  if (!e) return nullptr;
  TMUDClass* rec = e->LinkedRecord();
  if (!rec) return nullptr;
  e->ApplyRecord();
  if (unlink) e->Unlink();
  return rec;
}

void EditorWindows::ShowAgain() {
  for (RecordEditor* e : All()) e->ShowAgain();
}

void EditorWindows::ForgetRecord(const TMUDClass& rec) {
  for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
    RecordEditor* e = EditorOf(sub);
    if (!e || e->ForgetRecord(rec)) continue;
    // Unlinked first: closing would apply the window into the record.
    if (e->LinkedRecord() == &rec) e->Unlink();
    sub->close();
  }
}

void EditorWindows::Tile() {
  // Horizontally: full width, one above the other.
  std::vector<QMdiSubWindow*> shown;
  for (QMdiSubWindow* sub : m_mdi->subWindowList())
    if (!sub->isHidden() && !sub->isMinimized()) shown.push_back(sub);
  if (shown.empty()) return;
  const QRect area = m_mdi->viewport()->rect();
  const int n = static_cast<int>(shown.size());
  const int h = std::max(1, area.height() / n);
  for (int i = 0; i < n; ++i) {
    shown[static_cast<size_t>(i)]->showNormal();
    int height = i == n - 1 ? area.height() - h * i : h;
    shown[static_cast<size_t>(i)]->setGeometry(0, h * i, area.width(), height);
  }
}

void EditorWindows::FitIntoArea() {
  const QRect area = m_mdi->viewport()->rect();
  if (area.isEmpty()) return;
  for (QMdiSubWindow* sub : m_mdi->subWindowList()) {
    if (sub->isHidden() || sub->isMinimized() || sub->isMaximized()) continue;
    QRect g = sub->geometry();
    if (area.contains(g)) continue;
    g.setSize(g.size().boundedTo(area.size()));
    g.moveLeft(std::clamp(g.left(), 0, area.width() - g.width()));
    g.moveTop(std::clamp(g.top(), 0, area.height() - g.height()));
    sub->setGeometry(g);
  }
}

void EditorWindows::Cascade() {
  m_mdi->cascadeSubWindows();
}

}  // namespace zm
