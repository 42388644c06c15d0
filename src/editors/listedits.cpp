#include "editors/listedits.h"

#include <QListWidget>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/listrows.h"
#include "model/world.h"
#include "widgets/modalrunner.h"
#include "widgets/qtext.h"
#include "widgets/selectrecorddialog.h"

namespace zm {
namespace {

constexpr int kRoleVnum = Qt::UserRole + 7;

}  // namespace

VnumListEdit::VnumListEdit(EditorWindow& form, QListWidget* list, Kind kind, bool unique)
    : m_form(form), m_list(list), m_kind(kind), m_unique(unique) {}

void VnumListEdit::insert(int row, int32_t vnum) {
  const World* w = &m_form.world();
  if (m_kind == kTriggers) {
    // Trigger items are the shared ones, so that any reader of trigger
    // lists reads them alike.
    if (!w) return;
    AddTriggerItem(m_list, *w, vnum);
    if (row < m_list->count() - 1) m_list->insertItem(row, m_list->takeItem(m_list->count() - 1));
    return;
  }
  std::string caption;
  if (!w)
    caption = NodeCaption(vnum, "?");
  else if (m_kind == kRooms)
    caption = w->Rooms.CaptionOf(vnum);
  else
    caption = w->Mobs.CaptionOf(vnum);
  auto* item = new QListWidgetItem(ToQt(caption));
  item->setData(kRoleVnum, vnum);
  m_list->insertItem(row, item);
}

void VnumListEdit::select(int row) {
  m_list->setCurrentRow(row);
  if (QListWidgetItem* item = m_list->item(row)) item->setSelected(true);
}

void VnumListEdit::Show(const std::vector<int32_t>& vnums) {
  const QSignalBlocker block(m_list);
  m_list->clear();
  for (int32_t v : vnums) insert(m_list->count(), v);
  m_touched = false;
}

std::vector<int32_t> VnumListEdit::Values() const {
  std::vector<int32_t> out;
  for (int i = 0; i < m_list->count(); ++i) {
    const QListWidgetItem* item = m_list->item(i);
    out.push_back(m_kind == kTriggers ? TriggerItemVnum(item) : item->data(kRoleVnum).toInt());
  }
  return out;
}

int VnumListEdit::Current() const {
  return PickedRow(m_list);
}

int32_t VnumListEdit::CurrentVnum() const {
  const int i = Current();
  return i < 0 ? 0 : Values()[static_cast<size_t>(i)];
}

void VnumListEdit::Append(int32_t vnum) {
  if (vnum <= 0) return;
  if (m_unique) {
    const std::vector<int32_t> now = Values();
    const auto it = std::find(now.begin(), now.end(), vnum);
    if (it != now.end()) return select(static_cast<int>(it - now.begin()));
  }
  insert(m_list->count(), vnum);
  m_touched = true;
  select(m_list->count() - 1);
}

void VnumListEdit::Replace(int32_t vnum) {
  const int i = Current();
  if (i < 0 || vnum <= 0) return;
  if (m_unique) {
    const std::vector<int32_t> now = Values();
    const auto it = std::find(now.begin(), now.end(), vnum);
    if (it != now.end()) return select(static_cast<int>(it - now.begin()));
  }
  delete m_list->takeItem(i);
  insert(i, vnum);
  m_touched = true;
  select(i);
}

void VnumListEdit::Remove() {
  const int i = Current();
  static constexpr const char* kNouns[] = {"триггер", "комнату пути", "помощника"};
  if (i < 0 || !AskRemoveFromList(m_form, kNouns[m_kind])) return;
  delete m_list->takeItem(i);
  m_touched = true;
  const int n = m_list->count();
  if (n == 0) {
    m_list->setCurrentRow(-1);
    return;
  }
  select(std::min(i, n - 1));
}

void VnumListEdit::Move(int delta) {
  const int i = Current();
  const int j = i + delta;
  if (i < 0 || j < 0 || j >= m_list->count()) return;
  QListWidgetItem* item = m_list->takeItem(i);
  m_list->insertItem(j, item);
  m_touched = true;
  select(j);
}

void VnumListEdit::AskAppend(int kind) {
  int32_t vnum = 0;
  if (SelectVnum(m_form, kind, vnum)) Append(vnum);
}

void VnumListEdit::AskReplace(int kind) {
  int32_t vnum = CurrentVnum();
  if (Current() >= 0 && SelectVnum(m_form, kind, vnum)) Replace(vnum);
}

bool SelectVnum(EditorWindow& form, int kind, int32_t& vnum) {
  EditorHost& host = form.Host();
  SelectRecordDialog* dialog = &host.SelectDialog();
  dialog->Prepare(kind, std::max(vnum, 0), {}, -2, 0, false);
  if (kind == 2) {
    const World& world = form.world();
    // The dialog lists no triggers of its own.
    QTreeWidget* view = dialog->ListView1();
    const QSignalBlocker block(view);
    QList<QTreeWidgetItem*> rows;
    QTreeWidgetItem* preset = nullptr;
    for (const auto& t : world.Triggers) {
      auto* row =
          new QTreeWidgetItem({QString::number(t->Vnum), ToQt(world.Triggers.NameOfRecord(*t))});
      if (!preset && t->Vnum == vnum) preset = row;
      rows.push_back(row);
    }
    view->addTopLevelItems(rows);
    if (preset) {
      view->setCurrentItem(preset);
      preset->setSelected(true);
    }
  }
  if (host.Runner().Run(*dialog) != QDialog::Accepted || dialog->ResultID <= 0) return false;
  vnum = dialog->ResultID;
  return true;
}

}  // namespace zm
