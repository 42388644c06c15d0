#pragma once
// Control hints from Help/hints: "Key: text" lines, looked up by a control's
// name or a given key, without regard to letter case.
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class QWidget;

namespace zm {

class THints {
 public:
  // False when the file cannot be read; the table then stays as it was.
  bool LoadHints(const std::filesystem::path& file);
  // Windows-1251 text. Later pairs with a key already present are kept but
  // never found, as the first one wins.
  void Parse(std::string_view bytes);

  int Count() const { return static_cast<int>(m_items.size()); }
  const std::pair<std::string, std::string>& At(int i) const {
    return m_items[static_cast<size_t>(i)];
  }
  // The text of the first pair with that key; nullptr when there is none.
  const std::string* Find(std::string_view key) const;

  // An empty key means the control's name. The control's tooltip becomes the
  // text; false (and the control untouched) when the table has no such key.
  bool ApplyHint(QWidget* control, const QString& key = {}) const;

 private:
  std::vector<std::pair<std::string, std::string>> m_items;
  std::unordered_map<std::string, size_t> m_index;  // lower-case key -> first pair
};

}  // namespace zm
