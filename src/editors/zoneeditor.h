#pragma once
// The zone editor: the zone's header, the objects it creates without a room
// and the mobiles it purges, the names and codings of its seven files, its
// statistics and errors, and the zone file as it would be written.
#include <QSize>
#include <array>
#include <memory>

#include "editors/editorwindow.h"
#include "editors/listrows.h"
#include "model/zones.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace zm {

class ZoneEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kZone;
  static QSize DesignedSize() { return {560, 470}; }

  explicit ZoneEditor(EditorHost& host, QWidget* parent = nullptr);
  ~ZoneEditor() override;

  // TZone's Edit (after EnsureEditor) and Apply.
  void Edit(TZone& zone);
  void Apply() override;
  void AcceptRecord(TMUDClass& rec) override;

  const TZone& WorkingCopy() const { return m_wc; }

  // Event handlers, public so that they can be driven like the user does.
  void Z_RObjListViewClick();
  void Z_RObjAddBtnClick();
  void Z_RObjEditBtnClick();
  void Z_RObjDelBtnClick();
  void Z_RMobListViewClick();
  void Z_RMobAddBtnClick();
  void Z_RMobEditBtnClick();
  void Z_RMobDelBtnClick();
  void Z_IDEditExit();
  void Z_FileRadioGroupClick(int choice);
  // Zone statistics and checks of the working copy's number.
  void ShowStatistics();

  // One row of the "Файлы" page, in the order of the page.
  struct FileRow {
    QLineEdit* Path = nullptr;
    QComboBox* LineBreak = nullptr;
    QComboBox* Coding = nullptr;
  };
  static constexpr int kFiles = 7;

 private:
  // zoneform_ui.cpp: the controls.
  void buildUi();
  QWidget* buildParamsPage();
  QWidget* buildFilesPage();
  QWidget* buildStatsPage();
  QWidget* buildSourcePage();
  void connectControls();

  static std::array<TFileSetting TZone::*, kFiles> fileSettings();
  void showFiles();
  void applyFiles(TZone& zone);
  void showSource(const TZone& zone);
  void showRows();
  bool eventFilter(QObject* watched, QEvent* e) override;

  TZone m_wc;  // WorkingCopy
  int m_fileChoice = 0;

 public:
  // The controls, by the names they carry.
  QTabWidget* Z_PageControl = nullptr;
  QSpinBox* Z_IDEdit = nullptr;
  QLineEdit* Z_NameEdit = nullptr;
  QComboBox* Z_RTypeComboBox = nullptr;
  QSpinBox* Z_RTimeEdit = nullptr;
  QTreeWidget* Z_RObjListView = nullptr;
  QPushButton *Z_RObjAddBtn = nullptr, *Z_RObjEditBtn = nullptr, *Z_RObjDelBtn = nullptr;
  QTreeWidget* Z_RMobListView = nullptr;
  QPushButton *Z_RMobAddBtn = nullptr, *Z_RMobEditBtn = nullptr, *Z_RMobDelBtn = nullptr;

  std::array<FileRow, kFiles> Z_Files{};
  QButtonGroup* Z_FileRadioGroup = nullptr;

  QLabel *Z_RStatLabel = nullptr, *Z_NRStatLabel = nullptr, *Z_OStatLabel = nullptr,
         *Z_MStatLabel = nullptr, *Z_SStatLabel = nullptr, *Z_TStatLabel = nullptr;
  QListWidget* Z_ErrorListBox = nullptr;
  QPlainTextEdit* Z_SourceMemo = nullptr;

 private:
  std::unique_ptr<PlacementList> m_objs, m_mobs;
};

// The zone kind's opener.
void RegisterZoneEditor(EditorHost& host);

}  // namespace zm
