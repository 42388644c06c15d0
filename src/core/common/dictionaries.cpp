#include "common/dictionaries.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "common/reporter.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "common/worldbuffer.h"

namespace zm {
namespace {

std::string_view keyPart(std::string_view item) {
  size_t eq = item.find('=');
  return eq == std::string_view::npos ? item : item.substr(0, eq);
}

std::string_view textPart(std::string_view item) {
  size_t eq = item.find('=');
  return eq == std::string_view::npos ? std::string_view() : item.substr(eq + 1);
}

// Bases folders come from systems that ignore letter case in file names.
std::filesystem::path findFile(const std::filesystem::path& folder, const std::string& name) {
  std::filesystem::path exact = folder / name;
  std::error_code ec;
  if (std::filesystem::exists(exact, ec)) return exact;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
    if (WinEqualNoCase(it->path().filename().string(), name)) return it->path();
  return exact;
}

bool readWholeFile(const std::filesystem::path& p, std::string& out) {
  std::error_code ec;
  if (std::filesystem::is_directory(p, ec)) return false;
  std::ifstream f(p, std::ios::binary);
  if (!f) return false;
  std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (f.bad()) return false;
  out = std::move(bytes);
  return true;
}

}  // namespace

DictControl::~DictControl() {
  for (Dictionary* b : m_boundBy) b->m_control = nullptr;
}

std::vector<std::string> ParseDictionary(std::string_view bytes, bool skipSecond) {
  std::vector<std::string> items;
  WorldBuffer buf;  // Windows-1251 as it stands: no coding set, no conversion
  buf.LoadFromBytes(std::string(bytes));
  while (!buf.BufferEof()) {
    std::string rest = buf.ReadBufferLine();
    if (rest.empty() || rest[0] == '*') continue;
    std::string key = NextWord(rest, kBlanks);
    // A line of blanks only is as empty as an empty one; an entry with no
    // key would show a blank item that no code selects.
    if (key.empty()) continue;
    if (skipSecond) NextWord(rest, kBlanks);
    items.push_back(key + "=" + rest);
  }
  return items;
}

Dictionary::Dictionary(std::string fileName, std::string name, std::string controlName,
                       uint8_t kind, bool skipSecond)
    : FileName(std::move(fileName)),
      Name(std::move(name)),
      Kind(kind),
      ControlName(std::move(controlName)),
      SkipSecond(skipSecond) {}

Dictionary::~Dictionary() {
  Bind(nullptr);
}

void Dictionary::Bind(DictControl* control) {
  if (m_control != control) {
    if (m_control) std::erase(m_control->m_boundBy, this);
    m_control = control;
    if (m_control) m_control->m_boundBy.push_back(this);
  }
  if (m_control) Fill(*m_control);
}

bool Dictionary::Load(const std::filesystem::path& basePath) {
  std::string bytes;
  if (!readWholeFile(findFile(basePath, FileName), bytes)) return false;
  Items = ParseDictionary(bytes, SkipSecond);
  if (m_control) Fill(*m_control);
  return true;
}

std::string Dictionary::KeyAt(int i) const {
  if (i < 0 || i >= Count()) return {};
  return std::string(keyPart(Items[static_cast<size_t>(i)]));
}

std::string Dictionary::TextAt(int i) const {
  if (i < 0 || i >= Count()) return {};
  return std::string(textPart(Items[static_cast<size_t>(i)]));
}

int Dictionary::IndexOf(std::string_view key) const {
  // Flag letters a..z and A..D are different bits of a plane, so flag codes
  // must match exactly; numeric codes may differ in case harmlessly.
  for (int i = 0; i < Count(); ++i) {
    std::string_view k = keyPart(Items[static_cast<size_t>(i)]);
    if (Kind == 1 ? k == key : WinEqualNoCase(k, key)) return i;
  }
  return -1;
}

std::string Dictionary::TextOf(std::string_view key) const {
  return TextAt(IndexOf(key));
}

void Dictionary::Fill(DictControl& c) const {
  c.Shown = {};
  c.Shown.FilledBy = this;
  if (Kind == kDictGrid) {
    c.SetRowCount(Count());
    for (int i = 0; i < Count(); ++i) c.SetCell(0, i, TextAt(i));
    return;
  }
  c.ClearItems();
  for (int i = 0; i < Count(); ++i) c.AddItem(TextAt(i));
}

void Dictionary::ShowValue(const std::string& value) const {
  if (m_control) ShowValue(*m_control, value);
}

std::string Dictionary::ReadValue() const {
  if (m_control) return ReadValue(*m_control);
  return Kind == kDictDropDown ? "-1" : "";
}

void Dictionary::ShowValue(DictControl& c, const std::string& value) const {
  if (Kind == kDictGrid) return;
  // Items that an earlier value added for its unknown codes go first.
  if (c.Shown.FilledBy != this || c.ItemCount() < Count())
    Fill(c);
  else if (c.ItemCount() > Count())
    c.RemoveItemsFrom(Count());
  c.Shown = {};
  c.Shown.FilledBy = this;
  c.Shown.Valid = true;
  c.Shown.Value = value;
  if (Kind == kDictDropDown)
    showDropDown(c, value);
  else
    showCheckList(c, value);
}

void Dictionary::showDropDown(DictControl& c, const std::string& value) const {
  int idx = IndexOf(value);
  // A code the dictionary does not know is shown as itself and kept.
  if (idx < 0 && !value.empty() && value != "-1") {
    c.AddItem(value);
    idx = c.ItemCount() - 1;
  }
  c.SetSelectedIndex(idx);
  c.Shown.Selected = c.SelectedIndex();
}

void Dictionary::showCheckList(DictControl& c, const std::string& value) const {
  for (int i = 0; i < c.ItemCount(); ++i) c.SetChecked(i, false);
  auto& s = c.Shown;
  for (size_t p = 0; p + 1 < value.size(); p += 2) {
    std::string pair = value.substr(p, 2);
    int idx = IndexOf(pair);
    if (idx < 0) {
      for (int i = Count(); i < c.ItemCount() && idx < 0; ++i)
        if (c.ItemText(i) == pair) idx = i;
      if (idx < 0) {
        c.AddItem(pair);
        idx = c.ItemCount() - 1;
      }
    }
    c.SetChecked(idx, true);
    s.Pairs.push_back(std::move(pair));
    s.PairItems.push_back(idx);
  }
  s.Checks.resize(static_cast<size_t>(c.ItemCount()));
  for (int i = 0; i < c.ItemCount(); ++i) s.Checks[static_cast<size_t>(i)] = c.IsChecked(i);
}

std::string Dictionary::ReadValue(const DictControl& c) const {
  if (Kind == kDictDropDown) return readDropDown(c);
  if (Kind == kDictCheckList) return readCheckList(c);
  return {};
}

std::string Dictionary::readDropDown(const DictControl& c) const {
  int idx = c.SelectedIndex();
  const auto& s = c.Shown;
  if (s.Valid && s.FilledBy == this && idx == s.Selected) return s.Value;
  if (idx < 0 || idx >= c.ItemCount()) return "-1";
  if (idx < Count()) return KeyAt(idx);
  return c.ItemText(idx);  // an unknown code's own item
}

std::string Dictionary::readCheckList(const DictControl& c) const {
  const int n = c.ItemCount();
  const auto& s = c.Shown;
  std::vector<bool> now(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) now[static_cast<size_t>(i)] = c.IsChecked(i);
  const bool shown = s.Valid && s.FilledBy == this;
  if (shown && now == s.Checks) return s.Value;
  if (!shown && n == 0) return "0";

  // The shown pairs still set keep their spelling; a lone trailing character
  // is no flag and goes once the user has changed the set.
  const int known = std::min(n, Count());
  std::vector<std::pair<int, std::string>> kept, added;
  std::vector<bool> spelled(static_cast<size_t>(known));
  for (size_t k = 0; shown && k < s.Pairs.size(); ++k) {
    const int i = s.PairItems[k];
    if (i < 0 || i >= n || !now[static_cast<size_t>(i)]) continue;
    kept.emplace_back(i < known ? i : -1, s.Pairs[k]);
    if (i < known) spelled[static_cast<size_t>(i)] = true;
  }
  for (int i = 0; i < known; ++i)
    if (now[static_cast<size_t>(i)] && !spelled[static_cast<size_t>(i)])
      added.emplace_back(i, KeyAt(i));
  std::string out;
  for (const std::string& pair : InItemOrder(kept, added)) out += pair;
  return out;
}

Dictionary& Dictionaries::add(std::unique_ptr<Dictionary> b, Reporter& reporter) {
  if (!b->Load(m_basePath)) reporter.ShowError(ErrorMsg::BasesLoad, {b->FileName});
  m_items.push_back(std::move(b));
  return *m_items.back();
}

Dictionary& Dictionaries::AddBound(const std::string& fileName, const std::string& name,
                                   DictControl& control, uint8_t kind, bool skipSecond,
                                   Reporter& reporter) {
  auto b = std::make_unique<Dictionary>(fileName, name, control.ControlName(), kind, skipSecond);
  b->Bind(&control);
  return add(std::move(b), reporter);
}

Dictionary& Dictionaries::AddNamed(const std::string& fileName, const std::string& name,
                                   const std::string& controlName, uint8_t kind, bool skipSecond,
                                   Reporter& reporter) {
  return add(std::make_unique<Dictionary>(fileName, name, controlName, kind, skipSecond), reporter);
}

Dictionary* Dictionaries::Find(std::string_view name) const {
  for (const auto& b : m_items)
    if (b->Name == name) return b.get();
  return nullptr;
}

uint8_t Dictionaries::BindControl(DictControl& control, std::string_view name) {
  Dictionary* found = nullptr;
  if (!name.empty()) {
    found = Find(name);
  } else {
    std::string controlName = control.ControlName();
    for (const auto& b : m_items)
      if (b->ControlName == controlName) {
        found = b.get();
        break;
      }
  }
  if (!found) return 0;
  found->Bind(&control);
  return found->Kind;
}

}  // namespace zm
