#include "common/editcmdmenu.h"

#include <gtest/gtest.h>

#include "core/testutil.h"

namespace zm {
namespace {

TEST(EditCmdMenu, ItemsFindTheirSubmenuCommandAndCaption) {
  const std::string file =
      W("; команды редактора\r\n"
        "[SUBMENUS]\r\n"
        "if=Условия\r\n"
        "ifelse=Никогда не выбирается\r\n"
        "act = Действия \r\n"
        "=без ключа\r\n"
        "\r\n"
        "[MENUITEMS]\r\n"
        "if1=if %actor.level% > 10|Уровень больше 10\r\n"
        "ifelse1=else|\r\n"
        "act1 = mecho |  Сообщение  \r\n"
        "say=say Привет\r\n"
        "pipes=||\r\n"
        "quoted=\"wait 1 | Пауза\"\r\n"
        "noequals\r\n"
        "[Other]\r\n"
        "if9=ignored|x\r\n"
        "[menuitems]\n"
        "act2=mat 100|Multi|pipe\n");
  EditCmdMenu m = ParseEditCmdMenu(file);

  ASSERT_EQ(m.Submenus.size(), 3u);
  EXPECT_EQ(m.Submenus[2].Key, "act");
  EXPECT_EQ(m.Submenus[2].Caption, W("Действия"));

  struct Want {
    std::string caption;
    std::string command;
    int submenu;
  };
  const std::vector<Want> want = {
      {W("Уровень больше 10\tif %actor.level% > 10"), "if %actor.level% > 10", 0},
      {"ifelse1\telse", "else", 0},  // the first prefix wins, not the longest
      {W("Сообщение\tmecho "), "mecho ", 2},
      {W("say\tsay Привет"), W("say Привет"), -1},  // no "|": the whole value
      {"pipes\t", "", -1},
      {W("Пауза\twait 1 "), "wait 1 ", -1},
      {"Multi|pipe\tmat 100", "mat 100", 2},
  };
  ASSERT_EQ(m.Items.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(m.Items[i].Caption, want[i].caption);
    EXPECT_EQ(m.Items[i].Command, want[i].command);
    EXPECT_EQ(m.Items[i].Submenu, want[i].submenu);
    EXPECT_EQ(m.Items[i].Tag, static_cast<int>(i));
    EXPECT_EQ(m.CommandOf(m.Items[i].Tag), want[i].command);
  }
  EXPECT_EQ(m.CommandOf(-1), "");
  EXPECT_EQ(m.CommandOf(99), "");
}

TEST(EditCmdMenu, MissingOrEmptyFileGivesAnEmptyMenu) {
  test::TempDir dir;
  for (const auto& m : {LoadEditCmdMenu(dir / "editcmdmenu"), LoadEditCmdMenu(dir.path()),
                        ParseEditCmdMenu(""), ParseEditCmdMenu("[MENUITEMS")}) {
    EXPECT_TRUE(m.Submenus.empty());
    EXPECT_TRUE(m.Items.empty());
  }
  test::WriteFile(dir / "editcmdmenu", "[MENUITEMS]\nx=y\n");
  EXPECT_EQ(LoadEditCmdMenu(dir / "editcmdmenu").Items.size(), 1u);
}

TEST(EditCmdMenu, InsertsAtTheCaretAndMovesPastTheCommand) {
  struct Case {
    std::string text;
    size_t caret;
    std::string command;
    std::string out;
    size_t outCaret;
  };
  const std::vector<Case> cases = {
      {"ab", 1, "XY", "aXYb", 3}, {"", 0, "say", "say", 3}, {"ab", 2, "!", "ab!", 3},
      {"ab", 50, "!", "ab!", 3},  // a caret past the end stays at the end
      {"ab", 0, "", "ab", 0},
  };
  for (const auto& c : cases) {
    InsertedCommand r = InsertCommand(c.text, c.caret, c.command);
    EXPECT_EQ(r.Text, c.out);
    EXPECT_EQ(r.Caret, c.outCaret);
  }
}

}  // namespace
}  // namespace zm
