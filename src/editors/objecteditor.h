#pragma once
// The object editor: the names, descriptions and numbers every object has on
// top, and below them the pages: the values by the object's type, the five
// flag sets, extra descriptions, applies and triggers.
#include <QSize>
#include <vector>

#include "editors/editorwindow.h"
#include "model/objs.h"

class QTabWidget;

namespace zm {

class EditorPage;
class FlagListPage;
class ObjectAppliesPage;
class ObjectExtrasPage;
class ObjectGeneralPage;
class ObjectValuesPage;
class TriggerListPage;

class ObjectEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kObject;
  static QSize DesignedSize() { return {840, 660}; }

  explicit ObjectEditor(EditorHost& host, QWidget* parent = nullptr);
  ~ObjectEditor() override;

  // TObj's Edit (after EnsureEditor) and Apply.
  void Edit(TObj& obj);
  void ShowAgain() override {
    if (auto* rec = static_cast<TObj*>(LinkedRecord())) Edit(*rec);
  }
  void Apply() override;

  const TObj& WorkingCopy() const { return m_wc; }

  ObjectGeneralPage& General() const { return *m_general; }
  ObjectValuesPage& Values() const { return *m_values; }
  FlagListPage& Effects() const { return *m_effects; }
  FlagListPage& Affects() const { return *m_affects; }
  FlagListPage& NoTake() const { return *m_noTake; }
  FlagListPage& NoUse() const { return *m_noUse; }
  FlagListPage& WearFlags() const { return *m_wearFlags; }
  ObjectExtrasPage& Extras() const { return *m_extras; }
  ObjectAppliesPage& Applies() const { return *m_applies; }
  TriggerListPage& Triggers() const { return *m_triggers; }

  QTabWidget* O_PageControl = nullptr;

 private:
  TObj m_wc;  // WorkingCopy
  ObjectGeneralPage* m_general = nullptr;
  ObjectValuesPage* m_values = nullptr;
  FlagListPage *m_effects = nullptr, *m_affects = nullptr, *m_noTake = nullptr, *m_noUse = nullptr,
               *m_wearFlags = nullptr;
  ObjectExtrasPage* m_extras = nullptr;
  ObjectAppliesPage* m_applies = nullptr;
  TriggerListPage* m_triggers = nullptr;
  // Every page, the top one first.
  std::vector<EditorPage*> m_pages;
};

// The object kind's opener.
void RegisterObjEditor(EditorHost& host);

}  // namespace zm
