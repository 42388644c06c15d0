#pragma once
// How the core tells the user something: the GUI shows message boxes and the
// load errors window, the CLI writes to stderr, tests record.
#include <string>

#include "common/messages.h"

namespace zm {

class Reporter {
 public:
  virtual ~Reporter() = default;

  void ShowError(ErrorMsg n, const FmtArgs& args = {}) {
    Error(static_cast<int>(n), FormatMessage(ErrorText(n), args));
  }
  bool AskConfirm(ConfirmMsg n, const FmtArgs& args = {}) {
    return Confirm(static_cast<int>(n), FormatMessage(ConfirmText(n), args));
  }
  virtual void AddLoadError(const std::string& text) = 0;
  // A file read, but not whole; shown with the load errors unless told apart.
  virtual void AddLoadWarning(const std::string& text) { AddLoadError(text); }

  // Set once the main window is up; before that nothing may pop up a box.
  bool Interactive() const { return m_interactive; }
  void SetInteractive(bool on) { m_interactive = on; }

 protected:
  // `text` is the formatted Windows-1251 message.
  virtual void Error(int n, const std::string& text) = 0;
  virtual bool Confirm(int n, const std::string& text) = 0;

 private:
  bool m_interactive = false;
};

// Answers every confirmation with No and keeps everything; for code paths
// that have nobody to ask.
class SilentReporter : public Reporter {
 public:
  void AddLoadError(const std::string&) override {}

 protected:
  void Error(int, const std::string&) override {}
  bool Confirm(int, const std::string&) override { return false; }
};

}  // namespace zm
