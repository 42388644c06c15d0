#include "app/guireporter.h"

#include <QMessageBox>
#include <QPushButton>
#include <iostream>

#include "app/loaderrorsdialog.h"
#include "common/winutf8.h"
#include "widgets/modalrunner.h"
#include "widgets/qtext.h"

namespace zm {

void GuiReporter::AddLoadError(const std::string& text) {
  m_errors.AddLoadError(text, Interactive());
}

void GuiReporter::Error(int, const std::string& text) {
  // Before the main window is up nothing may pop up; the text is not lost.
  if (!Interactive()) {
    std::cerr << WinToUtf8(text) << "\n";
    return;
  }
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Ошибка"), ToQt(text), QMessageBox::Ok,
                  m_parent);
  m_runner.Run(box);
}

bool GuiReporter::Confirm(int, const std::string& text) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Подтверждение"), ToQt(text),
                  QMessageBox::Yes | QMessageBox::No, m_parent);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
  box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
  return m_runner.Run(box) == QMessageBox::Yes;
}

}  // namespace zm
