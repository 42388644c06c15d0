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

int GuiReporter::Choose(int, const std::string& text, const std::vector<std::string>& answers) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Подтверждение"), ToQt(text),
                  QMessageBox::NoButton, m_parent);
  std::vector<QAbstractButton*> buttons;
  for (size_t i = 0; i < answers.size(); ++i) {
    const bool last = i + 1 == answers.size();
    buttons.push_back(
        box.addButton(ToQt(answers[i]), last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
  }
  if (!buttons.empty()) box.setEscapeButton(buttons.back());
  // The runner gives no button back for custom ones: the clicked one tells.
  m_runner.Run(box);
  for (size_t i = 0; i < buttons.size(); ++i)
    if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
  return static_cast<int>(answers.size()) - 1;
}

}  // namespace zm
