// The trigger file: the format definition of triggers.
#include "common/worldbuffer.h"
#include "io/linesource.h"
#include "io/recordformat.h"
#include "model/world.h"

namespace zm {
namespace {

std::string RightTrim(std::string_view s) {
  size_t e = s.size();
  while (e > 0 && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return std::string(s.substr(0, e));
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

class TriggerReader {
 public:
  TriggerReader(WorldBuffer& b, FileNote& note) : m_b(b), m_note(note) {}

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
    // The line has no room for more: what stands after is left out.
    if (!Trim(line).empty()) m_note.Skip(m_b.Line());
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
  FileNote& m_note;
};

bool ReadTriggers(World& w, WorldBuffer& buf, FileNote& note, const std::filesystem::path&) {
  TriggerReader reader(buf, note);
  PassedLines passed(note);
  RecordsSeen seen(note);
  std::string line;
  while (SeekRecordLine(buf, passed, line)) {
    int32_t vnum;
    if (!PlainRecordVnum(line, vnum)) throw ParseError();
    seen.Record(vnum, buf.Line(), w.Triggers.Find(vnum) != nullptr);
    while (!buf.BufferEof() && (buf.Peek() == '\r' || buf.Peek() == '\n')) buf.ReadBufferLine();
    TTrigger t = RecordCopy(w.Triggers, vnum);
    reader.ReadHead(t);
    // An unclosed script is kept as far as it goes; the file is reported.
    bool closed = reader.ReadScript(t.Text);
    StoreRecord(w.Triggers, std::move(t));
    if (!closed) throw ParseError();
  }
  return true;
}

bool WriteTrigger(const World&, const TMUDClass& rec, std::vector<std::string>& lines) {
  const TTrigger& t = static_cast<const TTrigger&>(rec);
  if (HasBreak(t.Name) || HasBreak(t.Arg)) return false;
  if (t.TriggerTypes.find_first_of(" \t\r\n") != std::string::npos) return false;
  // A script at CR LF, LF or a lone CR, so each line gets the file's own break.
  std::vector<std::string> script;
  if (!t.Text.empty()) script = SplitTextLines(t.Text);
  // A script line ending in "~" would end the script early on reading; the
  // last one can take the closing "~" after it, as the reader allows.
  for (size_t i = 0; i + 1 < script.size(); ++i)
    if (ClosesTilde(script[i])) return false;
  const bool merge = !script.empty() && ClosesTilde(script.back());
  lines.push_back("#" + IntText(t.Vnum));
  lines.push_back(t.Name + "~");
  lines.push_back(IntText(t.TriggerClass) + " " + BitVectorText(t.TriggerTypes) + " " +
                  IntText(t.NumArg));
  lines.push_back(t.Arg + "~");
  for (std::string& l : script) lines.push_back(std::move(l));
  if (merge)
    lines.back() += '~';
  else
    lines.push_back("~");
  return true;
}

}  // namespace

const RecordFormat kTriggerFormat{
    .Kind = kTrigger,
    .LoadError = ErrorMsg::TriggerLoad,
    .SaveError = ErrorMsg::TriggerSave,
    .Setting = &TZone::TrigFilename,
    .BadRecord = "ошибка в триггере ",
    .RecordVnum = PlainRecordVnum,
    .Read = ReadTriggers,
    .Header = "* Korvask trigger file v1.0",
    .Trailer = {"$", "$"},
    .Write = WriteTrigger,
};

}  // namespace zm
