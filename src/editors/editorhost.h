#pragma once
// What an editor window may ask of the application, and nothing more. The
// main window implements it; tests may implement it on their own.
#include <QFont>
#include <QString>
#include <cstdint>
#include <optional>

namespace zm {

class Dictionaries;
class EditPopup;
class EditorWindows;
class ModalRunner;
class Reporter;
class SelectRecordDialog;
class THints;
class TMUDClass;
class WorldDocument;
struct RoomTiles;
struct TriggerWords;

// The settings the editors read; the settings dialog changes them.
struct EditorSettings {
  // The object type that keys of exits are chosen from.
  int KeyObjectType = 18;
  // Coding and line break of files made for a new zone.
  int Coding = 0;
  int LineBreak = 0;
};

class EditorHost {
 public:
  virtual ~EditorHost() = default;

  virtual WorldDocument& Document() = 0;
  virtual EditorWindows& Windows() = 0;
  virtual Reporter& Questions() = 0;
  // Runs modal dialogs (tests answer them).
  virtual ModalRunner& Runner() = 0;
  virtual SelectRecordDialog& SelectDialog() = 0;
  // Null until the dictionaries are read at start-up.
  virtual Dictionaries* Dicts() const = 0;
  virtual const THints& Hints() const = 0;
  virtual const TriggerWords& Words() const = 0;
  virtual const RoomTiles& Tiles() const = 0;
  // The context menu of the text fields, with the insert commands.
  virtual EditPopup& EditMenu() = 0;
  virtual EditorSettings Settings() const = 0;
  virtual QFont EditorFont() const = 0;
  // An empty text clears the status bar.
  virtual void ShowStatus(const QString& text) = 0;
  // Selects the record's node in the tree, which opens it in its editor;
  // false when it has none.
  virtual bool SelectInTree(TMUDClass& rec) = 0;
  // Copies or renumbers zone `from` after asking for the number (`to`, when
  // given, preset); every editor window is closed first. False when not done.
  virtual bool MoveZone(int32_t from, bool renumber, std::optional<int32_t> to = {}) = 0;
};

}  // namespace zm
