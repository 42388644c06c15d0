#pragma once
// The description dialog: made at start-up and given the application font;
// no command opens it yet.
#include <QDialog>
#include <memory>

class QPlainTextEdit;

namespace Ui {
class TDescForm;
}

namespace zm {

class TDescForm : public QDialog {
  Q_OBJECT
 public:
  explicit TDescForm(QWidget* parent = nullptr);
  ~TDescForm() override;

  QPlainTextEdit* Memo() const;
  // Set by "Ok", cleared whenever the dialog is shown.
  bool Accepted = false;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  std::unique_ptr<Ui::TDescForm> m_ui;
};

}  // namespace zm
