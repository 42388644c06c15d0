#include "common/editcmdmenu.h"

#include <fstream>
#include <iterator>

#include "common/textutil.h"
#include "common/winutf8.h"

namespace zm {
namespace {

enum class Section { Other, Submenus, MenuItems };

// INI values lose one pair of enclosing quotes, as the settings files of the
// platform the data was written for do.
std::string unquote(std::string v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

Section sectionOf(std::string_view header) {
  size_t close = header.find(']');
  std::string name = Trim(header.substr(1, close == std::string_view::npos ? close : close - 1));
  if (WinEqualNoCase(name, "SUBMENUS")) return Section::Submenus;
  if (WinEqualNoCase(name, "MENUITEMS")) return Section::MenuItems;
  return Section::Other;
}

void addItem(EditCmdMenu& menu, const std::string& key, std::string value) {
  EditCmdItem item;
  item.Key = key;
  item.Tag = static_cast<int>(menu.Items.size());
  for (size_t s = 0; s < menu.Submenus.size(); ++s)
    if (std::string_view(key).starts_with(menu.Submenus[s].Key)) {
      item.Submenu = static_cast<int>(s);
      break;
    }
  item.Command = NextWord(value, "|");
  std::string description = Trim(value);
  if (description.empty()) description = key;
  item.Caption = description + "\t" + item.Command;
  menu.Items.push_back(std::move(item));
}

}  // namespace

std::string EditCmdMenu::CommandOf(int tag) const {
  if (tag < 0 || tag >= static_cast<int>(Items.size())) return {};
  return Items[static_cast<size_t>(tag)].Command;
}

EditCmdMenu ParseEditCmdMenu(std::string_view bytes) {
  EditCmdMenu menu;
  Section section = Section::Other;
  // Every item's submenu is looked up among all SUBMENUS lines, wherever the
  // sections stand in the file.
  std::vector<std::pair<std::string, std::string>> items;
  for (std::string_view raw : SplitLines(bytes)) {
    std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      section = sectionOf(line);
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos || section == Section::Other) continue;
    std::string key = Trim(std::string_view(line).substr(0, eq));
    if (key.empty()) continue;
    std::string value = unquote(Trim(std::string_view(line).substr(eq + 1)));
    if (section == Section::Submenus)
      menu.Submenus.push_back({std::move(key), std::move(value)});
    else
      items.emplace_back(std::move(key), std::move(value));
  }
  for (auto& [key, value] : items) addItem(menu, key, std::move(value));
  return menu;
}

EditCmdMenu LoadEditCmdMenu(const std::filesystem::path& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) return {};
  std::ifstream f(file, std::ios::binary);
  if (!f) return {};
  std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (f.bad()) return {};
  return ParseEditCmdMenu(bytes);
}

InsertedCommand InsertCommand(std::string_view text, size_t caret, std::string_view command) {
  if (caret > text.size()) caret = text.size();
  InsertedCommand r;
  r.Text.reserve(text.size() + command.size());
  r.Text.append(text.substr(0, caret)).append(command).append(text.substr(caret));
  r.Caret = caret + command.size();
  return r;
}

}  // namespace zm
