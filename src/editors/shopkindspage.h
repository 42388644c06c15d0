#pragma once
// One list of the kinds of object a shop deals in: those it buys, or those
// it takes in exchange. A row is a kind chosen from the dictionary or a
// keyword typed; the entries keep their own keys ("5=Оружие", "-1=меч").
#include <string>
#include <vector>

#include "editors/editorpage.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zm {

class ShopKindsPage : public EditorPage {
  Q_OBJECT
 public:
  // The controls are named <prefix>ListBox, <prefix>ComboBox, <prefix>Edit,
  // <prefix>1Btn (adds the chosen kind), <prefix>2Btn (removes the picked
  // row) and <prefix>3Btn (adds the typed keyword); `dictionary` gives a
  // kind's text as the reader gives it. `title` UTF-8, the rest Latin-1.
  ShopKindsPage(EditorWindow& editor, std::vector<std::string>& entries, const char* title,
                const char* prefix, const char* dictionary);

  void ShowRecord() override;
  // The buttons change the working copy's entries themselves.
  void StoreRecord() override {}

  void KindBtnClick();
  void RemoveBtnClick();
  void WordBtnClick();

  QListWidget* ListBox = nullptr;
  QComboBox* ComboBox = nullptr;
  QLineEdit* Edit = nullptr;
  QPushButton *KindBtn = nullptr, *RemoveBtn = nullptr, *WordBtn = nullptr;

 private:
  void showTypes();
  void addType(std::string entry);
  void updateButtons();

  std::vector<std::string>& m_entries;
  std::string m_dictionary;
};

}  // namespace zm
