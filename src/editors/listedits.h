#pragma once
// Lists of vnums that the object and mobile editors share: attached
// triggers, a mobile's path and its helpers. Each item shows "[vnum] name"
// ("?" for a record that does not exist) and keeps its vnum.
#include <cstdint>
#include <vector>

class QListWidget;

namespace zm {

class EditorWindow;

class VnumListEdit {
 public:
  enum Kind { kTriggers, kRooms, kMobiles };
  // `unique`: a vnum already listed is selected instead of added again.
  VnumListEdit(EditorWindow& form, QListWidget* list, Kind kind, bool unique);

  QListWidget* List() const { return m_list; }
  void Show(const std::vector<int32_t>& vnums);
  std::vector<int32_t> Values() const;
  int Current() const;
  int32_t CurrentVnum() const;
  // True once the user has changed the list since Show.
  bool Touched() const { return m_touched; }

  // Each selects the item it leaves behind; nothing for vnum 0 or less or
  // without a selection.
  void Append(int32_t vnum);
  void Replace(int32_t vnum);
  void Remove();
  void Move(int delta);
  // The selection dialog of `kind` (as in SelectVnum) for a vnum to append,
  // or preset with the current item's to replace it.
  void AskAppend(int kind);
  void AskReplace(int kind);

 private:
  void insert(int row, int32_t vnum);
  void select(int row);

  EditorWindow& m_form;
  QListWidget* m_list;
  Kind m_kind;
  bool m_unique;
  bool m_touched = false;
};

// The selection dialog for kind 1 (mobile) or 2 (trigger) preset with
// `vnum`; the trigger list is filled with the world's triggers so that a
// builder can pick one as well as type its number. False when cancelled.
bool SelectVnum(EditorWindow& form, int kind, int32_t& vnum);

}  // namespace zm
