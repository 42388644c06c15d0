#pragma once
// The main window: the tree of zones and entries, the editor windows and the
// menus. It owns the run-wide objects and delegates the work: the tree to
// WorldTree and TreeController, the commands to MainCommands, the editor
// windows to EditorWindows.
#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/appcontext.h"
#include "app/settings.h"
#include "common/editcmdmenu.h"
#include "editors/worlddocument.h"
#include "load/worldlock.h"
#include "text/triggerwords.h"
#include "widgets/hints.h"
#include "widgets/modalrunner.h"
#include "widgets/roomtiles.h"

class QAction;
class QMdiArea;
class QMenu;
class QSplitter;
class QTreeWidget;

namespace zm {

class ChangeTracker;
class DiskWatch;
class FindResults;
class WorldCompare;
class WorldDocument;
struct MainMenus;
class EditPopup;
class EditorWindows;
class GuiReporter;
class MainCommands;
class Reporter;
class Dictionaries;
class NewZoneDialog;
class RecoveryJournal;
class SettingsDialog;
class DescriptionDialog;
class LoadErrorsDialog;
class LoadProgressDialog;
class SelectRecordDialog;
class TemplateDialog;
class TreeController;
class World;
class WorldOverview;
class WorldTree;

struct StartOptions {
  // Empty: the executable's folder.
  std::filesystem::path AppDir;
  // From the command line: opened instead of WorldPath, never written back.
  std::optional<std::filesystem::path> WorldOverride;
  // Empty: ZEMLEMER.INI where SettingsFilePath puts it.
  std::filesystem::path SettingsFile;
  // For tests: who answers questions and modal dialogs.
  Reporter* reporter = nullptr;
  ModalRunner* runner = nullptr;
};

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(StartOptions options = {}, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The set-up sequence; runs once, on the first activation.
  void FormActivate();
  bool Activated() const { return m_activated; }
  // Writes the settings file.
  void FormClose();
  void ApplyFont(const QFont& font);

  AppContext& App() { return m_app; }
  World& world() { return *m_world; }
  WorldTree& Tree() { return *m_tree; }
  TreeController& TreeControl() { return *m_treeControl; }
  MainCommands& Commands() { return *m_commands; }
  EditorWindows& Windows() { return *m_windows; }
  WorldDocument& Document() { return *m_document; }
  ChangeTracker& Changes() { return m_document->Changes(); }
  // What the editors see of this window.
  EditorHost& Host() { return m_host; }
  QTreeWidget* TreeView1() const { return m_treeView; }
  QMdiArea* Mdi() const { return m_mdi; }
  WorldOverview* Overview() const { return m_overview; }
  // Search, where-used and world-check results.
  FindResults* Find() const { return m_find; }
  WorldCompare* Compare() const { return m_compare; }
  // The journal of unsaved changes.
  RecoveryJournal& Journal() { return *m_journal; }
  DiskWatch* DiskWatcher() const { return m_diskWatch; }
  QMenu* TreePopupMenu() const { return m_treePopup; }
  EditPopup* EditPopupMenu() const { return m_editPopup; }
  SettingsDialog* SettingsWindow() const { return m_settingsWindow; }
  SelectRecordDialog* SelectWindow() const { return m_selectWindow; }
  NewZoneDialog* NewZoneWindow() const { return m_newZoneWindow; }
  LoadErrorsDialog* LoadErrorsWindow() const { return m_loadErrorsWindow; }
  DescriptionDialog* DescriptionWindow() const { return m_descriptionWindow; }
  TemplateDialog* TemplateWindow() const { return m_templateWindow; }
  const THints& Hints() const { return m_hints; }
  const AppSettings& Settings() const { return m_settings; }
  const std::filesystem::path& AppDir() const { return m_appDir; }
  const std::filesystem::path& SettingsPath() const { return m_settingsPath; }
  const std::filesystem::path& LoadedWorldPath() const { return m_worldPath; }
  // The template dialog, once it exists.
  void SetTemplates(std::unique_ptr<TemplateCreator> templates);

  void MI_SettingsClick();
  void MI_AboutClick();
  void FontEdClick();
  // Shows the hint of the control under the mouse in the status bar.
  void AppOnHint(const QString& hint);

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void connectMenus(const MainMenus& menus);
  void undoRedo(bool undo);
  bool FormCloseQuery();
  // On a world that cannot be written, the user's own copy in ~/zemlemer-world.
  void offerWritableWorld();
  // Unsaved zones: save, don't save or stay; false keeps the application
  // running.
  bool SaveChangesBeforeExit();

  StartOptions m_options;
  std::filesystem::path m_appDir;
  std::filesystem::path m_settingsPath;
  std::filesystem::path m_worldPath;  // the world loaded this run
  ModalRunner m_defaultRunner;
  ModalRunner* m_runner;

  QSplitter* m_splitter = nullptr;
  QTreeWidget* m_treeView = nullptr;
  QMdiArea* m_mdi = nullptr;
  WorldOverview* m_overview = nullptr;
  FindResults* m_find = nullptr;
  WorldCompare* m_compare = nullptr;
  DiskWatch* m_diskWatch = nullptr;
  QMenu* m_windowMenu = nullptr;
  QMenu* m_treePopup = nullptr;
  EditPopup* m_editPopup = nullptr;

  LoadErrorsDialog* m_loadErrorsWindow = nullptr;
  std::unique_ptr<GuiReporter> m_guiReporter;
  Reporter* m_reporter = nullptr;
  std::unique_ptr<WorldTree> m_tree;
  std::unique_ptr<WorldDocument> m_document;
  World* m_world = nullptr;  // the document's
  std::unique_ptr<Dictionaries> m_bases;
  std::unique_ptr<TemplateCreator> m_templates;
  EditorWindows* m_windows = nullptr;
  TreeController* m_treeControl = nullptr;
  MainCommands* m_commands = nullptr;
  RecoveryJournal* m_journal = nullptr;

  SelectRecordDialog* m_selectWindow = nullptr;
  DescriptionDialog* m_descriptionWindow = nullptr;
  TemplateDialog* m_templateWindow = nullptr;
  SettingsDialog* m_settingsWindow = nullptr;
  LoadProgressDialog* m_loadWindow = nullptr;
  NewZoneDialog* m_newZoneWindow = nullptr;

  THints m_hints;
  EditCmdMenu m_editCmds;
  TriggerWords m_words;
  RoomTiles m_tiles;
  AppSettings m_settings;
  IniFile m_ini;
  FontSetting m_fontSetting;
  WorldLock m_lock;  // the world this window has open
  AppContext m_app;
  AppHost m_host{m_app};
  bool m_activated = false;
  bool m_closing = false;
};

}  // namespace zm
