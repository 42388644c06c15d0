#include "editors/editorwindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "common/dictionaries.h"
#include "common/textutil.h"
#include "editors/fieldtext.h"
#include "model/records.h"
#include "model/world.h"
#include "widgets/dictcontrols.h"
#include "widgets/editpopup.h"
#include "widgets/hints.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

constexpr const char* kDictValue = "zmDictValue";
}  // namespace

EditorWindow::EditorWindow(EditorHost& host, int kind, QWidget* parent)
    : QWidget(parent), m_host(host), m_kind(kind) {
  setFont(host.EditorFont());
  // Smaller than the pages' own minimum: a remembered size of another kind
  // of editor must fit, and restoring from maximized must give it back. The
  // controls keep their own minimum and scroll.
  setMinimumSize(240, 160);
  auto* frame = new QVBoxLayout(this);
  frame->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("EditorScrollArea"));
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  m_body = new QWidget(scroll);
  m_body->setObjectName(QStringLiteral("EditorBody"));
  scroll->setWidget(m_body);
  frame->addWidget(scroll);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && isAncestorOf(now)) m_lastFocus = now;
  });
}

EditorWindow::~EditorWindow() = default;

EditorWindow* EditorWindow::Current(EditorHost& host, RecordKind kind) {
  if (kind >= kRecordKinds) return nullptr;
  return qobject_cast<EditorWindow*>(host.Windows().Memory().Current[kind].data());
}

void EditorWindow::SetCurrent(EditorHost& host, RecordKind kind, EditorWindow* form) {
  if (kind < kRecordKinds) host.Windows().Memory().Current[kind] = form;
}

QWidget* EditorWindow::FocusedControl() const {
  // The window's own record of its focus child outlives the focus moving to
  // the tree; the application's focus changes cover what it misses.
  QWidget* w = focusWidget();
  if (w && w != this && isAncestorOf(w)) return w;
  return m_lastFocus;
}

void EditorWindow::ApplyRecord() {
  if (m_linked && !m_readOnly) Apply();
}

void EditorWindow::SetReadOnly(const QString& label) {
  m_readOnly = true;
  m_readOnlyLabel = label;
  if (!windowTitle().endsWith(label)) setWindowTitle(windowTitle() + QStringLiteral(" — ") + label);
  for (QWidget* w : Body()->findChildren<QWidget*>()) {
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
      line->setReadOnly(true);
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) {
      spin->setReadOnly(true);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
      memo->setReadOnly(true);
    } else if (auto* text = qobject_cast<QTextEdit*>(w)) {
      text->setReadOnly(true);
    } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
      // Rows can still be chosen (a list's row shows its details); ticks
      // and cells cannot be changed.
      view->setEditTriggers(QAbstractItemView::NoEditTriggers);
      view->installEventFilter(this);
      view->viewport()->installEventFilter(this);
    } else if (qobject_cast<QComboBox*>(w) ||
               (qobject_cast<QAbstractButton*>(w) && !qobject_cast<QTabBar*>(w->parentWidget()))) {
      w->setEnabled(false);
    }
  }
}

void EditorWindow::closeEvent(QCloseEvent* e) {
  if (TMUDClass* rec = m_linked; rec && !m_readOnly) {
    Document().Tracked(rec->Zone, [this] { Apply(); });
    m_linked = nullptr;
  }
  QWidget::closeEvent(e);
}

// ------------------------------------------------------------- geometry

void EditorWindow::AttachTo(QMdiSubWindow* sub, QSize designed) {
  m_sub = sub;
  // Never larger than the work area: the window's own buttons stay on
  // screen, and the controls scroll.
  if (QMdiArea* area = sub->mdiArea(); area && !area->viewport()->size().isEmpty())
    designed = designed.boundedTo(area->viewport()->size());
  sub->resize(designed);
  // The area's placement of a window wider than the area starts left of it.
  if (sub->x() < 0 || sub->y() < 0) sub->move(std::max(sub->x(), 0), std::max(sub->y(), 0));
  sub->installEventFilter(this);
  if (QMdiArea* area = sub->mdiArea()) {
    connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* active) {
      if (active && active == SubWindow()) FormActivate();
    });
    area->setActiveSubWindow(sub);
  }
  FormActivate();
}

void EditorWindow::FormActivate() {
  QMdiSubWindow* sub = SubWindow();
  if (!sub) return;
  if (m_kind >= 0 && Current(m_host, static_cast<RecordKind>(m_kind)) != this)
    SetCurrent(m_host, static_cast<RecordKind>(m_kind), this);
  if (m_activated) return;
  EditorMemory& shared = Memory();
  if (shared.Rect.isEmpty()) {
    shared.Rect = sub->geometry();
  } else {
    // The area may have maximized the new window already; its size when
    // restored must be the remembered one.
    if (sub->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) sub->showNormal();
    sub->setGeometry(shared.Rect);
  }
  if (shared.State & Qt::WindowMaximized)
    sub->showMaximized();
  else if (shared.State & Qt::WindowMinimized)
    sub->showMinimized();
  // Only now: the area's own placement of a new window is no user's size.
  m_activated = true;
}

void EditorWindow::FormResize() {
  QMdiSubWindow* sub = SubWindow();
  if (!sub || !m_activated) return;
  if (sub->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) return;
  Memory().Rect = sub->geometry();
}

void EditorWindow::FormClose() {
  QMdiSubWindow* sub = SubWindow();
  if (!sub || !m_activated) return;
  FormResize();
  Memory().State = sub->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized);
}

void EditorWindow::SetCaption(int32_t vnum, const std::string& name) {
  QString title = QStringLiteral("(%1) %2").arg(vnum).arg(ToQt(name));
  if (m_readOnly) title += QStringLiteral(" — ") + m_readOnlyLabel;
  setWindowTitle(title);
}

void EditorWindow::RefreshNode(TMUDClass& rec, const std::string& name) {
  TreeSink* sink = world().sink();
  if (sink) sink->SetCaption(rec, NodeCaption(rec.Vnum, name));
}

// --------------------------------------------------------- dictionaries

Dictionary* EditorWindow::BindDictionary(QWidget* control, std::string_view name, bool hoverHint) {
  if (!control || !m_host.Dicts()) return nullptr;
  Dictionary* dict = BindControl(*m_host.Dicts(), control, name);
  if (!dict) return nullptr;
  m_dicts.insert(control, dict);
  auto* list = qobject_cast<QListWidget*>(control);
  if (list && hoverHint && dict->Kind == kDictCheckList) {
    list->setMouseTracking(true);
    list->viewport()->setMouseTracking(true);
    list->viewport()->installEventFilter(this);
  }
  return dict;
}

void EditorWindow::ShowDict(QWidget* control, const std::string& value) {
  control->setProperty(kDictValue, QByteArray(value.data(), static_cast<qsizetype>(value.size())));
  Dictionary* dict = m_dicts.value(control, nullptr);
  if (DictControl* c = dict ? DictControlOf(control) : nullptr) dict->ShowValue(*c, value);
}

std::string EditorWindow::ReadDict(QWidget* control) const {
  Dictionary* dict = m_dicts.value(control, nullptr);
  if (DictControl* c = dict ? DictControlOf(control) : nullptr) return dict->ReadValue(*c);
  const QByteArray b = control->property(kDictValue).toByteArray();
  return std::string(b.constData(), static_cast<size_t>(b.size()));
}

void EditorWindow::ShowDictInt(QWidget* control, int32_t value) {
  ShowDict(control, IntText(value));
}

int32_t EditorWindow::ReadDictInt(QWidget* control, int32_t old) const {
  int32_t v = 0;
  return ParseInt(ReadDict(control), v) ? v : old;
}

// ------------------------------------------------- hints, memos, status

void EditorWindow::ApplyHints(const std::vector<std::pair<QWidget*, QString>>& keyed) {
  for (QWidget* w : findChildren<QWidget*>())
    if (!w->objectName().isEmpty()) m_host.Hints().ApplyHint(w);
  for (const auto& [control, key] : keyed) m_host.Hints().ApplyHint(control, key);
}

void EditorWindow::AttachMemo(QPlainTextEdit* memo, const LineMend& mend) {
  m_mends.insert(memo, &mend);
  memo->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(memo, &QWidget::customContextMenuRequested, this, [this, memo](const QPoint& pos) {
    m_host.EditMenu().PopupFor(memo, memo->mapToGlobal(pos));
  });
  memo->installEventFilter(this);
}

std::string EditorWindow::MemoValue(QPlainTextEdit* memo) {
  if (!MemoTouched(memo)) return ReadMemo(memo);
  const LineMend& mend = *m_mends.value(memo, &kTildeMend);
  if (MendLines(memo, mend) > 0) Status(QString::fromUtf8(mend.Message));
  return ReadMemo(memo);
}

void EditorWindow::Status(const QString& text) {
  m_host.ShowStatus(text);
}

void EditorWindow::ShowExtraDesc(const TExtraDescList& list, int i, QLineEdit* edit,
                                 QPlainTextEdit* memo) {
  const TExtraDesc* d = list.Items(i);
  if (!d) return;
  ShowLine(edit, d->Keywords);
  ShowMemo(memo, d->Description);
}

void EditorWindow::StoreExtraDesc(TExtraDescList& list, int i, QLineEdit* edit,
                                  QPlainTextEdit* memo) {
  TExtraDesc* d = list.Items(i);
  if (!d) return;
  d->Keywords = ReadLine(edit);
  d->Description = MemoValue(memo);
}

bool EditorWindow::eventFilter(QObject* watched, QEvent* e) {
  if (watched == m_sub.data()) {
    if (e->type() == QEvent::Resize || e->type() == QEvent::Move) FormResize();
    if (e->type() == QEvent::Close) FormClose();
    return QWidget::eventFilter(watched, e);
  }
  if (m_readOnly && (qobject_cast<QAbstractItemView*>(watched) ||
                     qobject_cast<QAbstractItemView*>(watched->parent()))) {
    // A press still chooses a row; the release and the space bar would tick
    // a box.
    const auto t = e->type();
    if (t == QEvent::MouseButtonRelease || t == QEvent::MouseButtonDblClick) return true;
    if (t == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Space) return true;
  }
  if (e->type() == QEvent::FocusOut)
    if (auto* memo = qobject_cast<QPlainTextEdit*>(watched)) MemoValue(memo);
  if (e->type() == QEvent::MouseMove || e->type() == QEvent::Leave) {
    auto* view = qobject_cast<QWidget*>(watched);
    auto* list = view ? qobject_cast<QListWidget*>(view->parentWidget()) : nullptr;
    if (list && m_dicts.contains(list)) {
      QListWidgetItem* item = nullptr;
      if (e->type() == QEvent::MouseMove)
        item = list->itemAt(static_cast<QMouseEvent*>(e)->position().toPoint());
      if (item)
        Status(QStringLiteral(" ") + item->text());
      else
        m_host.ShowStatus({});
    }
  }
  return QWidget::eventFilter(watched, e);
}

}  // namespace zm
