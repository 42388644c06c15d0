#include "app/mainmenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace zm {
namespace {

QAction* AddItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key) {
  QAction* a = menu->addAction(QString::fromUtf8(caption));
  a->setObjectName(QString::fromLatin1(name));
  if (!key.isEmpty()) a->setShortcut(key);
  return a;
}

}  // namespace

MainMenus BuildMainMenus(QMainWindow& window) {
  MainMenus m;
  QMenu* file = window.menuBar()->addMenu(QStringLiteral("Файл"));
  file->setObjectName("MM_File");
  // Opening, restoring and loading a single zone have no action yet.
  AddItem(file, "MI_Open", "Открыть", QKeySequence(QStringLiteral("Ctrl+O")))->setEnabled(false);
  // Ctrl+Z belongs to the world's undo.
  AddItem(file, "MI_Restore", "Восстановить", QKeySequence())->setEnabled(false);
  m.Save = AddItem(file, "MI_Save", "Сохранить", QKeySequence(QStringLiteral("Ctrl+S")));
  file->addSeparator();
  AddItem(file, "MI_LoadZone", "Загрузить зону", QKeySequence(QStringLiteral("F3")))
      ->setEnabled(false);
  m.SaveZone = AddItem(file, "MI_SaveZone", "Сохранить зону", QKeySequence(QStringLiteral("F2")));
  file->addSeparator();
  m.Settings = AddItem(file, "MI_Settings", "Настройки", QKeySequence(QStringLiteral("F9")));
  file->addSeparator();
  m.Exit = AddItem(file, "MI_Exit", "Выход", QKeySequence(QStringLiteral("F10")));

  QMenu* edit = window.menuBar()->addMenu(QStringLiteral("Редактор"));
  edit->setObjectName("MM_Editor");
  m.Undo = AddItem(edit, "MI_Undo", "Отменить", QKeySequence(QStringLiteral("Ctrl+Z")));
  m.Redo = AddItem(edit, "MI_Redo", "Повторить", QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
  m.Undo->setEnabled(false);
  m.Redo->setEnabled(false);
  edit->addSeparator();
  m.Add = AddItem(edit, "MI_Add", "Добавить", QKeySequence(QStringLiteral("Ctrl+H")));
  m.Delete = AddItem(edit, "MI_Delete", "Удалить", QKeySequence(QStringLiteral("Ctrl+Y")));
  AddItem(edit, "MI_Copy", "Копировать", QKeySequence(QStringLiteral("Ctrl+C")))->setEnabled(false);
  edit->addSeparator();
  m.WhereUsed =
      AddItem(edit, "MI_WhereUsed", "Где используется", QKeySequence(QStringLiteral("Ctrl+U")));
  m.Search = AddItem(edit, "MI_Search", "Поиск", QKeySequence(QStringLiteral("Ctrl+Shift+F")));
  m.CheckWorld = AddItem(edit, "MI_CheckWorld", "Проверить мир", QKeySequence());
  m.CompareFolder = AddItem(edit, "MI_CompareFolder", "Сравнить с папкой…", QKeySequence());
  edit->addSeparator();
  QAction* confirm = AddItem(edit, "MI_Confirm", "Подтверждение изменений", QKeySequence());
  confirm->setCheckable(true);

  m.WindowMenu = window.menuBar()->addMenu(QStringLiteral("Окна"));
  m.WindowMenu->setObjectName("MM_Window");
  m.Tile = AddItem(m.WindowMenu, "MI_Tile", "Разделить", QKeySequence());
  m.Cascade = AddItem(m.WindowMenu, "MI_Cascad", "Каскад", QKeySequence());
  m.WindowMenu->addSeparator();

  QMenu* help = window.menuBar()->addMenu(QStringLiteral("Помощь"));
  help->setObjectName("MM_Help");
  m.About = AddItem(help, "MI_About", "О программе", QKeySequence());

  m.TreePopup = new QMenu(&window);
  m.TreePopup->setObjectName("TreePopupMenu");
  m.Popup.InNewWindow = AddItem(m.TreePopup, "MI_InNewWindow", "В новом окне", QKeySequence());
  m.TreePopup->addSeparator();
  m.Popup.Add = AddItem(m.TreePopup, "MI_PAdd", "Добавить", QKeySequence());
  m.Popup.Delete = AddItem(m.TreePopup, "MI_PDelete", "Удалить", QKeySequence());
  m.Popup.Copy = AddItem(m.TreePopup, "MI_PCopy", "Копировать", QKeySequence());
  m.Popup.Copy->setEnabled(false);
  m.TreePopup->addSeparator();
  m.PopupWhereUsed = AddItem(m.TreePopup, "MI_PWhereUsed", "Где используется", QKeySequence());
  m.PopupCopyZone = AddItem(m.TreePopup, "MI_PCopyZone", "Копировать зону…", QKeySequence());
  m.PopupRenumberZone =
      AddItem(m.TreePopup, "MI_PRenumberZone", "Перенумеровать зону…", QKeySequence());

  return m;
}

}  // namespace zm
