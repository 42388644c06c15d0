#include "editors/mobileeditor.h"

#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>

#include "editors/editorparts.h"
#include "editors/flaglistpage.h"
#include "editors/mobiledicepage.h"
#include "editors/mobilegeneralpage.h"
#include "editors/mobilegridpage.h"
#include "editors/mobileingredientspage.h"
#include "editors/mobileotherpage.h"
#include "editors/triggerlistpage.h"

namespace zm {

MobileEditor::MobileEditor(EditorHost& host, QWidget* parent)
    : EditorWindow(host, kMobile, parent) {
  setObjectName("MobForm");
  setWindowTitle(QStringLiteral("()"));
  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  m_general = new MobileGeneralPage(*this, m_wc);
  top->addWidget(m_general);
  m_dice = new MobileDicePage(*this, m_wc);
  top->addWidget(m_dice);
  m_pages = {m_general, m_dice};

  M_PageControl = Named(new QTabWidget(this), "M_PageControl");
  auto tab = [this](auto* page, const char* title) {
    M_PageControl->addTab(page, QString::fromUtf8(title));
    m_pages.push_back(page);
    return page;
  };
  m_flags = tab(new FlagListPage(*this, m_wc.Flags, "M_FlagsCheckListBox"), "Флаги");
  m_affects = tab(new FlagListPage(*this, m_wc.Affects, "M_AffectCheckListBox"), "Аффекты");
  m_specialFlags =
      tab(new FlagListPage(*this, m_wc.SpecialFlags, "M_SpecCheckListBox"), "Спецфлаги");
  m_ingredients = tab(new MobileIngredientsPage(*this, m_wc), "Ингредиенты");
  m_skills =
      tab(new MobileGridPage(*this, m_wc.Skills, "M_SkillStringGrid", "mobskills",
                             QStringLiteral("Умение"), QStringLiteral("% владения"), false, 100),
          "Умения");
  m_spells = tab(new MobileGridPage(*this, m_wc.Spells, "M_SpellStringGrid", "mobspells",
                                    QStringLiteral("Название"), QStringLiteral("Кол-во"), true,
                                    std::numeric_limits<int16_t>::max()),
                 "Заклинания");
  m_triggers = tab(new TriggerListPage(*this, m_wc.Triggers, "M_"), "Триггеры");
  m_other = tab(new MobileOtherPage(*this, m_wc), "Прочее");
  top->addWidget(M_PageControl, 1);
  ApplyHints();
}

MobileEditor::~MobileEditor() = default;

void MobileEditor::Edit(TMob& mob) {
  m_wc = mob;
  LinkRecord(&mob);
  SetCaption(mob.Vnum, mob.Names[0]);
  for (EditorPage* page : m_pages) page->ShowRecord();
}

void MobileEditor::Apply() {
  auto* mob = static_cast<TMob*>(LinkedRecord());
  if (!mob) return;
  for (EditorPage* page : m_pages) page->StoreRecord();
  mob->Names = m_wc.Names;
  RefreshNode(*mob, mob->Names[0]);
  mob->Aliases = m_wc.Aliases;
  mob->LongDescription = m_wc.LongDescription;
  mob->LookDescription = m_wc.LookDescription;

  for (const MobileGeneralPage::Field& f : MobileGeneralPage::ComboFields())
    mob->*f.Value = m_wc.*f.Value;
  for (const MobileGeneralPage::Field& f : MobileGeneralPage::SpinFields())
    mob->*f.Value = m_wc.*f.Value;
  for (const MobileDicePage::DiceField& f : MobileDicePage::DiceFields())
    mob->*f.Value = m_wc.*f.Value;
  mob->Flags = m_wc.Flags;
  mob->Affects = m_wc.Affects;
  mob->SpecialFlags = m_wc.SpecialFlags;

  mob->Ingredients = m_wc.Ingredients;
  mob->Skills = m_wc.Skills;
  mob->Spells = m_wc.Spells;
  mob->Triggers = m_wc.Triggers;
  mob->Destinations = m_wc.Destinations;
  mob->Helpers = m_wc.Helpers;
}

void RegisterMobEditor(EditorHost& host) {
  host.Windows().Register(kMobile, [&host](TMUDClass& rec) {
    EnsureEditor<MobileEditor>(host)->Edit(static_cast<TMob&>(rec));
  });
}

}  // namespace zm
