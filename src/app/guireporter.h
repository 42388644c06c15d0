#pragma once
// The Reporter of the editor: message boxes and the load errors window.
#include "common/reporter.h"

class QWidget;

namespace zm {

class ModalRunner;
class LoadErrorsDialog;

class GuiReporter : public Reporter {
 public:
  GuiReporter(QWidget* parent, LoadErrorsDialog& errors, ModalRunner& runner)
      : m_parent(parent), m_errors(errors), m_runner(runner) {}

  void AddLoadError(const std::string& text) override;

 protected:
  void Error(int n, const std::string& text) override;
  bool Confirm(int n, const std::string& text) override;
  int Choose(int n, const std::string& text, const std::vector<std::string>& answers) override;

 private:
  QWidget* m_parent;
  LoadErrorsDialog& m_errors;
  ModalRunner& m_runner;
};

}  // namespace zm
