#include "editors/roomeditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/roomeditorpages.h"
#include "editors/roomexitspage.h"
#include "editors/roommobilespage.h"
#include "editors/roomobjectspage.h"
#include "editors/roomtriggersingredientspage.h"

namespace zm {

RoomEditor::RoomEditor(EditorHost& host, QWidget* parent) : EditorWindow(host, kRoom, parent) {
  setObjectName("RoomForm");
  setWindowTitle(QStringLiteral("()"));
  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  auto* nameRow = new QHBoxLayout();
  nameRow->addWidget(new QLabel(QStringLiteral("Описание"), this));
  R_DescEdit = Named(new QLineEdit(this), "R_DescEdit");
  nameRow->addWidget(R_DescEdit, 1);
  top->addLayout(nameRow);

  m_description = new RoomDescriptionPage(*this, m_wc);
  top->addWidget(m_description, 2);

  R_PageControl = Named(new QTabWidget(this), "R_PageControl");
  m_type = new RoomTypePage(*this, m_wc);
  R_PageControl->addTab(m_type, QStringLiteral("Тип"));
  m_exits = new RoomExitsPage(*this, m_wc);
  R_PageControl->addTab(m_exits, QStringLiteral("Выходы"));
  m_objects = new RoomObjectsPage(*this, m_wc);
  R_PageControl->addTab(m_objects, QStringLiteral("Объекты"));
  m_mobiles = new RoomMobilesPage(*this, m_wc);
  R_PageControl->addTab(m_mobiles, QStringLiteral("Мобы"));
  m_extraDescs = new RoomExtraDescsPage(*this, m_wc);
  R_PageControl->addTab(m_extraDescs, QStringLiteral("Доп. описания"));
  m_triggers = new RoomTriggersIngredientsPage(*this, m_wc);
  R_PageControl->addTab(m_triggers, QStringLiteral("Триггеры и ингредиенты"));
  top->addWidget(R_PageControl, 3);
  m_pages = {m_description, m_type, m_exits, m_objects, m_mobiles, m_extraDescs, m_triggers};

  // Filled once the pages sit in the page control: a drop-down takes its
  // least width from the items it holds when it is first laid out, and the
  // sector box may well be narrower than its longest name.
  for (QWidget* c : std::initializer_list<QWidget*>{
           m_type->R_SectorComboBox, m_type->R_TypeCheckListBox, m_exits->R_EStateComboBox,
           m_exits->R_EDoorComboBox, m_triggers->R_INameComboBox})
    BindDictionary(c);

  std::vector<std::pair<QWidget*, QString>> keyed = {
      {R_DescEdit, QStringLiteral("R_Desc")},
      {m_description->R_DescCheckBox, QStringLiteral("R_DescCheck")},
      {m_type->R_SectorComboBox, QStringLiteral("R_Sector")}};
  for (int i = 0; i <= kVariants; ++i)
    keyed.emplace_back(
        m_description->R_FullDescMemo[static_cast<size_t>(i)],
        i == 0 ? QStringLiteral("R_FullDesc") : QStringLiteral("R_FullDesc%1").arg(i));
  ApplyHints(keyed);
  // Not before the hints: a button disabled with a reason keeps its hint
  // for when it is enabled again.
  m_objects->UpdateButtons();
  m_mobiles->UpdateButtons();
  m_extraDescs->UpdateButtons();
  m_triggers->UpdateButtons();
}

RoomEditor::~RoomEditor() = default;

void RoomEditor::Edit(TRoom& room) {
  m_wc = room;
  LinkRecord(&room);
  SetCaption(room.Vnum, room.Name);
  ShowLine(R_DescEdit, room.Name);
  for (EditorPage* page : m_pages) page->ShowRecord();
}

void RoomEditor::Apply() {
  auto* room = static_cast<TRoom*>(LinkedRecord());
  if (!room) return;
  m_wc.Name = ReadLine(R_DescEdit);
  for (EditorPage* page : m_pages) page->StoreRecord();
  room->Name = m_wc.Name;
  RefreshNode(*room, room->Name);
  room->Description = m_wc.Description;
  room->Sector = m_wc.Sector;
  room->Flags = m_wc.Flags;
  room->Exits = m_wc.Exits;
  room->Objects = m_wc.Objects;
  room->Mobs = m_wc.Mobs;
  room->ExtraDescs = m_wc.ExtraDescs;
  room->Ingredients = m_wc.Ingredients;
  room->RemovedObjects = m_wc.RemovedObjects;
  room->Triggers = m_wc.Triggers;
}

void RoomEditor::AcceptRecord(TMUDClass& rec) {
  QWidget* focus = FocusedControl();
  if (!focus || !LinkedRecord()) return;
  for (EditorPage* page : m_pages)
    if (page->isAncestorOf(focus)) {
      page->AcceptRecord(rec, focus);
      return;
    }
}

void RegisterRoomEditor(EditorHost& host) {
  host.Windows().Register(kRoom, [&host](TMUDClass& rec) {
    EnsureEditor<RoomEditor>(host)->Edit(static_cast<TRoom&>(rec));
  });
}

}  // namespace zm
