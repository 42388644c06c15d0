#pragma once
// The object editor's "Доп. описания" page: the extra descriptions, each
// change made on the working copy at once.
#include <memory>

#include "editors/editorpage.h"

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zm {

class ExtraDescEdit;
class TObj;

class ObjectExtrasPage : public EditorPage {
  Q_OBJECT
 public:
  ObjectExtrasPage(EditorWindow& editor, TObj& wc, QWidget* parent = nullptr);
  ~ObjectExtrasPage() override;

  void ShowRecord() override;
  // Nothing left to store: the buttons have changed the working copy.
  void StoreRecord() override {}

  // Event handlers, public so that they can be driven like the user does.
  void O_AddDescListBoxClick();
  void O_ADAddBtnClick();
  void O_ADSetBtnClick();
  void O_ADDelBtnClick();

  // The controls, by the names they carry.
  QListWidget* O_AddDescListBox = nullptr;
  QWidget* O_AddDescPanel = nullptr;
  QLineEdit* O_AddDescEdit = nullptr;
  QPlainTextEdit* O_AddDescMemo = nullptr;
  QPushButton *O_ADAddBtn = nullptr, *O_ADSetBtn = nullptr, *O_ADDelBtn = nullptr;

 private:
  void updateButtons();

  TObj& m_wc;
  std::unique_ptr<ExtraDescEdit> m_extras;
  int m_updating = 0;
};

}  // namespace zm
