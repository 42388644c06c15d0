#pragma once
// The room editor's smaller pages: the description with its ten variants,
// sector and flags, and the extra descriptions; and the list views that the
// room's list pages share.
#include <QStringList>
#include <array>
#include <memory>
#include <string>

#include "editors/editorpage.h"
#include "model/rooms.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QVBoxLayout;

namespace zm {

class ExtraDescEdit;

// A list view of the room pages: one row selected at a time, the first two
// columns taking the room.
QTreeWidget* RoomListView(QWidget* parent, const char* name, const QStringList& columns);
// Column `col` of a page's grid.
QVBoxLayout* RoomPageColumn(QGridLayout* grid, int col);

// The general description and its ten variants, each variant with its R
// mark. Not a tab: the pages above the window's page control.
class RoomDescriptionPage : public EditorPage {
  Q_OBJECT
 public:
  RoomDescriptionPage(EditorWindow& editor, TRoom& wc);

  void ShowRecord() override;
  void StoreRecord() override;

  void R_DescCheckBoxClick();
  void R_DescPageControlChange();

  QTabWidget* R_DescPageControl = nullptr;
  std::array<QPlainTextEdit*, kVariants + 1> R_FullDescMemo{};
  QCheckBox* R_DescCheckBox = nullptr;

 private:
  std::string readDescription();

  TRoom& m_wc;
  std::array<bool, kVariants> m_marks{};
  std::array<bool, kVariants> m_shownMarks{};
  std::string m_shownDescription;
};

// "Тип": the sector and the room flags.
class RoomTypePage : public EditorPage {
  Q_OBJECT
 public:
  RoomTypePage(EditorWindow& editor, TRoom& wc);

  void ShowRecord() override;
  void StoreRecord() override;

  QComboBox* R_SectorComboBox = nullptr;
  QListWidget* R_TypeCheckListBox = nullptr;

 private:
  TRoom& m_wc;
};

// "Доп. описания": the extra descriptions.
class RoomExtraDescsPage : public EditorPage {
  Q_OBJECT
 public:
  RoomExtraDescsPage(EditorWindow& editor, TRoom& wc);
  ~RoomExtraDescsPage() override;

  void ShowRecord() override;
  // Each button writes the working copy at once.
  void StoreRecord() override {}
  void UpdateButtons();

  void R_EDescListBoxClick();
  void R_EDescEditChange();
  void R_EDescAddBtnClick();
  void R_EDescSetBtnClick();
  void R_EDescDelBtnClick();

  QListWidget* R_EDescListBox = nullptr;
  QLineEdit* R_EDescKeyEdit = nullptr;
  QPlainTextEdit* R_EDescMemo = nullptr;
  QPushButton *R_EDescAddBtn = nullptr, *R_EDescSetBtn = nullptr, *R_EDescDelBtn = nullptr;

 private:
  TRoom& m_wc;
  std::unique_ptr<ExtraDescEdit> m_extras;
};

}  // namespace zm
