// The key tables of the five template files: which field each key sets and
// how its value reads.
#include <string_view>
#include <type_traits>

#include "common/dictionaries.h"
#include "common/textutil.h"
#include "common/worldbuffer.h"
#include "templates/templets.h"

namespace zm {
namespace {

using Bases = const Dictionaries*;

template <typename T>
struct KeyRow {
  std::string_view Key;
  void (*Set)(T&, const TempletKey&, Bases);
};

template <typename T, size_t N>
void ApplyRow(const KeyRow<T> (&rows)[N], T& rec, const TempletKey& k, Bases bases) {
  for (const KeyRow<T>& row : rows)
    if (row.Key == k.Key) {
      row.Set(rec, k, bases);
      return;
    }
}

// Blanks around a number are forgiven: a user cannot see them, and a template
// that fails for one would leave the whole file half read.
int32_t IntValue(std::string_view v) {
  int32_t n;
  if (!ParseInt(Trim(v), n)) throw ParseError();
  return n;
}

// The value's first `count` words; missing ones are empty (and fail as numbers).
template <size_t Count>
std::array<std::string, Count> Words(std::string v) {
  std::array<std::string, Count> out;
  for (std::string& w : out) w = NextWord(v, kBlanks);
  return out;
}

// Price factors may be whole or decimal, with a point or a comma.
double FactorValue(std::string_view v) {
  std::string t = Trim(v);
  for (char& c : t)
    if (c == ',') c = '.';
  double d;
  if (!ParseFloat(t, d)) throw ParseError();
  return d;
}

template <typename T, auto M>
void Text(T& r, const TempletKey& k, Bases) {
  r.*M = k.Value;
}
// Bit vectors as the world files hold them ("0" is none); blanks around
// them are never meant.
template <typename T, auto M>
void Vector(T& r, const TempletKey& k, Bases) {
  r.*M = BitVectorFromText(Trim(k.Value));
}
template <typename T, auto M>
void Int(T& r, const TempletKey& k, Bases) {
  using F = std::remove_cvref_t<decltype(r.*M)>;
  r.*M = static_cast<F>(IntValue(k.Value));
}
template <typename T, auto M>
void Append(T& r, const TempletKey& k, Bases) {
  (r.*M).Add(IntValue(k.Value));
}
template <typename T, size_t I>
void Name(T& r, const TempletKey& k, Bases) {
  r.Names[I] = k.Value;
}
// The first line sets the text, each further one appends a line.
template <typename T, auto M>
void Lines(T& r, const TempletKey& k, Bases) {
  if (k.First)
    r.*M = k.Value;
  else
    r.*M += "\r\n" + k.Value;
}
template <typename T>
void Ingredient(T& r, const TempletKey& k, Bases) {
  auto w = Words<3>(k.Value);
  TIngr ingr;
  ingr.Name = w[0];
  ingr.Power = static_cast<int16_t>(IntValue(w[1]));
  ingr.Chance = static_cast<int16_t>(IntValue(w[2]));
  r.Ingredients.Add(std::move(ingr));
}
template <typename T>
void Nothing(T&, const TempletKey&, Bases) {}

// ---- objects

using O = TObj;
constexpr KeyRow<O> kObjKeys[] = {
    {"ALIAS", Text<O, &O::Aliases>},
    {"IMEN", Name<O, 0>},
    {"ROD", Name<O, 1>},
    {"DAT", Name<O, 2>},
    {"VIN", Name<O, 3>},
    {"TVOR", Name<O, 4>},
    {"PRED", Name<O, 5>},
    {"DESC", Text<O, &O::Description>},
    {"ACTION", Text<O, &O::ActionDescription>},
    {"TRENSKILL",
     [](O& o, const TempletKey& k, Bases) { o.SkillOrMagicFlags.Number = IntValue(k.Value); }},
    {"MAGICVECTOR", [](O& o, const TempletKey& k,
                       Bases) { o.SkillOrMagicFlags.Text = BitVectorFromText(Trim(k.Value)); }},
    {"MAXDURAB", Int<O, &O::MaxDurability>},
    {"CURRDURAB", Int<O, &O::Durability>},
    {"MATERIAL", Int<O, &O::Material>},
    {"POL", Int<O, &O::Gender>},
    {"TIMER", Int<O, &O::Timer>},
    // As in the object file: 0 or less is no spell.
    {"SPELL",
     [](O& o, const TempletKey& k, Bases) {
       int32_t n = IntValue(k.Value);
       o.Spell = n > 0 ? n : -1;
     }},
    {"SPELLLEVEL", Int<O, &O::SpellLevel>},
    {"EFFECTS", Vector<O, &O::Affects>},
    {"DISCOMFORT", Vector<O, &O::NoTake>},
    {"BANS", Vector<O, &O::NoUse>},
    {"KIND", Int<O, &O::ObjType>},
    {"FLAGS", Vector<O, &O::Effects>},
    {"WEARFLAGS", Vector<O, &O::WearFlags>},
    // The object file reads a lone "0" here as empty too.
    {"PARAM1", Vector<O, &O::Value0>},
    {"PARAM2", Int<O, &O::Value1>},
    {"PARAM3", Int<O, &O::Value2>},
    {"PARAM4", Int<O, &O::Value3>},
    {"WEIGHT", Int<O, &O::Weight>},
    {"PRICE", Int<O, &O::Price>},
    {"RENTINV", Int<O, &O::Rent>},
    {"RENTWEAR", Int<O, &O::RentWorn>},
    {"EXDESCS", Nothing<O>},
    {"ADDPARAMS",
     [](O& o, const TempletKey& k, Bases) {
       auto w = Words<2>(k.Value);
       o.Applies.Add(PackApply(IntValue(w[0]), IntValue(w[1])));
     }},
    {"TRIGGERS", Append<O, &O::Triggers>},
    {"MAXINWORLD", Int<O, &O::MaxInWorld>},
};

// ---- mobiles

using M = TMob;

template <auto D>
void Dice(M& m, const TempletKey& k, Bases) {
  auto w = Words<3>(k.Value);
  m.*D = {IntValue(w[0]), IntValue(w[1]), IntValue(w[2])};
}

constexpr KeyRow<M> kMobKeys[] = {
    {"ALIAS", Text<M, &M::Aliases>},
    {"IMEN", Name<M, 0>},
    {"ROD", Name<M, 1>},
    {"DAT", Name<M, 2>},
    {"VIN", Name<M, 3>},
    {"TVOR", Name<M, 4>},
    {"PRED", Name<M, 5>},
    {"DESC", Text<M, &M::LongDescription>},
    {"LOOK", Lines<M, &M::LookDescription>},
    {"FLAGS", Vector<M, &M::Flags>},
    {"AFFECTS", Vector<M, &M::Affects>},
    {"ALIGN", Int<M, &M::Alignment>},
    {"LEVEL", Int<M, &M::Level>},
    {"HITROLL", Int<M, &M::Thac0>},
    {"AC", Int<M, &M::ArmorClass>},
    {"HITS", Dice<&M::HitDice>},
    {"DAMAGE", Dice<&M::DamageDice>},
    {"MONEY", Dice<&M::GoldDice>},
    {"EXP", Int<M, &M::Experience>},
    {"POSLOAD", Int<M, &M::LoadPosition>},
    {"POSDEFAULT", Int<M, &M::DefaultPosition>},
    {"POL", Int<M, &M::Sex>},
    {"BAREHANDATTACK", Int<M, &M::BareHandAttack>},
    // Room vnums: a blank around one would end up inside the path.
    {"DESTINATION",
     [](M& m, const TempletKey& k, Bases) {
       if (k.First)
         m.Destinations = Trim(k.Value);
       else
         m.Destinations += "/" + Trim(k.Value);
     }},
    {"STR", Int<M, &M::Str>},
    {"INT", Int<M, &M::Int>},
    {"WIS", Int<M, &M::Wis>},
    {"DEX", Int<M, &M::Dex>},
    {"CON", Int<M, &M::Con>},
    {"CHA", Int<M, &M::Cha>},
    {"LIKEWORK", Int<M, &M::LikeWork>},
    {"MAXFACTOR", Int<M, &M::MaxFactor>},
    {"EXTRAATTACK", Int<M, &M::ExtraAttack>},
    {"MODEL", Int<M, &M::Class>},
    {"SIZE", Int<M, &M::Size>},
    {"HEIGHT", Int<M, &M::Height>},
    {"WEIGHT", Int<M, &M::Weight>},
    {"SPECIAL", Vector<M, &M::SpecialFlags>},
    // Counted like the mobile file's "Spell" lines: a repeat is one more cast.
    {"SPELLS",
     [](M& m, const TempletKey& k, Bases) {
       int32_t spell = IntValue(k.Value);
       int i = m.IndexOfSpell(spell);
       if (i < 0) {
         m.Spells.Add(PackSpell(spell, 1));
         return;
       }
       int32_t packed = m.Spells.Get(i);
       if (SpellCount(packed) < INT16_MAX)
         m.Spells.Put(i, PackSpell(SpellNumber(packed), SpellCount(packed) + 1));
     }},
    {"SKILLS",
     [](M& m, const TempletKey& k, Bases) {
       auto w = Words<2>(k.Value);
       m.Skills.Add(PackSkill(IntValue(w[0]), IntValue(w[1])));
     }},
    {"HELPER", Append<M, &M::Helpers>},
    {"MAXINWORLD", Int<M, &M::MaxInWorld>},
    {"INGRS", Ingredient<M>},
    {"TRIGGERS", Append<M, &M::Triggers>},
};

// ---- shops

using S = TShop;

// A dictionary key gives its entry, anything else a keyword. Without the
// dictionary a number still means an object type, not a keyword.
void AddType(std::vector<std::string>& types, std::string_view value, Bases bases,
             std::string_view dict) {
  std::string v = Trim(value);
  if (const Dictionary* d = bases ? bases->Find(dict) : nullptr) {
    int i = d->IndexOf(v);
    types.push_back(i >= 0 ? d->Items[static_cast<size_t>(i)] : "-1=" + v);
    return;
  }
  int32_t n;
  types.push_back(ParseInt(v, n) ? IntText(n) + "=" : "-1=" + v);
}

template <auto F>
void Factor(S& s, const TempletKey& k, Bases) {
  s.*F = FactorValue(k.Value);
}
template <size_t I>
void Message(S& s, const TempletKey& k, Bases) {
  s.Messages[I] = k.Value;
}

constexpr KeyRow<S> kShopKeys[] = {
    {"GOODS", Append<S, &S::Goods>},
    {"COEFFSELL", Factor<&S::SellCoeff>},
    {"COEFFBUY", Factor<&S::BuyCoeff>},
    {"COEFFCHANGE", Factor<&S::ChangeCoeff>},
    {"GOODSBUY",
     [](S& s, const TempletKey& k, Bases b) { AddType(s.BuyTypes, k.Value, b, "shopbuytype"); }},
    {"GOODSCHANGE", [](S& s, const TempletKey& k,
                       Bases b) { AddType(s.ChangeTypes, k.Value, b, "shopchangetype"); }},
    {"MSG1", Message<0>},
    {"MSG2", Message<1>},
    {"MSG3", Message<2>},
    {"MSG4", Message<3>},
    {"MSG5", Message<4>},
    {"MSG6", Message<5>},
    {"MSG7", Message<6>},
    {"EMOTION", Int<S, &S::Temper>},
    {"BITVECTOR", Vector<S, &S::ShopFlags>},
    {"SELLER", Int<S, &S::Keeper>},
    {"NOTSELLVECTOR", Vector<S, &S::NotSellTo>},
    {"ROOMS", Append<S, &S::Rooms>},
    {"OPEN1", Int<S, &S::Open1>},
    {"CLOSE1", Int<S, &S::Close1>},
    {"OPEN2", Int<S, &S::Open2>},
    {"CLOSE2", Int<S, &S::Close2>},
};

// ---- triggers

using Tr = TTrigger;
constexpr KeyRow<Tr> kTrigKeys[] = {
    {"NAME", Text<Tr, &Tr::Name>},
    {"MODEL", Int<Tr, &Tr::TriggerClass>},
    {"FLAGS", Vector<Tr, &Tr::TriggerTypes>},
    {"NUMPARAM", Int<Tr, &Tr::NumArg>},
    {"STRPARAM", Text<Tr, &Tr::Arg>},
};

// ---- rooms

using R = TRoom;

template <size_t D>
void Exit(R& r, const TempletKey& k, Bases) {
  r.Exits[D].ToRoom = IntValue(k.Value);
}

constexpr KeyRow<R> kRoomKeys[] = {
    {"NAME", Text<R, &R::Name>},
    {"DESC", Lines<R, &R::Description>},
    {"FLAGS", Vector<R, &R::Flags>},
    {"SECTOR", Int<R, &R::Sector>},
    {"EXITN", Exit<kNorth>},
    {"EXITE", Exit<kEast>},
    {"EXITS", Exit<kSouth>},
    {"EXITW", Exit<kWest>},
    {"EXITU", Exit<kUp>},
    {"EXITD", Exit<kDown>},
    {"TRIGGERS",
     [](R& r, const TempletKey& k, Bases) {
       r.Triggers.Add(TCondID{0, IntValue(k.Value)});
     }},
    {"MOBS",
     [](R& r, const TempletKey& k, Bases) {
       auto w = Words<2>(k.Value);
       TRoomMob m;
       m.ID = IntValue(w[0]);
       m.MaxInRoom = IntValue(w[1]);
       r.Mobs.Add(std::move(m));
     }},
    {"OBJECTS",
     [](R& r, const TempletKey& k, Bases) {
       auto w = Words<2>(k.Value);
       TRoomObj o;
       o.ID = IntValue(w[0]);
       o.Chance = static_cast<int16_t>(IntValue(w[1]));
       r.Objects.Add(std::move(o));
     }},
    {"DELOBJECTS",
     [](R& r, const TempletKey& k, Bases) {
       r.RemovedObjects.Add(TCondID{0, IntValue(k.Value)});
     }},
    {"INGRS", Ingredient<R>},
};

}  // namespace

template <>
void TTemplet<TObj>::ApplyKey(TObj& rec, const TempletKey& key, const Dictionaries* bases) {
  ApplyRow(kObjKeys, rec, key, bases);
}
template <>
void TTemplet<TMob>::ApplyKey(TMob& rec, const TempletKey& key, const Dictionaries* bases) {
  ApplyRow(kMobKeys, rec, key, bases);
}
template <>
void TTemplet<TShop>::ApplyKey(TShop& rec, const TempletKey& key, const Dictionaries* bases) {
  ApplyRow(kShopKeys, rec, key, bases);
}
template <>
void TTemplet<TTrigger>::ApplyKey(TTrigger& rec, const TempletKey& key, const Dictionaries* bases) {
  ApplyRow(kTrigKeys, rec, key, bases);
}
template <>
void TTemplet<TRoom>::ApplyKey(TRoom& rec, const TempletKey& key, const Dictionaries* bases) {
  ApplyRow(kRoomKeys, rec, key, bases);
}

}  // namespace zm
