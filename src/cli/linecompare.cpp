#include "cli/linecompare.h"

#include <algorithm>
#include <charconv>

#include "common/textutil.h"

namespace zm::cli {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Blanks at the end go, every other run of blanks becomes one space.
std::string Blanks(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  bool gap = false;
  for (char c : s) {
    if (IsBlank(c)) {
      gap = true;
      continue;
    }
    if (gap) out += ' ';
    gap = false;
    out += c;
  }
  return out;
}

std::vector<std::string> Words(std::string_view s) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    size_t start = i;
    while (i < s.size() && !IsBlank(s[i])) ++i;
    if (i > start) out.emplace_back(s.substr(start, i - start));
  }
  return out;
}

std::string Join(const std::vector<std::string>& words) {
  std::string s;
  for (const auto& w : words) {
    if (!s.empty()) s += ' ';
    s += w;
  }
  return s;
}

bool IsInt(std::string_view t) {
  int32_t v;
  return ParseInt(t, v);
}

// How the zone reader tells a number from the comment after the numbers.
bool LooksNumeric(std::string_view t) {
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) t.remove_prefix(1);
  return !t.empty() && t.find_first_not_of("0123456789") == std::string_view::npos;
}

// A text's closing "~" at the end of its last line or on a line of its own:
// the writers put it either way, so neither form counts.
std::string WithoutClosingTilde(std::string s) {
  if (!s.empty() && s.back() == '~') {
    s.pop_back();
    while (!s.empty() && IsBlank(s.back())) s.pop_back();
  }
  return s;
}

// "b0A0", flags of the first plane, as the number of their bits.
bool FirstPlaneBits(std::string_view t, uint32_t& bits) {
  if (t.empty() || t.size() % 2 != 0) return false;
  bits = 0;
  for (size_t i = 0; i < t.size(); i += 2) {
    const char c = t[i];
    int bit = c >= 'a' && c <= 'z' ? c - 'a' : c >= 'A' && c <= 'F' ? 26 + (c - 'A') : -1;
    if (bit < 0 || t[i + 1] != '0') return false;
    bits |= 1u << bit;
  }
  return true;
}

bool AsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

size_t Spaces(std::string_view s) {
  return static_cast<size_t>(std::count(s.begin(), s.end(), ' '));
}

std::string ObjectLine(std::string s) {
  // Magic flags of type 25 and Value0, the first of four numbers, go either
  // as a number or as flags.
  if (!AsciiLetter(s[0]) || Spaces(s) != 3) return s;
  std::vector<std::string> w = Words(s);
  uint32_t bits;
  if (!FirstPlaneBits(w[0], bits)) return s;
  w[0] = IntText(bits);
  return Join(w);
}

std::string MobileLine(std::string s) {
  // The type letter after the alignment.
  if (s.size() > 2 && AsciiLetter(s.back()) && s[s.size() - 2] == ' ' && Spaces(s) == 3) {
    std::vector<std::string> w = Words(s);
    if (w.size() == 4 && IsInt(w[2])) return s.substr(0, s.size() - 1) + "E";
  }
  // An ingredient without its power has power 0.
  if (s.rfind("I ", 0) == 0 && s.find(',') == std::string::npos) {
    if (size_t colon = s.find(':'); colon != std::string::npos) s.insert(colon, ",0");
  }
  return s;
}

std::string ShopLine(std::string s) {
  // "#4000~" is the plain layout, "#4000 E~" the extended one.
  if (s[0] == '#')
    return s.size() > 2 && s.compare(s.size() - 2, 2, " E") == 0 ? s.substr(0, s.size() - 2) : s;
  // Factors by value ("1.5", "1.50", "1,50"), and every other number.
  std::string t = s;
  for (char& c : t)
    if (c == ',') c = '.';
  double d;
  if (t.find_first_of("0123456789") == std::string::npos || !ParseFloat(t, d)) return s;
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, d);
  return r.ec == std::errc() ? std::string(buf, r.ptr) : s;
}

std::string TriggerLine(std::string s) {
  // Event types as single letters get their plane: "cd" is "c0d0".
  if (Spaces(s) != 2 || s[0] == ' ') return s;
  std::vector<std::string> w = Words(s);
  if (!IsInt(w[0]) || !IsInt(w[2])) return s;
  for (char c : w[1])
    if (!AsciiLetter(c)) return s;
  std::string planes;
  for (char c : w[1]) planes += std::string{c, '0'};
  w[1] = planes;
  return Join(w);
}

// The line of a room, object, mobile, shop, trigger or map file as it is
// compared; empty for a line that carries nothing.
std::string RecordLine(RecordKind kind, std::string_view raw) {
  std::string s = WithoutClosingTilde(Blanks(raw));
  if (s.empty() || s == "$") return {};
  switch (kind) {
    case kObject:
      return ObjectLine(std::move(s));
    case kMobile:
      return MobileLine(std::move(s));
    case kShop:
      return ShopLine(std::move(s));
    case kTrigger:
      return TriggerLine(std::move(s));
    default:
      return s;
  }
}

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// A zone command by its letter and numbers: the comment after them is
// rebuilt from the current name, and the numbers the writer settles are
// written as it writes them.
std::vector<std::string> CommandWords(std::string_view line) {
  std::vector<std::string> w = Words(line);
  if (w.empty() || w[0][0] == '*') return w;
  w[0] = std::string(1, Upper(w[0][0])) + w[0].substr(1);
  size_t n = 1;
  while (n < w.size() && LooksNumeric(w[n])) ++n;
  w.resize(n);
  if (w[0].size() != 1) return w;
  auto padTo = [&](size_t size) {
    while (w.size() < size) w.push_back("-1");
  };
  switch (w[0][0]) {
    case 'M':
      // The fifth number, the maximum in the room, is the maximum when absent.
      if (w.size() == 5) w.push_back(w[3]);
      break;
    case 'G':
      // "G c v max chance" gets its trailing -1.
      if (w.size() == 5) padTo(6);
      break;
    case 'F':
    case 'D':
      padTo(6);
      break;
    case 'Q':
    case 'R':
      if (w.size() >= 3) padTo(6);
      break;
    default:
      break;
  }
  return w;
}

struct Entry {
  size_t index;
  std::string key;
  // A zone's T line: its type, the vnum of the owner it attaches to, and the
  // trigger.
  int32_t type = -1, owner = -1, trigger = -1;
};

std::string Key(RecordKind kind, const std::string& record, const std::string& line) {
  std::string k(1, static_cast<char>('0' + kind));
  k += record;
  k += '\n';
  k += line;
  return k;
}

int32_t Number(const std::vector<std::string>& w, size_t i) {
  int32_t v = -1;
  if (i < w.size()) ParseInt(w[i], v);
  return v;
}

// The zone file: its header lines under its "#" line; its commands by
// themselves, as the zone of a command's room saves it.
void ZoneEntries(const std::vector<std::string>& lines, std::vector<Entry>& out) {
  const size_t n = lines.size();
  size_t i = 0;
  while (i < n && (lines[i].empty() || lines[i][0] != '#')) ++i;
  if (i == n) return;
  const std::vector<std::string> head = Words(std::string_view(lines[i]).substr(1));
  const std::string record = "#" + (head.empty() ? std::string() : head[0]);
  auto header = [&](size_t at, std::string text) {
    text = WithoutClosingTilde(Blanks(text));
    if (!text.empty()) out.push_back({at, Key(kZone, record, text)});
  };
  header(i, lines[i]);               // the "#" line
  if (++i < n) header(i, lines[i]);  // the name
  ++i;
  // The type line and the author and description texts, which run to a line
  // that closes with "~".
  auto closes = [](std::string_view line) {
    std::string b = Blanks(line);
    return !b.empty() && b.back() == '~';
  };
  while (i < n && !lines[i].empty() &&
         (lines[i][0] == '#' || lines[i][0] == '^' || lines[i][0] == '&')) {
    bool open = lines[i][0] != '#' && !closes(lines[i]);
    header(i, lines[i]);
    ++i;
    while (open && i < n) {
      open = !closes(lines[i]);
      header(i, lines[i]);
      ++i;
    }
  }
  if (i < n) {
    std::vector<std::string> w = Words(lines[i]);
    if (!w.empty()) out.push_back({i, Key(kZone, record, Join(w))});
    ++i;
  }
  int32_t mob = -1, obj = -1, room = -1;
  for (; i < n; ++i) {
    std::vector<std::string> w = CommandWords(lines[i]);
    if (w.empty() || (w.size() == 1 && (w[0] == "S" || w[0] == "$"))) continue;
    Entry e{i, Key(kZone, {}, Join(w))};
    switch (w[0].size() == 1 ? w[0][0] : ' ') {
      case 'M':
        mob = Number(w, 2);
        room = Number(w, 4);
        break;
      case 'O':
        obj = Number(w, 2);
        if (Number(w, 4) >= 0) room = Number(w, 4);
        break;
      case 'P':
      case 'G':
      case 'E':
        obj = Number(w, 2);
        break;
      case 'T':
        e.type = Number(w, 2);
        e.trigger = Number(w, 3);
        e.owner = e.type == 0 ? mob : e.type == 1 ? obj : room;
        break;
      default:
        break;
    }
    out.push_back(std::move(e));
  }
}

// A record file: each line under its record's "#" line. What stands before
// the first record is the file's header, unless it hides a record.
void RecordEntries(RecordKind kind, const std::vector<std::string>& lines,
                   std::vector<Entry>& out) {
  bool started = kind == kZoneMap;  // a map file has no records, only lines
  std::string record;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& raw = lines[i];
    if (!raw.empty() && raw[0] == '#') {
      started = true;
      record = RecordLine(kind, raw);
    } else if (!started) {
      std::string t = Trim(raw);
      if (t.rfind("\xEF\xBB\xBF", 0) == 0) t = Trim(std::string_view(t).substr(3));
      if (t.empty() || t[0] != '#') continue;
    }
    std::string line = RecordLine(kind, raw);
    if (!line.empty()) out.push_back({i, Key(kind, started ? record : std::string(), line)});
  }
}

std::vector<Entry> Entries(RecordKind kind, const std::vector<std::string>& lines) {
  std::vector<Entry> out;
  if (kind == kZone)
    ZoneEntries(lines, out);
  else
    RecordEntries(kind, lines, out);
  return out;
}

}  // namespace

void SavedLines::Add(RecordKind kind, const std::vector<std::string>& lines) {
  for (auto& e : Entries(kind, lines)) ++m_lines[std::move(e.key)];
}

std::vector<LostLine> SavedLines::Lost(RecordKind kind, const std::vector<std::string>& original,
                                       const TriggerCarried& carried) {
  std::vector<LostLine> lost;
  for (const Entry& e : Entries(kind, original)) {
    auto it = m_lines.find(e.key);
    if (it != m_lines.end() && it->second > 0) {
      --it->second;
      continue;
    }
    if (e.type >= 0 && carried && carried(e.type, e.owner, e.trigger)) continue;
    lost.push_back({static_cast<int>(e.index) + 1, original[e.index]});
  }
  return lost;
}

std::vector<LostLine> LostLines(RecordKind kind, const std::vector<std::string>& original,
                                const std::vector<std::string>& saved) {
  SavedLines s;
  s.Add(kind, saved);
  return s.Lost(kind, original);
}

std::vector<std::string> LinesOf(std::string_view bytes) {
  std::vector<std::string_view> views = SplitLines(bytes);
  return {views.begin(), views.end()};
}

}  // namespace zm::cli
