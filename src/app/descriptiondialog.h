#pragma once
// The description dialog: made at start-up and given the application font;
// no command opens it yet.
#include <QDialog>
#include <memory>

class QPlainTextEdit;

namespace Ui {
class DescriptionDialog;
}

namespace zm {

class DescriptionDialog : public QDialog {
  Q_OBJECT
 public:
  explicit DescriptionDialog(QWidget* parent = nullptr);
  ~DescriptionDialog() override;

  QPlainTextEdit* Memo() const;
  // Set by "Ok", cleared whenever the dialog is shown.
  bool Accepted = false;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  std::unique_ptr<Ui::DescriptionDialog> m_ui;
};

}  // namespace zm
