#pragma once
// The room editor: title and description with its ten variants, sector and
// flags, the six exits, what the zone places in the room, removed objects,
// extra descriptions, triggers and ingredients.
#include <QSize>
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editors/editorwindow.h"
#include "editors/listrows.h"
#include "model/rooms.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace zm {

class ExtraDescEdit;

class RoomEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kRoom;
  static QSize DesignedSize() { return {720, 600}; }

  explicit RoomEditor(EditorHost& host, QWidget* parent = nullptr);
  ~RoomEditor() override;

  // TRoom's Edit (after EnsureEditor) and Apply.
  void Edit(TRoom& room);
  void Apply() override;
  void AcceptRecord(TMUDClass& rec) override;

  const TRoom& WorkingCopy() const { return m_wc; }
  int CurrentExit() const { return m_exit; }

  // Event handlers, public so that they can be driven like the user does.
  void R_ExitPanelClick(int dir);
  void R_EZComboBoxChange();
  void R_ERComboBoxChange();
  void R_EKeyComboBoxChange();
  void R_EKeyEditChange();
  void R_DescCheckBoxClick();
  void R_DescPageControlChange();

  void R_ObjListViewClick();
  void R_ObjAddBtnClick();
  void R_ObjEditBtnClick();
  void R_ObjDelBtnClick();
  void R_ObjChanceEditChange();
  void R_ObjQtyEditChange();
  void R_ObjOAddBtnClick();
  void R_ObjOEditBtnClick();
  void R_ObjODelBtnClick();
  void R_ObjDAddBtnClick();
  void R_ObjDEditBtnClick();
  void R_ObjDDelBtnClick();

  void R_MobListViewClick();
  void R_MobAddBtnClick();
  void R_MobEditBtnClick();
  void R_MobDelBtnClick();
  void R_MobFolComboBoxChange();
  void R_MobQtyEditChange();
  void R_MobOAddBtnClick();
  void R_MobOEditBtnClick();
  void R_MobODelBtnClick();

  void R_EDescListBoxClick();
  void R_EDescEditChange();
  void R_EDescAddBtnClick();
  void R_EDescSetBtnClick();
  void R_EDescDelBtnClick();

  void R_TrigAddBtnClick();
  void R_TrigDelBtnClick();
  void R_ATrigListBoxClick();

  void R_IngrListViewClick();
  void R_INameComboBoxChange();
  void R_IngrAddBtnClick();
  void R_IngrEditBtnClick();
  void R_IngrDelBtnClick();

 private:
  // roomform_ui.cpp, roomform_pages.cpp: the controls.
  void buildUi();
  QWidget* buildTypePage();
  QWidget* buildExitsPage();
  QWidget* buildObjectsPage();
  QWidget* buildMobsPage();
  QWidget* buildExtraPage();
  QWidget* buildTrigIngrPage();
  void connectControls();
  void connectListPages();

  void updateButtons();

  // roomform_desc.cpp
  void showDescription(const std::string& description);
  std::string readDescription();

  // roomform_exits.cpp
  void showExit(int dir);
  void storeExit(int dir);
  void showExitPanels();
  void fillRoomChoices(int32_t zone, int32_t toRoom);
  void fillKeyChoices();
  void selectKeyChoice(int32_t key);

  // roomform_objs.cpp
  void showObjects();
  void showContents();
  TRoomObj* currentObject();
  void appendObject(int32_t vnum);
  void appendContent(int32_t vnum);

  // roomform_mobs.cpp
  void showMobs();
  void showInventory();
  void fillFollowList();
  TRoomMob* currentMob();
  void appendMob(int32_t vnum);
  void appendInventory(int32_t vnum);

  // roomform_extras.cpp
  void showExtras();
  void showTriggers();
  void fillAvailableTriggers();
  void showIngredients();

  TRoom m_wc;  // WorkingCopy
  int m_exit = 0;
  std::array<bool, kVariants> m_marks{};
  std::array<bool, kVariants> m_shownMarks{};
  std::string m_shownDescription;
  // Set while the window fills its controls: their change signals are then
  // no user's doing.
  int m_updating = 0;
  bool m_roomTyped = false;
  // The follow list: -1 "Сам по себе", then each placed mobile once.
  std::vector<std::pair<int32_t, std::string>> m_follow;
  int32_t m_keyType = 18;

 public:
  // The controls, by the names they carry.
  QLineEdit* R_DescEdit = nullptr;
  QTabWidget* R_DescPageControl = nullptr;
  std::array<QPlainTextEdit*, kVariants + 1> R_FullDescMemo{};
  QCheckBox* R_DescCheckBox = nullptr;
  QTabWidget* R_PageControl = nullptr;

  QComboBox* R_SectorComboBox = nullptr;
  QListWidget* R_TypeCheckListBox = nullptr;

  std::array<QPushButton*, kDirections> R_EPanel{};
  QComboBox* R_EZComboBox = nullptr;
  QComboBox* R_ERComboBox = nullptr;
  QWidget* R_EStdPanel = nullptr;
  QLineEdit* R_ENameEdit = nullptr;
  QLineEdit* R_EDescEdit = nullptr;
  QComboBox* R_EStateComboBox = nullptr;
  QSpinBox* R_EKeyEdit = nullptr;
  QComboBox* R_EKeyComboBox = nullptr;
  QComboBox* R_EDoorComboBox = nullptr;

  QTreeWidget* R_ObjListView = nullptr;
  QPushButton *R_ObjAddBtn = nullptr, *R_ObjEditBtn = nullptr, *R_ObjDelBtn = nullptr;
  QWidget* R_ObjPanel = nullptr;
  QSpinBox* R_ObjChanceEdit = nullptr;
  QSpinBox* R_ObjQtyEdit = nullptr;
  QTreeWidget* R_ObjOListView = nullptr;
  QPushButton *R_ObjOAddBtn = nullptr, *R_ObjOEditBtn = nullptr, *R_ObjODelBtn = nullptr;
  QTreeWidget* R_ObjDListView = nullptr;
  QPushButton *R_ObjDAddBtn = nullptr, *R_ObjDEditBtn = nullptr, *R_ObjDDelBtn = nullptr;

  QTreeWidget* R_MobListView = nullptr;
  QPushButton *R_MobAddBtn = nullptr, *R_MobEditBtn = nullptr, *R_MobDelBtn = nullptr;
  QWidget* R_MobPanel = nullptr;
  QComboBox* R_MobFolComboBox = nullptr;
  QSpinBox* R_MobQtyEdit = nullptr;
  QTreeWidget* R_MobOListView = nullptr;
  QPushButton *R_MobOAddBtn = nullptr, *R_MobOEditBtn = nullptr, *R_MobODelBtn = nullptr;

  QListWidget* R_EDescListBox = nullptr;
  QLineEdit* R_EDescKeyEdit = nullptr;
  QPlainTextEdit* R_EDescMemo = nullptr;
  QPushButton *R_EDescAddBtn = nullptr, *R_EDescSetBtn = nullptr, *R_EDescDelBtn = nullptr;

  QListWidget* R_TrigListBox = nullptr;
  QListWidget* R_ATrigListBox = nullptr;
  QSpinBox* R_TrigNumEdit = nullptr;
  QPushButton *R_TrigAddBtn = nullptr, *R_TrigDelBtn = nullptr;

  QTreeWidget* R_IngrListView = nullptr;
  QComboBox* R_INameComboBox = nullptr;
  QSpinBox* R_IStrEdit = nullptr;
  QSpinBox* R_IChanceEdit = nullptr;
  QPushButton *R_IngrAddBtn = nullptr, *R_IngrEditBtn = nullptr, *R_IngrDelBtn = nullptr;

 private:
  std::unique_ptr<PlacementList> m_objs, m_contents, m_removed, m_mobs, m_inventory;
  std::unique_ptr<ExtraDescEdit> m_extras;
  std::unique_ptr<IngrListEdit> m_ingrs;
};

// The room kind's opener.
void RegisterRoomEditor(EditorHost& host);

}  // namespace zm
