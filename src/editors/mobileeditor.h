#pragma once
// The mobile editor: the names, descriptions, numbers and dice of the mobile
// on top, and below them the pages: the flag sets, ingredients, skills and
// spells, triggers, and the path and the helpers.
#include <QSize>
#include <vector>

#include "editors/editorwindow.h"
#include "model/mobs.h"

class QTabWidget;

namespace zm {

class EditorPage;
class FlagListPage;
class MobileDicePage;
class MobileGeneralPage;
class MobileGridPage;
class MobileIngredientsPage;
class MobileOtherPage;
class TriggerListPage;

class MobileEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kMobile;
  static QSize DesignedSize() { return {1040, 760}; }

  explicit MobileEditor(EditorHost& host, QWidget* parent = nullptr);
  ~MobileEditor() override;

  // TMob's Edit (after EnsureEditor) and Apply.
  void Edit(TMob& mob);
  void ShowAgain() override {
    if (auto* rec = static_cast<TMob*>(LinkedRecord())) Edit(*rec);
  }
  void Apply() override;

  const TMob& WorkingCopy() const { return m_wc; }

  MobileGeneralPage& General() const { return *m_general; }
  MobileDicePage& Dice() const { return *m_dice; }
  FlagListPage& Flags() const { return *m_flags; }
  FlagListPage& Affects() const { return *m_affects; }
  FlagListPage& SpecialFlags() const { return *m_specialFlags; }
  MobileIngredientsPage& Ingredients() const { return *m_ingredients; }
  MobileGridPage& Skills() const { return *m_skills; }
  MobileGridPage& Spells() const { return *m_spells; }
  TriggerListPage& Triggers() const { return *m_triggers; }
  MobileOtherPage& Other() const { return *m_other; }

  QTabWidget* M_PageControl = nullptr;

 private:
  TMob m_wc;  // WorkingCopy
  MobileGeneralPage* m_general = nullptr;
  MobileDicePage* m_dice = nullptr;
  FlagListPage *m_flags = nullptr, *m_affects = nullptr, *m_specialFlags = nullptr;
  MobileIngredientsPage* m_ingredients = nullptr;
  MobileGridPage *m_skills = nullptr, *m_spells = nullptr;
  TriggerListPage* m_triggers = nullptr;
  MobileOtherPage* m_other = nullptr;
  // Every page, the top ones first.
  std::vector<EditorPage*> m_pages;
};

// The mobile kind's opener.
void RegisterMobEditor(EditorHost& host);

}  // namespace zm
