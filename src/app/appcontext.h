#pragma once
// The run-wide objects of the shell as editors and commands reach them. The
// main window owns them all; this only points at them.
#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "model/kinds.h"

class QMenu;
class QStatusBar;
class QWidget;

namespace zm {

class ChangeTracker;
class EditPopup;
class EditorWindows;
class ModalRunner;
class Reporter;
class TBasesList;
class TConfigForm;
class TDescForm;
class THints;
class TLoadErrorForm;
class TMUDClass;
class TSelectForm;
class TemplateCreator;
class World;
class WorldTree;
struct AppSettings;
struct EditCmdMenu;
struct RoomTiles;

// The trigger editor's word lists (Bases/Trigger_*), Windows-1251 lines.
struct TriggerWords {
  std::vector<std::string> Complete;
  std::vector<std::string> AutoChange;
  std::vector<std::string> Language;
};

class AppContext {
 public:
  QWidget* MainWindow = nullptr;
  QStatusBar* StatusBar = nullptr;
  std::filesystem::path AppDir;

  World* world = nullptr;
  Reporter* reporter = nullptr;
  ModalRunner* Runner = nullptr;
  WorldTree* Tree = nullptr;
  EditorWindows* Windows = nullptr;
  ChangeTracker* Changes = nullptr;

  TBasesList* Bases = nullptr;  // null until the dictionaries are loaded at start-up
  THints* Hints = nullptr;
  EditCmdMenu* EditCmds = nullptr;
  EditPopup* EditPopupMenu = nullptr;
  TriggerWords* Words = nullptr;
  RoomTiles* Tiles = nullptr;
  AppSettings* Settings = nullptr;

  TSelectForm* SelectForm = nullptr;
  TDescForm* DescForm = nullptr;
  TConfigForm* ConfigForm = nullptr;
  TLoadErrorForm* LoadErrorForm = nullptr;
  // The template dialog; none until it exists.
  TemplateCreator* Templates = nullptr;

  // The active editor's record applied, as every tree move and every save
  // does first; which zone files that changed is noted for the question at
  // exit.
  TMUDClass* ApplyActiveEditor(bool unlink);
  // Runs `op`, noting which files of `zone` it changed.
  void Tracked(int32_t zone, const std::function<void()>& op);
  // Selects the record's node (which opens it in its editor); false when it
  // has none.
  std::function<bool(TMUDClass&)> SelectRecord;
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
