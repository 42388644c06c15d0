#include "widgets/hints.h"

#include <QWidget>
#include <fstream>
#include <iterator>

#include "common/winutf8.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

std::string LowerKey(std::string_view key) {
  std::string out(key);
  for (char& c : out) c = static_cast<char>(WinLower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

bool THints::LoadHints(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  Parse(bytes);
  return true;
}

void THints::Parse(std::string_view bytes) {
  size_t pos = 0;
  while (pos < bytes.size()) {
    size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '*') continue;
    size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == line.size()) continue;
    std::string_view text = line.substr(colon + 1);
    if (text[0] == ' ') text.remove_prefix(1);
    std::string key(line.substr(0, colon));
    m_index.try_emplace(LowerKey(key), m_items.size());
    m_items.emplace_back(std::move(key), std::string(text));
  }
}

const std::string* THints::Find(std::string_view key) const {
  auto it = m_index.find(LowerKey(key));
  return it == m_index.end() ? nullptr : &m_items[it->second].second;
}

bool THints::ApplyHint(QWidget* control, const QString& key) const {
  if (!control) return false;
  const std::string* text = Find(FromQt(key.isEmpty() ? control->objectName() : key));
  if (!text) return false;
  control->setToolTip(ToQt(*text));
  return true;
}

}  // namespace zm
