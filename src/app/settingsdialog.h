#pragma once
// The settings dialog: file coding and line end for saving, three switches
// no operation reads, the window-position switch, and the font.
#include <QDialog>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;

namespace Ui {
class SettingsDialog;
}

namespace zm {

struct AppSettings;

class SettingsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit SettingsDialog(QWidget* parent = nullptr);
  ~SettingsDialog() override;

  QComboBox* ComboBox1() const;
  QComboBox* ComboBox2() const;
  QCheckBox* CheckBox(int n) const;  // 1 to 4

  void ReadFrom(const AppSettings& s);
  void WriteTo(AppSettings& s) const;

  // "Шрифт": the main window opens its font dialog and applies the choice.
  std::function<void()> OnFontEd;

  // Called when the dialog is shown; Cancel goes back to these values.
  void TakeSnapshot();
  void reject() override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  std::unique_ptr<Ui::SettingsDialog> m_ui;
  int m_coding = 0, m_lineBreak = 0;
  bool m_checks[4] = {};
};

}  // namespace zm
