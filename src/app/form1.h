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
#include "app/hints.h"
#include "app/modal.h"
#include "app/roomtiles.h"
#include "app/settings.h"
#include "common/editcmdmenu.h"

class QAction;
class QMdiArea;
class QMenu;
class QSplitter;
class QTreeWidget;

namespace zm {

class ChangeTracker;
class EditPopup;
class EditorWindows;
class GuiReporter;
class MainCommands;
class Reporter;
class TBasesList;
class TCZoneForm;
class TConfigForm;
class TDescForm;
class TLoadErrorForm;
class TLoadForm;
class TSelectForm;
class TTempletForm;
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

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TForm1(StartOptions options = {}, QWidget* parent = nullptr);
  ~TForm1() override;

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
  ChangeTracker& Changes() { return *m_changes; }
  QTreeWidget* TreeView1() const { return m_treeView; }
  QMdiArea* Mdi() const { return m_mdi; }
  WorldOverview* Overview() const { return m_overview; }
  QMenu* TreePopupMenu() const { return m_treePopup; }
  EditPopup* EditPopupMenu() const { return m_editPopup; }
  TConfigForm* ConfigForm() const { return m_configForm; }
  TSelectForm* SelectForm() const { return m_selectForm; }
  TCZoneForm* CZoneForm() const { return m_czoneForm; }
  TLoadErrorForm* LoadErrorForm() const { return m_loadErrorForm; }
  TDescForm* DescForm() const { return m_descForm; }
  TTempletForm* TempletForm() const { return m_templetForm; }
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
  void BuildMenus();
  bool FormCloseQuery();
  // Unsaved zones: save, don't save or stay; false keeps the application
  // running.
  bool SaveChangesBeforeExit();
  void LoadTriggerWords(const std::filesystem::path& basesDir);

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
  QMenu* m_windowMenu = nullptr;
  QMenu* m_treePopup = nullptr;
  EditPopup* m_editPopup = nullptr;

  TLoadErrorForm* m_loadErrorForm = nullptr;
  std::unique_ptr<GuiReporter> m_guiReporter;
  Reporter* m_reporter = nullptr;
  std::unique_ptr<WorldTree> m_tree;
  std::unique_ptr<World> m_world;
  std::unique_ptr<ChangeTracker> m_changes;
  std::unique_ptr<TBasesList> m_bases;
  std::unique_ptr<TemplateCreator> m_templates;
  EditorWindows* m_windows = nullptr;
  TreeController* m_treeControl = nullptr;
  MainCommands* m_commands = nullptr;

  TSelectForm* m_selectForm = nullptr;
  TDescForm* m_descForm = nullptr;
  TTempletForm* m_templetForm = nullptr;
  TConfigForm* m_configForm = nullptr;
  TLoadForm* m_loadForm = nullptr;
  TCZoneForm* m_czoneForm = nullptr;

  THints m_hints;
  EditCmdMenu m_editCmds;
  TriggerWords m_words;
  RoomTiles m_tiles;
  AppSettings m_settings;
  IniFile m_ini;
  FontSetting m_fontSetting;
  AppContext m_app;
  bool m_activated = false;
  bool m_closing = false;
};

}  // namespace zm
