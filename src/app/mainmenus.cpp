// The main menu, the tree's popup menu and what their items run.
#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "app/commands.h"
#include "app/editorwindows.h"
#include "app/form1.h"
#include "app/treecontrol.h"

namespace zm {
namespace {

QAction* AddItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  a->setObjectName(QString::fromLatin1(name));
  if (!key.isEmpty()) a->setShortcut(key);
  return a;
}

}  // namespace

void TForm1::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("Файл"));
  file->setObjectName("MM_File");
  // Opening, restoring and loading a single zone have no action yet.
  AddItem(file, "MI_Open", "Открыть", QKeySequence(QStringLiteral("Ctrl+O")))->setEnabled(false);
  AddItem(file, "MI_Restore", "Восстановить", QKeySequence(QStringLiteral("Ctrl+Z")))
      ->setEnabled(false);
  QAction* save = AddItem(file, "MI_Save", "Сохранить", QKeySequence(QStringLiteral("Ctrl+S")));
  file->addSeparator();
  AddItem(file, "MI_LoadZone", "Загрузить зону", QKeySequence(QStringLiteral("F3")))
      ->setEnabled(false);
  QAction* saveZone =
      AddItem(file, "MI_SaveZone", "Сохранить зону", QKeySequence(QStringLiteral("F2")));
  file->addSeparator();
  QAction* settings = AddItem(file, "MI_Settings", "Настройки", QKeySequence(QStringLiteral("F9")));
  file->addSeparator();
  QAction* exit = AddItem(file, "MI_Exit", "Выход", QKeySequence(QStringLiteral("F10")));

  QMenu* edit = menuBar()->addMenu(QStringLiteral("Редактор"));
  edit->setObjectName("MM_Editor");
  QAction* add = AddItem(edit, "MI_Add", "Добавить", QKeySequence(QStringLiteral("Ctrl+H")));
  QAction* del = AddItem(edit, "MI_Delete", "Удалить", QKeySequence(QStringLiteral("Ctrl+Y")));
  AddItem(edit, "MI_Copy", "Копировать", QKeySequence(QStringLiteral("Ctrl+C")))->setEnabled(false);
  edit->addSeparator();
  QAction* confirm = AddItem(edit, "MI_Confirm", "Подтверждение изменений", QKeySequence());
  confirm->setCheckable(true);

  m_windowMenu = menuBar()->addMenu(QStringLiteral("Окна"));
  m_windowMenu->setObjectName("MM_Window");
  QAction* tile = AddItem(m_windowMenu, "MI_Tile", "Разделить", QKeySequence());
  QAction* cascade = AddItem(m_windowMenu, "MI_Cascad", "Каскад", QKeySequence());
  m_windowMenu->addSeparator();

  QMenu* help = menuBar()->addMenu(QStringLiteral("Помощь"));
  help->setObjectName("MM_Help");
  QAction* about = AddItem(help, "MI_About", "О программе", QKeySequence());

  m_treePopup = new QMenu(this);
  m_treePopup->setObjectName("TreePopupMenu");
  PopupActions popup;
  popup.InNewWindow = AddItem(m_treePopup, "MI_InNewWindow", "В новом окне", QKeySequence());
  m_treePopup->addSeparator();
  popup.Add = AddItem(m_treePopup, "MI_PAdd", "Добавить", QKeySequence());
  popup.Delete = AddItem(m_treePopup, "MI_PDelete", "Удалить", QKeySequence());
  popup.Copy = AddItem(m_treePopup, "MI_PCopy", "Копировать", QKeySequence());
  popup.Copy->setEnabled(false);

  m_windows = new EditorWindows(m_mdi, m_windowMenu, this);
  m_app.Windows = m_windows;
  m_treeControl = new TreeController(m_app, m_treeView, m_treePopup, popup, this);
  m_commands = new MainCommands(m_app, *m_treeControl, *m_czoneForm, this);

  connect(save, &QAction::triggered, m_commands, &MainCommands::MI_SaveClick);
  connect(saveZone, &QAction::triggered, m_commands, &MainCommands::MI_SaveZoneClick);
  connect(settings, &QAction::triggered, this, &TForm1::MI_SettingsClick);
  connect(exit, &QAction::triggered, this, &QWidget::close);
  connect(add, &QAction::triggered, m_commands, &MainCommands::MI_AddClick);
  connect(del, &QAction::triggered, m_commands, &MainCommands::MI_DeleteClick);
  connect(tile, &QAction::triggered, m_windows, &EditorWindows::Tile);
  connect(cascade, &QAction::triggered, m_windows, &EditorWindows::Cascade);
  connect(about, &QAction::triggered, this, &TForm1::MI_AboutClick);
  connect(popup.InNewWindow, &QAction::triggered, m_commands, &MainCommands::MI_InNewWindowClick);
  connect(popup.Add, &QAction::triggered, m_commands, &MainCommands::MI_PAddClick);
  connect(popup.Delete, &QAction::triggered, m_commands, &MainCommands::MI_PDeleteClick);
  connect(m_commands, &MainCommands::Saved, this,
          [this](const QString& text) { statusBar()->showMessage(text, 5000); });
}

}  // namespace zm
