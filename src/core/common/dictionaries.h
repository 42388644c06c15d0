#pragma once
// Reference dictionaries: the key=text lists in Bases/ that give every coded
// value and flag of the world files its Russian name, and the way they fill
// and read the editors' drop-downs, check-lists and grids.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zm {

class Reporter;
class Dictionary;

enum DictKind : uint8_t { kDictDropDown = 0, kDictCheckList = 1, kDictGrid = 2 };

// What a dictionary needs of a list control. The GUI implements it over a
// combo box, a checkable list or a table; the core never sees a widget.
class DictControl {
 public:
  DictControl() = default;
  DictControl(const DictControl&) = delete;
  DictControl& operator=(const DictControl&) = delete;
  // Dictionaries bound to a control that goes away forget it.
  virtual ~DictControl();

  virtual std::string ControlName() const = 0;
  virtual void ClearItems() = 0;
  virtual void AddItem(const std::string& text) = 0;
  virtual int ItemCount() const = 0;
  virtual std::string ItemText(int i) const = 0;
  virtual void RemoveItemsFrom(int n) = 0;
  // Drop-downs; -1 is no selection.
  virtual int SelectedIndex() const { return -1; }
  virtual void SetSelectedIndex(int) {}
  // Check-lists.
  virtual bool IsChecked(int) const { return false; }
  virtual void SetChecked(int, bool) {}
  // Grids.
  virtual void SetRowCount(int) {}
  virtual void SetCell(int, int, const std::string&) {}

  // What ShowValue put into the control, so that ReadValue gives a value
  // back untouched while the user has not changed it.
  struct ShownValue {
    const Dictionary* FilledBy = nullptr;  // compared only, never followed
    bool Valid = false;
    std::string Value;
    int Selected = -1;               // drop-down: the selection ShowValue made
    std::vector<bool> Checks;        // check-list: every item's check as shown
    std::vector<std::string> Pairs;  // check-list: the shown flag pairs in order
    std::vector<int> PairItems;      // and the item that stands for each
  };
  ShownValue Shown;

 private:
  friend class Dictionary;
  std::vector<Dictionary*> m_boundBy;
};

// A coded sequence rewritten in item order. `kept` are the elements that
// stay, in their old order, each with its place in the item order, or -1
// for a code no dictionary names; `added` the new ones. Known codes come in
// item order, old ones before new ones of the same place. Unnamed codes stay
// where they stood: those before every known code first, the others in
// front of the known code that followed them, or last when none did.
template <typename T>
std::vector<T> InItemOrder(const std::vector<std::pair<int, T>>& kept,
                           const std::vector<std::pair<int, T>>& added) {
  const size_t last = kept.size(), first = kept.size() + 1;
  std::vector<size_t> anchor(kept.size(), last);
  for (size_t k = kept.size(), next = last; k-- > 0;) {
    if (kept[k].first >= 0)
      next = k;
    else
      anchor[k] = next;
  }
  for (size_t k = 0; k < kept.size() && kept[k].first < 0; ++k) anchor[k] = first;
  struct Entry {
    int place;
    size_t from;  // index into kept, or kept.size() + index into added
  };
  std::vector<Entry> known;
  for (size_t k = 0; k < kept.size(); ++k)
    if (kept[k].first >= 0) known.push_back({kept[k].first, k});
  for (size_t a = 0; a < added.size(); ++a) known.push_back({added[a].first, kept.size() + a});
  std::stable_sort(known.begin(), known.end(),
                   [](const Entry& x, const Entry& y) { return x.place < y.place; });
  std::vector<T> out;
  auto unnamed = [&](size_t at) {
    for (size_t k = 0; k < kept.size(); ++k)
      if (kept[k].first < 0 && anchor[k] == at) out.push_back(kept[k].second);
  };
  unnamed(first);
  for (const Entry& e : known) {
    if (e.from < kept.size()) {
      unnamed(e.from);
      out.push_back(kept[e.from].second);
    } else {
      out.push_back(added[e.from - kept.size()].second);
    }
  }
  unnamed(last);
  return out;
}

class Dictionary {
 public:
  Dictionary(std::string fileName, std::string name, std::string controlName, uint8_t kind,
             bool skipSecond);
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;
  ~Dictionary();

  std::string FileName;
  std::string Name;
  uint8_t Kind;
  std::string ControlName;
  bool SkipSecond;
  // "key=text", file order, duplicates kept.
  std::vector<std::string> Items;

  DictControl* Control() const { return m_control; }
  // Moves the dictionary to `control` and fills it; nullptr unbinds.
  void Bind(DictControl* control);

  // Reads Bases/<FileName>; false (and Items untouched) when it cannot.
  bool Load(const std::filesystem::path& basePath);

  int Count() const { return static_cast<int>(Items.size()); }
  std::string KeyAt(int i) const;
  std::string TextAt(int i) const;
  // First entry whose key equals `key` without regard to case, or -1.
  int IndexOf(std::string_view key) const;
  // Text of that entry, empty when there is none.
  std::string TextOf(std::string_view key) const;

  // On the bound control (nothing / "-1" / "" without one) or on a given one.
  void Fill(DictControl& control) const;
  void ShowValue(const std::string& value) const;
  void ShowValue(DictControl& control, const std::string& value) const;
  std::string ReadValue() const;
  std::string ReadValue(const DictControl& control) const;

 private:
  void showDropDown(DictControl& c, const std::string& value) const;
  void showCheckList(DictControl& c, const std::string& value) const;
  std::string readDropDown(const DictControl& c) const;
  std::string readCheckList(const DictControl& c) const;

  friend class DictControl;
  DictControl* m_control = nullptr;
};

// One dictionary file's entries: blank and "*" lines skipped, the key, the
// second word dropped when `skipSecond`, the rest as the text.
std::vector<std::string> ParseDictionary(std::string_view bytes, bool skipSecond);

class Dictionaries {
 public:
  // `basePath` is the Bases folder itself.
  explicit Dictionaries(std::filesystem::path basePath) : m_basePath(std::move(basePath)) {}

  const std::filesystem::path& BasePath() const { return m_basePath; }

  // Both load at once and show error 9 when the file cannot be read.
  Dictionary& AddBound(const std::string& fileName, const std::string& name, DictControl& control,
                       uint8_t kind, bool skipSecond, Reporter& reporter);
  Dictionary& AddNamed(const std::string& fileName, const std::string& name,
                       const std::string& controlName, uint8_t kind, bool skipSecond,
                       Reporter& reporter);

  // Exact, case-sensitive name.
  Dictionary* Find(std::string_view name) const;
  // By dictionary name, or by the control's name when `name` is empty; binds
  // and fills the control and returns the kind, 0 (control untouched) when
  // there is no such dictionary.
  uint8_t BindControl(DictControl& control, std::string_view name = {});

  int Count() const { return static_cast<int>(m_items.size()); }
  Dictionary& At(int i) const { return *m_items[static_cast<size_t>(i)]; }

 private:
  Dictionary& add(std::unique_ptr<Dictionary> b, Reporter& reporter);

  std::filesystem::path m_basePath;
  std::vector<std::unique_ptr<Dictionary>> m_items;
};

// One row of the dictionaries registered at start-up.
struct DictRegistration {
  std::string_view FileName;
  std::string_view Name;
  std::string_view ControlName;
  uint8_t Kind;
  bool Skip;
  // Belongs to a dialog that lives for the whole run rather than an editor.
  bool Bound;
};

std::span<const DictRegistration> DictionaryRegistrations();
// Adds every registered dictionary in order, each loaded at once.
void RegisterDictionaries(Dictionaries& list, Reporter& reporter);

}  // namespace zm
