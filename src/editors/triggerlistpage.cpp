#include "editors/triggerlistpage.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/listedits.h"
#include "model/records.h"

namespace zm {
namespace {

// The selection dialog's kind for triggers.
constexpr int kTriggerChoice = 2;

}  // namespace

TriggerListPage::TriggerListPage(EditorWindow& editor, TIntList& triggers, const char* prefix,
                                 QWidget* parent)
    : EditorPage(editor, parent), m_triggers(triggers) {
  const QString p = QString::fromLatin1(prefix);
  auto* lay = new QHBoxLayout(this);
  List = Named(new QListWidget(this), p + QStringLiteral("TriggerListBox"));
  lay->addWidget(List, 1);
  auto* buttons = new QVBoxLayout();
  AddBtn = Named(new QPushButton(QStringLiteral("Добавить..."), this),
                 p + QStringLiteral("TriggerAddBtn"));
  SetBtn = Named(new QPushButton(QStringLiteral("Заменить..."), this),
                 p + QStringLiteral("TriggerSetBtn"));
  DelBtn =
      Named(new QPushButton(QStringLiteral("Удалить"), this), p + QStringLiteral("TriggerDelBtn"));
  buttons->addWidget(AddBtn);
  buttons->addWidget(SetBtn);
  buttons->addWidget(DelBtn);
  buttons->addStretch(1);
  lay->addLayout(buttons);
  m_edit = std::make_unique<VnumListEdit>(editor, List, VnumListEdit::kTriggers, true);

  connect(AddBtn, &QPushButton::clicked, this, &TriggerListPage::AddBtnClick);
  connect(SetBtn, &QPushButton::clicked, this, &TriggerListPage::SetBtnClick);
  connect(DelBtn, &QPushButton::clicked, this, &TriggerListPage::DelBtnClick);
  OnPick(List, this, [this] { updateButtons(); });
  connect(List, &QListWidget::itemDoubleClicked, this, &TriggerListPage::SetBtnClick);
  updateButtons();
}

TriggerListPage::~TriggerListPage() = default;

void TriggerListPage::ShowRecord() {
  std::vector<int32_t> vnums;
  for (const auto& t : m_triggers) vnums.push_back(t->Value);
  m_edit->Show(vnums);
  updateButtons();
}

void TriggerListPage::StoreRecord() {
  m_triggers.Clear();
  for (int32_t v : m_edit->Values()) m_triggers.Add(v);
}

void TriggerListPage::AddBtnClick() {
  m_edit->AskAppend(kTriggerChoice);
  updateButtons();
}

void TriggerListPage::SetBtnClick() {
  m_edit->AskReplace(kTriggerChoice);
  updateButtons();
}

void TriggerListPage::DelBtnClick() {
  m_edit->Remove();
  updateButtons();
}

void TriggerListPage::updateButtons() {
  const bool picked = m_edit->Current() >= 0;
  SetBtn->setEnabled(picked);
  DelBtn->setEnabled(picked);
}

}  // namespace zm
