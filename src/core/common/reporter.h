#pragma once
// How the core tells the user something: the GUI shows message boxes and the
// load errors window, the CLI writes to stderr, tests record.
#include <string>
#include <vector>

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
  // The index (0, 1, 2) of the answer of ChoiceAnswers(n) chosen; 2, the
  // last, leaves everything as it was.
  int AskChoice(ChoiceMsg n, const FmtArgs& args = {}) {
    const int a = Choose(static_cast<int>(n), FormatMessage(ChoiceText(n), args), ChoiceAnswers(n));
    return a >= 0 && a <= 2 ? a : 2;
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
  virtual int Choose(int n, const std::string& text, const std::vector<std::string>& answers) = 0;

 private:
  bool m_interactive = false;
};

// Keeps the first error (and, when told, the first warning) of a reading
// nobody is asked about: a scratch world's.
class FirstErrorReporter : public Reporter {
 public:
  explicit FirstErrorReporter(bool warningsToo) : m_warningsToo(warningsToo) {}
  std::string first;
  void AddLoadError(const std::string& text) override { keep(text); }
  void AddLoadWarning(const std::string& text) override {
    if (m_warningsToo) keep(text);
  }

 protected:
  void Error(int, const std::string& text) override { keep(text); }
  bool Confirm(int, const std::string&) override { return false; }
  int Choose(int, const std::string&, const std::vector<std::string>&) override { return 2; }

 private:
  void keep(const std::string& text) {
    if (first.empty()) first = text;
  }
  bool m_warningsToo;
};

// Answers every confirmation with No (and every choice with its last answer) and keeps everything;
// for code paths that have nobody to ask.
class SilentReporter : public Reporter {
 public:
  void AddLoadError(const std::string&) override {}

 protected:
  void Error(int, const std::string&) override {}
  bool Confirm(int, const std::string&) override { return false; }
  int Choose(int, const std::string&, const std::vector<std::string>&) override { return 2; }
};

}  // namespace zm
