#pragma once
// The numbered error and confirmation texts, and a formatter for their
// "%s"/"%d" placeholders that takes only strings and integers, so a wrong
// argument can never read garbage the way printf would.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

namespace zm {

class FmtArg {
 public:
  FmtArg(const std::string& s) : m_value(s) {}
  FmtArg(std::string&& s) : m_value(std::move(s)) {}
  FmtArg(const char* s) : m_value(std::string(s ? s : "")) {}
  template <typename I>
  requires std::is_integral_v<I> FmtArg(I n) : m_value(static_cast<int64_t>(n)) {}

  // "%s" and "%d" accept either kind: a number under "%s" is written in
  // decimal, a text under "%d" as it stands.
  std::string Text() const;

 private:
  std::variant<std::string, int64_t> m_value;
};

using FmtArgs = std::vector<FmtArg>;

// Placeholders beyond the supplied arguments become empty; "%%" is "%".
std::string FormatMessage(const std::string& format, const FmtArgs& args);

// The numbered error texts. A save failure names the zone, the file and the
// reason ("%d", "%s", "%s").
enum class ErrorMsg : int {
  ZoneLoad = 1,
  ZoneSave = 2,
  RoomLoad = 3,
  RoomSave = 4,
  ObjLoad = 5,
  ObjSave = 6,
  MobLoad = 7,
  MobSave = 8,
  BasesLoad = 9,
  TriggerLoad = 10,
  TriggerSave = 11,
  MapLoad = 12,
  MapSave = 13,
  ShopLoad = 14,
  ShopSave = 15,
  NoRoomsToArrange = 16,
  ArrangeFailed = 17,
  TemplatesLoad = 18,
  BadZoneId = 19,
  ZoneIdChangeUnavailable = 20,
  ZoneFull = 22,
  ZoneDuplicate = 23,
  FileNotWhole = 24,
  MorphologyLoad = 25,
  // The sample world could not be copied for the user.
  CopySampleWorld = 26,
  // A zone could not be read again from its files; the reason follows.
  ZoneReread = 27,
};

// The numbered confirmation texts.
enum class ConfirmMsg : int {
  Exit = 1,
  RemoveFromList = 2,
  Delete = 3,
  DeclineAll = 4,
  SaveChanges = 5,
  Arrange = 6,
  ChangeZoneId = 7,
  // Asked before overwriting a file that was not read completely.
  LossySave = 8,
  // Asked before the files of a renumbered zone's old number are removed.
  RemoveOldZoneFiles = 9,
  // Asked on a first run whose world folder cannot be written.
  CopySampleWorld = 10,
  // Asked when another editor has the world open.
  WorldLocked = 11,
  // Asked at start-up when an editor that is gone left unsaved changes of
  // the world in its journal.
  RecoverJournal = 12,
  // Offered when the files of a zone without unsaved edits changed on disk.
  RereadZone = 13,
};

// The numbered questions with three answers: go ahead, the other way, or
// leave everything as it was (the last answer, also the escape one).
enum class ChoiceMsg : int {
  // Asked before writing a file that changed on disk since it was read.
  ChangedOnDisk = 1,
};

// Windows-1251 texts; an unknown number gives an empty text.
const std::string& ErrorText(ErrorMsg n);
const std::string& ConfirmText(ConfirmMsg n);
const std::string& ChoiceText(ChoiceMsg n);
// The three answers of the question, in Windows-1251.
const std::vector<std::string>& ChoiceAnswers(ChoiceMsg n);

}  // namespace zm
