// The mobile file: the format definition of mobiles.
#include "io/mobfile.h"

#include "io/linesource.h"
#include "io/recordformat.h"
#include "model/world.h"

namespace zm {
namespace {

struct NumberKey {
  const char* key;
  int32_t TMob::*field;
};
// In the order they are written, after "BareHandAttack" and the destinations.
constexpr NumberKey kNumberKeys[] = {
    {"Str", &TMob::Str},
    {"Int", &TMob::Int},
    {"Wis", &TMob::Wis},
    {"Dex", &TMob::Dex},
    {"Con", &TMob::Con},
    {"Cha", &TMob::Cha},
    {"LikeWork", &TMob::LikeWork},
    {"MaxFactor", &TMob::MaxFactor},
    {"ExtraAttack", &TMob::ExtraAttack},
    {"Class", &TMob::Class},
    {"Size", &TMob::Size},
    {"Height", &TMob::Height},
    {"Weight", &TMob::Weight},
};

// Bit of AbsentKeys for each always-written key: BareHandAttack, then the
// number keys in their order.
constexpr uint32_t kBareHandBit = 1u;
constexpr uint32_t NumberKeyBit(size_t i) {
  return 1u << (i + 1);
}
constexpr uint32_t kAllAlwaysKeys = (1u << (std::size(kNumberKeys) + 1)) - 1;

TDice DiceToken(std::string& line) {
  TDice d;
  if (!ReadDice(Token(line), d)) throw ParseError();
  return d;
}

void ReadHeader(LineSource& src, FileNote& note, TMobList& list, TMob& m) {
  // What stands after the numbers a line is read for is not written back.
  auto ended = [&](const std::string& rest) {
    if (!IsBlankLine(rest)) note.Skip(src.Line());
  };
  m.Aliases = TildeLine(src.Need(), note, src.Line());
  for (size_t i = 0; i < m.Names.size(); ++i) {
    m.Names[i] = TildeLine(src.Need(), note, src.Line());
    if (i == 0) list.Renamed(m);
  }
  // A long description of several lines (the game allows them) is kept
  // whole, instead of its second line being taken for the closing "~".
  m.LongDescription = ReadLinesThenTilde(src, src.Need());
  m.LookDescription = ReadTildeText(src, src.Need());

  std::string l = src.Need();
  m.Flags = BitVectorFromText(Token(l));
  m.Affects = BitVectorFromText(Token(l));
  m.Alignment = NumberToken(l);
  Token(l);  // the type letter: the writer writes its own
  ended(l);

  l = src.Need();
  m.Level = NumberToken(l);
  m.Thac0 = NumberToken(l);
  m.ArmorClass = NumberToken(l);
  m.HitDice = DiceToken(l);
  m.DamageDice = DiceToken(l);
  ended(l);

  l = src.Need();
  m.GoldDice = DiceToken(l);
  m.Experience = NumberToken(l);
  ended(l);

  l = src.Need();
  m.LoadPosition = NumberToken(l);
  m.DefaultPosition = NumberToken(l);
  m.Sex = NumberToken(l);
  ended(l);
}

// A spell named on lines one after the other counts up one entry; named
// again after another spell, it gets an entry of its own, so that the lines
// are written back in the order the file had them.
void AddSpell(TMob& m, int32_t spell) {
  const int last = m.Spells.Count() - 1;
  const int32_t packed = m.Spells.Get(last);
  if (last >= 0 && SpellNumber(packed) == spell && SpellCount(packed) < INT16_MAX) {
    m.Spells.Put(last, PackSpell(spell, SpellCount(packed) + 1));
    return;
  }
  m.Spells.Add(PackSpell(spell, 1));
}

// Fields whose key does not appear keep their values: a mobile read twice
// keeps what only the first record named.
void ReadExtended(LineSource& src, FileNote& note, TMob& m) {
  m.Spells.Clear();
  m.Skills.Clear();
  m.Helpers.Clear();
  m.Destinations.clear();
  m.UnknownLines.clear();
  uint32_t absent = kAllAlwaysKeys;
  for (;;) {
    std::string line = src.Need();
    std::string rest = line;
    std::string key = Trim(NextWord(rest, ":"));
    if (key == "E") {
      m.AbsentKeys = absent;
      return;
    }
    // The next record, or the end of the file, before the "E": the mobile
    // ends here, and the file is not written back as it was.
    if (!line.empty() && (line[0] == '#' || line[0] == '$')) {
      src.Unread();
      note.Skip(src.Line() + 1);
      m.AbsentKeys = absent;
      return;
    }
    if (key == "BareHandAttack") {
      m.BareHandAttack = NumberToken(rest);
      absent &= ~kBareHandBit;
    } else if (key == "Destination") {
      std::string room = Token(rest);
      if (room.empty()) continue;
      if (!m.Destinations.empty()) m.Destinations += '/';
      m.Destinations += room;
    } else if (key == "Special_Bitvector") {
      m.SpecialFlags = Token(rest);
    } else if (key == "Spell") {
      AddSpell(m, Narrow<uint16_t>(NumberToken(rest)));
    } else if (key == "Skill") {
      int32_t skill = Narrow<uint16_t>(NumberToken(rest));
      m.Skills.Add(PackSkill(skill, Narrow<int16_t>(NumberToken(rest))));
    } else if (key == "Helper") {
      m.Helpers.Add(NumberToken(rest));
    } else {
      bool known = false;
      for (size_t i = 0; i < std::size(kNumberKeys); ++i)
        if (key == kNumberKeys[i].key) {
          m.*kNumberKeys[i].field = NumberToken(rest);
          absent &= ~NumberKeyBit(i);
          known = true;
          break;
        }
      if (!known && !IsBlankLine(line)) m.UnknownLines.push_back(line);
    }
  }
}

TIngr ReadIngredient(std::string rest) {
  TIngr g;
  size_t comma = rest.find(',');
  if (comma != std::string::npos) {
    g.Name = rest.substr(0, comma);
    rest.erase(0, comma + 1);
    size_t colon = rest.find(':');
    if (colon == std::string::npos) throw ParseError();
    g.Power = Narrow<int16_t>(NumberOf(std::string_view(rest).substr(0, colon)));
    rest.erase(0, colon + 1);
  } else {
    size_t colon = rest.find(':');
    if (colon == std::string::npos) throw ParseError();
    g.Name = rest.substr(0, colon);
    rest.erase(0, colon + 1);
  }
  g.Chance = Narrow<int16_t>(NumberToken(rest));
  return g;
}

// T and I lines in any order: a trigger after an ingredient is still a trigger.
void ReadTail(LineSource& src, TMob& m) {
  m.Triggers.Clear();
  m.Ingredients.Clear();
  m.UnknownTail.clear();
  std::string line;
  while (NextBlockLine(src, line)) {
    std::string rest = line;
    std::string key = Token(rest);
    if (key == "T")
      m.Triggers.Add(NumberToken(rest));
    else if (key == "I")
      m.Ingredients.Add(ReadIngredient(rest));
    else
      m.UnknownTail.push_back(line);
  }
}

bool ReadMobiles(World& w, WorldBuffer& buf, FileNote& note, const std::filesystem::path&) {
  PassedLines passed(note);
  LineSource src(buf, &passed);
  ReadRecordsInPlace(src, note, w.Mobs, [&](TMob& m) {
    ReadHeader(src, note, w.Mobs, m);
    ReadExtended(src, note, m);
    ReadTail(src, m);
  });
  return true;
}

// The reader adds a CR LF for a "~" line of its own, so a text ending with
// one is written with that "~" line (one trailing CR LF taken off; blank
// lines before it stay), and a text without one gets its "~" at the end of
// its last line, as the file had it.
void AddLookDescription(std::vector<std::string>& lines, const std::string& text) {
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) {
    auto parts = SplitTextLines(std::string_view(text).substr(0, text.size() - 2));
    if (!EndsWithTilde(parts.back())) {
      for (auto& l : parts) lines.push_back(std::move(l));
      lines.push_back("~");
      return;
    }
  }
  if (!text.empty() && !EndsWithTilde(text) && text.back() != '\n' && text.back() != '\r') {
    AddTilded(lines, text);
    return;
  }
  AddLinesThenTilde(lines, StripLineEnd(text));
}

bool WriteMobile(const World&, const TMUDClass& rec, std::vector<std::string>& lines) {
  const TMob& m = static_cast<const TMob&>(rec);
  lines.push_back("#" + IntText(m.Vnum));
  lines.push_back(m.Aliases + "~");
  for (const auto& n : m.Names) lines.push_back(n + "~");
  AddLinesThenTilde(lines, m.LongDescription);
  AddLookDescription(lines, m.LookDescription);
  lines.push_back(BitVectorText(m.Flags) + " " + BitVectorText(m.Affects) + " " +
                  IntText(m.Alignment) + " E");
  lines.push_back(JoinNumbers({m.Level, m.Thac0, m.ArmorClass}) + " " + DiceText(m.HitDice) + " " +
                  DiceText(m.DamageDice));
  lines.push_back(DiceText(m.GoldDice) + " " + IntText(m.Experience));
  lines.push_back(JoinNumbers({m.LoadPosition, m.DefaultPosition, m.Sex}));
  auto absent = [&](uint32_t bit, int32_t value) { return (m.AbsentKeys & bit) && value == 0; };
  if (!absent(kBareHandBit, m.BareHandAttack))
    lines.push_back("BareHandAttack: " + IntText(m.BareHandAttack));
  std::string path = m.Destinations;
  while (!path.empty()) {
    std::string room = NextWord(path, "/");
    if (!room.empty()) lines.push_back("Destination: " + room);
  }
  for (size_t i = 0; i < std::size(kNumberKeys); ++i) {
    const NumberKey& k = kNumberKeys[i];
    if (!absent(NumberKeyBit(i), m.*k.field))
      lines.push_back(std::string(k.key) + ": " + IntText(m.*k.field));
  }
  if (!m.SpecialFlags.empty()) lines.push_back("Special_Bitvector: " + m.SpecialFlags);
  for (const auto& s : m.Spells)
    for (int32_t i = 0; i < SpellCount(s->Value); ++i)
      lines.push_back("Spell: " + IntText(SpellNumber(s->Value)));
  for (const auto& s : m.Skills)
    lines.push_back("Skill: " + JoinNumbers({SkillNumber(s->Value), SkillValue(s->Value)}));
  for (const auto& h : m.Helpers) lines.push_back("Helper: " + IntText(h->Value));
  for (const auto& u : m.UnknownLines) lines.push_back(u);
  lines.push_back("E");
  for (const auto& t : m.Triggers) lines.push_back("T " + IntText(t->Value));
  for (const auto& g : m.Ingredients)
    lines.push_back("I " + g->Name + "," + IntText(g->Power) + ":" + IntText(g->Chance));
  for (const auto& u : m.UnknownTail) lines.push_back(u);
  return true;
}

}  // namespace

const char* ExtendedKeyName(int bit) {
  if (bit == 0) return "BareHandAttack";
  if (bit > 0 && static_cast<size_t>(bit) <= std::size(kNumberKeys))
    return kNumberKeys[static_cast<size_t>(bit) - 1].key;
  return nullptr;
}

const RecordFormat kMobFormat{
    .Kind = kMobile,
    .LoadError = ErrorMsg::MobLoad,
    .SaveError = ErrorMsg::MobSave,
    .Setting = &TZone::MobFilename,
    .BadRecord = "ошибка в мобе ",
    .RecordVnum = PlainRecordVnum,
    .Read = ReadMobiles,
    .Header = "* Korvask mob file v1.0",
    .Trailer = {"$", "$"},
    .Write = WriteMobile,
};

}  // namespace zm
