#pragma once
// The editor command menu of Bases/editcmdmenu: submenus and command items
// that insert a ready-made script command into the text being edited.
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zm {

struct EditCmdSubmenu {
  std::string Key;
  std::string Caption;
};

struct EditCmdItem {
  std::string Key;
  // Description, TAB, command: the part after the TAB is the shortcut column.
  std::string Caption;
  std::string Command;
  int Tag = 0;       // index of the item, used to find its command
  int Submenu = -1;  // index into Submenus, -1 for the top level
};

struct EditCmdMenu {
  std::vector<EditCmdSubmenu> Submenus;
  std::vector<EditCmdItem> Items;

  // Empty for a tag that names no item.
  std::string CommandOf(int tag) const;
};

// INI text in Windows-1251 with the sections SUBMENUS and MENUITEMS.
EditCmdMenu ParseEditCmdMenu(std::string_view bytes);
// An unreadable or missing file gives an empty menu.
EditCmdMenu LoadEditCmdMenu(const std::filesystem::path& file);

struct InsertedCommand {
  std::string Text;
  size_t Caret = 0;
};
// `command` put in at the caret (clamped to the text), the caret after it.
InsertedCommand InsertCommand(std::string_view text, size_t caret, std::string_view command);

}  // namespace zm
