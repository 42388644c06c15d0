// The object file: the format definition of objects.
#include <functional>

#include "io/linesource.h"
#include "io/recordformat.h"
#include "model/world.h"

namespace zm {
namespace {

// Every bit gets its flag code, not only the six the dictionary names, so a
// number with other bits is not lost.
std::string BitsToFlags(uint32_t bits) {
  std::string s;
  for (int i = 0; i < 32; ++i)
    if (bits & (1u << i)) {
      s += static_cast<char>(i < 26 ? 'a' + i : 'A' + (i - 26));
      s += '0';
    }
  return s;
}

// Value0 written as flag codes of the first plane ("b0A0"): the bits as a
// number, a..z for bits 0..25 and A..F for 26..31. Anything else (another
// plane, another letter) has no number and is kept as written.
std::string FlagsToDecimal(std::string_view s) {
  if (s.empty() || s.size() % 2 != 0) return std::string(s);
  uint32_t bits = 0;
  for (size_t i = 0; i < s.size(); i += 2) {
    const char c = s[i];
    int bit = c >= 'a' && c <= 'z' ? c - 'a' : c >= 'A' && c <= 'F' ? 26 + (c - 'A') : -1;
    if (bit < 0 || s[i + 1] != '0') return std::string(s);
    bits |= 1u << bit;
  }
  return IntText(bits);
}

// E blocks, then A, then T, then the others: what the writer does anyway.
bool IsDesignedOrder(std::string_view order) {
  static constexpr std::string_view kDesigned = "EATU";
  size_t at = 0;
  for (char c : order) {
    size_t k = kDesigned.find(c);
    if (k == std::string_view::npos || k < at) return false;
    at = k;
  }
  return true;
}

void ReadNumbers(LineSource& src, TObj& o) {
  std::string l = src.Need();
  std::string first = Token(l);
  // A number is the skill, or for type 25 the flags as bits; anything else
  // is the flags' text.
  int32_t skill = 0;
  bool number = ParseInt(first, skill);
  o.SkillOrMagicFlags = {number ? skill : 0, number ? std::string() : first};
  o.MaxDurability = NumberToken(l);
  o.Durability = NumberToken(l);
  o.Material = NumberOf(l);

  l = src.Need();
  o.Gender = NumberToken(l);
  o.Timer = NumberToken(l);
  int32_t spell = NumberToken(l);
  o.Spell = spell > 0 ? spell : -1;
  o.NoSpellNumber = spell > 0 ? 0 : spell;
  o.SpellLevel = NumberOf(l);

  l = src.Need();
  o.Affects = BitVectorFromText(Token(l));
  o.NoTake = BitVectorFromText(Token(l));
  o.NoUse = BitVectorFromText(Trim(l));

  l = src.Need();
  o.ObjType = NumberToken(l);
  TSkillOrMagicFlags& sm = o.SkillOrMagicFlags;
  // Other types keep a first token that is no number (a weapon's "b0") as
  // text, to be written back as it was.
  if (o.ObjType == kMagicIngredientType && sm.Number != 0) {
    sm.Text = BitsToFlags(static_cast<uint32_t>(sm.Number));
    sm.Number = 0;
  }
  o.Effects = BitVectorFromText(Token(l));
  o.WearFlags = BitVectorFromText(Trim(l));

  l = src.Need();
  std::string v0 = Token(l);
  int32_t unused;
  o.Value0 = BitVectorFromText(ParseInt(v0, unused) ? v0 : FlagsToDecimal(v0));
  o.Value1 = NumberToken(l);
  o.Value2 = NumberToken(l);
  o.Value3 = NumberOf(l);

  l = src.Need();
  o.Weight = NumberToken(l);
  o.Price = NumberToken(l);
  o.Rent = NumberToken(l);
  o.RentWorn = NumberOf(l);
}

// The blocks after the numeric lines, in any order: a real file puts its
// "M" line before the extra descriptions, and stopping there would lose them.
void ReadBlocks(LineSource& src, FileNote& note, TObj& o) {
  o.ExtraDescs.Clear();
  o.Applies.Clear();
  o.Triggers.Clear();
  o.UnknownLines.clear();
  o.BlockOrder.clear();
  std::string line;
  while (NextBlockLine(src, line)) {
    std::string rest = line;
    std::string key = Token(rest);
    if (key == "E") {
      TExtraDesc d;
      d.Keywords = TildeLine(src.Need(), note, src.Line());
      d.Description = ReadTildeText(src, src.Need());
      o.ExtraDescs.Add(std::move(d));
      o.BlockOrder += 'E';
    } else if (key == "A") {
      std::string a = src.Need();
      int32_t location = Narrow<uint16_t>(NumberToken(a));
      o.Applies.Add(PackApply(location, Narrow<int16_t>(NumberToken(a))));
      o.BlockOrder += 'A';
    } else if (key == "T") {
      o.Triggers.Add(NumberToken(rest));
      o.BlockOrder += 'T';
    } else {
      o.UnknownLines.push_back(line);
      o.BlockOrder += 'U';
    }
  }
  if (IsDesignedOrder(o.BlockOrder)) o.BlockOrder.clear();
}

void ReadObject(LineSource& src, FileNote& note, TObjList& list, TObj& o) {
  o.Aliases = TildeLine(src.Need(), note, src.Line());
  for (size_t i = 0; i < o.Names.size(); ++i) {
    o.Names[i] = TildeLine(src.Need(), note, src.Line());
    if (i == 0) list.Renamed(o);
  }
  // Descriptions of more than one line (the game allows them) are kept whole.
  o.Description = ReadTildeText(src, src.Need());
  o.ActionDescription = ReadLinesThenTilde(src, src.Need());
  ReadNumbers(src, o);
  ReadBlocks(src, note, o);
}

bool ReadObjects(World& w, WorldBuffer& buf, FileNote& note, const std::filesystem::path&) {
  PassedLines passed(note);
  LineSource src(buf, &passed);
  ReadRecordsInPlace(src, note, w.Objs, [&](TObj& o) { ReadObject(src, note, w.Objs, o); });
  return true;
}

// The blocks after the numeric lines in the order the file had them. Blocks
// added since go after the last block of their kind, or, when the file had
// none of that kind, in the designed order after the rest.
void BlockLines(const TObj& o, std::vector<std::string>& lines) {
  auto extra = [&](int i) {
    const TExtraDesc* d = o.ExtraDescs.Items(i);
    lines.push_back("E");
    lines.push_back(d->Keywords + "~");
    AddTilded(lines, d->Description);
  };
  auto apply = [&](int i) {
    int32_t a = o.Applies.Get(i);
    lines.push_back("A");
    lines.push_back(JoinNumbers({ApplyLocation(a), ApplyModifier(a)}));
  };
  auto trigger = [&](int i) { lines.push_back("T " + IntText(o.Triggers.Get(i))); };
  auto unknown = [&](int i) { lines.push_back(o.UnknownLines[static_cast<size_t>(i)]); };
  struct Kind {
    char letter;
    int count;
    std::function<void(int)> write;
    int done = 0;
  };
  Kind kinds[] = {{'E', o.ExtraDescs.Count(), extra},
                  {'A', o.Applies.Count(), apply},
                  {'T', o.Triggers.Count(), trigger},
                  {'U', static_cast<int>(o.UnknownLines.size()), unknown}};
  const std::string& order = o.BlockOrder;
  for (size_t i = 0; i < order.size(); ++i) {
    for (Kind& k : kinds) {
      if (k.letter != order[i]) continue;
      bool last = order.find(k.letter, i + 1) == std::string::npos;
      while (k.done < k.count) {
        k.write(k.done++);
        if (!last) break;
      }
    }
  }
  for (Kind& k : kinds)
    while (k.done < k.count) k.write(k.done++);
}

bool WriteObject(const World&, const TMUDClass& rec, std::vector<std::string>& lines) {
  const TObj& o = static_cast<const TObj&>(rec);
  lines.push_back("#" + IntText(o.Vnum));
  lines.push_back(o.Aliases + "~");
  for (const auto& n : o.Names) lines.push_back(n + "~");
  AddTilded(lines, o.Description);
  AddLinesThenTilde(lines, o.ActionDescription);
  const TSkillOrMagicFlags& sm = o.SkillOrMagicFlags;
  std::string first = o.ObjType == kMagicIngredientType || !sm.Text.empty() ? BitVectorText(sm.Text)
                                                                            : IntText(sm.Number);
  lines.push_back(first + " " + JoinNumbers({o.MaxDurability, o.Durability, o.Material}));
  lines.push_back(
      JoinNumbers({o.Gender, o.Timer, o.Spell > 0 ? o.Spell : o.NoSpellNumber, o.SpellLevel}));
  lines.push_back(BitVectorText(o.Affects) + " " + BitVectorText(o.NoTake) + " " +
                  BitVectorText(o.NoUse));
  lines.push_back(IntText(o.ObjType) + " " + BitVectorText(o.Effects) + " " +
                  BitVectorText(o.WearFlags));
  lines.push_back(BitVectorText(o.Value0) + " " + JoinNumbers({o.Value1, o.Value2, o.Value3}));
  lines.push_back(JoinNumbers({o.Weight, o.Price, o.Rent, o.RentWorn}));
  BlockLines(o, lines);
  return true;
}

}  // namespace

const RecordFormat kObjFormat{
    .Kind = kObject,
    .LoadError = ErrorMsg::ObjLoad,
    .SaveError = ErrorMsg::ObjSave,
    .Setting = &TZone::ObjFilename,
    .BadRecord = "ошибка в объекте ",
    .RecordVnum = PlainRecordVnum,
    .Read = ReadObjects,
    .Header = "* Korvask object file v1.0",
    .Trailer = {"$", "$"},
    .Write = WriteObject,
};

}  // namespace zm
