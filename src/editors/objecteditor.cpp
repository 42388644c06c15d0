#include "editors/objecteditor.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/flaglistpage.h"
#include "editors/objectappliespage.h"
#include "editors/objectextraspage.h"
#include "editors/objectgeneralpage.h"
#include "editors/objectvaluespage.h"
#include "editors/triggerlistpage.h"

namespace zm {

ObjectEditor::ObjectEditor(EditorHost& host, QWidget* parent)
    : EditorWindow(host, kObject, parent) {
  setObjectName("ObjForm");
  setWindowTitle(QStringLiteral("()"));
  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  m_general = new ObjectGeneralPage(*this, m_wc);
  top->addWidget(m_general);

  O_PageControl = Named(new QTabWidget(this), "O_PageControl");
  auto tab = [this](auto* page, const char* title) {
    O_PageControl->addTab(page, QString::fromUtf8(title));
    m_pages.push_back(page);
    return page;
  };
  m_pages.push_back(m_general);
  m_values = tab(new ObjectValuesPage(*this, m_wc), "Тип");
  m_effects = tab(new FlagListPage(*this, m_wc.Effects, "O_EffectCheckListBox"), "Эффекты");
  m_affects = tab(new FlagListPage(*this, m_wc.Affects, "O_AffectCheckListBox"), "Аффекты");
  m_noTake = tab(new FlagListPage(*this, m_wc.NoTake, "O_NotakeCheckListBox"), "Запреты");
  m_noUse = tab(new FlagListPage(*this, m_wc.NoUse, "O_NouseCheckListBox"), "Неудобства");
  m_wearFlags = tab(new FlagListPage(*this, m_wc.WearFlags, "O_WearCheckListBox"), "Где одеть");
  m_extras = tab(new ObjectExtrasPage(*this, m_wc), "Доп. описания");
  m_applies = tab(new ObjectAppliesPage(*this, m_wc), "Спецэффекты");
  m_triggers = tab(new TriggerListPage(*this, m_wc.Triggers, "O_"), "Триггеры");
  top->addWidget(O_PageControl, 1);

  connect(m_general, &ObjectGeneralPage::TypeChosen, m_values, &ObjectValuesPage::ShowType);
  m_values->ShowType(m_general->ChosenType());
  ApplyHints();
}

ObjectEditor::~ObjectEditor() = default;

void ObjectEditor::Edit(TObj& obj) {
  m_wc = obj;
  LinkRecord(&obj);
  SetCaption(obj.Vnum, obj.Names[0]);
  for (EditorPage* page : m_pages) page->ShowRecord();
}

void ObjectEditor::Apply() {
  auto* obj = static_cast<TObj*>(LinkedRecord());
  if (!obj) return;
  for (EditorPage* page : m_pages) page->StoreRecord();
  obj->Names = m_wc.Names;
  RefreshNode(*obj, obj->Names[0]);
  obj->Aliases = m_wc.Aliases;
  obj->Description = m_wc.Description;
  obj->ActionDescription = m_wc.ActionDescription;

  obj->Gender = m_wc.Gender;
  obj->Material = m_wc.Material;
  obj->MaxDurability = m_wc.MaxDurability;
  obj->Spell = m_wc.Spell;
  obj->ObjType = m_wc.ObjType;
  obj->Effects = m_wc.Effects;
  obj->Affects = m_wc.Affects;
  obj->NoTake = m_wc.NoTake;
  obj->NoUse = m_wc.NoUse;
  obj->WearFlags = m_wc.WearFlags;
  obj->Durability = m_wc.Durability;
  obj->MaxInWorld = m_wc.MaxInWorld;
  obj->SpellLevel = m_wc.SpellLevel;
  obj->Weight = m_wc.Weight;
  obj->Price = m_wc.Price;
  obj->Rent = m_wc.Rent;
  obj->RentWorn = m_wc.RentWorn;
  obj->Timer = m_wc.Timer;

  obj->Value0 = m_wc.Value0;
  obj->Value1 = m_wc.Value1;
  obj->Value2 = m_wc.Value2;
  obj->Value3 = m_wc.Value3;
  obj->SkillOrMagicFlags = m_wc.SkillOrMagicFlags;
  obj->ExtraDescs = m_wc.ExtraDescs;
  obj->Applies = m_wc.Applies;
  obj->Triggers = m_wc.Triggers;
}

void RegisterObjEditor(EditorHost& host) {
  host.Windows().Register(kObject, [&host](TMUDClass& rec) {
    EnsureEditor<ObjectEditor>(host)->Edit(static_cast<TObj&>(rec));
  });
}

}  // namespace zm
