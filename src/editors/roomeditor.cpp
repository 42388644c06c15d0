#include "editors/roomeditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "model/world.h"

namespace zm {

RoomEditor::RoomEditor(EditorHost& host, QWidget* parent) : EditorWindow(host, kRoom, parent) {
  setObjectName("RoomForm");
  setWindowTitle(QStringLiteral("()"));
  buildUi();
  connectControls();
  for (QWidget* c :
       std::initializer_list<QWidget*>{R_SectorComboBox, R_TypeCheckListBox, R_EStateComboBox,
                                       R_EDoorComboBox, R_INameComboBox})
    BindDictionary(c);
  std::vector<std::pair<QWidget*, QString>> keyed = {
      {R_DescEdit, QStringLiteral("R_Desc")},
      {R_DescCheckBox, QStringLiteral("R_DescCheck")},
      {R_SectorComboBox, QStringLiteral("R_Sector")}};
  for (int i = 0; i <= kVariants; ++i)
    keyed.emplace_back(
        R_FullDescMemo[static_cast<size_t>(i)],
        i == 0 ? QStringLiteral("R_FullDesc") : QStringLiteral("R_FullDesc%1").arg(i));
  ApplyHints(keyed);
  m_keyType = host.Settings().KeyObjectType;
  R_ObjPanel->hide();
  R_MobPanel->hide();
  R_DescCheckBox->hide();
  updateButtons();
}

RoomEditor::~RoomEditor() = default;

void RoomEditor::Edit(TRoom& room) {
  ++m_updating;
  m_wc = room;
  LinkRecord(&room);
  SetCaption(room.Vnum, room.Name);
  ShowLine(R_DescEdit, room.Name);
  showDescription(room.Description);
  ShowDictInt(R_SectorComboBox, room.Sector);
  ShowDict(R_TypeCheckListBox, room.Flags);
  fillKeyChoices();
  m_exit = kNorth;
  showExitPanels();
  showExit(kNorth);
  showObjects();
  showMobs();
  showExtras();
  showIngredients();
  showTriggers();
  fillAvailableTriggers();
  --m_updating;
  updateButtons();
}

void RoomEditor::Apply() {
  auto* room = static_cast<TRoom*>(LinkedRecord());
  if (!room) return;
  room->Name = ReadLine(R_DescEdit);
  RefreshNode(*room, room->Name);
  room->Description = readDescription();
  room->Sector = static_cast<int16_t>(ReadDictInt(R_SectorComboBox, room->Sector));
  room->Flags = ReadDict(R_TypeCheckListBox);
  storeExit(m_exit);
  room->Exits = m_wc.Exits;
  room->Objects = m_wc.Objects;
  room->Mobs = m_wc.Mobs;
  room->ExtraDescs = m_wc.ExtraDescs;
  room->Ingredients = m_wc.Ingredients;
  // Removed objects live only in their rows.
  room->RemovedObjects.Clear();
  for (int i = 0; i < m_removed->Count(); ++i) {
    const PlacementRow row = m_removed->Row(i);
    room->RemovedObjects.Add(TCondID{CondFlag(row.Cond), row.ID});
  }
  // A trigger keeps the condition of the zone command that attached it.
  room->Triggers.Clear();
  for (int i = 0; i < R_TrigListBox->count(); ++i) {
    const QListWidgetItem* item = R_TrigListBox->item(i);
    room->Triggers.Add(TCondID{TriggerItemCond(item), TriggerItemVnum(item)});
  }
}

void RoomEditor::AcceptRecord(TMUDClass& rec) {
  QWidget* focus = FocusedControl();
  if (!focus || !LinkedRecord()) return;
  if (rec.Kind == kObject) {
    if (focus == R_ObjListView) appendObject(rec.Vnum);
    if (focus == R_ObjOListView && currentObject()) appendContent(rec.Vnum);
    if (focus == R_ObjDListView) {
      m_removed->Append(PlacementRow{rec.Vnum, "0", kNoWhere, 0});
      m_removed->Select(m_removed->Count() - 1);
    }
    if (focus == R_MobOListView && currentMob()) appendInventory(rec.Vnum);
  } else if (rec.Kind == kMobile && focus == R_MobListView) {
    appendMob(rec.Vnum);
  }
}

void RoomEditor::updateButtons() {
  const bool obj = m_objs->Current() >= 0;
  R_ObjEditBtn->setEnabled(obj);
  R_ObjDelBtn->setEnabled(obj);
  R_ObjOAddBtn->setEnabled(obj);
  R_ObjOEditBtn->setEnabled(obj && m_contents->Current() >= 0);
  R_ObjODelBtn->setEnabled(obj && m_contents->Current() >= 0);
  R_ObjDEditBtn->setEnabled(m_removed->Current() >= 0);
  R_ObjDDelBtn->setEnabled(m_removed->Current() >= 0);

  const bool mob = m_mobs->Current() >= 0;
  R_MobEditBtn->setEnabled(mob);
  R_MobDelBtn->setEnabled(mob);
  R_MobOAddBtn->setEnabled(mob);
  R_MobOEditBtn->setEnabled(mob && m_inventory->Current() >= 0);
  R_MobODelBtn->setEnabled(mob && m_inventory->Current() >= 0);

  const bool extra = R_EDescListBox->currentRow() >= 0;
  const bool filled = !R_EDescKeyEdit->text().isEmpty() && !R_EDescMemo->document()->isEmpty();
  EnableWithReason(R_EDescAddBtn, filled,
                   QStringLiteral("Сначала введите ключевые слова и текст описания"));
  R_EDescSetBtn->setEnabled(extra && filled);
  R_EDescDelBtn->setEnabled(extra);

  R_TrigAddBtn->setEnabled(R_TrigNumEdit->value() > 0 || R_ATrigListBox->currentRow() >= 0);
  R_TrigDelBtn->setEnabled(R_TrigListBox->currentRow() >= 0);

  const bool ingr = R_IngrListView->currentItem() != nullptr;
  R_IngrAddBtn->setEnabled(R_INameComboBox->currentIndex() >= 0);
  R_IngrEditBtn->setEnabled(ingr && R_INameComboBox->currentIndex() >= 0);
  R_IngrDelBtn->setEnabled(ingr);
}

void RegisterRoomEditor(EditorHost& host) {
  host.Windows().Register(kRoom, [&host](TMUDClass& rec) {
    EnsureEditor<RoomEditor>(host)->Edit(static_cast<TRoom&>(rec));
  });
}

}  // namespace zm
