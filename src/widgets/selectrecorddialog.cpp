#include "widgets/selectrecorddialog.h"

#include <QTreeWidget>

#include "common/dictionaries.h"
#include "common/textutil.h"
#include "model/world.h"
#include "ui_selectrecorddialog.h"
#include "widgets/dictcontrols.h"
#include "widgets/modalrunner.h"
#include "widgets/qtext.h"

namespace zm {

SelectRecordDialog::SelectRecordDialog(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::SelectRecordDialog) {
  m_ui->setupUi(this);
  m_ui->ListView1->setColumnWidth(0, 60);
  m_ui->ListView1->setColumnWidth(1, 337);
  setFixedSize(440, 430);
  connect(m_ui->IDEdit, &QSpinBox::valueChanged, this, &SelectRecordDialog::IDEditChange);
  connect(m_ui->ListView1, &QTreeWidget::itemClicked, this, &SelectRecordDialog::ListView1Click);
  connect(m_ui->ListView1, &QTreeWidget::currentItemChanged, this,
          &SelectRecordDialog::ListView1Click);
  connect(m_ui->ListView1, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (m_ui->SelectBtn->isEnabled()) SelectBtnClick();
  });
  connect(m_ui->SelectBtn, &QPushButton::clicked, this, &SelectRecordDialog::SelectBtnClick);
  connect(m_ui->CancelBtn, &QPushButton::clicked, this, &SelectRecordDialog::CancelBtnClick);
}

SelectRecordDialog::~SelectRecordDialog() = default;

QSpinBox* SelectRecordDialog::IDEdit() const {
  return m_ui->IDEdit;
}
QTreeWidget* SelectRecordDialog::ListView1() const {
  return m_ui->ListView1;
}
QComboBox* SelectRecordDialog::CondComboBox() const {
  return m_ui->CondComboBox;
}
QComboBox* SelectRecordDialog::WhereComboBox() const {
  return m_ui->WhereComboBox;
}
QSpinBox* SelectRecordDialog::ChanceEdit() const {
  return m_ui->ChanceEdit;
}
QPushButton* SelectRecordDialog::SelectBtn() const {
  return m_ui->SelectBtn;
}

void SelectRecordDialog::BindDictionaries(Dictionaries& bases) {
  m_condDict = BindControl(bases, m_ui->CondComboBox);
  m_whereDict = BindControl(bases, m_ui->WhereComboBox);
  m_condCtl = DictControlOf(m_ui->CondComboBox);
  m_whereCtl = DictControlOf(m_ui->WhereComboBox);
}

void SelectRecordDialog::fill(int kind) {
  QTreeWidget* list = m_ui->ListView1;
  list->clear();
  m_rows.clear();
  QList<QTreeWidgetItem*> rows;
  auto add = [&](int32_t vnum, const std::string& name) {
    auto* item = new QTreeWidgetItem({QString::number(vnum), ToQt(name)});
    // The first row of a vnum is the one a typed number selects.
    if (!m_rows.contains(vnum)) m_rows.insert(vnum, item);
    rows.push_back(item);
  };
  if (m_world && kind == 0)
    for (const auto& o : m_world->Objs) add(o->Vnum, m_world->Objs.NameOfRecord(*o));
  if (m_world && kind == 1)
    for (const auto& m : m_world->Mobs) add(m->Vnum, m_world->Mobs.NameOfRecord(*m));
  list->addTopLevelItems(rows);
}

void SelectRecordDialog::Prepare(int kind, int32_t vnum, const std::string& cond, int32_t where,
                                 int32_t chance, bool withCond) {
  m_updating = true;
  switch (kind) {
    case 0:
      setWindowTitle(QStringLiteral("Выберите объект"));
      m_ui->IDLabel->setText(QStringLiteral("Введите ID объекта или выберите из списка:"));
      break;
    case 1:
      setWindowTitle(QStringLiteral("Выберите моба"));
      m_ui->IDLabel->setText(QStringLiteral("Введите ID моба или выберите из списка:"));
      break;
    default:
      setWindowTitle(QStringLiteral("Выберите триггер"));
      m_ui->IDLabel->setText(QStringLiteral("Введите ID триггера или выберите из списка:"));
      break;
  }
  fill(kind);
  m_kind = kind;
  m_ui->IDEdit->setValue(vnum);
  m_updating = false;

  m_ui->Label1->setVisible(withCond);
  m_ui->CondComboBox->setVisible(withCond);
  if (!cond.empty() && m_condDict && m_condCtl) m_condDict->ShowValue(*m_condCtl, cond);
  if (m_ui->CondComboBox->currentIndex() < 0 && m_ui->CondComboBox->count() > 0)
    m_ui->CondComboBox->setCurrentIndex(0);

  setFixedHeight(chance != 0 || where != -2 ? 480 : 430);
  m_chanceShown = chance != 0;
  m_ui->ChancePanel->setVisible(m_chanceShown);
  if (m_chanceShown) m_ui->ChanceEdit->setValue(chance);
  m_whereShown = where >= -1;
  m_ui->WherePanel->setVisible(m_whereShown);
  if (m_whereShown && m_whereDict && m_whereCtl)
    m_whereDict->ShowValue(*m_whereCtl, IntText(where));

  IDEditChange();
}

int SelectRecordDialog::SelectDialog(int kind, int32_t vnum, const std::string& cond, int32_t where,
                                     int32_t chance, ModalRunner& runner) {
  Prepare(kind, vnum, cond, where, chance);
  return runner.Run(*this);
}

void SelectRecordDialog::IDEditChange() {
  if (m_updating) return;
  m_updating = true;
  const int v = m_ui->IDEdit->value();
  m_ui->SelectBtn->setEnabled(v > 0);
  QTreeWidgetItem* row = m_rows.value(v, nullptr);
  m_ui->ListView1->clearSelection();
  m_ui->ListView1->setCurrentItem(row);
  if (row) m_ui->ListView1->scrollToItem(row);
  m_updating = false;
}

void SelectRecordDialog::ListView1Click() {
  if (m_updating) return;
  m_updating = true;
  if (QTreeWidgetItem* row = m_ui->ListView1->currentItem()) {
    bool ok = false;
    int v = row->text(0).toInt(&ok);
    if (ok) m_ui->IDEdit->setValue(v);
  }
  m_ui->SelectBtn->setEnabled(m_ui->IDEdit->value() > 0);
  m_updating = false;
}

void SelectRecordDialog::SelectBtnClick() {
  ResultID = m_ui->IDEdit->value();
  QTreeWidgetItem* row = m_ui->ListView1->currentItem();
  ResultName = row && row->isSelected() ? FromQt(row->text(1)) : std::string("-");
  ResultCond = m_condDict && m_condCtl ? m_condDict->ReadValue(*m_condCtl) : std::string("-1");
  ResultChance = m_chanceShown ? m_ui->ChanceEdit->value() : 0;
  int32_t where = -1;
  if (m_whereShown && m_whereDict && m_whereCtl)
    ParseInt(m_whereDict->ReadValue(*m_whereCtl), where);
  ResultWhere = m_whereShown ? where : -2;
  ResultKind = m_kind;
  accept();
}

void SelectRecordDialog::CancelBtnClick() {
  reject();
}

}  // namespace zm
