#include "app/loaderrorsdialog.h"

#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "widgets/qtext.h"

namespace zm {

LoadErrorsDialog::LoadErrorsDialog(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
  setObjectName("TLoadErrorForm");
  setWindowTitle(QStringLiteral("Ошибки при загрузке файлов"));
  resize(560, 220);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_list = new QListWidget(this);
  m_list->setObjectName("ErrorListBox");
  layout->addWidget(m_list);
}

void LoadErrorsDialog::AddLoadError(const std::string& text, bool interactive) {
  if (m_list->count() == 0 && interactive) {
    // Over the lower part of the main window, where it hides the least.
    if (QWidget* main = parentWidget(); main && !m_placed) {
      const QRect g = main->frameGeometry();
      move(g.x() + std::max(0, (g.width() - width()) / 2),
           g.y() + std::max(0, g.height() - height() - 40));
      m_placed = true;
    }
    show();
  }
  // A message may carry a line break ("...\r\nОшибка в комнате"); one row each.
  QString line = ToQt(text);
  line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  m_list->addItem(line);
  m_list->scrollToBottom();
}

}  // namespace zm
