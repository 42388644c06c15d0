#pragma once
// The zone editor's "Параметры" page: the zone's number, name and reset, the
// objects the zone creates without a room and the mobiles it purges.
#include <memory>

#include "editors/editorpage.h"
#include "editors/listrows.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace zm {

class TZone;

class ZoneParamsPage : public EditorPage {
  Q_OBJECT
 public:
  ZoneParamsPage(EditorWindow& editor, TZone& wc);
  ~ZoneParamsPage() override;

  void ShowRecord() override;
  void StoreRecord() override;
  // An object onto the created objects, a mobile onto the purged mobiles.
  bool AcceptRecord(TMUDClass& rec, QWidget* focus) override;

  // Event handlers, public so that they can be driven like the user does.
  void Z_RObjListViewClick();
  void Z_RObjAddBtnClick();
  void Z_RObjEditBtnClick();
  void Z_RObjDelBtnClick();
  void Z_RMobListViewClick();
  void Z_RMobAddBtnClick();
  void Z_RMobEditBtnClick();
  void Z_RMobDelBtnClick();
  void Z_IDEditExit();

  QSpinBox* Z_IDEdit = nullptr;
  QLineEdit* Z_NameEdit = nullptr;
  QComboBox* Z_RTypeComboBox = nullptr;
  QSpinBox* Z_RTimeEdit = nullptr;
  QTreeWidget* Z_RObjListView = nullptr;
  QPushButton *Z_RObjAddBtn = nullptr, *Z_RObjEditBtn = nullptr, *Z_RObjDelBtn = nullptr;
  QTreeWidget* Z_RMobListView = nullptr;
  QPushButton *Z_RMobAddBtn = nullptr, *Z_RMobEditBtn = nullptr, *Z_RMobDelBtn = nullptr;
  QPushButton *Z_CopyZoneBtn = nullptr, *Z_RenumberZoneBtn = nullptr;

 private:
  void buildUi();
  void connectControls();
  bool eventFilter(QObject* watched, QEvent* e) override;

  TZone& m_wc;
  std::unique_ptr<PlacementList> m_objs, m_mobs;
};

}  // namespace zm
