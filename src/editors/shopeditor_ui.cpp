// The shop editor's controls: the keeper on top; goods and rooms, the two
// kind lists, and numbers, hours and flags in three columns; the keeper's
// replies below.
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/shopeditor.h"

namespace zm {
namespace {

QPushButton* Small(QPushButton* b) {
  b->setFixedWidth(36);
  return b;
}

QListWidget* List(QWidget* parent, const char* name) {
  auto* list = Named(new QListWidget(parent), QString::fromLatin1(name));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

}  // namespace

void ShopEditor::buildUi() {
  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);

  auto* keeper = new QHBoxLayout();
  keeper->addWidget(new QLabel(QStringLiteral("Номер продавца"), this));
  S_SellerEdit = Spin(this, QStringLiteral("S_SellerEdit"));
  S_SellerEdit->setMinimumWidth(90);
  keeper->addWidget(S_SellerEdit);
  S_SellerName = Named(new QLabel(QStringLiteral("(Неизвестный)"), this), "S_SellerName");
  keeper->addWidget(S_SellerName, 1);
  top->addLayout(keeper);

  // The lists and the replies on the left, the numbers and flags in a
  // column of their own down the whole height.
  auto* body = new QHBoxLayout();
  top->addLayout(body, 1);
  auto* lists = new QVBoxLayout();
  body->addLayout(lists, 8);
  auto* columns = new QHBoxLayout();
  lists->addLayout(columns, 1);

  // Goods and rooms.
  auto* left = new QVBoxLayout();
  auto* goods = new QGroupBox(QStringLiteral("Список продаваемого"), this);
  auto* goodsLay = new QVBoxLayout(goods);
  S_SellListBox = List(goods, "S_SellListBox");
  goodsLay->addWidget(S_SellListBox, 1);
  auto* goodsBtns = new QHBoxLayout();
  S_Sell1Btn = Button(goods, "Добавить", "S_Sell1Btn");
  S_Sell2Btn = Button(goods, "Убрать", "S_Sell2Btn");
  goodsBtns->addWidget(S_Sell1Btn);
  goodsBtns->addWidget(S_Sell2Btn);
  goodsBtns->addStretch(1);
  goodsLay->addLayout(goodsBtns);
  left->addWidget(goods, 3);

  auto* rooms = new QGroupBox(QStringLiteral("Комнаты"), this);
  auto* roomsLay = new QGridLayout(rooms);
  S_RoomListBox = List(rooms, "S_RoomListBox");
  roomsLay->addWidget(S_RoomListBox, 0, 0);
  S_Room2Btn = Small(Button(rooms, "--", "S_Room2Btn"));
  roomsLay->addWidget(S_Room2Btn, 0, 1, Qt::AlignTop);
  S_RoomEdit = Named(new QLineEdit(rooms), "S_RoomEdit");
  S_RoomEdit->setPlaceholderText(QStringLiteral("номер комнаты"));
  roomsLay->addWidget(S_RoomEdit, 1, 0);
  S_Room1Btn = Small(Button(rooms, "+", "S_Room1Btn"));
  roomsLay->addWidget(S_Room1Btn, 1, 1);
  left->addWidget(rooms, 2);
  columns->addLayout(left, 4);

  // The two kind lists.
  auto* middle = new QVBoxLayout();
  auto kinds = [&](const char* title, QListWidget** list, QComboBox** combo, QLineEdit** edit,
                   QPushButton** add, QPushButton** addWord, QPushButton** remove,
                   const char* prefix) {
    auto* box = new QGroupBox(QString::fromUtf8(title), this);
    auto* grid = new QGridLayout(box);
    const QString p = QString::fromLatin1(prefix);
    *list = List(box, (p + QStringLiteral("ListBox")).toLatin1().constData());
    grid->addWidget(*list, 0, 0);
    *remove = Small(Button(box, "--", (p + QStringLiteral("2Btn")).toLatin1().constData()));
    grid->addWidget(*remove, 0, 1, Qt::AlignTop);
    *combo = Combo(box, p + QStringLiteral("ComboBox"), 10);
    grid->addWidget(*combo, 1, 0);
    *add = Small(Button(box, "+", (p + QStringLiteral("1Btn")).toLatin1().constData()));
    (*add)->setToolTip(QStringLiteral("Добавить выбранный тип"));
    grid->addWidget(*add, 1, 1);
    *edit = Named(new QLineEdit(box), p + QStringLiteral("Edit"));
    (*edit)->setPlaceholderText(QStringLiteral("ключевое слово"));
    grid->addWidget(*edit, 2, 0);
    *addWord = Small(Button(box, "+", (p + QStringLiteral("3Btn")).toLatin1().constData()));
    (*addWord)->setToolTip(QStringLiteral("Добавить ключевое слово"));
    grid->addWidget(*addWord, 2, 1);
    middle->addWidget(box, 1);
  };
  kinds("Покупаемые вещи", &S_BuyListBox, &S_BuyComboBox, &S_BuyEdit, &S_Buy1Btn, &S_Buy3Btn,
        &S_Buy2Btn, "S_Buy");
  kinds("Вещи на обмен", &S_ChangeListBox, &S_ChangeComboBox, &S_ChangeEdit, &S_Change1Btn,
        &S_Change3Btn, &S_Change2Btn, "S_Change");
  columns->addLayout(middle, 4);

  // Numbers, hours and flags.
  auto* right = new QVBoxLayout();
  auto* form = new QFormLayout();
  S_ProfitSellEdit = Spin(this, QStringLiteral("S_ProfitSellEdit"));
  form->addRow(QStringLiteral("Прибыль от продажи (%)"), S_ProfitSellEdit);
  S_ProfitBuyEdit = Spin(this, QStringLiteral("S_ProfitBuyEdit"));
  form->addRow(QStringLiteral("Прибыль от покупки (%)"), S_ProfitBuyEdit);
  S_ProfitChangeEdit = Spin(this, QStringLiteral("S_ProfitChangeEdit"));
  form->addRow(QStringLiteral("Прибыль от обмена (%)"), S_ProfitChangeEdit);
  S_EmotionEdit = Spin(this, QStringLiteral("S_EmotionEdit"));
  form->addRow(QStringLiteral("Темперамент"), S_EmotionEdit);
  S_Open1ComboBox = Combo(this, QStringLiteral("S_Open1ComboBox"), 10);
  form->addRow(QStringLiteral("Время открытия 1"), S_Open1ComboBox);
  S_Close1ComboBox = Combo(this, QStringLiteral("S_Close1ComboBox"), 10);
  form->addRow(QStringLiteral("Время закрытия 1"), S_Close1ComboBox);
  S_Open2ComboBox = Combo(this, QStringLiteral("S_Open2ComboBox"), 10);
  form->addRow(QStringLiteral("Время открытия 2"), S_Open2ComboBox);
  S_Close2ComboBox = Combo(this, QStringLiteral("S_Close2ComboBox"), 10);
  form->addRow(QStringLiteral("Время закрытия 2"), S_Close2ComboBox);
  right->addLayout(form);
  auto flags = [&](const char* title, QListWidget** list, const char* name, int stretch) {
    auto* box = new QGroupBox(QString::fromUtf8(title), this);
    auto* lay = new QVBoxLayout(box);
    *list = Named(new QListWidget(box), QString::fromLatin1(name));
    lay->addWidget(*list);
    right->addWidget(box, stretch);
    return *list;
  };
  // The shop's own flags are few: room for three rows.
  QListWidget* bits = flags("Битвекторы", &S_BitVCheckListBox, "S_BitVCheckListBox", 0);
  bits->setMaximumHeight(bits->fontMetrics().height() * 3 + 2 * bits->frameWidth() + 6);
  flags("С кем не торгует", &S_WhoCheckListBox, "S_WhoCheckListBox", 1);
  body->addLayout(right, 4);

  // The keeper's replies.
  auto* msgs = new QGroupBox(QStringLiteral("Сообщения продавца"), this);
  auto* msgLay = new QGridLayout(msgs);
  msgLay->setVerticalSpacing(3);
  for (size_t i = 0; i < S_MsgEdit.size(); ++i) {
    const int r = static_cast<int>(i);
    msgLay->addWidget(new QLabel(QString::number(r + 1), msgs), r, 0);
    S_MsgEdit[i] = Named(new QLineEdit(msgs), QStringLiteral("S_Msg%1Edit").arg(r + 1));
    msgLay->addWidget(S_MsgEdit[i], r, 1);
  }
  lists->addWidget(msgs);
}

void ShopEditor::connectControls() {
  auto click = [this](QPushButton* b, void (ShopEditor::*handler)()) {
    connect(b, &QPushButton::clicked, this, handler);
  };
  click(S_Sell1Btn, &ShopEditor::S_Sell1BtnClick);
  click(S_Sell2Btn, &ShopEditor::S_Sell2BtnClick);
  click(S_Room1Btn, &ShopEditor::S_Room1BtnClick);
  click(S_Room2Btn, &ShopEditor::S_Room2BtnClick);
  click(S_Buy1Btn, &ShopEditor::S_Buy1BtnClick);
  click(S_Buy2Btn, &ShopEditor::S_Buy2BtnClick);
  click(S_Buy3Btn, &ShopEditor::S_Buy3BtnClick);
  click(S_Change1Btn, &ShopEditor::S_Change1BtnClick);
  click(S_Change2Btn, &ShopEditor::S_Change2BtnClick);
  click(S_Change3Btn, &ShopEditor::S_Change3BtnClick);
  connect(S_SellerEdit, &QSpinBox::valueChanged, this, &ShopEditor::S_SellerEditChange);
  connect(S_RoomEdit, &QLineEdit::returnPressed, this, &ShopEditor::S_Room1BtnClick);
  connect(S_BuyEdit, &QLineEdit::returnPressed, this, &ShopEditor::S_Buy3BtnClick);
  connect(S_ChangeEdit, &QLineEdit::returnPressed, this, &ShopEditor::S_Change3BtnClick);
  for (QListWidget* list : {S_SellListBox, S_RoomListBox, S_BuyListBox, S_ChangeListBox})
    connect(list, &QListWidget::itemSelectionChanged, this, &ShopEditor::updateButtons);
  for (QComboBox* combo : {S_BuyComboBox, S_ChangeComboBox})
    connect(combo, &QComboBox::currentIndexChanged, this, &ShopEditor::updateButtons);
}

}  // namespace zm
