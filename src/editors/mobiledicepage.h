#pragma once
// The mobile editor's three dice: hit points, damage and money, each a count,
// sides and a signed bonus.
#include <array>

#include "editors/editorpage.h"
#include "model/mobs.h"

class QPushButton;
class QSpinBox;

namespace zm {

class MobileDicePage : public EditorPage {
  Q_OBJECT
 public:
  struct DiceField {
    const char* Prefix;  // M_HP, M_Damage, M_Money
    const char* Label;
    TDice TMob::*Value;
  };
  static const std::array<DiceField, 3>& DiceFields();
  struct DicePanel {
    QSpinBox *Count = nullptr, *Sides = nullptr, *Bonus = nullptr;
    QPushButton* Sign = nullptr;
  };

  MobileDicePage(EditorWindow& editor, TMob& wc, QWidget* parent = nullptr);

  void ShowRecord() override;
  void StoreRecord() override;

  // Event handlers, public so that they can be driven like the user does.
  void M_DiceBtnClick(QPushButton* button);

  std::array<DicePanel, 3> M_Dice;  // M_HP…, M_Damage…, M_Money…

 private:
  TMob& m_wc;
  std::array<TDice, 3> m_shown{};
};

}  // namespace zm
