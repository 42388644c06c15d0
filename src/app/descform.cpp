#include "app/descform.h"

#include <QFontDatabase>

#include "ui_descform.h"

namespace zm {

TDescForm::TDescForm(QWidget* parent) : QDialog(parent), m_ui(new Ui::TDescForm) {
  m_ui->setupUi(this);
  QFont mono(QStringLiteral("Courier New"));
  mono.setStyleHint(QFont::Monospace);
  if (!QFontDatabase::hasFamily(mono.family()))
    mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  m_ui->Memo1->setFont(mono);
  connect(m_ui->OkBtn, &QPushButton::clicked, this, [this] {
    Accepted = true;
    accept();
  });
  connect(m_ui->ClearBtn, &QPushButton::clicked, m_ui->Memo1, &QPlainTextEdit::clear);
  connect(m_ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TDescForm::~TDescForm() = default;

QPlainTextEdit* TDescForm::Memo() const {
  return m_ui->Memo1;
}

void TDescForm::showEvent(QShowEvent* e) {
  Accepted = false;
  QDialog::showEvent(e);
}

}  // namespace zm
