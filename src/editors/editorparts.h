#pragma once
// Building blocks that several editor windows share: named controls, the
// button rows under lists, flag and trigger pages, the exits compass and the
// extra description list.
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/rooms.h"
#include "text/declension.h"

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QObject;
class QPlainTextEdit;
class QPushButton;
class QSize;
class QSpinBox;
class QTreeWidget;
class QWidget;

namespace zm {

class Reporter;
class EditorWindow;
class TExtraDescList;
class World;

template <typename T>
T* Named(T* w, const QString& name) {
  w->setObjectName(name);
  return w;
}

template <typename T>
T* Named(T* w, const char* name) {
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

// `text` is UTF-8, `name` Latin-1.
QPushButton* Button(QWidget* parent, const char* text, const char* name);
// Covers every int32 value.
QSpinBox* Spin(QWidget* parent, const QString& name);
// Twenty items visible; with `minLength` the box keeps to that many
// characters instead of growing with its longest item.
QComboBox* Combo(QWidget* parent, const QString& name, int minLength = 0);

// Enables the button; a disabled one says in its tooltip why (`why`), an
// enabled one shows its own hint again.
void EnableWithReason(QPushButton* button, bool enabled, const QString& why);

// "Вы хотите удалить <noun> из списка?", as every list of the editors asks
// before it loses an entry; `noun` UTF-8.
bool AskRemoveFromList(EditorWindow& form, const char* noun);

// The row the user has picked: current and selected (a current row alone is
// only where the keyboard stands); -1 when none is. Trees: top-level rows.
int PickedRow(const QListWidget* list);
int PickedRow(const QTreeWidget* view);
// Runs `onPick` whenever the picked row may have changed: a mouse click
// makes a row current before it selects it, the keyboard the other way round.
void OnPick(QListWidget* list, QObject* context, const std::function<void()>& onPick);
void OnPick(QTreeWidget* view, QObject* context, const std::function<void()>& onPick);

// "Добавить", "Установить", "Удалить" in a row, named <prefix>AddBtn,
// <prefix>SetBtn, <prefix>DelBtn.
QHBoxLayout* SetButtons(QWidget* parent, const char* prefix, QPushButton** add, QPushButton** set,
                        QPushButton** del);
// "Добавить", "Изменить", "Удалить" under a list, named <prefix>AddBtn,
// <prefix>EditBtn, <prefix>DelBtn, pushed to the left.
QHBoxLayout* ListButtons(QWidget* parent, const char* prefix, QPushButton** add, QPushButton** edit,
                         QPushButton** del);

// Rows 0 to 6 of `grid`: the "Название" button (<prefix>NameBtn) beside the
// name (<prefix>NameEdit), the other five cases under it (<prefix>Name2Edit
// ... <prefix>Name6Edit) and "Синонимы" (<prefix>AliasEdit).
void NameRows(QGridLayout* grid, QWidget* parent, const char* prefix, QPushButton** button,
              std::array<QLineEdit*, 6>& names, QLineEdit** alias);

// Six checkable exit buttons, <prefix>NorthPanel and so on, each under its
// letter, laid out as on a compass with up and down beside it.
QGridLayout* ExitCompass(QWidget* parent, const char* prefix, const QSize& size, bool tight,
                         std::array<QPushButton*, kDirections>& panels);

// An exit's choice boxes, items by number with the vnum as data: the zones;
// the rooms of `zone` with `target` current ("Не выбран" without one, the
// number as typed text when the list lacks it); keys of the key type.
void FillZoneChoices(QComboBox* combo, const World* w);
// The zones, with the zone of the exit's target room chosen, or "Все зоны"
// (0) for an exit without one; a zone the list lacks is added by its
// number. Returns the chosen zone.
int32_t ShowExitZone(QComboBox* combo, const World* w, int32_t toRoom);
void FillRoomChoices(QComboBox* combo, const World* w, int32_t zone, int32_t target);
void FillKeyChoices(QComboBox* combo, const World* w, int32_t keyType);

// The extra description page: the list of keywords and the fields of the
// current description, working on the editor's copy of the list.
class ExtraDescEdit {
 public:
  ExtraDescEdit(EditorWindow& form, QListWidget* list, QLineEdit* keywords, QPlainTextEdit* memo);

  // Lists `descs` with the first one current (without the click handler).
  void Fill(const TExtraDescList& descs);
  // The current description in the fields; with none, empty fields for a new
  // one.
  void ShowCurrent(const TExtraDescList& descs);
  // False when the fields lack keywords or text.
  bool Add(TExtraDescList& descs);
  void Set(TExtraDescList& descs);
  // The row after it becomes current (without the click handler); false
  // with nothing current.
  bool Remove(TExtraDescList& descs);

 private:
  EditorWindow& m_form;
  QListWidget* m_list;
  QLineEdit* m_keywords;
  QPlainTextEdit* m_memo;
};

// The name button of the object and mobile editors: once the builder agrees,
// the name in the first field declined into the other five. A dictionary that
// cannot be read is told once; the ending rules stand in for it.
void DeclineNameFields(EditorWindow& form, const std::array<QLineEdit*, 6>& fields, Animacy hint);

}  // namespace zm
