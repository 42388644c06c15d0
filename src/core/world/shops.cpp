#include "world/shops.h"

#include <cmath>

#include "common/bases.h"
#include "common/cp1251.h"
#include "common/messages.h"
#include "common/savelines.h"
#include "common/worldbuffer.h"
#include "load/world.h"
#include "world/linesource.h"

namespace zm {
namespace {

constexpr int kLoadError = 14;
constexpr int kSaveError = 15;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The game closes a tilde field at a "~" followed only by blanks.
bool ClosesTilde(std::string_view line) {
  std::string t = Trim(line);
  return !t.empty() && t.back() == '~';
}

std::string WithoutTilde(const std::string& line) {
  size_t e = line.size();
  while (e > 0 && (line[e - 1] == ' ' || line[e - 1] == '\t')) --e;
  if (e > 0 && line[e - 1] == '~') return line.substr(0, e - 1);
  return line;
}

bool HasBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

// "#4000 E~" and "#4000" are the extended layout, "#4000~" the plain one.
bool ParseRecordLine(std::string_view line, int32_t& vnum, bool& extended) {
  size_t i = 1;
  while (i < line.size() && IsDigit(line[i])) ++i;
  if (i == 1 || !ParseInt(line.substr(1, i - 1), vnum)) return false;
  extended = i >= line.size() || line[i] != '~';
  return true;
}

std::string TypeText(const World& w, const char* dictionary, int32_t key) {
  const TBasesList* bases = w.bases();
  const TBases* b = bases ? bases->Find(dictionary) : nullptr;
  return b ? b->TextOf(IntText(key)) : std::string();
}

// One shop record from the line after its "#" line up to its last hour.
// Throws ParseError where the record is cut short or a number is not one.
class ShopReader {
 public:
  ShopReader(World& w, WorldBuffer& b, const std::filesystem::path& path)
      : m_w(w), m_b(b), m_path(path) {}

  // Price-factor lines that were not numbers (reported, reading went on).
  int BadFactors = 0;
  int FirstBadFactorLine = 0;

  void Read(TShop& s, bool extended) {
    Next();
    s.Goods.Clear();
    while (!IsEnd()) {
      if (!Trim(m_line).empty()) s.Goods.Add(Int());
      Next();
    }
    Next();
    Factor(s.SellCoeff);
    Next();
    Factor(s.BuyCoeff);
    Next();
    // The plain layout has no third factor; its next line is already a type.
    if (extended || m_line.find('.') != std::string::npos) {
      Factor(s.ChangeCoeff);
      Next();
    }
    s.BuyTypes.clear();
    Types(s.BuyTypes, "shopbuytype");
    s.ChangeTypes.clear();
    Next();
    int32_t n;
    if (extended || ParseInt(Trim(m_line), n)) {
      Types(s.ChangeTypes, "shopchangetype");
      Next();
    }
    while (Trim(m_line).empty()) Next();
    for (std::string& m : s.Messages) {
      m = WithoutTilde(m_line);
      Next();
    }
    s.Temper = Int();
    Next();
    s.ShopFlags = BitVectorFromText(Trim(m_line));
    Next();
    s.Keeper = Int();
    Next();
    s.NotSellTo = BitVectorFromText(Trim(m_line));
    Next();
    s.Rooms.Clear();
    while (!IsEnd()) {
      if (!Trim(m_line).empty()) s.Rooms.Add(Int());
      Next();
    }
    s.Open1 = Hour();
    s.Close1 = Hour();
    s.Open2 = Hour();
    s.Close2 = Hour();
  }

 private:
  void Next() {
    if (m_b.BufferEof()) throw ParseError();
    m_line = m_b.ReadBufferLine();
  }
  bool IsEnd() const { return Trim(m_line) == "-1"; }
  int32_t Int() const {
    int32_t v;
    if (!ParseInt(Trim(m_line), v)) throw ParseError();
    return v;
  }
  // Files written under a comma-decimal locale carry "1,15"; anything else
  // that is not a number keeps the factor as it was and is reported.
  void Factor(double& v) {
    std::string t = Trim(m_line);
    for (char& c : t)
      if (c == ',') c = '.';
    double d;
    if (ParseFloat(t, d)) {
      v = d;
      return;
    }
    if (BadFactors++ == 0) FirstBadFactorLine = m_b.Line();
    m_w.reporter().AddLoadError(
        FormatMessage(ErrorText(kLoadError), {m_path.string(), LineErrorText(m_b.Line())}));
  }
  void Types(std::vector<std::string>& out, const char* dictionary) {
    while (!IsEnd()) {
      if (ClosesTilde(m_line)) {
        out.push_back("-1=" + WithoutTilde(m_line));
      } else if (!Trim(m_line).empty()) {
        int32_t n = Int();
        out.push_back(IntText(n) + "=" + TypeText(m_w, dictionary, n));
      }
      Next();
    }
  }
  uint8_t Hour() {
    while (!m_b.BufferEof() && (m_b.Peek() == '\r' || m_b.Peek() == '\n')) m_b.ReadBufferLine();
    int32_t v;
    if (!ParseInt(Trim(m_b.ReadBufferWord(kLineEnds)), v) || v < 0 || v > 255) throw ParseError();
    return static_cast<uint8_t>(v);
  }

  World& m_w;
  WorldBuffer& m_b;
  const std::filesystem::path& m_path;
  std::string m_line;
};

// Key of a "key=text" type entry.
std::string TypeKey(const std::string& entry) {
  return entry.substr(0, entry.find('='));
}
std::string TypeValue(const std::string& entry) {
  size_t eq = entry.find('=');
  return eq == std::string::npos ? std::string() : entry.substr(eq + 1);
}

// False when an entry would not read back as written.
bool AddTypes(std::vector<std::string>& lines, const std::vector<std::string>& types) {
  for (const std::string& e : types) {
    std::string key = Trim(TypeKey(e));
    int32_t n;
    if (key == "-1") {
      std::string text = TypeValue(e);
      if (HasBreak(text)) return false;
      lines.push_back(text + "~");
    } else if (ParseInt(key, n)) {
      lines.push_back(IntText(n));
    } else {
      return false;
    }
  }
  lines.push_back("-1");
  return true;
}

bool BuildShop(const TShop& s, std::vector<std::string>& lines) {
  if (!std::isfinite(s.SellCoeff) || !std::isfinite(s.BuyCoeff) || !std::isfinite(s.ChangeCoeff))
    return false;
  if (HasBreak(s.ShopFlags) || HasBreak(s.NotSellTo)) return false;
  for (const std::string& m : s.Messages)
    if (HasBreak(m)) return false;
  lines.push_back("#" + IntText(s.Vnum) + " E~");
  for (const auto& g : s.Goods) lines.push_back(IntText(g->Value));
  lines.push_back("-1");
  lines.push_back(FloatText(s.SellCoeff, 2));
  lines.push_back(FloatText(s.BuyCoeff, 2));
  lines.push_back(FloatText(s.ChangeCoeff, 2));
  if (!AddTypes(lines, s.BuyTypes) || !AddTypes(lines, s.ChangeTypes)) return false;
  for (const std::string& m : s.Messages) lines.push_back(m + "~");
  lines.push_back(IntText(s.Temper));
  lines.push_back(BitVectorText(s.ShopFlags));
  lines.push_back(IntText(s.Keeper));
  lines.push_back(BitVectorText(s.NotSellTo));
  for (const auto& r : s.Rooms) lines.push_back(IntText(r->Value));
  lines.push_back("-1");
  for (uint8_t h : {s.Open1, s.Close1, s.Open2, s.Close2}) lines.push_back(IntText(h));
  return true;
}

}  // namespace

void TShop::Assign(const TShop& o) {
  NodeHandle node = Node;
  RecordKind kind = Kind;
  *this = o;
  Node = node;
  Kind = kind;
}

std::string TShop::KeeperName(const World& w) const {
  const TMob* m = w.Mobs.Find(Keeper);
  return m ? w.Mobs.NameOfRecord(*m) : W("Неизвестный");
}

bool TShop::operator==(const TShop& o) const {
  return Zone == o.Zone && Vnum == o.Vnum && Goods == o.Goods && SellCoeff == o.SellCoeff &&
         BuyCoeff == o.BuyCoeff && ChangeCoeff == o.ChangeCoeff && BuyTypes == o.BuyTypes &&
         ChangeTypes == o.ChangeTypes && Messages == o.Messages && Temper == o.Temper &&
         ShopFlags == o.ShopFlags && Keeper == o.Keeper && NotSellTo == o.NotSellTo &&
         Rooms == o.Rooms && Open1 == o.Open1 && Close1 == o.Close1 && Open2 == o.Open2 &&
         Close2 == o.Close2;
}

std::string TShopList::NameOfRecord(const TShop& s) const {
  return s.KeeperName(m_world);
}

bool TShopList::LoadFromFile(World& w, const std::filesystem::path& path) {
  WorldBuffer buf;
  try {
    buf.LoadWorldBuffer(path);
  } catch (const FileError&) {
    w.Files.Begin(path).Fail(buf.Line());
    w.reporter().AddLoadError(
        FormatMessage(ErrorText(kLoadError), {path.string(), LineErrorText(buf.Line())}));
    return false;
  }
  return parse(w, buf, path);
}

bool TShopList::LoadFromBytes(World& w, std::string bytes, const std::filesystem::path& path) {
  WorldBuffer buf;
  buf.LoadFromBytes(std::move(bytes));
  return parse(w, buf, path);
}

bool TShopList::parse(World& w, WorldBuffer& buf, const std::filesystem::path& path) {
  CodingWord cw = buf.DetectCoding();
  buf.SetCoding(cw.Coding);

  // The first record names the zone whose file this is.
  buf.ResetWorldBuffer();
  int32_t firstZone = 0;
  NodeHandle group = nullptr;
  while (!buf.BufferEof()) {
    std::string line = buf.ReadBufferLine();
    if (line.empty() || line[0] != '#') continue;
    int32_t vnum;
    bool extended;
    if (ParseRecordLine(line, vnum, extended)) {
      firstZone = ZoneOf(vnum);
      TZone& z = w.ZoneOrBare(firstZone);
      if (z.ShopFilename.Coding == kCodingUnknown) {
        z.ShopFilename.Path = path;
        z.ShopFilename.SetWord(cw);
      }
      if (Sink()) group = Sink()->FindGroupNode(firstZone, kShop);
    }
    break;
  }

  buf.ResetWorldBuffer();
  ShopReader reader(w, buf, path);
  FileNote& note = w.Files.Begin(path);
  PassedLines passed(note);
  bool ok = true;
  try {
    std::string line;
    auto seekRecord = [&] {
      while (!buf.BufferEof()) {
        line = buf.ReadBufferLine();
        if (!line.empty() && line[0] == '#') {
          passed.RecordSeen();
          return true;
        }
        passed.Passed(line, buf.Line());
      }
      return false;
    };
    while (seekRecord()) {
      int32_t vnum;
      bool extended;
      if (!ParseRecordLine(line, vnum, extended)) throw ParseError();
      note.Zones.insert(ZoneOf(vnum));
      // Read into a copy so that a record cut short neither appears half
      // read nor spoils the shop it would have replaced.
      TShop* existing = Find(vnum);
      TShop s = existing ? *existing : TShop(ZoneOf(vnum), vnum);
      reader.Read(s, extended);
      if (existing) {
        existing->Assign(s);
        if (existing->Node && Sink())
          Sink()->SetCaption(existing->Node, NodeCaption(vnum, existing->KeeperName(w)));
      } else {
        NodeHandle parent = s.Zone == firstZone ? group : nullptr;
        Add(std::make_unique<TShop>(std::move(s)), parent);
      }
    }
  } catch (const ParseError&) {
    note.Fail(buf.Line());
    w.reporter().AddLoadError(
        FormatMessage(ErrorText(kLoadError), {path.string(), LineErrorText(buf.Line())}));
    ok = false;
  }
  for (int i = 0; i < reader.BadFactors; ++i) note.Skip(reader.FirstBadFactorLine);
  buf.SetLine(kLineClosed);
  buf.FreeWorldBuffer();
  return ok && reader.BadFactors == 0;
}

int TShopList::BuildLines(const World&, std::vector<std::string>& lines, int32_t zone) const {
  lines.clear();
  lines.push_back("CircleMUD v3.0 Shop File~");
  for (const auto& s : *this) {
    if (s->Zone != zone) continue;
    if (!BuildShop(*s, lines)) return s->Vnum != 0 ? s->Vnum : -1;
  }
  lines.push_back("$");
  lines.push_back("$");
  lines.push_back("~");
  return 0;
}

bool TShopList::SaveZone(World& w, int32_t zone, const std::filesystem::path& path) {
  std::vector<std::string> lines;
  if (int bad = BuildLines(w, lines, zone)) {
    w.reporter().ShowError(kSaveError, {bad});
    return false;
  }
  const TZone* z = w.Zones.ByNumber(zone);
  std::filesystem::path target = path.empty() && z ? z->ShopFilename.Path : path;
  CodingWord cw = z ? z->ShopFilename.Word() : kDefaultCodingWord;
  std::string error = W("нет имени файла");
  if (target.empty() || !SaveLines(target, lines, cw, &error)) {
    w.reporter().ShowError(
        kSaveError, {(target.empty() ? IntText(zone) : target.string()) + " (" + error + ")"});
    return false;
  }
  return true;
}

}  // namespace zm
