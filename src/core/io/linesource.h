#pragma once
// Line-at-a-time reading and writing of records for the object and mobile
// files. Every line a record cannot do without throws at the end of the file,
// so a cut-off record is an error at its last line and never a loop.
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_set>
#include <vector>

#include "common/textutil.h"
#include "common/worldbuffer.h"
#include "model/filenotes.h"

namespace zm {

class PassedLines;

class LineSource {
 public:
  explicit LineSource(WorldBuffer& buf, PassedLines* passed = nullptr)
      : m_buf(buf), m_passed(passed) {}

  std::string Need() {
    if (m_buf.BufferEof()) throw ParseError();
    return Read();
  }
  // False at the end of the file.
  bool Next(std::string& line) {
    if (m_buf.BufferEof()) return false;
    line = Read();
    return true;
  }
  // Gives back the line just read, so the next record sees its "#".
  void Unread() {
    m_buf.SetPos(m_markPos);
    m_buf.SetLine(m_markLine);
  }
  // Counts the lines it passes over, unlike SeekRecordStart, so that error
  // lines stay right after junk between records. The cursor is always at the
  // start of a line here.
  bool SeekRecord();
  // The "#vnum" line, and the empty lines after it.
  int32_t ReadVnum();
  // A line of the file that no record takes.
  void Pass(std::string_view line);
  // Lines read so far.
  int Line() const { return m_buf.Line(); }

 private:
  std::string Read() {
    m_markPos = m_buf.Pos();
    m_markLine = m_buf.Line();
    return m_buf.ReadBufferLine();
  }

  WorldBuffer& m_buf;
  PassedLines* m_passed;
  size_t m_markPos = 0;
  int m_markLine = 0;
};

// A number for a field narrower than 32 bits: one that does not fit is a
// read error at its line, never cut to the field's width.
template <typename T>
T Narrow(int32_t v) {
  if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) throw ParseError();
  return static_cast<T>(v);
}

// Blanks around the number are allowed (real files end lines with a blank);
// anything else is a parse failure.
inline int32_t NumberOf(std::string_view text) {
  int32_t v;
  if (!ParseInt(Trim(text), v)) throw ParseError();
  return v;
}
inline std::string Token(std::string& line) {
  return NextWord(line, kBlanks);
}
inline int32_t NumberToken(std::string& line) {
  return NumberOf(Token(line));
}
inline bool EndsWithTilde(std::string_view s) {
  return !s.empty() && s.back() == '~';
}
inline std::string DropLast(std::string s) {
  if (!s.empty()) s.pop_back();
  return s;
}
// A one-line text closed by "~": the text before it. A line that does not
// end so is kept whole and noted (the game would read on into the next line).
inline std::string TildeLine(std::string s, FileNote& note, int line) {
  if (EndsWithTilde(s)) {
    s.pop_back();
  } else {
    note.Skip(line);
  }
  return s;
}
inline bool IsBlankLine(std::string_view s) {
  return s.find_first_not_of(kBlanks) == std::string_view::npos;
}
// A line break would split a one-line field and break the file's layout.
inline bool HasBreak(std::string_view s) {
  return s.find_first_of(kLineEnds) != std::string_view::npos;
}
// The game closes a tilde field at a "~" followed only by blanks.
inline bool ClosesTilde(std::string_view line) {
  size_t e = line.find_last_not_of(kBlanks);
  return e != std::string_view::npos && line[e] == '~';
}
// The line before such a closing "~"; a line that does not close stays whole.
inline std::string WithoutTilde(std::string_view line) {
  size_t e = line.find_last_not_of(kBlanks);
  if (e != std::string_view::npos && line[e] == '~') return std::string(line.substr(0, e));
  return std::string(line);
}

// Lines a reader passes over outside the records. Blank lines carry
// nothing, nor do the lines before the first record (a header the writer
// writes anew, unless it hides a record) or after the "$" that ends the
// file; anything else between records is left out, and noted.
class PassedLines {
 public:
  explicit PassedLines(FileNote& note) : m_note(note) {}
  void RecordSeen() { m_first = false; }
  void Passed(std::string_view line, int lineNo) {
    if (m_ended) return;
    std::string t = Trim(line);
    if (m_first) {
      // A record start behind a byte-order mark or a blank is no header.
      if (t.rfind("\xEF\xBB\xBF", 0) == 0) t = Trim(std::string_view(t).substr(3));
      if (!t.empty() && t[0] == '#') m_note.Skip(lineNo);
      return;
    }
    if (t.empty()) return;
    if (t[0] == '$') {
      m_ended = true;
      return;
    }
    m_note.Skip(lineNo);
  }

 private:
  FileNote& m_note;
  bool m_first = true;
  bool m_ended = false;
};

inline bool LineSource::SeekRecord() {
  while (!m_buf.BufferEof()) {
    if (m_buf.Peek() == '#') {
      if (m_passed) m_passed->RecordSeen();
      return true;
    }
    Pass(Read());
  }
  return false;
}

inline void LineSource::Pass(std::string_view line) {
  if (m_passed) m_passed->Passed(line, m_buf.Line());
}

inline int32_t LineSource::ReadVnum() {
  m_buf.Skip();  // the "#"
  int32_t vnum = NumberOf(Read());
  std::string line;
  while (Next(line))
    if (!line.empty()) {
      Unread();
      break;
    }
  return vnum;
}

// A tilde text: every line before the one that ends with "~" followed by
// CR LF, then that line's text before the "~".
inline std::string ReadTildeText(LineSource& src, std::string line) {
  std::string text;
  while (!EndsWithTilde(line)) {
    text += line;
    text += "\r\n";
    line = src.Need();
  }
  line.pop_back();
  return text + line;
}

// A text written on lines of its own with a "~" line after it: the lines are
// joined with CR LF, and the closing line adds its text before the "~" when
// it has any.
inline std::string ReadLinesThenTilde(LineSource& src, std::string line) {
  std::string text;
  bool first = true;
  while (!EndsWithTilde(line)) {
    if (!first) text += "\r\n";
    text += line;
    first = false;
    line = src.Need();
  }
  line.pop_back();
  if (!line.empty()) {
    if (!first) text += "\r\n";
    text += line;
  }
  return text;
}

// The next line of a record's closing blocks that holds anything; false at
// the next record's "#" (left for it) or at the "$" that ends the file.
inline bool NextBlockLine(LineSource& src, std::string& line) {
  while (src.Next(line)) {
    if (!line.empty() && line[0] == '#') {
      src.Unread();
      return false;
    }
    if (!line.empty() && line[0] == '$') {
      src.Pass(line);
      return false;
    }
    if (!IsBlankLine(line)) return true;
  }
  return false;
}

// The vnums of one file. A vnum read again in the same file replaces the
// record read before: the file cannot be written back as it was.
class RecordsSeen {
 public:
  explicit RecordsSeen(FileNote& note) : m_note(note) {}
  // `existed`: a record of the vnum was there before this one was read (from
  // this file, or from another one, whose version the file's replaces).
  void Record(int32_t vnum, int line, bool existed) {
    m_note.Zones.insert(ZoneOf(vnum));
    m_note.Records.push_back({vnum, line});
    if (!m_vnums.insert(vnum).second || existed) m_note.Skip(line);
  }

 private:
  FileNote& m_note;
  std::unordered_set<int32_t> m_vnums;
};

// Every "#vnum" record of the file: the record of that vnum read in place,
// or a new one added to the list first.
template <typename List, typename Read>
void ReadRecordsInPlace(LineSource& src, FileNote& note, List& list, Read read) {
  using T = std::remove_pointer_t<decltype(list.Items(0))>;
  RecordsSeen seen(note);
  while (src.SeekRecord()) {
    const int at = src.Line() + 1;
    int32_t vnum = src.ReadVnum();
    T* rec = list.Find(vnum);
    seen.Record(vnum, at, rec != nullptr);
    if (!rec) rec = list.Add(std::make_unique<T>(ZoneOf(vnum), vnum));
    read(*rec);
  }
}

// For readers that take the "#" line whole: to the next line that begins
// with "#", read into `line`; the lines passed over are noted. Reading whole
// lines keeps the line counter right for the error message.
inline bool SeekRecordLine(WorldBuffer& buf, PassedLines& passed, std::string& line) {
  while (!buf.BufferEof()) {
    line = buf.ReadBufferLine();
    if (!line.empty() && line[0] == '#') {
      passed.RecordSeen();
      return true;
    }
    passed.Passed(line, buf.Line());
  }
  return false;
}

// Records read into a copy, so that one cut short neither appears half read
// nor spoils the record it would have replaced: the copy of vnum `vnum`
// (the record read before, or a fresh one) and, once read, its storing.
template <typename List>
auto RecordCopy(List& list, int32_t vnum) {
  using T = std::remove_pointer_t<decltype(list.Items(0))>;
  T* existing = list.Find(vnum);
  return existing ? *existing : T(ZoneOf(vnum), vnum);
}
template <typename List, typename T>
void StoreRecord(List& list, T&& rec) {
  if (auto* existing = list.Find(rec.Vnum)) {
    *existing = std::move(rec);
    list.Renamed(*existing);
  } else {
    list.Add(std::make_unique<std::decay_t<T>>(std::move(rec)));
  }
}

// The numbers with a blank between them.
inline std::string JoinNumbers(std::initializer_list<int32_t> values) {
  std::string s;
  for (int32_t v : values) {
    if (!s.empty()) s += ' ';
    s += IntText(v);
  }
  return s;
}

// Text lines split at CR LF, CR or LF, so that every line gets the file's own
// line break rather than the CR LF held in memory.
inline std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> out(1);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}

// The text with "~" right after its last character.
inline void AddTilded(std::vector<std::string>& lines, std::string_view text) {
  auto parts = SplitTextLines(text);
  parts.back() += '~';
  for (auto& p : parts) lines.push_back(std::move(p));
}

// The text's lines, if any, then a "~" line. A last line that itself ends with
// "~" takes the closing tilde on the same line, or it would close the text by
// itself and leave the "~" line to the next field.
inline void AddLinesThenTilde(std::vector<std::string>& lines, std::string_view text) {
  if (text.empty()) {
    lines.push_back("~");
    return;
  }
  auto parts = SplitTextLines(text);
  bool merge = EndsWithTilde(parts.back());
  for (auto& p : parts) lines.push_back(std::move(p));
  if (merge)
    lines.back() += '~';
  else
    lines.push_back("~");
}

}  // namespace zm
