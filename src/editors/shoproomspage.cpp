#include "editors/shoproomspage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "common/textutil.h"
#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "editors/shopeditorpages.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {

ShopRoomsPage::ShopRoomsPage(EditorWindow& editor, TShop& wc) : EditorPage(editor), m_wc(wc) {
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  auto* rooms = new QGroupBox(QStringLiteral("Комнаты"), this);
  auto* grid = new QGridLayout(rooms);
  S_RoomListBox = ShopList(rooms, "S_RoomListBox");
  grid->addWidget(S_RoomListBox, 0, 0);
  S_Room2Btn = SmallButton(Button(rooms, "--", "S_Room2Btn"));
  grid->addWidget(S_Room2Btn, 0, 1, Qt::AlignTop);
  S_RoomEdit = Named(new QLineEdit(rooms), "S_RoomEdit");
  S_RoomEdit->setPlaceholderText(QStringLiteral("номер комнаты"));
  grid->addWidget(S_RoomEdit, 1, 0);
  S_Room1Btn = SmallButton(Button(rooms, "+", "S_Room1Btn"));
  grid->addWidget(S_Room1Btn, 1, 1);
  lay->addWidget(rooms);

  connect(S_Room1Btn, &QPushButton::clicked, this, &ShopRoomsPage::S_Room1BtnClick);
  connect(S_Room2Btn, &QPushButton::clicked, this, &ShopRoomsPage::S_Room2BtnClick);
  connect(S_RoomEdit, &QLineEdit::returnPressed, this, &ShopRoomsPage::S_Room1BtnClick);
  connect(S_RoomListBox, &QListWidget::itemSelectionChanged, this, &ShopRoomsPage::updateButtons);
  updateButtons();
}

void ShopRoomsPage::ShowRecord() {
  showRooms();
  S_RoomEdit->clear();
  updateButtons();
}

void ShopRoomsPage::updateButtons() {
  S_Room2Btn->setEnabled(PickedRow(S_RoomListBox) >= 0);
}

void ShopRoomsPage::showRooms() {
  const QSignalBlocker block(S_RoomListBox);
  S_RoomListBox->clear();
  const World* w = &Editor().world();
  for (const auto& r : m_wc.Rooms)
    S_RoomListBox->addItem(
        ToQt(w ? w->Rooms.CaptionOf(r->Value) : NodeCaption(r->Value, std::string("?"))));
}

void ShopRoomsPage::S_Room1BtnClick() {
  const std::string typed = Trim(ReadLine(S_RoomEdit));
  int32_t vnum = 0;
  // -1 ends the list in the file; a negative number is no room.
  if (!ParseInt(typed, vnum) || vnum < 0) {
    Editor().Status(QStringLiteral(" Введите номер комнаты: целое число от 0"));
    S_RoomEdit->setFocus();
    S_RoomEdit->selectAll();
    return;
  }
  int at = m_wc.Rooms.IndexOf(vnum);
  if (at >= 0) {
    Editor().Status(QStringLiteral(" Комната %1 уже есть в списке").arg(vnum));
  } else {
    m_wc.Rooms.Add(vnum);
    at = m_wc.Rooms.Count() - 1;
    showRooms();
    S_RoomEdit->clear();
    const World* w = &Editor().world();
    if (!w || !w->Rooms.Find(vnum))
      Editor().Status(QStringLiteral(" Комнаты %1 нет в мире; номер добавлен").arg(vnum));
  }
  PickShopRow(S_RoomListBox, at);
  updateButtons();
}

void ShopRoomsPage::S_Room2BtnClick() {
  const int i = PickedRow(S_RoomListBox);
  if (i < 0 || !AskRemoveFromList(Editor(), "комнату")) return;
  m_wc.Rooms.Delete(i);
  showRooms();
  PickShopRow(S_RoomListBox, std::min(i, S_RoomListBox->count() - 1));
  updateButtons();
}

}  // namespace zm
