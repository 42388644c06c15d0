#pragma once
// The modal load window: two progress bars and two labels while the world
// is read on this thread; it keeps painting between files and closes itself
// 100 ms after the load.
#include <QDialog>
#include <QElapsedTimer>
#include <functional>
#include <memory>

#include "load/loadworld.h"

class QLabel;
class QProgressBar;
class QTimer;

namespace Ui {
class LoadProgressDialog;
}

namespace zm {

class ModalRunner;

class LoadProgressDialog : public QDialog, public LoadProgress {
  Q_OBJECT
 public:
  explicit LoadProgressDialog(QWidget* parent = nullptr);
  ~LoadProgressDialog() override;

  using Job = std::function<void(LoadProgress&)>;
  // Shows the window modally and runs `job` once it is on screen; returns
  // when the window has closed itself. With `showLoadTime` the time the
  // load took is shown first, through `runner`.
  int ExecuteLoad(Job job, bool showLoadTime, ModalRunner& runner);

  // "%d h, %d min, %d sec, %d msec".
  static QString LoadTimeText(qint64 ms);

  QLabel* TotalLabel() const;
  QLabel* CurLabel() const;
  QProgressBar* CurProgressBar() const;
  QProgressBar* TotalProgressBar() const;

  // LoadProgress.
  void Phase(const std::string& title, int files) override;
  void File(const std::string& name) override;
  void Step() override;
  void Total(int steps) override;

  // The user cannot cancel the load.
  void reject() override {}

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void FormActivate();
  void Timer1Timer();
  void repaintNow();

  std::unique_ptr<Ui::LoadProgressDialog> m_ui;
  QTimer* m_timer1;
  Job m_job;
  ModalRunner* m_runner = nullptr;
  bool m_showLoadTime = false;
  bool m_started = false;
  bool m_done = false;
  QElapsedTimer m_start;
  QElapsedTimer m_lastPaint;
};

}  // namespace zm
