// The shop file: the format definition of shops.
#include <cmath>

#include "common/dictionaries.h"
#include "common/worldbuffer.h"
#include "io/linesource.h"
#include "io/recordformat.h"
#include "model/world.h"

namespace zm {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// "#4000 E~" and "#4000" are the extended layout, "#4000~" the plain one.
bool ParseRecordLine(std::string_view line, int32_t& vnum, bool& extended) {
  if (line.empty() || line[0] != '#') return false;
  size_t i = 1;
  while (i < line.size() && IsDigit(line[i])) ++i;
  if (i == 1 || !ParseInt(line.substr(1, i - 1), vnum)) return false;
  extended = i >= line.size() || line[i] != '~';
  return true;
}

std::string TypeText(const World& w, const char* dictionary, int32_t key) {
  const Dictionaries* bases = w.bases();
  const Dictionary* b = bases ? bases->Find(dictionary) : nullptr;
  return b ? b->TextOf(IntText(key)) : std::string();
}

// One shop record from the line after its "#" line up to its last hour.
// Throws ParseError where the record is cut short or a number is not one.
class ShopReader {
 public:
  ShopReader(World& w, WorldBuffer& b, FileNote& note) : m_w(w), m_b(b), m_note(note) {}

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
  // By value: "-01" ends a list too, or a list holding it could not be
  // written back.
  bool IsEnd() const {
    int32_t v;
    return ParseInt(Trim(m_line), v) && v == -1;
  }
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
    m_note.Skip(m_b.Line());
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
  FileNote& m_note;
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

// Two decimals, or as many more as the factor needs to read back the same
// (1.155 stays 1.155, not 1.16).
std::string FactorText(double f) {
  for (int digits = 2; digits < 20; ++digits) {
    std::string text = FloatText(f, digits);
    double back;
    if (ParseFloat(text, back) && back == f) return text;
  }
  return FloatText(f, 20);
}

bool ShopVnum(std::string_view line, int32_t& vnum) {
  bool extended;
  return ParseRecordLine(line, vnum, extended);
}

bool ReadShops(World& w, WorldBuffer& buf, FileNote& note, const std::filesystem::path&) {
  ShopReader reader(w, buf, note);
  PassedLines passed(note);
  RecordsSeen seen(note);
  std::string line;
  while (SeekRecordLine(buf, passed, line)) {
    int32_t vnum;
    bool extended;
    if (!ParseRecordLine(line, vnum, extended)) throw ParseError();
    seen.Record(vnum, buf.Line(), w.Shops.Find(vnum) != nullptr);
    // After the number stands "~", "E~" or nothing; anything else is not
    // written back.
    size_t end = 1;
    while (end < line.size() && IsDigit(line[end])) ++end;
    const std::string mark = Trim(std::string_view(line).substr(end));
    if (!mark.empty() && mark != "~" && mark != "E~") note.Skip(buf.Line());
    TShop s = RecordCopy(w.Shops, vnum);
    reader.Read(s, extended);
    StoreRecord(w.Shops, std::move(s));
  }
  return true;
}

bool WriteShop(const World&, const TMUDClass& rec, std::vector<std::string>& lines) {
  const TShop& s = static_cast<const TShop&>(rec);
  if (!std::isfinite(s.SellCoeff) || !std::isfinite(s.BuyCoeff) || !std::isfinite(s.ChangeCoeff))
    return false;
  if (HasBreak(s.ShopFlags) || HasBreak(s.NotSellTo)) return false;
  // -1 ends the goods and the rooms.
  if (s.Goods.IndexOf(-1) >= 0 || s.Rooms.IndexOf(-1) >= 0) return false;
  for (const std::string& m : s.Messages)
    if (HasBreak(m)) return false;
  lines.push_back("#" + IntText(s.Vnum) + " E~");
  for (const auto& g : s.Goods) lines.push_back(IntText(g->Value));
  lines.push_back("-1");
  for (double f : {s.SellCoeff, s.BuyCoeff, s.ChangeCoeff}) lines.push_back(FactorText(f));
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

const RecordFormat kShopFormat{
    .Kind = kShop,
    .LoadError = ErrorMsg::ShopLoad,
    .SaveError = ErrorMsg::ShopSave,
    .Setting = &TZone::ShopFilename,
    .BadRecord = "ошибка в магазине ",
    .RecordVnum = ShopVnum,
    .Read = ReadShops,
    .Header = "CircleMUD v3.0 Shop File~",
    .Trailer = {"$", "$", "~"},
    .Write = WriteShop,
};

}  // namespace zm
