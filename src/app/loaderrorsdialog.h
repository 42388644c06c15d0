#pragma once
// The load errors window: one line per file that could not be read, in the
// order the failures happen; shown by the first line, never cleared.
#include <QWidget>
#include <string>

class QListWidget;

namespace zm {

class LoadErrorsDialog : public QWidget {
  Q_OBJECT
 public:
  explicit LoadErrorsDialog(QWidget* parent = nullptr);

  // Windows-1251 text. Shows the window when the list was empty and
  // `interactive` is set.
  void AddLoadError(const std::string& text, bool interactive);
  QListWidget* ErrorListBox() const { return m_list; }

 private:
  QListWidget* m_list;
  bool m_placed = false;
};

}  // namespace zm
