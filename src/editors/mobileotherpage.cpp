#include "editors/mobileotherpage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/textutil.h"
#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "editors/listedits.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

std::vector<int32_t> Values(const TIntList& list) {
  std::vector<int32_t> out;
  for (const auto& v : list) out.push_back(v->Value);
  return out;
}

std::vector<int32_t> PathVnums(const std::string& destinations) {
  std::vector<int32_t> out;
  std::string rest = destinations;
  while (!rest.empty()) {
    int32_t v = 0;
    if (ParseInt(Trim(NextWord(rest, "/", true, false)), v)) out.push_back(v);
  }
  return out;
}

void SelectChoice(QComboBox* combo, int32_t vnum) {
  const QSignalBlocker block(combo);
  combo->setCurrentIndex(combo->findData(vnum));
}

}  // namespace

MobileOtherPage::MobileOtherPage(EditorWindow& editor, TMob& wc, QWidget* parent)
    : EditorPage(editor, parent), m_wc(wc) {
  auto* grid = new QGridLayout(this);

  grid->addWidget(new QLabel(QStringLiteral("Путь (список комнат)"), this), 0, 0);
  M_PathListBox = Named(new QListWidget(this), "M_PathListBox");
  grid->addWidget(M_PathListBox, 1, 0);
  auto* pathSide = new QVBoxLayout();
  M_PathUpBtn = Button(this, "Вверх", "M_PathUpBtn");
  M_PathDownBtn = Button(this, "Вниз", "M_PathDownBtn");
  pathSide->addWidget(M_PathUpBtn);
  pathSide->addWidget(M_PathDownBtn);
  pathSide->addStretch(1);
  grid->addLayout(pathSide, 1, 1);
  auto* pathNote =
      new QLabel(QStringLiteral("Выберите из списка или введите ID комнаты вручную"), this);
  pathNote->setWordWrap(true);
  grid->addWidget(pathNote, 2, 0, 1, 2);
  auto* pathPick = new QHBoxLayout();
  M_PathComboBox = Named(new QComboBox(this), "M_PathComboBox");
  M_PathComboBox->setMaxVisibleItems(20);
  M_PathEdit = Named(new QSpinBox(this), "M_PathEdit");
  FieldRange<int32_t>(M_PathEdit);
  M_PathEdit->setMinimum(0);
  pathPick->addWidget(M_PathComboBox, 2);
  pathPick->addWidget(M_PathEdit, 1);
  grid->addLayout(pathPick, 3, 0, 1, 2);
  QHBoxLayout* pathButtons =
      SetButtons(this, "M_Path", &M_PathAddBtn, &M_PathSetBtn, &M_PathDelBtn);
  pathButtons->addStretch(1);
  grid->addLayout(pathButtons, 4, 0, 1, 2);

  grid->addWidget(new QLabel(QStringLiteral("Помощники"), this), 0, 2);
  M_HelperListBox = Named(new QListWidget(this), "M_HelperListBox");
  grid->addWidget(M_HelperListBox, 1, 2);
  auto* helperNote =
      new QLabel(QStringLiteral("Выберите из списка или введите ID моба вручную"), this);
  helperNote->setWordWrap(true);
  grid->addWidget(helperNote, 2, 2);
  auto* helperPick = new QHBoxLayout();
  M_HelperComboBox = Named(new QComboBox(this), "M_HelperComboBox");
  M_HelperComboBox->setMaxVisibleItems(20);
  M_HelperEdit = Named(new QSpinBox(this), "M_HelperEdit");
  FieldRange<int32_t>(M_HelperEdit);
  M_HelperEdit->setMinimum(0);
  M_HelperSelectBtn = Button(this, "...", "M_HelperSelectBtn");
  M_HelperSelectBtn->setFixedWidth(28);
  helperPick->addWidget(M_HelperComboBox, 2);
  helperPick->addWidget(M_HelperEdit, 1);
  helperPick->addWidget(M_HelperSelectBtn);
  grid->addLayout(helperPick, 3, 2);
  QHBoxLayout* helperButtons =
      SetButtons(this, "M_Helper", &M_HelperAddBtn, &M_HelperSetBtn, &M_HelperDelBtn);
  helperButtons->addStretch(1);
  grid->addLayout(helperButtons, 4, 2);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(2, 1);

  m_path = std::make_unique<VnumListEdit>(editor, M_PathListBox, VnumListEdit::kRooms, false);
  m_helpers = std::make_unique<VnumListEdit>(editor, M_HelperListBox, VnumListEdit::kMobiles, true);

  auto click = [this](QPushButton* b, void (MobileOtherPage::*handler)()) {
    connect(b, &QPushButton::clicked, this, handler);
  };
  click(M_PathAddBtn, &MobileOtherPage::M_PathAddBtnClick);
  click(M_PathSetBtn, &MobileOtherPage::M_PathSetBtnClick);
  click(M_PathDelBtn, &MobileOtherPage::M_PathDelBtnClick);
  click(M_PathUpBtn, &MobileOtherPage::M_PathUpBtnClick);
  click(M_PathDownBtn, &MobileOtherPage::M_PathDownBtnClick);
  click(M_HelperSelectBtn, &MobileOtherPage::M_HelperSelectBtnClick);
  click(M_HelperAddBtn, &MobileOtherPage::M_HelperAddBtnClick);
  click(M_HelperSetBtn, &MobileOtherPage::M_HelperSetBtnClick);
  click(M_HelperDelBtn, &MobileOtherPage::M_HelperDelBtnClick);
  OnPick(M_PathListBox, this, [this] { M_PathListBoxClick(); });
  connect(M_PathComboBox, &QComboBox::activated, this, &MobileOtherPage::M_PathComboBoxChange);
  connect(M_PathEdit, &QSpinBox::valueChanged, this, &MobileOtherPage::M_PathEditChange);
  OnPick(M_HelperListBox, this, [this] { M_HelperListBoxClick(); });
  connect(M_HelperComboBox, &QComboBox::activated, this, &MobileOtherPage::M_HelperComboBoxChange);
  connect(M_HelperEdit, &QSpinBox::valueChanged, this, &MobileOtherPage::M_HelperEditChange);
  updateButtons();
}

MobileOtherPage::~MobileOtherPage() = default;

void MobileOtherPage::ShowRecord() {
  ++m_updating;
  m_path->Show(PathVnums(m_wc.Destinations));
  m_helpers->Show(Values(m_wc.Helpers));
  fillChoices();
  M_PathEdit->setValue(0);
  M_HelperEdit->setValue(0);
  --m_updating;
  M_PathListBoxClick();
  M_HelperListBoxClick();
}

void MobileOtherPage::StoreRecord() {
  if (m_path->Touched()) {
    std::string path;
    for (int32_t v : m_path->Values()) path += (path.empty() ? "" : "/") + IntText(v);
    m_wc.Destinations = path;
  }
  m_wc.Helpers.Clear();
  for (int32_t v : m_helpers->Values()) m_wc.Helpers.Add(v);
}

void MobileOtherPage::fillChoices() {
  const World* w = &Editor().world();
  for (QComboBox* combo : {M_PathComboBox, M_HelperComboBox}) {
    const QSignalBlocker block(combo);
    combo->clear();
  }
  if (!w) return;
  // The mobile's own zone; other rooms and mobiles are typed or picked.
  for (const auto& r : w->Rooms)
    if (r->Zone == m_wc.Zone) M_PathComboBox->addItem(ToQt(NodeCaption(r->Vnum, r->Name)), r->Vnum);
  for (const auto& m : w->Mobs)
    if (m->Zone == m_wc.Zone)
      M_HelperComboBox->addItem(ToQt(NodeCaption(m->Vnum, m->Names[0])), m->Vnum);
  SelectChoice(M_PathComboBox, -1);
  SelectChoice(M_HelperComboBox, -1);
}

void MobileOtherPage::M_PathListBoxClick() {
  if (m_path->Current() >= 0) M_PathEdit->setValue(m_path->CurrentVnum());
  updateButtons();
}

void MobileOtherPage::M_PathComboBoxChange() {
  const QVariant v = M_PathComboBox->currentData();
  if (v.isValid()) M_PathEdit->setValue(v.toInt());
}

void MobileOtherPage::M_PathEditChange() {
  SelectChoice(M_PathComboBox, M_PathEdit->value());
  updateButtons();
}

void MobileOtherPage::M_PathAddBtnClick() {
  m_path->Append(M_PathEdit->value());
  updateButtons();
}

void MobileOtherPage::M_PathSetBtnClick() {
  m_path->Replace(M_PathEdit->value());
  updateButtons();
}

void MobileOtherPage::M_PathDelBtnClick() {
  m_path->Remove();
  M_PathListBoxClick();
}

void MobileOtherPage::M_PathUpBtnClick() {
  m_path->Move(-1);
  updateButtons();
}

void MobileOtherPage::M_PathDownBtnClick() {
  m_path->Move(1);
  updateButtons();
}

void MobileOtherPage::M_HelperListBoxClick() {
  if (m_helpers->Current() >= 0) M_HelperEdit->setValue(m_helpers->CurrentVnum());
  updateButtons();
}

void MobileOtherPage::M_HelperComboBoxChange() {
  const QVariant v = M_HelperComboBox->currentData();
  if (v.isValid()) M_HelperEdit->setValue(v.toInt());
}

void MobileOtherPage::M_HelperEditChange() {
  SelectChoice(M_HelperComboBox, M_HelperEdit->value());
  updateButtons();
}

void MobileOtherPage::M_HelperSelectBtnClick() {
  int32_t vnum = M_HelperEdit->value();
  if (SelectVnum(Editor(), 1, vnum)) M_HelperEdit->setValue(vnum);
}

void MobileOtherPage::M_HelperAddBtnClick() {
  m_helpers->Append(M_HelperEdit->value());
  updateButtons();
}

void MobileOtherPage::M_HelperSetBtnClick() {
  m_helpers->Replace(M_HelperEdit->value());
  updateButtons();
}

void MobileOtherPage::M_HelperDelBtnClick() {
  m_helpers->Remove();
  M_HelperListBoxClick();
}

void MobileOtherPage::updateButtons() {
  if (m_updating) return;
  const int step = m_path->Current();
  const bool room = M_PathEdit->value() > 0;
  M_PathAddBtn->setEnabled(room);
  M_PathSetBtn->setEnabled(room && step >= 0);
  M_PathDelBtn->setEnabled(step >= 0);
  M_PathUpBtn->setEnabled(step > 0);
  M_PathDownBtn->setEnabled(step >= 0 && step + 1 < M_PathListBox->count());

  const bool helper = m_helpers->Current() >= 0;
  M_HelperAddBtn->setEnabled(M_HelperEdit->value() > 0);
  M_HelperSetBtn->setEnabled(helper && M_HelperEdit->value() > 0);
  M_HelperDelBtn->setEnabled(helper);
}

}  // namespace zm
