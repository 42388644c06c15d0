#include "world/objs.h"

#include <functional>

#include "common/cp1251.h"
#include "common/messages.h"
#include "common/savelines.h"
#include "load/world.h"
#include "world/linesource.h"

namespace zm {
namespace {

constexpr int kLoadError = 5;
constexpr int kSaveError = 6;

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

// Value0 written as flag codes: the letter of each pair is a bit.
std::string FlagsToDecimal(std::string_view s) {
  uint32_t bits = 0;
  for (size_t i = 0; i < s.size(); i += 2)
    if (s[i] >= 'a' && s[i] <= 'z') bits |= 1u << (s[i] - 'a');
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
  if (o.ObjType != kMagicIngredientType) {
    sm.Text.clear();
  } else if (sm.Number != 0) {
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
void ReadBlocks(LineSource& src, TObj& o) {
  o.ExtraDescs.Clear();
  o.Applies.Clear();
  o.Triggers.Clear();
  o.UnknownLines.clear();
  o.BlockOrder.clear();
  std::string line;
  while (src.Next(line)) {
    if (!line.empty() && line[0] == '#') {
      src.Unread();
      break;
    }
    if (!line.empty() && line[0] == '$') {
      src.Pass(line);
      break;
    }
    if (IsBlankLine(line)) continue;
    std::string rest = line;
    std::string key = Token(rest);
    if (key == "E") {
      TExtraDesc d;
      d.Keywords = DropLast(src.Need());
      d.Description = ReadTildeText(src, src.Need());
      o.ExtraDescs.Add(std::move(d));
      o.BlockOrder += 'E';
    } else if (key == "A") {
      std::string a = src.Need();
      int32_t location = NumberToken(a);
      o.Applies.Add(PackApply(location, NumberToken(a)));
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

void ReadObject(LineSource& src, TObj& o, TreeSink* sink) {
  o.Aliases = DropLast(src.Need());
  for (size_t i = 0; i < o.Names.size(); ++i) {
    o.Names[i] = DropLast(src.Need());
    if (i == 0 && sink && o.Node) sink->SetCaption(o.Node, NodeCaption(o.Vnum, o.Names[0]));
  }
  // Descriptions of more than one line (the game allows them) are kept whole.
  o.Description = ReadTildeText(src, src.Need());
  o.ActionDescription = ReadLinesThenTilde(src, src.Need());
  ReadNumbers(src, o);
  ReadBlocks(src, o);
}

// The zone of the first record gets the file's coding, when it has none yet,
// and gives the tree group for the whole file.
NodeHandle Prescan(World& w, WorldBuffer& buf, const std::filesystem::path& path, CodingWord cw,
                   TreeSink* sink) {
  buf.ResetWorldBuffer();
  LineSource src(buf);
  if (!src.SeekRecord()) return nullptr;
  buf.Skip();
  int32_t vnum;
  // A bad number is reported by the record loop at its own line.
  if (!ParseInt(Trim(buf.ReadBufferLine()), vnum)) return nullptr;
  int32_t zone = ZoneOf(vnum);
  TFileSetting& setting = w.ZoneOrBare(zone).ObjFilename;
  if (setting.Coding == kCodingUnknown) {
    setting.Path = path;
    setting.SetWord(cw);
  }
  return sink ? sink->FindGroupNode(zone, kObject) : nullptr;
}

bool Parse(TObjList& list, World& w, WorldBuffer& buf, const std::filesystem::path& path) {
  FileNote& note = w.Files.Begin(path);
  try {
    CodingWord cw = buf.DetectCoding();
    buf.SetCoding(cw.Coding);
    NodeHandle group = Prescan(w, buf, path, cw, list.Sink());
    buf.ResetWorldBuffer();
    PassedLines passed(note);
    LineSource src(buf, &passed);
    while (src.SeekRecord()) {
      int32_t vnum = src.ReadVnum();
      note.Zones.insert(ZoneOf(vnum));
      TObj* o = list.Find(vnum);
      if (!o) o = list.Add(std::make_unique<TObj>(ZoneOf(vnum), vnum), group);
      ReadObject(src, *o, list.Sink());
    }
    buf.SetLine(kLineClosed);
    buf.FreeWorldBuffer();
    return true;
  } catch (const std::exception&) {
    note.Fail(buf.Line());
    w.reporter().AddLoadError(
        FormatMessage(ErrorText(kLoadError), {path.string(), LineErrorText(buf.Line())}));
    return false;
  }
}

std::string Numbers(std::initializer_list<int32_t> values) {
  std::string s;
  for (int32_t v : values) {
    if (!s.empty()) s += ' ';
    s += IntText(v);
  }
  return s;
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
    lines.push_back(Numbers({ApplyLocation(a), ApplyModifier(a)}));
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

void ObjectLines(const TObj& o, std::vector<std::string>& lines) {
  lines.push_back("#" + IntText(o.Vnum));
  lines.push_back(o.Aliases + "~");
  for (const auto& n : o.Names) lines.push_back(n + "~");
  AddTilded(lines, o.Description);
  AddLinesThenTilde(lines, o.ActionDescription);
  std::string first = o.ObjType == kMagicIngredientType ? BitVectorText(o.SkillOrMagicFlags.Text)
                                                        : IntText(o.SkillOrMagicFlags.Number);
  lines.push_back(first + " " + Numbers({o.MaxDurability, o.Durability, o.Material}));
  lines.push_back(
      Numbers({o.Gender, o.Timer, o.Spell > 0 ? o.Spell : o.NoSpellNumber, o.SpellLevel}));
  lines.push_back(BitVectorText(o.Affects) + " " + BitVectorText(o.NoTake) + " " +
                  BitVectorText(o.NoUse));
  lines.push_back(IntText(o.ObjType) + " " + BitVectorText(o.Effects) + " " +
                  BitVectorText(o.WearFlags));
  lines.push_back(BitVectorText(o.Value0) + " " + Numbers({o.Value1, o.Value2, o.Value3}));
  lines.push_back(Numbers({o.Weight, o.Price, o.Rent, o.RentWorn}));
  BlockLines(o, lines);
}

}  // namespace

void TObj::Assign(const TObj& o) {
  NodeHandle node = Node;
  RecordKind kind = Kind;
  *this = o;
  Node = node;
  Kind = kind;
}

bool TObj::operator==(const TObj& o) const {
  return Zone == o.Zone && Vnum == o.Vnum && Names == o.Names && Aliases == o.Aliases &&
         Description == o.Description && ActionDescription == o.ActionDescription &&
         SkillOrMagicFlags == o.SkillOrMagicFlags && MaxDurability == o.MaxDurability &&
         Durability == o.Durability && Material == o.Material && Gender == o.Gender &&
         Timer == o.Timer && Spell == o.Spell && SpellLevel == o.SpellLevel &&
         Affects == o.Affects && NoTake == o.NoTake && NoUse == o.NoUse && ObjType == o.ObjType &&
         Effects == o.Effects && WearFlags == o.WearFlags && Value0 == o.Value0 &&
         Value1 == o.Value1 && Value2 == o.Value2 && Value3 == o.Value3 && Weight == o.Weight &&
         Price == o.Price && Rent == o.Rent && RentWorn == o.RentWorn &&
         ExtraDescs == o.ExtraDescs && Applies == o.Applies && Triggers == o.Triggers &&
         MaxInWorld == o.MaxInWorld && NoSpellNumber == o.NoSpellNumber &&
         UnknownLines == o.UnknownLines && BlockOrder == o.BlockOrder;
}

bool TObjList::LoadFromFile(World& w, const std::filesystem::path& path) {
  WorldBuffer buf;
  try {
    buf.LoadWorldBuffer(path);
  } catch (const std::exception&) {
    w.Files.Begin(path).Fail(buf.Line());
    w.reporter().AddLoadError(
        FormatMessage(ErrorText(kLoadError), {path.string(), LineErrorText(buf.Line())}));
    return false;
  }
  return Parse(*this, w, buf, path);
}

bool TObjList::LoadFromBytes(World& w, std::string bytes, const std::filesystem::path& path) {
  WorldBuffer buf;
  buf.LoadFromBytes(std::move(bytes));
  return Parse(*this, w, buf, path);
}

int TObjList::BuildLines(const World&, std::vector<std::string>& lines, int32_t zone) const {
  lines.clear();
  int32_t current = -1;
  try {
    lines.push_back("* Korvask object file v1.0");
    for (const auto& o : *this) {
      if (o->Zone != zone) continue;
      current = o->Vnum;
      ObjectLines(*o, lines);
    }
    lines.push_back("$");
    lines.push_back("$");
  } catch (const std::exception&) {
    return current != 0 ? current : -1;
  }
  return 0;
}

bool TObjList::SaveZone(World& w, int32_t zone, const std::filesystem::path& path) {
  std::vector<std::string> lines;
  if (int bad = BuildLines(w, lines, zone)) {
    w.reporter().ShowError(kSaveError, {bad});
    return false;
  }
  const TZone* z = w.Zones.ByNumber(zone);
  std::filesystem::path target = path.empty() && z ? z->ObjFilename.Path : path;
  CodingWord cw = z ? z->ObjFilename.Word() : kDefaultCodingWord;
  std::string error = W("нет имени файла");
  if (target.empty() || !SaveLines(target, lines, cw, &error)) {
    w.reporter().ShowError(
        kSaveError, {(target.empty() ? IntText(zone) : target.string()) + " (" + error + ")"});
    return false;
  }
  return true;
}

std::vector<std::string> TObjList::FillChoiceList(int32_t zone, int32_t type) const {
  std::vector<std::string> list;
  for (const auto& o : *this)
    if ((zone == 0 || o->Zone == zone) && (type == -2 || o->ObjType == type))
      list.push_back(IntText(o->Vnum) + "=" + o->Names[0]);
  list.push_back("-1=" + W("Не выбран"));
  return list;
}

}  // namespace zm
