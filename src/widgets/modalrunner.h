#pragma once
// Every modal dialog of the shell is run through here, so that tests can
// answer it without a human.
class QDialog;

namespace zm {

class ModalRunner {
 public:
  virtual ~ModalRunner() = default;
  // The dialog's result code (QDialog::Accepted, Rejected, or a button).
  virtual int Run(QDialog& dialog);
};

}  // namespace zm
