#pragma once
// A page of flags: one check-list box, wrapping into columns, that shows a
// flag field of the working copy through the dictionary of its name.
#include <string>

#include "editors/editorpage.h"

class QListWidget;

namespace zm {

class FlagListPage : public EditorPage {
  Q_OBJECT
 public:
  // `flags` is the field of the window's working copy; `name` the list's
  // object name, by which its dictionary is found.
  FlagListPage(EditorWindow& editor, std::string& flags, const char* name,
               QWidget* parent = nullptr);

  void ShowRecord() override;
  void StoreRecord() override;

  QListWidget* List = nullptr;

 private:
  std::string& m_flags;
};

}  // namespace zm
