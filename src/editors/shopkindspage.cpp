#include "editors/shopkindspage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "common/dictionaries.h"
#include "common/textutil.h"
#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "editors/shopeditorpages.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

std::string EntryKey(const std::string& entry) {
  return entry.substr(0, entry.find('='));
}

std::string EntryText(const std::string& entry) {
  const size_t eq = entry.find('=');
  return eq == std::string::npos ? std::string() : entry.substr(eq + 1);
}

// A type number that no dictionary entry names would be an empty row.
QString EntryCaption(const std::string& entry) {
  const std::string text = EntryText(entry);
  const std::string key = EntryKey(entry);
  if (text.empty() && Trim(key) != "-1") return ToQt(key);
  return ToQt(text);
}

}  // namespace

ShopKindsPage::ShopKindsPage(EditorWindow& editor, std::vector<std::string>& entries,
                             const char* title, const char* prefix, const char* dictionary)
    : EditorPage(editor), m_entries(entries), m_dictionary(dictionary) {
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  auto* box = new QGroupBox(QString::fromUtf8(title), this);
  auto* grid = new QGridLayout(box);
  const QString p = QString::fromLatin1(prefix);
  auto name = [&p](const char* suffix) { return (p + QString::fromLatin1(suffix)).toLatin1(); };
  ListBox = ShopList(box, name("ListBox").constData());
  grid->addWidget(ListBox, 0, 0);
  RemoveBtn = SmallButton(Button(box, "--", name("2Btn").constData()));
  grid->addWidget(RemoveBtn, 0, 1, Qt::AlignTop);
  ComboBox = Combo(box, p + QStringLiteral("ComboBox"), 10);
  grid->addWidget(ComboBox, 1, 0);
  KindBtn = SmallButton(Button(box, "+", name("1Btn").constData()));
  KindBtn->setToolTip(QStringLiteral("Добавить выбранный тип"));
  grid->addWidget(KindBtn, 1, 1);
  Edit = Named(new QLineEdit(box), p + QStringLiteral("Edit"));
  Edit->setPlaceholderText(QStringLiteral("ключевое слово"));
  grid->addWidget(Edit, 2, 0);
  WordBtn = SmallButton(Button(box, "+", name("3Btn").constData()));
  WordBtn->setToolTip(QStringLiteral("Добавить ключевое слово"));
  grid->addWidget(WordBtn, 2, 1);
  lay->addWidget(box);

  connect(KindBtn, &QPushButton::clicked, this, &ShopKindsPage::KindBtnClick);
  connect(RemoveBtn, &QPushButton::clicked, this, &ShopKindsPage::RemoveBtnClick);
  connect(WordBtn, &QPushButton::clicked, this, &ShopKindsPage::WordBtnClick);
  connect(Edit, &QLineEdit::returnPressed, this, &ShopKindsPage::WordBtnClick);
  connect(ListBox, &QListWidget::itemSelectionChanged, this, &ShopKindsPage::updateButtons);
  connect(ComboBox, &QComboBox::currentIndexChanged, this, &ShopKindsPage::updateButtons);
  editor.BindDictionary(ComboBox);
  updateButtons();
}

void ShopKindsPage::ShowRecord() {
  showTypes();
  Edit->clear();
  updateButtons();
}

void ShopKindsPage::updateButtons() {
  RemoveBtn->setEnabled(PickedRow(ListBox) >= 0);
  KindBtn->setEnabled(ComboBox->currentIndex() >= 0);
}

void ShopKindsPage::showTypes() {
  const QSignalBlocker block(ListBox);
  ListBox->clear();
  for (const std::string& e : m_entries) ListBox->addItem(EntryCaption(e));
}

// Appends the entry, or picks the one already listed with its key (type
// numbers) or its keyword.
void ShopKindsPage::addType(std::string entry) {
  const std::string key = EntryKey(entry);
  const bool keyword = key == "-1";
  const auto same = [&](const std::string& e) {
    if (Trim(EntryKey(e)) != key) return false;
    return !keyword || EntryText(e) == EntryText(entry);
  };
  const auto it = std::find_if(m_entries.begin(), m_entries.end(), same);
  int at = static_cast<int>(it - m_entries.begin());
  if (it != m_entries.end()) {
    Editor().Status(QStringLiteral(" \"%1\" уже есть в списке").arg(EntryCaption(*it)));
  } else {
    m_entries.push_back(std::move(entry));
    showTypes();
  }
  PickShopRow(ListBox, at);
  updateButtons();
}

void ShopKindsPage::KindBtnClick() {
  const std::string key = Editor().ReadDict(ComboBox);
  int32_t n = 0;
  if (ComboBox->currentIndex() < 0 || !ParseInt(key, n) || n < 0) {
    Editor().Status(QStringLiteral(" Выберите тип предмета"));
    return;
  }
  // The text as the reader gives it for this number.
  const Dictionaries* dicts = Editor().Host().Dicts();
  const Dictionary* dict = dicts ? dicts->Find(m_dictionary) : nullptr;
  addType(IntText(n) + "=" + (dict ? dict->TextOf(IntText(n)) : FromQt(ComboBox->currentText())));
}

void ShopKindsPage::WordBtnClick() {
  const std::string word = Trim(ReadLine(Edit));
  if (word.empty()) {
    Editor().Status(QStringLiteral(" Введите ключевое слово"));
    Edit->setFocus();
    return;
  }
  // The game reads the keyword up to the first "~".
  if (word.find('~') != std::string::npos) {
    Editor().Status(QStringLiteral(" Ключевое слово не может содержать знак \"~\""));
    Edit->setFocus();
    Edit->selectAll();
    return;
  }
  addType("-1=" + word);
  Edit->clear();
}

void ShopKindsPage::RemoveBtnClick() {
  const int i = PickedRow(ListBox);
  if (i < 0 || i >= static_cast<int>(m_entries.size())) return;
  m_entries.erase(m_entries.begin() + i);
  showTypes();
  PickShopRow(ListBox, std::min(i, ListBox->count() - 1));
  updateButtons();
}

}  // namespace zm
