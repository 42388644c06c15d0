#include "app/loadprogressdialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>

#include "ui_loadprogressdialog.h"
#include "widgets/modalrunner.h"
#include "widgets/qtext.h"

namespace zm {

LoadProgressDialog::LoadProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_ui(new Ui::LoadProgressDialog),
      m_timer1(new QTimer(this)) {
  m_ui->setupUi(this);
  setFixedSize(size());
  m_timer1->setInterval(100);
  m_timer1->setSingleShot(true);
  connect(m_timer1, &QTimer::timeout, this, &LoadProgressDialog::Timer1Timer);
}

LoadProgressDialog::~LoadProgressDialog() = default;

QLabel* LoadProgressDialog::TotalLabel() const {
  return m_ui->TotalLabel;
}
QLabel* LoadProgressDialog::CurLabel() const {
  return m_ui->CurLabel;
}
QProgressBar* LoadProgressDialog::CurProgressBar() const {
  return m_ui->CurProgressBar;
}
QProgressBar* LoadProgressDialog::TotalProgressBar() const {
  return m_ui->TotalProgressBar;
}

QString LoadProgressDialog::LoadTimeText(qint64 ms) {
  return QStringLiteral("%1 h, %2 min, %3 sec, %4 msec")
      .arg(ms / 3600000)
      .arg(ms / 60000 % 60)
      .arg(ms / 1000 % 60)
      .arg(ms % 1000);
}

int LoadProgressDialog::ExecuteLoad(Job job, bool showLoadTime, ModalRunner& runner) {
  m_job = std::move(job);
  m_runner = &runner;
  m_showLoadTime = showLoadTime;
  m_started = false;
  m_done = false;
  m_ui->CurProgressBar->setValue(0);
  m_ui->TotalProgressBar->setValue(0);
  m_ui->CurProgressBar->setMaximum(6);
  m_ui->CurLabel->clear();
  m_ui->TotalLabel->setText(QStringLiteral("Поиск файлов"));
  return exec();
}

void LoadProgressDialog::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormActivate();
}

void LoadProgressDialog::FormActivate() {
  if (m_started) return;
  m_started = true;
  // Started from the event loop, so the window is on screen first.
  QTimer::singleShot(0, this, [this] {
    m_start.start();
    m_lastPaint.start();
    if (m_job) m_job(*this);
    m_job = nullptr;
    m_timer1->start();
  });
}

void LoadProgressDialog::Timer1Timer() {
  const qint64 ms = m_start.elapsed();
  if (m_showLoadTime && m_runner) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Землемер"), LoadTimeText(ms),
                    QMessageBox::Ok, this);
    m_runner->Run(box);
  }
  m_done = true;
  done(QDialog::Accepted);
}

void LoadProgressDialog::closeEvent(QCloseEvent* e) {
  if (!m_done) e->ignore();
}

void LoadProgressDialog::repaintNow() {
  // Enough to keep the window alive without spending the load on painting.
  if (m_lastPaint.isValid() && m_lastPaint.elapsed() < 40) return;
  m_lastPaint.restart();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void LoadProgressDialog::Phase(const std::string& title, int files) {
  m_ui->TotalLabel->setText(ToQt(title));
  // A phase without files shows an empty bar, not a busy one.
  m_ui->CurProgressBar->setMaximum(std::max(files, 1));
  m_ui->CurProgressBar->setValue(0);
  repaintNow();
}

void LoadProgressDialog::File(const std::string& name) {
  m_ui->CurLabel->setText(QString::fromStdString(name));
  repaintNow();
}

void LoadProgressDialog::Step() {
  auto bump = [](QProgressBar* bar) {
    if (bar->value() < bar->maximum()) bar->setValue(std::max(bar->value(), 0) + 1);
  };
  bump(m_ui->CurProgressBar);
  bump(m_ui->TotalProgressBar);
}

void LoadProgressDialog::Total(int steps) {
  m_ui->TotalProgressBar->setMaximum(std::max(steps, 1));
  m_ui->TotalProgressBar->setValue(0);
}

}  // namespace zm
