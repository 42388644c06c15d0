#include "app/form1.h"

#include <QMdiArea>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>

namespace zm {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Землемер"));
  resize(1000, 700);

  auto* splitter = new QSplitter(this);
  splitter->setObjectName("Splitter1");
  splitter->setHandleWidth(2);
  m_tree = new QTreeWidget(splitter);
  m_tree->setObjectName("TreeView1");
  m_tree->setHeaderHidden(true);
  m_tree->setIndentation(19);
  m_mdi = new QMdiArea(splitter);
  m_mdi->setObjectName("MDIClient");
  splitter->addWidget(m_tree);
  splitter->addWidget(m_mdi);
  splitter->setSizes({180, 820});
  splitter->setStretchFactor(1, 1);
  setCentralWidget(splitter);

  statusBar()->setObjectName("StatusBar1");
  BuildMenus();
}

QAction* TForm1::AddItem(QMenu* menu, const char* name, const char* caption,
                         const QKeySequence& key) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  a->setObjectName(QString::fromLatin1(name));
  if (!key.isEmpty()) a->setShortcut(key);
  return a;
}

void TForm1::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
  AddItem(file, "MI_Open", "Открыть", QKeySequence("Ctrl+O"))->setEnabled(false);
  AddItem(file, "MI_Restore", "Восстановить", QKeySequence("Ctrl+Z"))->setEnabled(false);
  AddItem(file, "MI_Save", "Сохранить", QKeySequence("Ctrl+S"));
  file->addSeparator();
  AddItem(file, "MI_LoadZone", "Загрузить зону", QKeySequence("F3"))->setEnabled(false);
  AddItem(file, "MI_SaveZone", "Сохранить зону", QKeySequence("F2"));
  file->addSeparator();
  AddItem(file, "MI_Settings", "Настройки", QKeySequence("F9"));
  file->addSeparator();
  QAction* exit = AddItem(file, "MI_Exit", "Выход", QKeySequence("F10"));
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("Редактор"));
  AddItem(edit, "MI_Add", "Добавить", QKeySequence("Ctrl+H"));
  AddItem(edit, "MI_Delete", "Удалить", QKeySequence("Ctrl+Y"));
  AddItem(edit, "MI_Copy", "Копировать", QKeySequence("Ctrl+C"))->setEnabled(false);
  edit->addSeparator();
  QAction* confirm = AddItem(edit, "MI_Confirm", "Подтверждение изменений", QKeySequence());
  confirm->setCheckable(true);

  QMenu* windows = menuBar()->addMenu(QStringLiteral("Окна"));
  windows->setObjectName("MI_Windows");
  QAction* tile = AddItem(windows, "MI_Tile", "Разделить", QKeySequence());
  connect(tile, &QAction::triggered, m_mdi, &QMdiArea::tileSubWindows);
  QAction* cascade = AddItem(windows, "MI_Cascad", "Каскад", QKeySequence());
  connect(cascade, &QAction::triggered, m_mdi, &QMdiArea::cascadeSubWindows);
  windows->addSeparator();

  QMenu* help = menuBar()->addMenu(QStringLiteral("Помощь"));
  AddItem(help, "MI_About", "О программе", QKeySequence());
}

}  // namespace zm
