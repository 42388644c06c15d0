#include "json/recordjson.h"

#include <algorithm>

#include "common/winutf8.h"
#include "io/mobfile.h"

namespace zm::json {
namespace {

ordered_json U(const std::string& win) {
  return WinToUtf8(win);
}

ordered_json Names(const std::array<std::string, 6>& names) {
  ordered_json a = ordered_json::array();
  for (const auto& n : names) a.push_back(U(n));
  return a;
}

ordered_json Ints(const TIntList& l) {
  ordered_json a = ordered_json::array();
  for (const auto& i : l) a.push_back(i->Value);
  return a;
}

ordered_json Strings(const std::vector<std::string>& v) {
  ordered_json a = ordered_json::array();
  for (const auto& s : v) a.push_back(U(s));
  return a;
}

ordered_json CondIDs(const TCondItemList& l) {
  ordered_json a = ordered_json::array();
  for (const auto& c : l) a.push_back({{"Cond", c->Cond}, {"ID", c->ID}});
  return a;
}

int32_t ObjMax(const World& w, int32_t vnum, const std::optional<int32_t>& own) {
  if (own) return *own;
  const TObj* o = w.Objs.Find(vnum);
  return o ? o->MaxInWorld : -1;
}

void AddKept(ordered_json& j, const TKeptLines& kept) {
  if (!kept.empty()) j["KeptCommands"] = Strings(kept);
}

ordered_json LinkObjs(const TLinkObjList& l, const World& w) {
  ordered_json a = ordered_json::array();
  for (const auto& c : l) {
    ordered_json j = {{"Cond", c->Cond},
                      {"ID", c->ID},
                      {"Chance", c->Chance},
                      {"WearPos", c->WearPos},
                      {"Max", ObjMax(w, c->ID, c->OwnMax)}};
    if (c->OwnMax) j["OwnMax"] = *c->OwnMax;
    if (c->Container) j["Container"] = *c->Container;
    if (c->ChanceFifth) j["ChanceFifth"] = true;
    a.push_back(j);
  }
  return a;
}

ordered_json ExtraDescs(const TExtraDescList& l) {
  ordered_json a = ordered_json::array();
  for (const auto& e : l)
    a.push_back({{"Keywords", U(e->Keywords)}, {"Description", U(e->Description)}});
  return a;
}

ordered_json Ingredients(const TIngrList& l) {
  ordered_json a = ordered_json::array();
  for (const auto& i : l)
    a.push_back({{"Power", i->Power}, {"Chance", i->Chance}, {"Name", U(i->Name)}});
  return a;
}

ordered_json Dice(const TDice& d) {
  return {{"Count", d.Count}, {"Sides", d.Sides}, {"Bonus", d.Bonus}};
}

ordered_json Base(const TMUDClass& r) {
  return {{"Vnum", r.Vnum}, {"Zone", r.Zone}};
}

template <typename List, typename F>
ordered_json Each(const List& list, const std::vector<int32_t>& zones, F f) {
  ordered_json a = ordered_json::array();
  for (const auto& r : list) {
    if (!zones.empty() && std::find(zones.begin(), zones.end(), r->Zone) == zones.end()) continue;
    a.push_back(f(*r));
  }
  return a;
}

}  // namespace

ordered_json ZoneJson(const TZone& z, const World& w) {
  ordered_json j = Base(z);
  j["Name"] = U(z.Name);
  j["ResetMode"] = z.ResetMode;
  j["ResetTime"] = z.ResetTime;
  j["CreatedObjects"] = LinkObjs(z.CreatedObjects, w);
  j["RemovedMobs"] = CondIDs(z.RemovedMobs);
  j["Registered"] = z.Registered;
  if (!z.HeaderLines.empty()) j["HeaderLines"] = Strings(z.HeaderLines);
  if (!z.NumbersTail.empty()) j["NumbersTail"] = U(z.NumbersTail);
  if (!z.TopInFile.empty()) j["TopInFile"] = U(z.TopInFile);
  AddKept(j, z.KeptCommands);
  if (!z.KeptAfterZoneWide.empty()) j["KeptAfterZoneWide"] = Strings(z.KeptAfterZoneWide);
  return j;
}

ordered_json RoomJson(const TRoom& r, const World& w) {
  ordered_json j = Base(r);
  j["Name"] = U(r.Name);
  j["Description"] = U(r.Description);
  j["Flags"] = U(r.Flags);
  j["Sector"] = r.Sector;
  if (r.ZoneInFile) j["ZoneInFile"] = *r.ZoneInFile;
  ordered_json exits = ordered_json::array();
  for (const auto& e : r.Exits) {
    exits.push_back({{"Keywords", U(e.Keywords)},
                     {"Description", U(e.Description)},
                     {"DoorFlags", e.DoorFlags},
                     {"Key", e.Key},
                     {"ToRoom", e.ToRoom},
                     {"DefaultState", e.DefaultState},
                     {"ExitExtra", U(e.ExitExtra)},
                     {"WithoutReset", e.WithoutReset}});
    if (e.ToNowhere) exits.back()["ToNowhere"] = true;
  }
  j["Exits"] = exits;
  ordered_json objs = ordered_json::array();
  for (const auto& o : r.Objects) {
    ordered_json oj = {{"Cond", o->Cond},
                       {"ID", o->ID},
                       {"Chance", o->Chance},
                       {"Max", ObjMax(w, o->ID, o->OwnMax)},
                       {"Contents", LinkObjs(o->Contents, w)}};
    if (o->OwnMax) oj["OwnMax"] = *o->OwnMax;
    AddKept(oj, o->KeptCommands);
    objs.push_back(oj);
  }
  j["Objects"] = objs;
  j["RemovedObjects"] = CondIDs(r.RemovedObjects);
  ordered_json mobs = ordered_json::array();
  for (const auto& m : r.Mobs) {
    const TMob* proto = w.Mobs.Find(m->ID);
    ordered_json mj = {{"Cond", m->Cond},
                       {"ID", m->ID},
                       {"Leader", m->Leader},
                       {"MaxInRoom", m->MaxInRoom},
                       {"Max", m->OwnMax ? *m->OwnMax
                               : proto   ? proto->MaxInWorld
                                         : -1},
                       {"Inventory", LinkObjs(m->Inventory, w)}};
    if (m->OwnMax) mj["OwnMax"] = *m->OwnMax;
    AddKept(mj, m->KeptCommands);
    mobs.push_back(mj);
  }
  j["Mobs"] = mobs;
  j["ExtraDescs"] = ExtraDescs(r.ExtraDescs);
  j["Ingredients"] = Ingredients(r.Ingredients);
  j["Triggers"] = CondIDs(r.Triggers);
  j["MapX"] = r.MapX;
  j["MapY"] = r.MapY;
  j["MapZ"] = r.MapZ;
  AddKept(j, r.KeptCommands);
  return j;
}

ordered_json ObjJson(const TObj& o) {
  ordered_json j = Base(o);
  j["Names"] = Names(o.Names);
  j["Aliases"] = U(o.Aliases);
  j["Description"] = U(o.Description);
  j["ActionDescription"] = U(o.ActionDescription);
  j["SkillOrMagicFlags"] = {{"Number", o.SkillOrMagicFlags.Number},
                            {"Text", U(o.SkillOrMagicFlags.Text)}};
  j["MaxDurability"] = o.MaxDurability;
  j["Durability"] = o.Durability;
  j["Material"] = o.Material;
  j["Gender"] = o.Gender;
  j["Timer"] = o.Timer;
  j["Spell"] = o.Spell;
  j["SpellLevel"] = o.SpellLevel;
  j["Affects"] = U(o.Affects);
  j["NoTake"] = U(o.NoTake);
  j["NoUse"] = U(o.NoUse);
  j["ObjType"] = o.ObjType;
  j["Effects"] = U(o.Effects);
  j["WearFlags"] = U(o.WearFlags);
  j["Value0"] = U(o.Value0);
  j["Value1"] = o.Value1;
  j["Value2"] = o.Value2;
  j["Value3"] = o.Value3;
  j["Weight"] = o.Weight;
  j["Price"] = o.Price;
  j["Rent"] = o.Rent;
  j["RentWorn"] = o.RentWorn;
  j["ExtraDescs"] = ExtraDescs(o.ExtraDescs);
  ordered_json applies = ordered_json::array();
  for (const auto& a : o.Applies)
    applies.push_back(
        {{"Location", ApplyLocation(a->Value)}, {"Modifier", ApplyModifier(a->Value)}});
  j["Applies"] = applies;
  j["Triggers"] = Ints(o.Triggers);
  j["MaxInWorld"] = o.MaxInWorld;
  j["NoSpellNumber"] = o.NoSpellNumber;
  if (!o.UnknownLines.empty()) j["UnknownLines"] = Strings(o.UnknownLines);
  if (!o.BlockOrder.empty()) j["BlockOrder"] = o.BlockOrder;
  return j;
}

ordered_json MobJson(const TMob& m) {
  ordered_json j = Base(m);
  j["Aliases"] = U(m.Aliases);
  j["Names"] = Names(m.Names);
  j["LongDescription"] = U(m.LongDescription);
  j["LookDescription"] = U(m.LookDescription);
  j["Flags"] = U(m.Flags);
  j["Affects"] = U(m.Affects);
  j["Alignment"] = m.Alignment;
  j["Level"] = m.Level;
  j["Thac0"] = m.Thac0;
  j["ArmorClass"] = m.ArmorClass;
  j["HitDice"] = Dice(m.HitDice);
  j["DamageDice"] = Dice(m.DamageDice);
  j["GoldDice"] = Dice(m.GoldDice);
  j["Experience"] = m.Experience;
  j["LoadPosition"] = m.LoadPosition;
  j["DefaultPosition"] = m.DefaultPosition;
  j["Sex"] = m.Sex;
  j["BareHandAttack"] = m.BareHandAttack;
  j["Destinations"] = U(m.Destinations);
  for (auto [key, v] : {std::pair<const char*, int32_t>{"Str", m.Str},
                        {"Int", m.Int},
                        {"Wis", m.Wis},
                        {"Dex", m.Dex},
                        {"Con", m.Con},
                        {"Cha", m.Cha},
                        {"LikeWork", m.LikeWork},
                        {"MaxFactor", m.MaxFactor},
                        {"ExtraAttack", m.ExtraAttack},
                        {"Class", m.Class},
                        {"Size", m.Size},
                        {"Height", m.Height},
                        {"Weight", m.Weight}})
    j[key] = v;
  j["SpecialFlags"] = U(m.SpecialFlags);
  ordered_json spells = ordered_json::array();
  for (const auto& s : m.Spells)
    spells.push_back({{"Spell", SpellNumber(s->Value)}, {"Count", SpellCount(s->Value)}});
  j["Spells"] = spells;
  ordered_json skills = ordered_json::array();
  for (const auto& s : m.Skills)
    skills.push_back({{"Skill", SkillNumber(s->Value)}, {"Value", SkillValue(s->Value)}});
  j["Skills"] = skills;
  j["Helpers"] = Ints(m.Helpers);
  j["MaxInWorld"] = m.MaxInWorld;
  j["Ingredients"] = Ingredients(m.Ingredients);
  j["Triggers"] = Ints(m.Triggers);
  if (!m.UnknownLines.empty()) j["UnknownLines"] = Strings(m.UnknownLines);
  if (!m.UnknownTail.empty()) j["UnknownTail"] = Strings(m.UnknownTail);
  if (m.AbsentKeys != 0) {
    ordered_json absent = ordered_json::array();
    for (int bit = 0; const char* key = ExtendedKeyName(bit); ++bit)
      if (m.AbsentKeys & (1u << bit)) absent.push_back(key);
    j["AbsentKeys"] = absent;
  }
  return j;
}

ordered_json ShopJson(const TShop& s, const World& w) {
  ordered_json j = Base(s);
  j["Name"] = U(s.KeeperName(w));
  j["Goods"] = Ints(s.Goods);
  j["SellCoeff"] = s.SellCoeff;
  j["BuyCoeff"] = s.BuyCoeff;
  j["ChangeCoeff"] = s.ChangeCoeff;
  j["BuyTypes"] = Strings(s.BuyTypes);
  j["ChangeTypes"] = Strings(s.ChangeTypes);
  ordered_json msgs = ordered_json::array();
  for (const auto& m : s.Messages) msgs.push_back(U(m));
  j["Messages"] = msgs;
  j["Temper"] = s.Temper;
  j["ShopFlags"] = U(s.ShopFlags);
  j["Keeper"] = s.Keeper;
  j["NotSellTo"] = U(s.NotSellTo);
  j["Rooms"] = Ints(s.Rooms);
  j["Open1"] = s.Open1;
  j["Close1"] = s.Close1;
  j["Open2"] = s.Open2;
  j["Close2"] = s.Close2;
  return j;
}

ordered_json TriggerJson(const TTrigger& t) {
  ordered_json j = Base(t);
  j["Name"] = U(t.Name);
  j["TriggerClass"] = t.TriggerClass;
  j["TriggerTypes"] = U(t.TriggerTypes);
  j["NumArg"] = t.NumArg;
  j["Arg"] = U(t.Arg);
  j["Text"] = U(t.Text);
  return j;
}

ordered_json WorldJson(const World& w, const std::vector<int32_t>& zones) {
  ordered_json j;
  j["zones"] = Each(w.Zones, zones, [&](const TZone& z) { return ZoneJson(z, w); });
  j["rooms"] = Each(w.Rooms, zones, [&](const TRoom& r) { return RoomJson(r, w); });
  j["objects"] = Each(w.Objs, zones, ObjJson);
  j["mobiles"] = Each(w.Mobs, zones, MobJson);
  j["shops"] = Each(w.Shops, zones, [&](const TShop& s) { return ShopJson(s, w); });
  j["triggers"] = Each(w.Triggers, zones, TriggerJson);
  return j;
}

}  // namespace zm::json
