#pragma once
// A page of the mobile editor holding the skill or the spell grid: one row per
// dictionary entry, the value in the second column. Once the user has changed
// a cell the entries are written in the order of the rows; entries without a
// row (a number the dictionary does not know) keep their places, and cells
// left alone what the mobile had.
#include <QString>
#include <QStringList>

#include "editors/editorpage.h"

class QTableWidget;

namespace zm {

class TIntList;

class MobileGridPage : public EditorPage {
  Q_OBJECT
 public:
  // `list` is the list of the window's working copy; `name` the grid's
  // object name, by which its dictionary `dict` is bound. `add`: entries of
  // one number add up (spell counts); otherwise the last one stands (skill
  // values). A cell above `maxValue` is written as 0, dropping the entry.
  MobileGridPage(EditorWindow& editor, TIntList& list, const char* name, const char* dict,
                 const QString& col0, const QString& col1, bool add, int32_t maxValue,
                 QWidget* parent = nullptr);

  void ShowRecord() override;
  void StoreRecord() override;

  QTableWidget* Grid = nullptr;

 private:
  TIntList& m_list;
  const char* m_dict;
  bool m_add;
  int32_t m_maxValue;
  QStringList m_shown;
};

}  // namespace zm
