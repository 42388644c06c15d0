#include "app/form1.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>

namespace zm {
namespace {

TEST(MainWindow, TitleAndMenus) {
  TForm1 w;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Землемер"));
  QStringList menus;
  for (QAction* a : w.menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{"Файл", "Редактор", "Окна", "Помощь"}));
  struct Item {
    const char* name;
    const char* key;
    bool enabled;
  };
  for (const Item& i : {Item{"MI_Save", "Ctrl+S", true}, Item{"MI_SaveZone", "F2", true},
                        Item{"MI_Open", "Ctrl+O", false}, Item{"MI_Add", "Ctrl+H", true},
                        Item{"MI_Delete", "Ctrl+Y", true}, Item{"MI_Exit", "F10", true}}) {
    auto* a = w.findChild<QAction*>(i.name);
    ASSERT_NE(a, nullptr) << i.name;
    EXPECT_EQ(a->shortcut(), QKeySequence(i.key)) << i.name;
    EXPECT_EQ(a->isEnabled(), i.enabled) << i.name;
  }
}

}  // namespace
}  // namespace zm
