#pragma once
// The room editor: the room's name over its description pages, and a page
// control with sector and flags, the six exits, what the zone places in the
// room, extra descriptions, triggers and ingredients. Each part is a page of
// its own (roomeditorpages.h, roomexitspage.h …); the window holds the
// working copy they share.
#include <QSize>
#include <array>

#include "editors/editorwindow.h"
#include "model/rooms.h"

class QLineEdit;
class QTabWidget;

namespace zm {

class EditorPage;
class RoomDescriptionPage;
class RoomExitsPage;
class RoomExtraDescsPage;
class RoomMobilesPage;
class RoomObjectsPage;
class RoomTriggersIngredientsPage;
class RoomTypePage;

class RoomEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kRoom;
  static QSize DesignedSize() { return {720, 600}; }

  explicit RoomEditor(EditorHost& host, QWidget* parent = nullptr);
  ~RoomEditor() override;

  // TRoom's Edit (after EnsureEditor) and Apply.
  void Edit(TRoom& room);
  void ShowAgain() override {
    if (auto* rec = static_cast<TRoom*>(LinkedRecord())) Edit(*rec);
  }
  void Apply() override;
  // To the page whose control had the focus.
  void AcceptRecord(TMUDClass& rec) override;

  const TRoom& WorkingCopy() const { return m_wc; }

  RoomDescriptionPage& Description() const { return *m_description; }
  RoomTypePage& Type() const { return *m_type; }
  RoomExitsPage& Exits() const { return *m_exits; }
  RoomObjectsPage& Objects() const { return *m_objects; }
  RoomMobilesPage& Mobiles() const { return *m_mobiles; }
  RoomExtraDescsPage& ExtraDescs() const { return *m_extraDescs; }
  RoomTriggersIngredientsPage& TriggersIngredients() const { return *m_triggers; }

  // The name is the window's own: it is the caption and the tree's.
  QLineEdit* R_DescEdit = nullptr;
  QTabWidget* R_PageControl = nullptr;

 private:
  TRoom m_wc;  // WorkingCopy
  RoomDescriptionPage* m_description = nullptr;
  RoomTypePage* m_type = nullptr;
  RoomExitsPage* m_exits = nullptr;
  RoomObjectsPage* m_objects = nullptr;
  RoomMobilesPage* m_mobiles = nullptr;
  RoomExtraDescsPage* m_extraDescs = nullptr;
  RoomTriggersIngredientsPage* m_triggers = nullptr;
  // In the order they show and store the record.
  std::array<EditorPage*, 7> m_pages{};
};

// The room kind's opener.
void RegisterRoomEditor(EditorHost& host);

}  // namespace zm
