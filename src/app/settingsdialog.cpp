#include "app/settingsdialog.h"

#include "app/settings.h"
#include "ui_settingsdialog.h"

namespace zm {

SettingsDialog::SettingsDialog(QWidget* parent) : QDialog(parent), m_ui(new Ui::SettingsDialog) {
  m_ui->setupUi(this);
  // Until the settings are read the dialog shows its design values.
  m_ui->ComboBox2->setCurrentIndex(1);
  TakeSnapshot();
  connect(m_ui->OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_ui->CancelBtn, &QPushButton::clicked, this, &SettingsDialog::reject);
  connect(m_ui->FontEd, &QPushButton::clicked, this, [this] {
    if (OnFontEd) OnFontEd();
  });
}

SettingsDialog::~SettingsDialog() = default;

QComboBox* SettingsDialog::ComboBox1() const {
  return m_ui->ComboBox1;
}
QComboBox* SettingsDialog::ComboBox2() const {
  return m_ui->ComboBox2;
}
QCheckBox* SettingsDialog::CheckBox(int n) const {
  switch (n) {
    case 1:
      return m_ui->CheckBox1;
    case 2:
      return m_ui->CheckBox2;
    case 3:
      return m_ui->CheckBox3;
    case 4:
      return m_ui->CheckBox4;
  }
  return nullptr;
}

void SettingsDialog::ReadFrom(const AppSettings& s) {
  // An index the list does not have leaves no selection, as a bad value
  // in the file would.
  m_ui->ComboBox1->setCurrentIndex(s.Coding >= 0 && s.Coding < 3 ? s.Coding : -1);
  m_ui->ComboBox2->setCurrentIndex(s.LineBreak >= 0 && s.LineBreak < 2 ? s.LineBreak : -1);
  m_ui->CheckBox1->setChecked(s.SaveWithThis);
  m_ui->CheckBox2->setChecked(s.ConfirmChanges);
  m_ui->CheckBox3->setChecked(s.CurZoneList);
  m_ui->CheckBox4->setChecked(s.RestorePosition);
}

void SettingsDialog::WriteTo(AppSettings& s) const {
  s.Coding = m_ui->ComboBox1->currentIndex();
  s.LineBreak = m_ui->ComboBox2->currentIndex();
  s.SaveWithThis = m_ui->CheckBox1->isChecked();
  s.ConfirmChanges = m_ui->CheckBox2->isChecked();
  s.CurZoneList = m_ui->CheckBox3->isChecked();
  s.RestorePosition = m_ui->CheckBox4->isChecked();
}

void SettingsDialog::TakeSnapshot() {
  m_coding = m_ui->ComboBox1->currentIndex();
  m_lineBreak = m_ui->ComboBox2->currentIndex();
  for (int i = 0; i < 4; ++i) m_checks[i] = CheckBox(i + 1)->isChecked();
}

void SettingsDialog::showEvent(QShowEvent* e) {
  TakeSnapshot();
  QDialog::showEvent(e);
}

void SettingsDialog::reject() {
  m_ui->ComboBox1->setCurrentIndex(m_coding);
  m_ui->ComboBox2->setCurrentIndex(m_lineBreak);
  for (int i = 0; i < 4; ++i) CheckBox(i + 1)->setChecked(m_checks[i]);
  QDialog::reject();
}

}  // namespace zm
