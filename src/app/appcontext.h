#pragma once
// The run-wide objects of the shell as its own parts (tree, commands,
// dialogs) reach them. The main window owns them all; this only points at
// them. Editors see none of it: they get the narrow EditorHost below.
#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "editors/editorhost.h"
#include "model/kinds.h"

class QMenu;
class QStatusBar;
class QWidget;

namespace zm {

class ChangeTracker;
class DescriptionDialog;
class Dictionaries;
class EditPopup;
class EditorWindows;
class LoadErrorsDialog;
class ModalRunner;
class Reporter;
class SelectRecordDialog;
class SettingsDialog;
class THints;
class TMUDClass;
class TemplateCreator;
class World;
class WorldDocument;
class WorldTree;
struct AppSettings;
struct EditCmdMenu;
struct RoomTiles;
struct TriggerWords;

class AppContext {
 public:
  QWidget* MainWindow = nullptr;
  QStatusBar* StatusBar = nullptr;
  std::filesystem::path AppDir;

  WorldDocument* Document = nullptr;
  World* world = nullptr;            // the document's
  ChangeTracker* Changes = nullptr;  // the document's
  Reporter* reporter = nullptr;
  ModalRunner* Runner = nullptr;
  WorldTree* Tree = nullptr;
  EditorWindows* Windows = nullptr;

  Dictionaries* Bases = nullptr;  // null until the dictionaries are loaded at start-up
  THints* Hints = nullptr;
  EditCmdMenu* EditCmds = nullptr;
  EditPopup* EditPopupMenu = nullptr;
  TriggerWords* Words = nullptr;
  RoomTiles* Tiles = nullptr;
  AppSettings* Settings = nullptr;

  SelectRecordDialog* SelectWindow = nullptr;
  DescriptionDialog* DescriptionWindow = nullptr;
  SettingsDialog* SettingsWindow = nullptr;
  LoadErrorsDialog* LoadErrorsWindow = nullptr;
  // The template dialog; none until it exists.
  TemplateCreator* Templates = nullptr;

  // The active editor's record applied, as every tree move and every save
  // does first; which zone files that changed is noted for the question at
  // exit.
  TMUDClass* ApplyActiveEditor(bool unlink);
  // Every open editor's record applied, each change noted.
  void ApplyAllEditors();
  // Runs `op`, noting which files of `zone` it changed.
  void Tracked(int32_t zone, const std::function<void()>& op);
  // One step of the history over several zones (name in Windows-1251).
  void TrackedZones(const std::vector<int32_t>& zones, const std::function<void()>& op,
                    const std::string& name);
  // Selects the record's node (which opens it in its editor); false when it
  // has none.
  std::function<bool(TMUDClass&)> SelectRecord;
};

// The editors' view of the application: the parts of the context they may
// use. Made once everything it points at exists.
class AppHost : public EditorHost {
 public:
  explicit AppHost(AppContext& app) : m_app(app) {}

  WorldDocument& Document() override { return *m_app.Document; }
  EditorWindows& Windows() override { return *m_app.Windows; }
  Reporter& Questions() override { return *m_app.reporter; }
  ModalRunner& Runner() override { return *m_app.Runner; }
  SelectRecordDialog& SelectDialog() override { return *m_app.SelectWindow; }
  Dictionaries* Dicts() const override { return m_app.Bases; }
  const THints& Hints() const override { return *m_app.Hints; }
  const TriggerWords& Words() const override { return *m_app.Words; }
  const RoomTiles& Tiles() const override { return *m_app.Tiles; }
  EditPopup& EditMenu() override { return *m_app.EditPopupMenu; }
  EditorSettings Settings() const override;
  QFont EditorFont() const override;
  void ShowStatus(const QString& text) override;
  bool SelectInTree(TMUDClass& rec) override {
    return m_app.SelectRecord && m_app.SelectRecord(rec);
  }
  bool MoveZone(int32_t from, bool renumber, std::optional<int32_t> to) override;

 private:
  AppContext& m_app;
};

// The template dialog (created later): loads the five template files and
// creates records of a kind in a zone.
class TemplateCreator {
 public:
  virtual ~TemplateCreator() = default;
  virtual void LoadTemplates(const std::filesystem::path& basesDir) = 0;
  // The first record created, already added to its list (and the tree), or
  // nullptr when nothing was created.
  virtual TMUDClass* CreateFromTemplate(RecordKind kind, int32_t zone) = 0;
};

}  // namespace zm
