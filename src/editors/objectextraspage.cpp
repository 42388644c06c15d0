#include "editors/objectextraspage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "model/objs.h"

namespace zm {

ObjectExtrasPage::ObjectExtrasPage(EditorWindow& editor, TObj& wc, QWidget* parent)
    : EditorPage(editor, parent), m_wc(wc) {
  auto* grid = new QGridLayout(this);
  O_AddDescListBox = Named(new QListWidget(this), "O_AddDescListBox");
  grid->addWidget(O_AddDescListBox, 0, 0, 2, 1);
  O_AddDescPanel = Named(new QWidget(this), "O_AddDescPanel");
  auto* form = new QVBoxLayout(O_AddDescPanel);
  form->setContentsMargins(0, 0, 0, 0);
  form->addWidget(new QLabel(QStringLiteral("Ключевые слова"), O_AddDescPanel));
  O_AddDescEdit = Named(new QLineEdit(O_AddDescPanel), "O_AddDescEdit");
  form->addWidget(O_AddDescEdit);
  form->addWidget(new QLabel(QStringLiteral("Описание"), O_AddDescPanel));
  O_AddDescMemo = Named(new QPlainTextEdit(O_AddDescPanel), "O_AddDescMemo");
  O_AddDescMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor.AttachMemo(O_AddDescMemo);
  form->addWidget(O_AddDescMemo, 1);
  grid->addWidget(O_AddDescPanel, 0, 1);
  QHBoxLayout* buttons = SetButtons(this, "O_AD", &O_ADAddBtn, &O_ADSetBtn, &O_ADDelBtn);
  buttons->addStretch(1);
  grid->addLayout(buttons, 1, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 2);
  m_extras =
      std::make_unique<ExtraDescEdit>(editor, O_AddDescListBox, O_AddDescEdit, O_AddDescMemo);

  connect(O_ADAddBtn, &QPushButton::clicked, this, &ObjectExtrasPage::O_ADAddBtnClick);
  connect(O_ADSetBtn, &QPushButton::clicked, this, &ObjectExtrasPage::O_ADSetBtnClick);
  connect(O_ADDelBtn, &QPushButton::clicked, this, &ObjectExtrasPage::O_ADDelBtnClick);
  connect(O_AddDescListBox, &QListWidget::currentRowChanged, this,
          &ObjectExtrasPage::O_AddDescListBoxClick);
  connect(O_AddDescEdit, &QLineEdit::textChanged, this, &ObjectExtrasPage::updateButtons);
  connect(O_AddDescMemo, &QPlainTextEdit::textChanged, this, &ObjectExtrasPage::updateButtons);
  updateButtons();
}

ObjectExtrasPage::~ObjectExtrasPage() = default;

void ObjectExtrasPage::ShowRecord() {
  m_extras->Fill(m_wc.ExtraDescs);
  O_AddDescListBoxClick();
}

void ObjectExtrasPage::O_AddDescListBoxClick() {
  ++m_updating;
  m_extras->ShowCurrent(m_wc.ExtraDescs);
  --m_updating;
  updateButtons();
}

void ObjectExtrasPage::O_ADAddBtnClick() {
  if (m_extras->Add(m_wc.ExtraDescs)) updateButtons();
}

void ObjectExtrasPage::O_ADSetBtnClick() {
  m_extras->Set(m_wc.ExtraDescs);
}

void ObjectExtrasPage::O_ADDelBtnClick() {
  if (m_extras->Remove(m_wc.ExtraDescs)) O_AddDescListBoxClick();
}

void ObjectExtrasPage::updateButtons() {
  if (m_updating) return;
  const bool extra = O_AddDescListBox->currentRow() >= 0;
  const bool filled = !O_AddDescEdit->text().isEmpty() && !O_AddDescMemo->document()->isEmpty();
  EnableWithReason(O_ADAddBtn, filled,
                   QStringLiteral("Сначала введите ключевые слова и текст описания"));
  O_ADSetBtn->setEnabled(extra && filled);
  O_ADDelBtn->setEnabled(extra);
}

}  // namespace zm
