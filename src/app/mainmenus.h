#pragma once
// The main window's menu bar and the tree's popup menu: their items, with the
// objectNames the tests and hints use. The main window connects them.
#include "app/treecontrol.h"

class QAction;
class QMainWindow;
class QMenu;

namespace zm {

struct MainMenus {
  QAction* Save = nullptr;
  QAction* SaveZone = nullptr;
  QAction* Settings = nullptr;
  QAction* Exit = nullptr;
  QAction* Undo = nullptr;
  QAction* Redo = nullptr;
  QAction* Add = nullptr;
  QAction* Delete = nullptr;
  QAction* WhereUsed = nullptr;
  QAction* Search = nullptr;
  QAction* CheckWorld = nullptr;
  QAction* CompareFolder = nullptr;
  QAction* Tile = nullptr;
  QAction* Cascade = nullptr;
  QAction* About = nullptr;
  // Editor windows add themselves below the separator.
  QMenu* WindowMenu = nullptr;
  QMenu* TreePopup = nullptr;
  PopupActions Popup;
  QAction* PopupWhereUsed = nullptr;
  QAction* PopupCopyZone = nullptr;
  QAction* PopupRenumberZone = nullptr;
};

MainMenus BuildMainMenus(QMainWindow& window);

}  // namespace zm
