#include "app/templatedialog.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "ui_templatedialog.h"
#include "widgets/modalrunner.h"
#include "widgets/qtext.h"

namespace zm {

TemplateDialog::TemplateDialog(ModalRunner& runner, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_ui(new Ui::TemplateDialog),
      m_runner(runner) {
  m_ui->setupUi(this);
  connect(m_ui->NumEdit, &QSpinBox::textChanged, this, &TemplateDialog::NumEditChange);
  connect(m_ui->QtyEdit, &QSpinBox::textChanged, this, &TemplateDialog::QtyEditChange);
  connect(m_ui->OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  // Entering a field chooses the mode.
  for (QSpinBox* spin : {m_ui->NumEdit, m_ui->QtyEdit}) {
    spin->installEventFilter(this);
    if (QLineEdit* line = spin->findChild<QLineEdit*>()) line->installEventFilter(this);
  }
}

TemplateDialog::~TemplateDialog() = default;

QSpinBox* TemplateDialog::NumEdit() const {
  return m_ui->NumEdit;
}
QSpinBox* TemplateDialog::QtyEdit() const {
  return m_ui->QtyEdit;
}
QLabel* TemplateDialog::QtyLabel() const {
  return m_ui->QtyLabel;
}
QComboBox* TemplateDialog::TmplComboBox() const {
  return m_ui->TmplComboBox;
}
QPushButton* TemplateDialog::OkBtn() const {
  return m_ui->OkBtn;
}

bool TemplateDialog::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::FocusIn) {
    auto inside = [&](QSpinBox* spin) { return watched == spin || watched->parent() == spin; };
    if (inside(m_ui->NumEdit)) NumEditEnter();
    if (inside(m_ui->QtyEdit)) QtyEditEnter();
  }
  return QDialog::eventFilter(watched, e);
}

void TemplateDialog::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    if (m_ui->OkBtn->isEnabled()) accept();
    return;
  }
  QDialog::keyPressEvent(e);  // Escape cancels
}

void TemplateDialog::NumEditEnter() {
  const QPalette base = palette();
  QPalette active = base, inactive = base;
  inactive.setColor(QPalette::Base, base.color(QPalette::Button));
  m_ui->NumEdit->setPalette(active);
  m_ui->QtyEdit->setPalette(inactive);
  m_mode = TemplateMode::Number;
  NumEditChange();
}

void TemplateDialog::QtyEditEnter() {
  const QPalette base = palette();
  QPalette active = base, inactive = base;
  inactive.setColor(QPalette::Base, base.color(QPalette::Button));
  m_ui->QtyEdit->setPalette(active);
  m_ui->NumEdit->setPalette(inactive);
  m_mode = TemplateMode::Quantity;
  QtyEditChange();
}

void TemplateDialog::NumEditChange() {
  if (m_mode != TemplateMode::Number) return;
  bool ok = false;
  const int n = m_ui->NumEdit->cleanText().toInt(&ok);
  m_ui->OkBtn->setEnabled(ok && m_isFree && m_isFree(n));
}

void TemplateDialog::QtyEditChange() {
  if (m_mode != TemplateMode::Quantity) return;
  bool ok = false;
  const int n = m_ui->QtyEdit->cleanText().toInt(&ok);
  m_ui->OkBtn->setEnabled(ok && n >= 1 && n <= m_maximum);
}

void TemplateDialog::Prepare(const TemplateRequest& req) {
  m_isFree = req.IsFreeNumber;
  m_maximum = req.Maximum;
  m_ui->TmplComboBox->clear();
  for (const auto& name : req.Names) m_ui->TmplComboBox->addItem(ToQt(name));
  m_ui->TmplComboBox->setCurrentIndex(
      req.Template >= 0 && req.Template < int(req.Names.size()) ? req.Template : -1);
  m_ui->QtyEdit->setMaximum(std::max(1, req.Maximum));
  m_ui->QtyEdit->setValue(std::clamp(req.Quantity, 1, std::max(1, req.Maximum)));
  m_ui->QtyLabel->setText(QString::number(req.Maximum));
  m_ui->NumEdit->setValue(req.Number);
  m_ui->NumEdit->setFocus();
  NumEditEnter();
  m_ui->OkBtn->setEnabled(true);
}

bool TemplateDialog::Choose(TemplateRequest& req) {
  Prepare(req);
  const bool ok = m_runner.Run(*this) == QDialog::Accepted;
  if (ok) {
    req.Template = m_ui->TmplComboBox->currentIndex();
    req.Mode = m_mode;
    req.Number = m_ui->NumEdit->value();
    req.Quantity = m_ui->QtyEdit->value();
  }
  m_isFree = nullptr;  // valid during Choose only
  return ok;
}

void GuiTemplates::LoadTemplates(const std::filesystem::path& basesDir) {
  m_templets.LoadAll(basesDir, *m_app.reporter, m_app.Bases);
}

TMUDClass* GuiTemplates::CreateFromTemplate(RecordKind kind, int32_t zone) {
  return zm::CreateFromTemplate(*m_app.world, m_templets, m_form, kind, zone);
}

}  // namespace zm
