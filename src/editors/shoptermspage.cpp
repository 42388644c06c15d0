#include "editors/shoptermspage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"

namespace zm {
namespace {

// The factor in whole percent, halves to even; what a spin cannot hold is
// pinned to its ends.
int Percent(double factor) {
  if (std::isnan(factor)) return 0;
  const double p = std::nearbyint(factor * 100.0);
  if (p <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (p >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(p);
}

}  // namespace

ShopTermsPage::ShopTermsPage(EditorWindow& editor, TShop& wc) : EditorPage(editor), m_wc(wc) {
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
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
  lay->addLayout(form);
  auto flags = [&](const char* title, const char* name, int stretch) {
    auto* box = new QGroupBox(QString::fromUtf8(title), this);
    auto* boxLay = new QVBoxLayout(box);
    auto* list = Named(new QListWidget(box), QString::fromLatin1(name));
    boxLay->addWidget(list);
    lay->addWidget(box, stretch);
    return list;
  };
  // The shop's own flags are few: room for three rows.
  S_BitVCheckListBox = flags("Битвекторы", "S_BitVCheckListBox", 0);
  S_BitVCheckListBox->setMaximumHeight(S_BitVCheckListBox->fontMetrics().height() * 3 +
                                       2 * S_BitVCheckListBox->frameWidth() + 6);
  S_WhoCheckListBox = flags("С кем не торгует", "S_WhoCheckListBox", 1);

  for (QWidget* c :
       std::initializer_list<QWidget*>{S_BitVCheckListBox, S_WhoCheckListBox, S_Open1ComboBox,
                                       S_Close1ComboBox, S_Open2ComboBox, S_Close2ComboBox})
    editor.BindDictionary(c);
}

void ShopTermsPage::ShowRecord() {
  showFactor(0, m_wc.SellCoeff);
  showFactor(1, m_wc.BuyCoeff);
  showFactor(2, m_wc.ChangeCoeff);
  S_EmotionEdit->setValue(m_wc.Temper);
  EditorWindow& e = Editor();
  e.ShowDict(S_BitVCheckListBox, m_wc.ShopFlags);
  e.ShowDict(S_WhoCheckListBox, m_wc.NotSellTo);
  e.ShowDictInt(S_Open1ComboBox, m_wc.Open1);
  e.ShowDictInt(S_Close1ComboBox, m_wc.Close1);
  e.ShowDictInt(S_Open2ComboBox, m_wc.Open2);
  e.ShowDictInt(S_Close2ComboBox, m_wc.Close2);
}

void ShopTermsPage::StoreRecord() {
  m_wc.SellCoeff = readFactor(0);
  m_wc.BuyCoeff = readFactor(1);
  m_wc.ChangeCoeff = readFactor(2);
  m_wc.Temper = S_EmotionEdit->value();
  const EditorWindow& e = Editor();
  m_wc.ShopFlags = e.ReadDict(S_BitVCheckListBox);
  m_wc.NotSellTo = e.ReadDict(S_WhoCheckListBox);
  // No selection reads as -1, which 8 bits hold as 255.
  m_wc.Open1 = static_cast<uint8_t>(e.ReadDictInt(S_Open1ComboBox, m_wc.Open1));
  m_wc.Close1 = static_cast<uint8_t>(e.ReadDictInt(S_Close1ComboBox, m_wc.Close1));
  m_wc.Open2 = static_cast<uint8_t>(e.ReadDictInt(S_Open2ComboBox, m_wc.Open2));
  m_wc.Close2 = static_cast<uint8_t>(e.ReadDictInt(S_Close2ComboBox, m_wc.Close2));
}

// ---------------------------------------------------------------- factors

QSpinBox* ShopTermsPage::factorSpin(size_t i) const {
  return i == 0 ? S_ProfitSellEdit : i == 1 ? S_ProfitBuyEdit : S_ProfitChangeEdit;
}

void ShopTermsPage::showFactor(size_t i, double factor) {
  QSpinBox* spin = factorSpin(i);
  spin->setValue(Percent(factor));
  m_factor[i] = factor;
  m_factorShown[i] = spin->value();
}

double ShopTermsPage::readFactor(size_t i) const {
  const int now = factorSpin(i)->value();
  if (now == m_factorShown[i]) return m_factor[i];
  return now / 100.0;
}

}  // namespace zm
