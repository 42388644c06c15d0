#include "world/triggers.h"

#include "common/cp1251.h"
#include "common/messages.h"
#include "common/savelines.h"
#include "common/worldbuffer.h"
#include "load/world.h"
#include "world/linesource.h"

namespace zm {
namespace {

constexpr int kLoadError = 10;
constexpr int kSaveError = 11;
constexpr const char* kHeader = "* Korvask trigger file v1.0";

std::string RightTrim(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return std::string(s.substr(0, e));
}

// The game closes a tilde field at a "~" followed only by blanks.
bool ClosesTilde(std::string_view line) {
  std::string t = RightTrim(line);
  return !t.empty() && t.back() == '~';
}

std::string WithoutTilde(const std::string& line) {
  std::string t = RightTrim(line);
  if (!t.empty() && t.back() == '~') return t.substr(0, t.size() - 1);
  return line;
}

bool HasBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

bool AllDigits(std::string_view s) {
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return !s.empty();
}

// Older files name the events by single letters; a number is left alone,
// since "5" and "50" mean different flags to the game.
std::string TypesFromText(const std::string& token) {
  if (token == "0") return {};
  if (AllDigits(token)) return token;
  if (token.size() == 1 || static_cast<unsigned char>(token[1]) > '9')
    return LettersToPlanes(token);
  return token;
}

// Script lines at CR LF, LF or a lone CR, so each gets the file's own break.
std::vector<std::string> ScriptLines(const std::string& text) {
  std::vector<std::string> out;
  if (text.empty()) return out;
  std::string cur;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out.push_back(std::move(cur));
      cur.clear();
    } else {
      cur += c;
    }
  }
  out.push_back(std::move(cur));
  return out;
}

class TriggerReader {
 public:
  explicit TriggerReader(WorldBuffer& b) : m_b(b) {}

  // After the "#" line: the fields up to the script. ParseError when cut
  // short or a number is not one.
  void ReadHead(TTrigger& t) {
    t.Name = WithoutTilde(Next());
    std::string line = Next();
    std::string cls = NextWord(line, kBlanks);
    std::string types = NextWord(line, kBlanks);
    std::string num = NextWord(line, kBlanks);
    int32_t c;
    if (!ParseInt(cls, c) || c < 0 || c > 255) throw ParseError();
    t.TriggerClass = static_cast<uint8_t>(c);
    t.TriggerTypes = TypesFromText(types);
    if (!ParseInt(num, t.NumArg)) throw ParseError();
    t.Arg = WithoutTilde(Next());
  }

  // False when the buffer ends before the closing "~".
  bool ReadScript(std::string& text) {
    text.clear();
    for (;;) {
      if (m_b.BufferEof()) break;
      std::string line = m_b.ReadBufferLine();
      if (RightTrim(line) == "~") {
        DropLastBreak(text);
        return true;
      }
      if (ClosesTilde(line)) {
        text += WithoutTilde(line);
        return true;
      }
      text += line;
      text += "\r\n";
    }
    DropLastBreak(text);
    return false;
  }

 private:
  std::string Next() {
    if (m_b.BufferEof()) throw ParseError();
    return m_b.ReadBufferLine();
  }
  static void DropLastBreak(std::string& text) {
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
      text.resize(text.size() - 2);
  }

  WorldBuffer& m_b;
};

bool BuildTrigger(const TTrigger& t, std::vector<std::string>& lines) {
  if (HasBreak(t.Name) || HasBreak(t.Arg)) return false;
  if (t.TriggerTypes.find_first_of(" \t\r\n") != std::string::npos) return false;
  std::vector<std::string> script = ScriptLines(t.Text);
  // A script line ending in "~" would end the script early on reading.
  for (const std::string& l : script)
    if (ClosesTilde(l)) return false;
  lines.push_back("#" + IntText(t.Vnum));
  lines.push_back(t.Name + "~");
  lines.push_back(IntText(t.TriggerClass) + " " + BitVectorText(t.TriggerTypes) + " " +
                  IntText(t.NumArg));
  lines.push_back(t.Arg + "~");
  for (std::string& l : script) lines.push_back(std::move(l));
  lines.push_back("~");
  return true;
}

}  // namespace

void TTrigger::Assign(const TTrigger& o) {
  NodeHandle node = Node;
  RecordKind kind = Kind;
  *this = o;
  Node = node;
  Kind = kind;
}

bool TTrigger::operator==(const TTrigger& o) const {
  return Zone == o.Zone && Vnum == o.Vnum && Name == o.Name && TriggerClass == o.TriggerClass &&
         TriggerTypes == o.TriggerTypes && NumArg == o.NumArg && Arg == o.Arg && Text == o.Text;
}

bool TTriggerList::LoadFromFile(World& w, const std::filesystem::path& path) {
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

bool TTriggerList::LoadFromBytes(World& w, std::string bytes, const std::filesystem::path& path) {
  WorldBuffer buf;
  buf.LoadFromBytes(std::move(bytes));
  return parse(w, buf, path);
}

bool TTriggerList::parse(World& w, WorldBuffer& buf, const std::filesystem::path& path) {
  CodingWord cw = buf.DetectCoding();
  buf.SetCoding(cw.Coding);

  std::string line;
  PassedLines* passing = nullptr;  // the record pass notes what it passes over
  // Records start at a line beginning with "#"; reading whole lines keeps
  // the line counter right for the error message.
  auto seekRecord = [&] {
    while (!buf.BufferEof()) {
      line = buf.ReadBufferLine();
      if (!line.empty() && line[0] == '#') {
        if (passing) passing->RecordSeen();
        return true;
      }
      if (passing) passing->Passed(line, buf.Line());
    }
    return false;
  };
  auto recordVnum = [&](int32_t& vnum) { return ParseInt(Trim(line.substr(1)), vnum); };

  // The first record names the zone whose file this is.
  buf.ResetWorldBuffer();
  int32_t firstZone = 0;
  NodeHandle group = nullptr;
  int32_t vnum;
  if (seekRecord() && recordVnum(vnum)) {
    firstZone = ZoneOf(vnum);
    TZone& z = w.ZoneOrBare(firstZone);
    if (z.TrigFilename.Coding == kCodingUnknown) {
      z.TrigFilename.Path = path;
      z.TrigFilename.SetWord(cw);
    }
    if (Sink()) group = Sink()->FindGroupNode(firstZone, kTrigger);
  }

  buf.ResetWorldBuffer();
  TriggerReader reader(buf);
  FileNote& note = w.Files.Begin(path);
  PassedLines passed(note);
  passing = &passed;
  bool ok = true;
  try {
    while (seekRecord()) {
      if (!recordVnum(vnum)) throw ParseError();
      note.Zones.insert(ZoneOf(vnum));
      while (!buf.BufferEof() && (buf.Peek() == '\r' || buf.Peek() == '\n')) buf.ReadBufferLine();
      // Read into a copy so that a record cut short neither appears half
      // read nor spoils the trigger it would have replaced.
      TTrigger* existing = Find(vnum);
      TTrigger t = existing ? *existing : TTrigger(ZoneOf(vnum), vnum);
      reader.ReadHead(t);
      // An unclosed script is kept as far as it goes; the file is reported.
      bool closed = reader.ReadScript(t.Text);
      if (existing) {
        existing->Assign(t);
        if (existing->Node && Sink()) Sink()->SetCaption(existing->Node, existing->DisplayText());
      } else {
        NodeHandle parent = t.Zone == firstZone ? group : nullptr;
        Add(std::make_unique<TTrigger>(std::move(t)), parent);
      }
      if (!closed) throw ParseError();
    }
  } catch (const ParseError&) {
    note.Fail(buf.Line());
    w.reporter().AddLoadError(
        FormatMessage(ErrorText(kLoadError), {path.string(), LineErrorText(buf.Line())}));
    ok = false;
  }
  buf.SetLine(kLineClosed);
  buf.FreeWorldBuffer();
  return ok;
}

int TTriggerList::BuildLines(const World&, std::vector<std::string>& lines, int32_t zone) const {
  lines.clear();
  lines.push_back(kHeader);
  int bad = 0;
  for (const auto& t : *this) {
    if (t->Zone != zone) continue;
    if (!BuildTrigger(*t, lines)) {
      bad = t->Vnum != 0 ? t->Vnum : -1;
      break;
    }
  }
  lines.push_back("$");
  lines.push_back("$");
  return bad;
}

bool TTriggerList::SaveZone(World& w, int32_t zone, const std::filesystem::path& path) {
  std::vector<std::string> lines;
  if (int bad = BuildLines(w, lines, zone)) {
    w.reporter().ShowError(kSaveError, {bad});
    return false;
  }
  const TZone* z = w.Zones.ByNumber(zone);
  std::filesystem::path target = path.empty() && z ? z->TrigFilename.Path : path;
  CodingWord cw = z ? z->TrigFilename.Word() : kDefaultCodingWord;
  std::string error = W("нет имени файла");
  if (target.empty() || !SaveLines(target, lines, cw, &error)) {
    w.reporter().ShowError(
        kSaveError, {(target.empty() ? IntText(zone) : target.string()) + " (" + error + ")"});
    return false;
  }
  return true;
}

}  // namespace zm
