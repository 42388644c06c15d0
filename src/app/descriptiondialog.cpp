#include "app/descriptiondialog.h"

#include <QFontDatabase>

#include "ui_descriptiondialog.h"

namespace zm {

DescriptionDialog::DescriptionDialog(QWidget* parent)
    : QDialog(parent), m_ui(new Ui::DescriptionDialog) {
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

DescriptionDialog::~DescriptionDialog() = default;

QPlainTextEdit* DescriptionDialog::Memo() const {
  return m_ui->Memo1;
}

void DescriptionDialog::showEvent(QShowEvent* e) {
  Accepted = false;
  QDialog::showEvent(e);
}

}  // namespace zm
