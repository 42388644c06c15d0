#pragma once
// The selection dialog through which editors pick an object, mobile or
// trigger (with condition, chance and wear position) for a placement.
#include <QDialog>
#include <QHash>
#include <memory>
#include <string>

class QComboBox;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class SelectRecordDialog;
}

namespace zm {

class DictControl;
class ModalRunner;
class Dictionary;
class Dictionaries;
class World;

class SelectRecordDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SelectRecordDialog(QWidget* parent = nullptr);
  ~SelectRecordDialog() override;

  void SetWorld(const World* w) { m_world = w; }
  // The condition and wear-position lists take their dictionaries.
  void BindDictionaries(Dictionaries& bases);

  // kind 0 object, 1 mobile, 2 trigger; `cond` empty means none given;
  // `where` -2 hides the wear position, `chance` 0 the chance.
  int SelectDialog(int kind, int32_t vnum, const std::string& cond, int32_t where, int32_t chance,
                   ModalRunner& runner);
  // Everything SelectDialog does before it shows the window. Without
  // `withCond` the condition is hidden: a trigger or helper list has none.
  void Prepare(int kind, int32_t vnum, const std::string& cond, int32_t where, int32_t chance,
               bool withCond = true);

  void SelectBtnClick();
  void CancelBtnClick();
  void IDEditChange();
  void ListView1Click();

  QSpinBox* IDEdit() const;
  QTreeWidget* ListView1() const;
  QComboBox* CondComboBox() const;
  QComboBox* WhereComboBox() const;
  QSpinBox* ChanceEdit() const;
  QPushButton* SelectBtn() const;
  bool ChanceShown() const { return m_chanceShown; }
  bool WhereShown() const { return m_whereShown; }

  // Valid after "Выбрать".
  int32_t ResultID = 0;
  std::string ResultName;
  std::string ResultCond;
  int32_t ResultChance = 0;
  int32_t ResultWhere = -2;
  int ResultKind = 0;

 private:
  void fill(int kind);

  std::unique_ptr<Ui::SelectRecordDialog> m_ui;
  const World* m_world = nullptr;
  Dictionary* m_condDict = nullptr;
  Dictionary* m_whereDict = nullptr;
  DictControl* m_condCtl = nullptr;
  DictControl* m_whereCtl = nullptr;
  QHash<int, QTreeWidgetItem*> m_rows;  // vnum -> first row with it
  bool m_updating = false;
  bool m_chanceShown = false;
  bool m_whereShown = false;
  int m_kind = 0;
};

}  // namespace zm
