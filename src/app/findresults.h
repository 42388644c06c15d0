#pragma once
// The "Поиск" panel below the editor windows: a search bar (words, or a
// field's value) and one list of results, which also shows where a record is
// used and what the world check found. Activating a line opens its record.
#include <QDockWidget>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/kinds.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace zm {

class AppContext;
class TMUDClass;

struct FoundRow {
  RecordKind Kind = kRoom;
  int32_t Vnum = 0;
  int32_t Zone = 0;
  QString Field;
  QString Text;
};

class FindResults : public QDockWidget {
  Q_OBJECT
 public:
  FindResults(AppContext& app, QWidget* parent = nullptr);

  // Every place that names `rec`.
  void ShowWhereUsed(const TMUDClass& rec);
  // The search bar's words or field value, over the kind chosen.
  void RunSearch();
  void ShowWorldCheck();
  // Brings the panel up with the search text selected.
  void FocusSearch();
  // Opens the record of row `row` in its editor (or what `open` of the
  // list shown says).
  void OpenRow(int row);
  // Any other list: `open` opens a row's records.
  void ShowList(const QString& title, const std::vector<FoundRow>& rows, const QString& column,
                std::function<void(int row)> open);

  QTreeWidget* List() const { return m_list; }
  QLineEdit* SearchEdit() const { return m_edit; }
  QComboBox* KindCombo() const { return m_kind; }
  QCheckBox* FieldCheck() const { return m_field; }
  QLabel* Title() const { return m_title; }

  // Called each time the panel comes up (the main window makes room for it).
  std::function<void()> OnShown;

 private:
  // `column` heads the third column: the field, or the check.
  void show(const QString& title, const std::vector<FoundRow>& rows,
            const QString& column = QStringLiteral("Поле"));

  AppContext& m_app;
  QLineEdit* m_edit = nullptr;
  QComboBox* m_kind = nullptr;
  QCheckBox* m_field = nullptr;
  QPushButton* m_button = nullptr;
  QLabel* m_title = nullptr;
  QTreeWidget* m_list = nullptr;
  std::vector<FoundRow> m_rows;
  std::function<void(int row)> m_open;
};

}  // namespace zm
