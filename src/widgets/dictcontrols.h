#pragma once
// The dictionary seam on Qt widgets: a drop-down is a QComboBox, a
// check-list box a QListWidget with checkable items, a grid a QTableWidget.
// The adapter is a child object of its widget and goes with it.
#include <QObject>
#include <string>
#include <string_view>

#include "common/dictionaries.h"

class QComboBox;
class QListWidget;
class QTableWidget;
class QWidget;

namespace zm {

class ComboDictControl : public QObject, public DictControl {
  Q_OBJECT
 public:
  explicit ComboDictControl(QComboBox* combo);
  std::string ControlName() const override;
  void ClearItems() override;
  void AddItem(const std::string& text) override;
  int ItemCount() const override;
  std::string ItemText(int i) const override;
  void RemoveItemsFrom(int n) override;
  int SelectedIndex() const override;
  void SetSelectedIndex(int i) override;

 private:
  QComboBox* m_combo;
};

class CheckListDictControl : public QObject, public DictControl {
  Q_OBJECT
 public:
  explicit CheckListDictControl(QListWidget* list);
  std::string ControlName() const override;
  void ClearItems() override;
  void AddItem(const std::string& text) override;
  int ItemCount() const override;
  std::string ItemText(int i) const override;
  void RemoveItemsFrom(int n) override;
  int SelectedIndex() const override;
  void SetSelectedIndex(int i) override;
  bool IsChecked(int i) const override;
  void SetChecked(int i, bool on) override;

 private:
  QListWidget* m_list;
};

class GridDictControl : public QObject, public DictControl {
  Q_OBJECT
 public:
  explicit GridDictControl(QTableWidget* grid);
  std::string ControlName() const override;
  void ClearItems() override;
  void AddItem(const std::string& text) override;
  int ItemCount() const override;
  std::string ItemText(int i) const override;
  void RemoveItemsFrom(int n) override;
  void SetRowCount(int n) override;
  void SetCell(int col, int row, const std::string& text) override;

 private:
  QTableWidget* m_grid;
};

// The widget's adapter, made on first use; nullptr for a widget that is no
// list control.
DictControl* DictControlOf(QWidget* control);

// Binds and fills the control: by dictionary name, or, when `name` is empty,
// the first dictionary registered for the control's objectName. Returns the
// dictionary, or nullptr (control untouched) when there is none.
Dictionary* BindControl(Dictionaries& list, QWidget* control, std::string_view name = {});

}  // namespace zm
