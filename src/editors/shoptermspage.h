#pragma once
// A shop's terms: its price factors in percent, the keeper's temper, the
// hours it opens and closes, its flags and those it does not trade with.
#include <array>

#include "editors/editorpage.h"
#include "model/shops.h"

class QComboBox;
class QListWidget;
class QSpinBox;

namespace zm {

class ShopTermsPage : public EditorPage {
  Q_OBJECT
 public:
  ShopTermsPage(EditorWindow& editor, TShop& wc);

  void ShowRecord() override;
  void StoreRecord() override;

  QSpinBox *S_ProfitSellEdit = nullptr, *S_ProfitBuyEdit = nullptr, *S_ProfitChangeEdit = nullptr;
  QSpinBox* S_EmotionEdit = nullptr;
  QComboBox *S_Open1ComboBox = nullptr, *S_Close1ComboBox = nullptr, *S_Open2ComboBox = nullptr,
            *S_Close2ComboBox = nullptr;
  QListWidget* S_BitVCheckListBox = nullptr;
  QListWidget* S_WhoCheckListBox = nullptr;

 private:
  QSpinBox* factorSpin(size_t i) const;
  void showFactor(size_t i, double factor);
  double readFactor(size_t i) const;

  TShop& m_wc;
  // Each factor as it came and what its spin showed of it: an untouched
  // spin gives back the factor itself, not its whole percent.
  std::array<double, 3> m_factor{};
  std::array<int, 3> m_factorShown{};
};

}  // namespace zm
