#include "common/dictionaries.h"
#include "common/reporter.h"

namespace zm {
namespace {

// Start-up order matters: binding by control name takes the first row that
// names the control (the three trigger vectors share one check-list).
constexpr DictRegistration kRegistrations[] = {
    {"ZON_Repop", "zon_repop", "Z_RTypeComboBox", 0, false, false},
    {"zonecond", "zonecond", "CondComboBox", 0, false, true},
    {"ZON_Equipped", "zon_equipped", "WhereComboBox", 0, false, true},
    {"DoorFlags", "mdoorflags", "MR_EStateComboBox", 0, false, false},
    {"DoorDefault", "mdoordefault", "MR_EDoorComboBox", 0, false, false},
    {"SectorType", "sectortype", "R_SectorComboBox", 0, true, false},
    {"RoomVector", "roomvector", "R_TypeCheckListBox", 1, true, false},
    {"DoorFlags", "doorflags", "R_EStateComboBox", 0, false, false},
    {"DoorDefault", "doordefault", "R_EDoorComboBox", 0, false, false},
    {"IngredientRoom", "ingredientroom", "R_INameComboBox", 0, false, false},
    {"Type", "objtype", "O_TypeComboBox", 0, false, false},
    {"Pol", "objpol", "O_KindComboBox", 0, false, false},
    {"Material", "material", "O_MaterialComboBox", 0, false, false},
    {"Objects_StructureHits", "objstructurehits", "O_WearComboBox", 0, false, false},
    {"ExtraEffect", "objeffect", "O_EffectCheckListBox", 1, true, false},
    {"Affect", "objaffect", "O_AffectCheckListBox", 1, true, false},
    {"Wear", "objwear", "O_WearCheckListBox", 1, true, false},
    {"NoUse", "objnouse", "O_NouseCheckListBox", 1, true, false},
    {"NoTake", "objnotake", "O_NotakeCheckListBox", 1, true, false},
    {"Bonus", "objbonus", "O_SpecComboBox", 0, true, false},
    {"Spells", "objspells", "O_SpellComboBox", 0, false, false},
    {"Spells", "objspells10_1", "O_T10Spell1ComboBox", 0, false, false},
    {"Spells", "objspells10_2", "O_T10Spell2ComboBox", 0, false, false},
    {"Spells", "objspells10_3", "O_T10Spell3ComboBox", 0, false, false},
    {"Spells", "objspells2_1", "O_T2Spell1ComboBox", 0, false, false},
    {"Spells", "objspells2_2", "O_T2Spell2ComboBox", 0, false, false},
    {"Spells", "objspells2_3", "O_T2Spell3ComboBox", 0, false, false},
    {"Spells", "objspells24", "O_T24SpellComboBox", 0, false, false},
    {"Spells", "objspells3", "O_T3SpellComboBox", 0, false, false},
    {"Spells", "objspells4", "O_T4SpellComboBox", 0, false, false},
    {"DrinkTypes", "objdrink17", "O_T17ComboBox", 0, false, false},
    {"DrinkTypes", "objdrink23", "O_T23ComboBox", 0, false, false},
    {"Skills", "objskill", "O_SkillComboBox", 0, false, false},
    {"Weapons", "objattack", "O_T5ComboBox", 0, false, false},
    {"Magic_Flags", "magicflags", "O_T25CheckListBox", 1, false, false},
    {"Container", "container", "O_T15CheckListBox", 1, true, false},
    {"Level", "moblevel", "M_LevelComboBox", 0, false, false},
    {"Thac0", "mobthac0", "M_Thac0ComboBox", 0, false, false},
    {"Ac", "mobac", "M_ACComboBox", 0, false, false},
    {"Pol", "mobsex", "M_SexComboBox", 0, false, false},
    {"Weapons", "mobdamage", "M_DamageComboBox", 0, false, false},
    {"ExtraAttack", "mobextraattack", "M_ExtraAttackComboBox", 0, false, false},
    {"Stats", "mob_str", "M_StrComboBox", 0, false, false},
    {"Stats", "mob_int", "M_IntComboBox", 0, false, false},
    {"Stats", "mob_wis", "M_WisComboBox", 0, false, false},
    {"Stats", "mob_dex", "M_DexComboBox", 0, false, false},
    {"Stats", "mob_con", "M_ConComboBox", 0, false, false},
    {"Stats", "mob_cha", "M_ChaComboBox", 0, false, false},
    {"Class_Mob", "mobclass", "M_ClassComboBox", 0, false, false},
    {"Align", "mobalign", "M_AlignComboBox", 0, false, false},
    {"MaxFactor", "mobmaxfactor", "M_MaxFactorComboBox", 0, false, false},
    {"LikeWork", "moblikework", "M_LikeWorkComboBox", 0, false, false},
    {"Position", "mobstate1", "M_State1ComboBox", 0, true, false},
    {"Position", "mobstate2", "M_State2ComboBox", 0, true, false},
    {"Action", "mobflags", "M_FlagsCheckListBox", 1, true, false},
    {"Mob_Affect", "mobaffect", "M_AffectCheckListBox", 1, true, false},
    {"MOB_Special_BitVector", "mobspecflags", "M_SpecCheckListBox", 1, true, false},
    {"IngredientMob", "ingredientmob", "M_IngrComboBox", 0, false, false},
    {"Skills_Mob", "mobskills", "M_SkillStringGrid", 2, false, false},
    {"Spells_Mob", "mobspells", "M_SpellStringGrid", 2, false, false},
    {"Type", "shopbuytype", "S_BuyComboBox", 0, false, false},
    {"Type", "shopchangetype", "S_ChangeComboBox", 0, false, false},
    {"Shop_Bitvector", "shopbitvector", "S_BitVCheckListBox", 1, true, false},
    {"Shop_Race_Bitvector", "shopnotsellvector", "S_WhoCheckListBox", 1, true, false},
    {"Shop_Hours", "shophours1", "S_Open1ComboBox", 0, false, false},
    {"Shop_Hours", "shophours2", "S_Close1ComboBox", 0, false, false},
    {"Shop_Hours", "shophours3", "S_Open2ComboBox", 0, false, false},
    {"Shop_Hours", "shophours4", "S_Close2ComboBox", 0, false, false},
    {"trigger_type", "trigger_type", "T_ClassComboBox", 0, true, false},
    {"trigger_bitvector_wld", "trigger_bitvector_wld", "T_TypeCheckListBox", 1, true, false},
    {"trigger_bitvector_obj", "trigger_bitvector_obj", "T_TypeCheckListBox", 1, true, false},
    {"trigger_bitvector_mob", "trigger_bitvector_mob", "T_TypeCheckListBox", 1, true, false},
};

}  // namespace

std::span<const DictRegistration> DictionaryRegistrations() {
  return kRegistrations;
}

void RegisterDictionaries(Dictionaries& list, Reporter& reporter) {
  for (const auto& r : kRegistrations)
    list.AddNamed(std::string(r.FileName), std::string(r.Name), std::string(r.ControlName), r.Kind,
                  r.Skip, reporter);
}

}  // namespace zm
