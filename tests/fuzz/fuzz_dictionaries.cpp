// Dictionary files and the editor command menu over arbitrary bytes. Beside
// not crashing, a value shown in a control and read back untouched must come
// back byte for byte, whatever the dictionary holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/dictionaries.h"
#include "common/editcmdmenu.h"

namespace {

using namespace zm;

class MemoryControl : public DictControl {
 public:
  std::string ControlName() const override { return "Fuzz"; }
  void ClearItems() override {
    m_items.clear();
    m_checks.clear();
    m_selected = -1;
  }
  void AddItem(const std::string& text) override {
    m_items.push_back(text);
    m_checks.push_back(false);
  }
  int ItemCount() const override { return static_cast<int>(m_items.size()); }
  std::string ItemText(int i) const override { return ok(i) ? m_items[i] : std::string(); }
  void RemoveItemsFrom(int n) override {
    if (n < 0 || n >= ItemCount()) return;
    m_items.resize(n);
    m_checks.resize(n);
    if (m_selected >= n) m_selected = -1;
  }
  int SelectedIndex() const override { return m_selected; }
  void SetSelectedIndex(int i) override { m_selected = ok(i) ? i : -1; }
  bool IsChecked(int i) const override { return ok(i) && m_checks[i]; }
  void SetChecked(int i, bool on) override {
    if (ok(i)) m_checks[i] = on;
  }
  void SetRowCount(int n) override { m_rows = n; }
  void SetCell(int, int row, const std::string&) override {
    if (row < 0 || row >= m_rows) std::abort();
  }

 private:
  bool ok(int i) const { return i >= 0 && i < ItemCount(); }
  std::vector<std::string> m_items;
  std::vector<bool> m_checks;
  int m_selected = -1;
  int m_rows = 0;
};

void driveDictionary(std::string_view file, std::string_view values, uint8_t selector) {
  Dictionary dict("F", "f", "Fuzz", selector % 3, (selector & 4) != 0);
  dict.Items = ParseDictionary(file, dict.SkipSecond);
  MemoryControl c;
  dict.Bind(&c);
  for (int i = 0; i <= dict.Count(); ++i) (void)dict.TextOf(dict.KeyAt(i));

  // Values are the input's lines; each is shown, read back, then changed.
  size_t start = 0;
  for (int n = 0; n < 64 && start <= values.size(); ++n) {
    size_t end = values.find('\n', start);
    if (end == std::string_view::npos) end = values.size();
    std::string value(values.substr(start, end - start));
    start = end + 1;

    dict.ShowValue(value);
    if (dict.Kind != kDictGrid && dict.ReadValue() != value) std::abort();
    int pick = value.empty() ? -1 : static_cast<unsigned char>(value[0]) % (c.ItemCount() + 1);
    c.SetSelectedIndex(pick);
    c.SetChecked(pick, !c.IsChecked(pick));
    (void)dict.ReadValue();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  // The file and the values shown are split at the first zero byte.
  size_t split = bytes.find('\0');
  std::string_view file = bytes.substr(0, split);
  std::string_view values = split == std::string_view::npos ? "" : bytes.substr(split + 1);
  driveDictionary(file, values, data[0]);

  EditCmdMenu menu = ParseEditCmdMenu(bytes);
  for (const auto& item : menu.Items) {
    if (item.Submenu >= static_cast<int>(menu.Submenus.size())) std::abort();
    InsertedCommand r = InsertCommand(file, item.Tag * 7, menu.CommandOf(item.Tag));
    if (r.Caret > r.Text.size()) std::abort();
  }
  return 0;
}
