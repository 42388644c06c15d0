#include "text/morphology.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <tuple>

#include "common/winutf8.h"

namespace zm::morph {
namespace {

constexpr uint32_t kHasLeaf = 1u << 8;
constexpr uint32_t kExtension = 1u << 9;
constexpr uint32_t kIsLeaf = 1u << 31;
// Keys end their word part with this byte; the packed numbers follow.
constexpr uint8_t kSeparator = 1;
constexpr unsigned char kE = 0xE5, kYo = 0xB8;  // е and ё in Windows-1251
// Longer words are names or garbage; the longest Russian word forms are shorter.
constexpr size_t kMaxWord = 48;
constexpr size_t kMaxEnding = 5;
// Dictionary words sharing an ending that make a guess from it sure enough.
constexpr uint32_t kTrustedEnding = 20;

uint32_t Offset(uint32_t unit) {
  return (unit >> 10) << ((unit & kExtension) >> 6);
}

uint32_t LabelOf(uint32_t unit) {
  return unit & (kIsLeaf | 0xFF);
}

uint32_t LittleEndian32(std::string_view b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

// Each number of a record is packed into two key bytes that are never zero.
std::vector<uint16_t> Unpack(std::string_view key) {
  std::vector<uint16_t> out;
  for (size_t i = 0; i + 1 < key.size(); i += 2) {
    const auto hi = static_cast<unsigned char>(key[i]), lo = static_cast<unsigned char>(key[i + 1]);
    out.push_back(static_cast<uint16_t>(((hi ^ 1) << 6) + (lo >> 1)));
  }
  return out;
}

// The words the guesses never come from: their paradigms are closed lists.
constexpr GramSet kClosed =
    G(kNumr) | G(kNpro) | G(kPred) | G(kPrep) | G(kConj) | G(kPrcl) | G(kIntj) | G(kApro);
// Readings that only a capitalised word may have.
constexpr GramSet kProper = G(kName) | G(kSurn) | G(kPatr) | G(kGeox) | G(kOrgn) | G(kTrad);

bool ReadFileBytes(const std::filesystem::path& p, std::string& out) {
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

void AppendUtf8(std::string& s, uint32_t cp) {
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (cp >> 18));
    s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool Hex4(std::string_view s, size_t at, uint32_t& v) {
  if (at + 4 > s.size()) return false;
  v = 0;
  for (size_t i = at; i < at + 4; ++i) {
    const char c = s[i];
    const int d = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : -1;
    if (d < 0) return false;
    v = v * 16 + static_cast<uint32_t>(d);
  }
  return true;
}

}  // namespace

GramSet ParseTag(std::string_view tag) {
  static const std::map<std::string_view, Gram, std::less<>> names = {
      {"NOUN", kNoun}, {"ADJF", kAdjf}, {"ADJS", kAdjs}, {"COMP", kComp}, {"VERB", kVerb},
      {"INFN", kInfn}, {"PRTF", kPrtf}, {"PRTS", kPrts}, {"GRND", kGrnd}, {"NUMR", kNumr},
      {"ADVB", kAdvb}, {"NPRO", kNpro}, {"PRED", kPred}, {"PREP", kPrep}, {"CONJ", kConj},
      {"PRCL", kPrcl}, {"INTJ", kIntj}, {"anim", kAnim}, {"inan", kInan}, {"masc", kMasc},
      {"femn", kFemn}, {"neut", kNeut}, {"ms-f", kMsf},  {"sing", kSing}, {"plur", kPlur},
      {"Sgtm", kSgtm}, {"Pltm", kPltm}, {"Fixd", kFixd}, {"nomn", kNomn}, {"gent", kGent},
      {"datv", kDatv}, {"accs", kAccs}, {"ablt", kAblt}, {"loct", kLoct}, {"voct", kVoct},
      {"gen2", kGen2}, {"acc2", kAcc2}, {"loc2", kLoc2}, {"Apro", kApro}, {"Anum", kAnum},
      {"Name", kName}, {"Surn", kSurn}, {"Patr", kPatr}, {"Geox", kGeox}, {"Orgn", kOrgn},
      {"Trad", kTrad}, {"Abbr", kAbbr}, {"Init", kInit}, {"Arch", kArch}, {"Infr", kInfr},
      {"Slng", kSlng}, {"Erro", kErro}, {"Dist", kDist}, {"Cmp2", kCmp2}, {"actv", kActv},
      {"pssv", kPssv}, {"past", kPast}, {"pres", kPres}, {"futr", kFutr},
  };
  GramSet set = 0;
  size_t i = 0;
  while (i < tag.size()) {
    size_t end = tag.find_first_of(", ", i);
    if (end == std::string_view::npos) end = tag.size();
    const std::string_view name = tag.substr(i, end - i);
    if (auto it = names.find(name); it != names.end()) {
      set |= G(it->second);
    } else if (name.size() > 2 && name.starts_with("V-")) {
      set |= G(kVariant);
    }
    i = end + 1;
  }
  return set;
}

bool Dawg::Read(std::string_view bytes, std::string& error) {
  m_units.clear();
  m_guide.clear();
  if (bytes.size() < 8) {
    error = "too short";
    return false;
  }
  const uint64_t units = LittleEndian32(bytes, 0);
  if (units == 0 || 4 + units * 4 + 4 > bytes.size()) {
    error = "unit count past the end";
    return false;
  }
  const uint64_t guide = LittleEndian32(bytes, 4 + units * 4);
  if (guide != units || 8 + units * 4 + guide * 2 != bytes.size()) {
    error = "guide size does not match";
    return false;
  }
  m_units.resize(units);
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(m_units.data(), bytes.data() + 4, units * 4);
  } else {
    for (size_t i = 0; i < units; ++i) m_units[i] = LittleEndian32(bytes, 4 + i * 4);
  }
  const size_t at = 8 + units * 4;
  m_guide.assign(bytes.begin() + static_cast<ptrdiff_t>(at), bytes.end());
  return true;
}

bool Dawg::Follow(uint8_t label, uint32_t& index) const {
  if (index >= m_units.size()) return false;
  const uint32_t next = index ^ Offset(m_units[index]) ^ label;
  if (next >= m_units.size() || LabelOf(m_units[next]) != label) return false;
  index = next;
  return true;
}

bool Dawg::HasValue(uint32_t index) const {
  return index < m_units.size() && (m_units[index] & kHasLeaf) != 0;
}

uint8_t Dawg::Child(uint32_t index) const {
  return size_t{index} * 2 < m_guide.size() ? m_guide[size_t{index} * 2] : 0;
}

uint8_t Dawg::Sibling(uint32_t index) const {
  return size_t{index} * 2 + 1 < m_guide.size() ? m_guide[size_t{index} * 2 + 1] : 0;
}

std::vector<std::string> Dawg::KeysBelow(uint32_t index, size_t limit) const {
  std::vector<std::string> keys;
  if (index >= m_units.size()) return keys;
  // Depth-first along the guide: down to the first child until a key ends,
  // then up to the nearest node that has a further sibling. The step budget
  // stops a damaged guide that loops.
  std::vector<uint32_t> path{index};
  std::string key;
  size_t steps = 0;
  const size_t maxSteps = limit * 64 + 64;
  bool first = true;
  while (keys.size() < limit && ++steps < maxSteps) {
    uint32_t at = path.back();
    if (!first) {
      if (const uint8_t child = Child(at); child != 0) {
        if (!Follow(child, at)) return keys;
        key += static_cast<char>(child);
        path.push_back(at);
      } else {
        uint8_t sibling = 0;
        do {
          sibling = Sibling(at);
          if (!key.empty()) key.pop_back();
          path.pop_back();
          if (path.empty()) return keys;
          at = path.back();
          if (sibling != 0) {
            if (!Follow(sibling, at)) return keys;
            key += static_cast<char>(sibling);
            path.push_back(at);
          }
        } while (sibling == 0 && ++steps < maxSteps);
      }
    }
    first = false;
    while (!HasValue(at)) {
      const uint8_t child = Child(at);
      if (child == 0 || !Follow(child, at) || key.size() > kMaxWord * 2) return keys;
      key += static_cast<char>(child);
      path.push_back(at);
    }
    keys.push_back(key);
  }
  return keys;
}

bool ReadStringArray(std::string_view json, std::vector<std::string>& out) {
  out.clear();
  size_t i = 0;
  auto skipSpace = [&] {
    while (i < json.size() &&
           (json[i] == ' ' || json[i] == '\n' || json[i] == '\r' || json[i] == '\t'))
      ++i;
  };
  skipSpace();
  if (i >= json.size() || json[i] != '[') return false;
  ++i;
  skipSpace();
  if (i < json.size() && json[i] == ']') return true;
  while (true) {
    skipSpace();
    if (i >= json.size() || json[i] != '"') return false;
    ++i;
    std::string utf8;
    while (true) {
      if (i >= json.size()) return false;
      const char c = json[i++];
      if (c == '"') break;
      if (c != '\\') {
        utf8 += c;
        continue;
      }
      if (i >= json.size()) return false;
      const char e = json[i++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          utf8 += e;
          break;
        case 'b':
          utf8 += '\b';
          break;
        case 'f':
          utf8 += '\f';
          break;
        case 'n':
          utf8 += '\n';
          break;
        case 'r':
          utf8 += '\r';
          break;
        case 't':
          utf8 += '\t';
          break;
        case 'u': {
          uint32_t cp = 0, low = 0;
          if (!Hex4(json, i, cp)) return false;
          i += 4;
          if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < json.size() && json[i] == '\\' &&
              json[i + 1] == 'u' && Hex4(json, i + 2, low) && low >= 0xDC00 && low < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            i += 6;
          }
          AppendUtf8(utf8, cp);
          break;
        }
        default:
          return false;
      }
    }
    out.push_back(Utf8ToWin(utf8));
    skipSpace();
    if (i >= json.size()) return false;
    if (json[i] == ']') break;
    if (json[i] != ',') return false;
    ++i;
  }
  ++i;
  skipSpace();
  return i == json.size();
}

const std::vector<std::string>& Dictionary::FileNames() {
  static const std::vector<std::string> names = {
      "words.dawg",
      "paradigms.array",
      "suffixes.json",
      "gramtab-opencorpora-int.json",
      "prediction-suffixes-0.dawg",
      "prediction-suffixes-1.dawg",
      "prediction-suffixes-2.dawg",
  };
  return names;
}

bool Dictionary::Load(const std::filesystem::path& dir, std::string& error) {
  Files files;
  for (const auto& name : FileNames()) {
    if (!ReadFileBytes(dir / name, files[name])) {
      *this = Dictionary();
      error = W("нет файла ") + Utf8ToWin((dir / name).string());
      return false;
    }
  }
  return LoadBytes(files, error);
}

bool Dictionary::LoadBytes(const Files& files, std::string& error) {
  *this = Dictionary();
  auto fail = [&](const std::string& file, const std::string& why) {
    *this = Dictionary();
    error = file + ": " + why;
    return false;
  };
  auto bytes = [&](const std::string& name) -> std::string_view {
    auto it = files.find(name);
    return it == files.end() ? std::string_view() : std::string_view(it->second);
  };

  std::string why;
  if (!m_words.Read(bytes("words.dawg"), why)) return fail("words.dawg", why);
  for (int i = 0; i < 3; ++i) {
    const std::string name = "prediction-suffixes-" + std::to_string(i) + ".dawg";
    if (!m_endings[i].Read(bytes(name), why)) return fail(name, why);
  }
  // The format compiles every paradigm with one of these three word beginnings.
  m_prefixes = {"", W("по"), W("наи")};

  if (!ReadStringArray(bytes("suffixes.json"), m_suffixes) || m_suffixes.empty())
    return fail("suffixes.json", W("не список строк"));
  std::vector<std::string> tags;
  if (!ReadStringArray(bytes("gramtab-opencorpora-int.json"), tags) || tags.empty())
    return fail("gramtab-opencorpora-int.json", W("не список строк"));
  m_tags.reserve(tags.size());
  for (const auto& t : tags) m_tags.push_back(ParseTag(t));

  const std::string_view para = bytes("paradigms.array");
  auto u16 = [&](size_t k) {
    return static_cast<uint16_t>(static_cast<unsigned char>(para[k * 2]) |
                                 static_cast<unsigned char>(para[k * 2 + 1]) << 8);
  };
  const size_t words = para.size() / 2;
  if (words == 0 || para.size() % 2 != 0) return fail("paradigms.array", W("неполный файл"));
  const size_t count = u16(0);
  size_t at = 1;
  m_forms.reserve(words);
  for (size_t p = 0; p < count; ++p) {
    if (at >= words) return fail("paradigms.array", W("парадигма за концом файла"));
    const size_t len = u16(at++);
    if (len == 0 || len % 3 != 0 || at + len > words)
      return fail("paradigms.array", W("неверная длина парадигмы ") + std::to_string(p));
    const size_t n = len / 3;
    for (size_t k = 0; k < len; ++k) {
      const uint16_t v = u16(at + k);
      const size_t bound = k < n       ? m_suffixes.size()
                           : k < 2 * n ? m_tags.size()
                                       : m_prefixes.size();
      if (v >= bound)
        return fail("paradigms.array", W("номер вне таблицы в парадигме ") + std::to_string(p));
      m_forms.push_back(v);
    }
    m_paradigms.push_back({static_cast<uint32_t>(m_forms.size() - len), static_cast<uint16_t>(n)});
    at += len;
  }
  if (at != words || m_paradigms.empty())
    return fail("paradigms.array", W("лишние данные в конце"));
  return true;
}

size_t Dictionary::FormCount(uint16_t paradigm) const {
  return paradigm < m_paradigms.size() ? m_paradigms[paradigm].count : 0;
}

bool Dictionary::Valid(uint32_t paradigm, uint32_t form) const {
  return paradigm < m_paradigms.size() && form < m_paradigms[paradigm].count;
}

uint16_t Dictionary::SuffixId(uint16_t p, uint16_t f) const {
  return m_forms[m_paradigms[p].offset + f];
}

uint16_t Dictionary::TagId(uint16_t p, uint16_t f) const {
  return m_forms[m_paradigms[p].offset + m_paradigms[p].count + f];
}

uint16_t Dictionary::PrefixId(uint16_t p, uint16_t f) const {
  return m_forms[m_paradigms[p].offset + 2u * m_paradigms[p].count + f];
}

GramSet Dictionary::FormTag(uint16_t paradigm, uint16_t form) const {
  return Valid(paradigm, form) ? m_tags[TagId(paradigm, form)] : 0;
}

std::string Dictionary::Inflect(const Parse& parse, uint16_t form) const {
  if (!Valid(parse.paradigm, parse.form) || !Valid(parse.paradigm, form)) return {};
  const std::string& prefix = m_prefixes[PrefixId(parse.paradigm, parse.form)];
  const std::string& suffix = m_suffixes[SuffixId(parse.paradigm, parse.form)];
  const std::string_view w = parse.word;
  if (w.size() < prefix.size() + suffix.size() || !w.starts_with(prefix) || !w.ends_with(suffix))
    return {};
  const std::string_view stem = w.substr(prefix.size(), w.size() - prefix.size() - suffix.size());
  return m_prefixes[PrefixId(parse.paradigm, form)] + std::string(stem) +
         m_suffixes[SuffixId(parse.paradigm, form)];
}

void Dictionary::Lookup(
    const Dawg& dawg, std::string_view key,
    const std::function<void(std::string_view spelt, std::string_view value)>& each,
    size_t limit) const {
  // Depth-first over the spellings that read "е" as "е" or "ё".
  struct Branch {
    uint32_t index;
    size_t done;
    std::string spelt;
  };
  std::vector<Branch> todo{{Dawg::kRoot, 0, {}}};
  size_t budget = 256;
  while (!todo.empty() && budget-- > 0) {
    Branch b = std::move(todo.back());
    todo.pop_back();
    while (b.done < key.size()) {
      const auto c = static_cast<unsigned char>(key[b.done]);
      if (c == kE) {
        uint32_t yo = b.index;
        if (dawg.Follow(kYo, yo)) {
          std::string spelt = b.spelt;
          spelt += static_cast<char>(kYo);
          todo.push_back({yo, b.done + 1, std::move(spelt)});
        }
      }
      if (!dawg.Follow(c, b.index)) break;
      b.spelt += static_cast<char>(c);
      ++b.done;
    }
    if (b.done < key.size() || !dawg.Follow(kSeparator, b.index)) continue;
    for (const auto& value : dawg.KeysBelow(b.index, limit)) each(b.spelt, value);
  }
}

std::vector<Parse> Dictionary::Analyse(std::string_view word, bool capitalised) const {
  std::vector<Parse> out;
  if (!Loaded() || word.empty() || word.size() > kMaxWord ||
      word.find(static_cast<char>(kSeparator)) != std::string_view::npos)
    return out;
  Lookup(
      m_words, word,
      [&](std::string_view spelt, std::string_view value) {
        const auto n = Unpack(value);
        if (n.size() != 2 || !Valid(n[0], n[1])) return;
        out.push_back({n[0], n[1], std::string(spelt), FormTag(n[0], n[1]), 0, false});
      },
      512);
  return out.empty() ? Guess(word, capitalised) : out;
}

std::vector<Parse> Dictionary::Guess(std::string_view word, bool capitalised) const {
  // Longer known endings first, as the dictionary's own compiler guesses; but
  // a name is in the nominative, so where the longer ending is rare and gives
  // no nominative reading the shorter ones are tried too ("шелепуга" is no
  // genitive of a "шелепуг"). An ending many words share ("юзается") is
  // trusted as it is.
  std::vector<Parse> out;
  if (!Loaded() || word.empty() || word.size() > kMaxWord) return out;
  std::set<std::tuple<std::string, uint16_t, uint16_t>> seen;
  for (size_t pre = 0; pre < m_prefixes.size(); ++pre) {
    const std::string& prefix = m_prefixes[pre];
    if (!word.starts_with(prefix)) continue;
    const std::string_view base = word.substr(prefix.size());
    for (size_t len = std::min(kMaxEnding, base.size() - std::min(base.size(), size_t{1}));
         len >= 1; --len) {
      const std::string_view left = base.substr(0, base.size() - len);
      uint32_t nominative = 0, total = 0;
      const size_t before = out.size();
      Lookup(
          m_endings[pre], base.substr(left.size()),
          [&](std::string_view spelt, std::string_view value) {
            const auto n = Unpack(value);
            if (n.size() != 3 || !Valid(n[1], n[2])) return;
            const GramSet tag = FormTag(n[1], n[2]);
            if ((tag & kClosed) || (!capitalised && (tag & kProper))) return;
            std::string w = prefix + std::string(left) + std::string(spelt);
            if (!seen.emplace(w, n[1], n[2]).second) return;
            if (tag & G(kNomn)) nominative += n[0];
            total += n[0];
            out.push_back({n[1], n[2], std::move(w), tag, n[0], true});
          },
          512);
      std::stable_sort(out.begin() + static_cast<ptrdiff_t>(before), out.end(),
                       [](const Parse& a, const Parse& b) { return a.count > b.count; });
      if (nominative > 1 || total >= kTrustedEnding) break;
    }
  }
  return out;
}

size_t Dictionary::MemoryBytes() const {
  size_t n = m_words.MemoryBytes() + m_forms.size() * 2 + m_tags.size() * sizeof(GramSet) +
             m_paradigms.size() * sizeof(Paradigm);
  for (const auto& d : m_endings) n += d.MemoryBytes();
  for (const auto& s : m_suffixes) n += sizeof(s) + (s.size() > 15 ? s.size() : 0);
  return n;
}

}  // namespace zm::morph
