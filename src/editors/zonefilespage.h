#pragma once
// The zone editor's "Файлы" page: the path, line break and coding of each of
// the zone's seven files, and whether the files share the zone file's.
#include <array>

#include "editors/editorpage.h"
#include "model/zones.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;

namespace zm {

class ZoneFilesPage : public EditorPage {
  Q_OBJECT
 public:
  static constexpr int kFiles = 7;
  // The zone's file settings in the order of the page's rows.
  static std::array<TFileSetting TZone::*, kFiles> Settings();

  ZoneFilesPage(EditorWindow& editor, TZone& wc);

  void ShowRecord() override;
  // Paths, line breaks and codings as the choice below the rows says.
  void StoreRecord() override;

  void Z_FileRadioGroupClick(int choice);

  struct FileRow {
    QLineEdit* Path = nullptr;
    QComboBox* LineBreak = nullptr;
    QComboBox* Coding = nullptr;
  };
  std::array<FileRow, kFiles> Z_Files{};
  QButtonGroup* Z_FileRadioGroup = nullptr;

 private:
  void buildUi();

  TZone& m_wc;
  int m_fileChoice = 0;
};

}  // namespace zm
