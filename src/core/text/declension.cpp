#include "text/declension.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "common/datadir.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "text/morphology.h"

namespace zm {
namespace declension {
namespace {

// Russian letters and endings are written here in UTF-8; R<"ок">() is the
// Windows-1251 form, converted once on first use.
template <size_t N>
struct Utf8 {
  char s[N];
  constexpr Utf8(const char (&in)[N]) { std::copy_n(in, N, s); }
  constexpr std::string_view View() const { return {s, N - 1}; }
};

template <Utf8 U>
const std::string& R() {
  static const std::string win = W(U.View());
  return win;
}

// One letter as an unsigned byte value, comparable with FromEnd().
template <Utf8 U>
int C() {
  return static_cast<unsigned char>(R<U>()[0]);
}

constexpr int kNone = -1;

std::string_view TrimView(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

std::string LowerLatin(std::string_view s) {
  std::string r(s);
  for (char& ch : r)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return r;
}

// The k-th character from the end (1 = last), kNone when the word is shorter.
int FromEnd(std::string_view s, size_t k) {
  return k >= 1 && k <= s.size() ? static_cast<unsigned char>(s[s.size() - k]) : kNone;
}

std::string_view Last(std::string_view s, size_t k) {
  return s.substr(s.size() - std::min(k, s.size()));
}

bool In(const std::string& set, int c) {
  return c != kNone && set.find(static_cast<char>(c)) != std::string::npos;
}

bool Contains(const std::string& list, std::string_view part) {
  return !part.empty() && list.find(part) != std::string::npos;
}

bool InList(const std::string& list, std::string_view w) {
  const std::string_view t = TrimView(w);
  if (t.size() + 2 > list.size()) return false;
  const std::string key = " " + LowerLatin(t) + " ";
  return list.find(key) != std::string::npos;
}

bool Hushing(int c) {
  return In(R<"жчшщ">(), c);
}

// Vowels in the word: one means the stress of a declined form most often
// falls on its ending ("меч", "мечом").
int Syllables(std::string_view lower) {
  return static_cast<int>(std::count_if(lower.begin(), lower.end(), [](char ch) {
    return In(R<"аеёиоуыэюя">(), static_cast<unsigned char>(ch));
  }));
}

// Nouns in а and я. No "ы" after г, к, х and the hushing letters; the
// instrumental "ой" is unstressed, so "ей", after ж, ч, ш, щ and ц.
std::string TableN1(std::string_view t, std::string_view lower, int c) {
  const std::string stem(t.substr(0, t.size() - 1));
  const bool a = FromEnd(lower, 1) == C<"а">();
  const int before = FromEnd(lower, 2);
  switch (c) {
    case kGenitive:
      return stem + (a && !In(R<"гкхжчшщ">(), before) ? R<"ы">() : R<"и">());
    case kAccusative:
      return stem + (a ? R<"у">() : R<"ю">());
    case kInstrumental:
      return stem + (a && !In(R<"жчшщц">(), before) ? R<"ой">() : R<"ей">());
    default:  // dative and prepositional
      return stem + (Last(lower, 2) == R<"ия">() ? R<"и">() : R<"е">());
  }
}

// "путь", the one masculine noun in ь with the forms of "кость".
std::string TableN3(std::string_view t, int c) {
  if (c == kAccusative) return std::string(t);
  if (c == kInstrumental) return std::string(t.substr(0, t.size() - 1)) + R<"ем">();
  return std::string(t.substr(0, t.size() - 1)) + R<"и">();
}

// Feminine nouns in ь: after a hushing letter ("мышь", "ночь"; masculine
// nouns there have no ь) and in "ость".
std::string TableN5(std::string_view t, int c) {
  if (c == kAccusative) return std::string(t);
  if (c == kInstrumental) return std::string(t) + R<"ю">();
  return std::string(t.substr(0, t.size() - 1)) + R<"и">();
}

// Nouns in мя.
std::string TableN4(std::string_view t, int c) {
  const std::string stem(t.substr(0, t.size() - 1));
  if (c == kAccusative) return std::string(t);
  if (c == kInstrumental) return stem + R<"енем">();
  return stem + R<"ени">();
}

// Everything else: masculine nouns and neuter nouns in о and е.
std::string TableN2(std::string_view t, std::string_view lower, int c, bool animate) {
  const size_t n = t.size();
  std::string word(t);
  std::string stem(t.substr(0, n - 1));
  const std::string_view last2 = Last(lower, 2), last3 = Last(lower, 3);
  const int last = FromEnd(lower, 1), before = FromEnd(lower, 2);
  const int x = FromEnd(lower, 3), y = FromEnd(lower, 4);
  if (c == kAccusative) {
    // An inanimate noun's accusative is its nominative, an animate one's its genitive.
    if (!animate || WordGender(t) == Gender::Neuter) return word;
    return TableN2(t, lower, kGenitive, animate);
  }
  const bool fleeting = n > 3;

  if (fleeting && last2 == R<"ок">() && In(R<"жчшщбвгджзрлнм">(), x) &&
      !In(R<"бвгджзклмнпрстфхцчшщ">(), y)) {
    word.erase(n - 2, 1);
  } else if (fleeting && last2 == R<"ёк">() && In(R<"бвгджзрлнм">(), x) && !Hushing(x)) {
    word[n - 2] = R<"ь">()[0];
  } else if (fleeting && last2 == R<"ёк">() && In(R<"аеёиоуыэюя">(), x)) {
    word[n - 2] = R<"й">()[0];
  } else if (fleeting && last2 == R<"ек">() && Hushing(x) && In(R<"аеёиоуыэюя">(), y)) {
    word.erase(n - 2, 1);
  } else if (last3 == R<"ень">() && In(R<"бвгджзрлнм">(), y)) {
    stem = std::string(t.substr(0, n - 3)) + R<"н">();
  } else if (fleeting && last2 == R<"ел">() && Hushing(x) && In(R<"аеёиоуыэюя">(), y)) {
    word.erase(n - 2, 1);
  }

  const bool oe = last2 == R<"ое">();
  const bool soft = In(R<"ьйе">(), last);
  const bool o = last == C<"о">();
  switch (c) {
    case kGenitive:
      if (oe) return stem + R<"го">();
      if (last3 == R<"нце">()) return stem + R<"а">();
      if (soft && !Hushing(before)) return stem + R<"я">();
      if (o) return stem + R<"а">();
      if (last == C<"е">() && Hushing(before)) return stem + R<"а">();
      return word + R<"а">();
    case kDative:
      if (oe) return stem + R<"му">();
      if (last3 == R<"нце">()) return stem + R<"у">();
      if (soft) return stem + R<"ю">();
      if (o) return stem + R<"у">();
      return word + R<"у">();
    case kInstrumental:
      if (oe) return stem.substr(0, stem.size() - 1) + R<"ым">();
      if (soft) return stem + R<"ем">();
      if (o) return stem + R<"ом">();
      if (last2 == R<"ец">()) return word + R<"ом">();
      if (In(R<"жшчщц">(), last)) return word + (Syllables(lower) == 1 ? R<"ом">() : R<"ем">());
      return word + R<"ом">();
    default:  // prepositional
      if (last2 == R<"ие">() || last2 == R<"ий">()) return stem + R<"и">();
      if (oe) return stem + R<"м">();
      if (In(R<"оьйе">(), last)) return stem + R<"е">();
      return word + R<"е">();
  }
}

enum AdjGroup {
  kMascHard,
  kMascSoft,
  kMascOther,
  kFemHard,
  kFemOther,
  kNeutHard,
  kNeutSoft,
  kNeutOther,
  kAdjGroups
};

// Endings of cases 1..5 per group; "" keeps the word as it is. The masculine
// accusative is the nominative or, for a creature, the genitive. The hard
// instrumental "ым" turns to "им" after г, к, х and the hushing letters, the
// feminine "юю" to "ую" after a hushing letter.
constexpr const char* kAdjEndings[kAdjGroups][5] = {
    {"ого", "ому", "", "ым", "ом"},  // masculine hard
    {"его", "ему", "", "им", "ем"},  // masculine soft
    {"ого", "ому", "", "им", "ом"},  // masculine other
    {"ой", "ой", "ую", "ой", "ой"},  // feminine hard
    {"ей", "ей", "юю", "ей", "ей"},  // feminine other
    {"ого", "ому", "", "ым", "ом"},  // neuter hard
    {"его", "ему", "", "им", "ем"},  // neuter soft
    {"ого", "ому", "", "им", "ом"},  // neuter other
};

const std::string& AdjEnding(int group, int c) {
  static const auto table = [] {
    std::array<std::array<std::string, 5>, kAdjGroups> t;
    for (int g = 0; g < kAdjGroups; ++g)
      for (int k = 0; k < 5; ++k) t[g][k] = W(kAdjEndings[g][k]);
    return t;
  }();
  return table[group][c - 1];
}

int AdjectiveGroup(std::string_view e, int p) {
  const bool masc = Contains(R<"ойыйий">(), e);
  if (masc && Contains(R<"ойый">(), e)) return kMascHard;
  if (masc && In(R<"жчшщн">(), p)) return kMascSoft;
  if (masc) return kMascOther;
  if (e == R<"ая">() && !Hushing(p)) return kFemHard;
  if (Contains(R<"аяя">(), e)) return kFemOther;
  if (e == R<"ое">()) return kNeutHard;
  const bool neut = Contains(R<"оее">(), e);
  if (neut && Hushing(p)) return kNeutSoft;
  if (neut) return kNeutOther;
  return kAdjGroups;
}

}  // namespace

bool IsConjunction(std::string_view w) {
  return InList(R<" и а или да но однако же зато ни-ни тоже либо ">(), w);
}

bool IsPreposition(std::string_view w) {
  std::string_view t = TrimView(w);
  if (t.empty() || t == ".") return false;
  return InList(R<" от до из из-за из-под для с со у без близ вне ради среди кроме между меж к "
                  "ко по в во о об обо за на под подо про сквозь над перед пред при через ">(),
                t);
}

bool IsAdjective(std::string_view w) {
  return Contains(R<"ойыйийаяяоее">(), Last(LowerLatin(TrimView(w)), 2));
}

Gender WordGender(std::string_view w) {
  const std::string lower = LowerLatin(TrimView(w));
  if (lower.size() <= 1 || lower.back() == '.') return Gender::Neuter;
  const int last = FromEnd(lower, 1);
  const bool mya = Last(lower, 2) == R<"мя">();
  if ((last == C<"а">() || last == C<"я">()) && !mya) return Gender::Feminine;
  if (last == C<"ь">() && (Hushing(FromEnd(lower, 2)) || Last(lower, 4) == R<"ость">()))
    return Gender::Feminine;
  if (last == C<"о">() || last == C<"е">() || mya) return Gender::Neuter;
  return Gender::Masculine;
}

std::string DeclineNoun(std::string_view w, int c, bool animate) {
  std::string_view t = TrimView(w);
  if (c < kGenitive || c > kPrepositional || t.size() <= 1 || t.back() == '.')
    return std::string(w);
  if (t == R<"путь">()) return TableN3(t, c);
  const std::string lower = LowerLatin(t);
  if (WordGender(t) == Gender::Feminine)
    return lower.back() == R<"ь">()[0] ? TableN5(t, c) : TableN1(t, lower, c);
  if (Last(lower, 2) == R<"мя">()) return TableN4(t, c);
  return TableN2(t, lower, c, animate);
}

std::string DeclineAdjective(std::string_view w, int c, bool animate) {
  std::string_view t = TrimView(w);
  if (c < kNominative || c > kPrepositional || t.size() <= 1 || t.back() == '.')
    return std::string(w);
  if (c == kNominative) return std::string(t);
  const std::string lower = LowerLatin(t);
  const int p = FromEnd(lower, 3);  // kNone for a two-letter word
  const int group = AdjectiveGroup(Last(lower, 2), p);
  if (group == kAdjGroups) return std::string(w);
  const bool masc = group == kMascHard || group == kMascSoft || group == kMascOther;
  if (masc && c == kAccusative && animate) c = kGenitive;

  const std::string s2(t.substr(0, t.size() - 2));
  const bool hard = group == kMascHard || group == kNeutHard;
  if (hard && c == kInstrumental && In(R<"гкхжчшщ">(), p)) return s2 + R<"им">();
  if (group == kFemOther && c == kAccusative && Hushing(p)) return s2 + R<"ую">();
  const std::string& ending = AdjEnding(group, c);
  return ending.empty() ? std::string(t) : s2 + ending;
}

}  // namespace declension

namespace declension {
namespace {

using morph::G;
using morph::GramSet;
using morph::Parse;

constexpr GramSet kCaseBit[kDeclCaseCount] = {G(morph::kNomn), G(morph::kGent), G(morph::kDatv),
                                              G(morph::kAccs), G(morph::kAblt), G(morph::kLoct)};
constexpr GramSet kOblique = G(morph::kGent) | G(morph::kDatv) | G(morph::kAblt) | G(morph::kLoct) |
                             G(morph::kGen2) | G(morph::kLoc2);
constexpr GramSet kGenders = G(morph::kMasc) | G(morph::kFemn) | G(morph::kNeut);
constexpr GramSet kAnimacy = G(morph::kAnim) | G(morph::kInan);
constexpr GramSet kModifierPos = G(morph::kAdjf) | G(morph::kPrtf);
// What a participle keeps through its forms, besides its part of speech.
constexpr GramSet kKept = G(morph::kNoun) | kModifierPos | G(morph::kActv) | G(morph::kPssv) |
                          G(morph::kPast) | G(morph::kPres) | G(morph::kFutr);
constexpr GramSet kRare = G(morph::kArch) | G(morph::kInfr) | G(morph::kSlng) | G(morph::kErro) |
                          G(morph::kDist) | G(morph::kVariant) | G(morph::kAbbr) | G(morph::kInit);
constexpr GramSet kProper = G(morph::kName) | G(morph::kSurn) | G(morph::kPatr) | G(morph::kGeox) |
                            G(morph::kOrgn) | G(morph::kTrad);

bool Has(GramSet set, GramSet bits) {
  return (set & bits) == bits;
}

bool IsCyrillic(unsigned char c) {
  return c >= 0xC0 || c == 0xA8 || c == 0xB8;
}

bool IsWordChar(unsigned char c) {
  return IsCyrillic(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9');
}

bool IsUpper(unsigned char c) {
  return WinLower(c) != c;
}

// What stands between a word and the one before it.
enum class Gap { Start, Space, Joined, Comma, Dash, Break };

enum class Role { Keep, Noun, Modifier };

struct Word {
  size_t begin = 0, end = 0;  // in the text
  std::string lower;
  Gap gap = Gap::Space;
  bool quoted = false;
  bool capitalised = false;
  // Cyrillic letters only (a compound's hyphens between them): a word to decline.
  bool readable = false;
  bool byRules = false;  // readable, but the dictionary gives it no reading
  std::vector<Parse> parses;

  Role role = Role::Keep;
  const Parse* parse = nullptr;  // the reading declined; null for the rules
  GramSet agree = 0;             // a modifier's number and gender
  GramSet animacy = 0;           // of the noun, or of the noun a modifier goes with
};

// The rules' reading of a word the dictionary cannot place.
bool RuleAdjective(const Word& w) {
  return IsAdjective(w.lower) && w.lower.size() > 2;
}

class Phrase {
 public:
  Phrase(std::string_view text, const morph::Dictionary* dict, Animacy hint)
      : m_text(text), m_dict(dict), m_hint(hint) {
    Split();
    for (auto& w : m_words) Analyse(w);
    SplitCompounds();
    Walk();
  }

  std::string Form(int c) const;

 private:
  void Split();
  void Analyse(Word& w);
  void SplitCompounds();
  void Walk();

  bool IsPrep(const Word& w) const;
  bool IsConj(const Word& w) const;
  // Of two words of the dictionary spelt alike, the one with more forms is
  // the commoner ("большая" is "большой", not "больший").
  bool Richer(const Parse& a, const Parse& b) const {
    return !a.guessed && !b.guessed &&
           m_dict->FormCount(a.paradigm) > m_dict->FormCount(b.paradigm);
  }
  const Parse* Noun(const Word& w) const;
  // Whether the dictionary itself holds the word as a noun, adjective or participle.
  static bool KnownNominal(const Word& w) {
    return std::any_of(w.parses.begin(), w.parses.end(), [](const Parse& p) {
      return !p.guessed && (p.tag & (G(morph::kNoun) | kModifierPos));
    });
  }
  const Parse* Modifier(const Word& w, GramSet agree) const;
  bool Nominative(const Word& w) const;
  bool Oblique(const Word& w) const;
  // A first name followed by a surname or patronymic ("Иван Петров").
  static bool FullName(const Word& head, const Parse& next) {
    return head.parse && (head.parse->tag & G(morph::kName)) &&
           (next.tag & (G(morph::kSurn) | G(morph::kPatr)));
  }
  // Number and gender of a noun reading, the gender of "сирота" from `mod`.
  GramSet AgreementOf(const Parse& noun, const Word* mod) const;
  // The reading of `w` as an adjective or participle that agrees with `head`.
  const Parse* AgreeingWith(const Word& w, const Word* head) const {
    if (!head || !head->parse || w.byRules) return nullptr;
    const GramSet agree = AgreementOf(*head->parse, nullptr);
    const Parse* m = Modifier(w, agree);
    return m && Has(m->tag, agree) ? m : nullptr;
  }
  void MakeNoun(Word& w);
  void MakeModifier(Word& w, GramSet agree, GramSet animacy);
  std::string Decline(const Word& w, int c) const;
  std::string FindForm(const Parse& p, GramSet want) const;
  std::string Styled(const Word& w, std::string form) const;

  std::string_view m_text;
  const morph::Dictionary* m_dict;
  Animacy m_hint;
  std::vector<Word> m_words;
};

void Phrase::Split() {
  const size_t n = m_text.size();
  Gap gap = Gap::Start;
  bool quoted = false;
  size_t i = 0;
  auto at = [&](size_t k) { return k < n ? static_cast<unsigned char>(m_text[k]) : 0; };
  while (i < n) {
    const unsigned char c = at(i);
    // The game's colour codes ("&K", "&n") and placeholders ("@n0") stick to
    // the words they colour but belong to none.
    if (c == '&' && i + 1 < n) {
      i += 2;
      continue;
    }
    if (c == '@' && std::isalpha(at(i + 1))) {
      i += 2;
      while (std::isdigit(at(i))) ++i;
      continue;
    }
    if (IsWordChar(c)) {
      Word w;
      w.begin = i;
      while (i < n && (IsWordChar(at(i)) ||
                       (at(i) == '-' && IsWordChar(at(i + 1)) && IsWordChar(at(i - 1)))))
        ++i;
      w.end = i;
      w.gap = gap;
      w.quoted = quoted;
      m_words.push_back(std::move(w));
      gap = Gap::Space;
      continue;
    }
    if (c == ',') {
      gap = std::max(gap, Gap::Comma);
    } else if (c == '-' || c == 0x96 || c == 0x97) {  // a dash between words, or – and —
      gap = std::max(gap, Gap::Dash);
    } else if (c == '"' || c == 0xAB || c == 0xBB) {
      quoted = c == 0xAB ? true : c == 0xBB ? false : !quoted;
    } else if (c != ' ' && c != '\t' && c != '_') {
      gap = Gap::Break;
    }
    ++i;
  }
}

void Phrase::Analyse(Word& w) {
  const std::string_view t = m_text.substr(w.begin, w.end - w.begin);
  w.lower.resize(t.size());
  bool cyrillic = false, other = false;
  for (size_t k = 0; k < t.size(); ++k) {
    const auto c = static_cast<unsigned char>(t[k]);
    w.lower[k] = static_cast<char>(WinLower(c));
    if (IsCyrillic(c)) cyrillic = true;
    if (c != '-' && !IsCyrillic(c)) other = true;
  }
  w.readable = cyrillic && !other;
  w.capitalised = !t.empty() && IsUpper(static_cast<unsigned char>(t[0]));
  if (!w.readable) return;
  if (m_dict) {
    w.parses = m_dict->Analyse(w.lower, w.capitalised);
    // A capitalised word the dictionary knows only otherwise may be a name
    // ("Делан" is no short participle here).
    const bool nominal = std::any_of(w.parses.begin(), w.parses.end(), [](const Parse& p) {
      return (p.tag & (G(morph::kNoun) | kModifierPos)) != 0;
    });
    if (w.capitalised && !nominal) {
      auto guesses = m_dict->Guess(w.lower, true);
      w.parses.insert(w.parses.end(), guesses.begin(), guesses.end());
    }
  }
  w.byRules = w.parses.empty();
}

void Phrase::SplitCompounds() {
  // A compound the dictionary does not hold ("ярко-зеленый",
  // "туфельки-лепестки") is read part by part.
  std::vector<Word> out;
  for (auto& w : m_words) {
    const bool known =
        std::any_of(w.parses.begin(), w.parses.end(), [](const Parse& p) { return !p.guessed; });
    if (!w.readable || known || w.lower.find('-') == std::string::npos) {
      out.push_back(std::move(w));
      continue;
    }
    size_t from = w.begin;
    for (size_t k = w.begin; k <= w.end; ++k) {
      if (k < w.end && m_text[k] != '-') continue;
      Word part;
      part.begin = from;
      part.end = k;
      part.gap = from == w.begin ? w.gap : Gap::Joined;
      part.quoted = w.quoted;
      Analyse(part);
      out.push_back(std::move(part));
      from = k + 1;
    }
  }
  m_words = std::move(out);
}

bool Phrase::IsPrep(const Word& w) const {
  if (w.byRules) return IsPreposition(w.lower);
  return std::any_of(w.parses.begin(), w.parses.end(),
                     [](const Parse& p) { return !p.guessed && (p.tag & G(morph::kPrep)); });
}

bool Phrase::IsConj(const Word& w) const {
  return w.readable && IsConjunction(w.lower);
}

const Parse* Phrase::Noun(const Word& w) const {
  // The singular before the plural ("руна" is no plural of "руно"), common
  // words before rare forms and names, and the creature or the thing the
  // name is meant to be where the word can be either.
  const Parse* best = nullptr;
  int bestScore = 0;
  for (const auto& p : w.parses) {
    if (!Has(p.tag, G(morph::kNoun) | G(morph::kNomn))) continue;
    int score = 0;
    if (p.tag & kRare) score += 16;
    if ((p.tag & kProper) && !w.capitalised) score += 8;
    if (p.tag & G(morph::kPlur)) score += 4;
    if ((m_hint == Animacy::Animate && (p.tag & G(morph::kInan))) ||
        (m_hint == Animacy::Inanimate && (p.tag & G(morph::kAnim))))
      score += 2;
    if (!best || score < bestScore || (score == bestScore && Richer(p, *best)))
      best = &p, bestScore = score;
  }
  return best;
}

const Parse* Phrase::Modifier(const Word& w, GramSet agree) const {
  const Parse* best = nullptr;
  int bestScore = 0;
  for (const auto& p : w.parses) {
    if (!(p.tag & kModifierPos) || !(p.tag & G(morph::kNomn))) continue;
    int score = 0;
    if (agree && !Has(p.tag, agree)) score += 8;
    if (p.tag & kRare) score += 4;
    if (!best || score < bestScore || (score == bestScore && Richer(p, *best)))
      best = &p, bestScore = score;
  }
  return best;
}

bool Phrase::Nominative(const Word& w) const {
  if (!w.readable || w.quoted) return false;
  if (w.byRules) return !IsPreposition(w.lower) && !IsConjunction(w.lower);
  return Noun(w) || Modifier(w, 0);
}

bool Phrase::Oblique(const Word& w) const {
  if (w.byRules) {
    // A genitive-looking word ("сын мельника", "жрец темного бога").
    const std::string_view l = w.lower;
    return FromEnd(l, 1) == C<"а">() || FromEnd(l, 1) == C<"я">() ||
           Contains(R<"ой ей го ов ва ых их">(), Last(l, 2));
  }
  if (w.parses.empty()) return false;
  // A guessed name that can be a singular genitive is an owner ("шляпа
  // Росвалда"); one that cannot, a name in apposition ("кот Баюн").
  const GramSet number = w.parses.front().guessed ? G(morph::kSing) : 0;
  return std::any_of(w.parses.begin(), w.parses.end(),
                     [&](const Parse& p) { return (p.tag & kOblique) && Has(p.tag, number); });
}

GramSet Phrase::AgreementOf(const Parse& noun, const Word* mod) const {
  if (noun.tag & G(morph::kPlur)) return G(morph::kPlur);
  GramSet gender = noun.tag & kGenders;
  if (!gender && mod) {
    if (const Parse* m = Modifier(*mod, 0)) gender = m->tag & kGenders;
  }
  return G(morph::kSing) | (gender ? gender : G(morph::kMasc));
}

void Phrase::MakeNoun(Word& w) {
  w.role = Role::Noun;
  w.parse = w.byRules ? nullptr : Noun(w);
  if (w.parse) {
    w.animacy = w.parse->tag & kAnimacy;
    // A guessed word is what the name stands for.
    if (w.parse->guessed && m_hint != Animacy::Unknown)
      w.animacy = G(m_hint == Animacy::Animate ? morph::kAnim : morph::kInan);
  } else {
    w.animacy = G(m_hint == Animacy::Animate ? morph::kAnim : morph::kInan);
  }
}

void Phrase::MakeModifier(Word& w, GramSet agree, GramSet animacy) {
  w.role = Role::Modifier;
  w.parse = w.byRules ? nullptr : Modifier(w, agree);
  w.agree = agree;
  if (w.parse && (!agree || !Has(w.parse->tag, agree)))
    w.agree = w.parse->tag & (kGenders | G(morph::kSing) | G(morph::kPlur));
  w.animacy = animacy ? animacy : G(m_hint == Animacy::Animate ? morph::kAnim : morph::kInan);
}

void Phrase::Walk() {
  // Before its head a noun phrase agrees; after it, what follows keeps its
  // form ("кусок жареного мяса", "фляга с медовухой") except words that
  // agree with it in turn: an adjective after it ("птичка певчая"), a noun
  // in apposition ("старик сказочник"), a participle after a comma ("доспех,
  // покрытый драконьей кровью"), and another phrase after "и" or a dash.
  enum class Mode { Phrase, AfterHead, Agreeing, Keep };
  Mode mode = Mode::Phrase;
  std::vector<size_t> pending;  // modifiers waiting for their head
  Word* head = nullptr;         // of the current phrase
  Word* lastHead = nullptr;

  auto flush = [&] {
    for (size_t k : pending) {
      Word& m = m_words[k];
      if (lastHead && lastHead->role == Role::Noun)
        MakeModifier(m, lastHead->parse ? AgreementOf(*lastHead->parse, &m) : 0, lastHead->animacy);
      else
        MakeModifier(m, 0, 0);
    }
    pending.clear();
  };

  for (size_t i = 0; i < m_words.size(); ++i) {
    Word& w = m_words[i];
    const bool joinedNext = i + 1 < m_words.size() && m_words[i + 1].gap == Gap::Joined;
    if (w.gap == Gap::Joined) {
      // The right part stands where its compound stands.
    } else if (w.gap == Gap::Comma || w.gap == Gap::Dash || w.gap == Gap::Break) {
      flush();
      head = nullptr;
      if (w.gap == Gap::Break) {
        mode = Mode::Keep;
      } else if (w.gap == Gap::Comma && AgreeingWith(w, lastHead)) {
        mode = Mode::Agreeing;
      } else {
        mode = Nominative(w) && !Oblique(w) ? Mode::Phrase : Mode::Keep;
        if (w.gap == Gap::Comma && lastHead && w.byRules && RuleAdjective(w)) mode = Mode::Phrase;
      }
    } else if (i > 0 && IsConj(m_words[i - 1]) && mode != Mode::Phrase) {
      // Right after a head "и" joins another head ("волк и лиса"); after its
      // complement, only a word that cannot continue it ("кусок хлеба и сыра").
      const bool joins = Nominative(w) && (mode == Mode::AfterHead || !Oblique(w));
      flush();
      head = nullptr;
      mode = joins ? Mode::Phrase : Mode::Keep;
    }
    if (w.quoted || !w.readable) {
      if (mode == Mode::AfterHead || mode == Mode::Agreeing) mode = Mode::Keep;
      continue;
    }
    if (joinedNext) continue;  // the left part of a compound waits for its right part

    switch (mode) {
      case Mode::Keep:
        break;
      case Mode::Agreeing:
        if (AgreeingWith(w, lastHead))
          MakeModifier(w, AgreementOf(*lastHead->parse, nullptr), lastHead->animacy);
        else
          mode = Mode::Keep;
        break;
      case Mode::Phrase: {
        if (IsConj(w)) break;
        if (IsPrep(w)) {
          mode = Mode::Keep;
          break;
        }
        const Word* next = i + 1 < m_words.size() ? &m_words[i + 1] : nullptr;
        const bool beforeNominal =
            next && next->gap == Gap::Space && Nominative(*next) && !IsPrep(*next);
        const Parse* noun = w.byRules ? nullptr : Noun(w);
        const Parse* mod = w.byRules ? nullptr : Modifier(w, 0);
        if (!noun && !KnownNominal(w) && !(mod && (beforeNominal || RuleAdjective(w))) &&
            std::any_of(w.parses.begin(), w.parses.end(),
                        [](const Parse& p) { return (p.tag & G(morph::kNoun)) != 0; })) {
          // The guesses keep one reading per part of speech and ending, so a
          // noun's nominative can be missing among them ("шелепуга" comes
          // only as a genitive, "Делан" as a plural): the rules decline it.
          w.byRules = true;
          mod = nullptr;
        }
        if (mod && noun) {
          // "рабочий стол": an adjective when a noun or adjective follows.
          if (beforeNominal)
            noun = nullptr;
          else
            mod = nullptr;
        }
        if (mod || (w.byRules && RuleAdjective(w))) {
          pending.push_back(i);
        } else if (noun || w.byRules) {
          MakeNoun(w);
          head = lastHead = &w;
          flush();
          mode = Mode::AfterHead;
        }
        break;
      }
      case Mode::AfterHead: {
        if (IsConj(w)) break;
        const Word& prev = m_words[i - 1];
        const bool adjacent = w.gap != Gap::Joined && (prev.role != Role::Keep);
        if (!adjacent || !head) {
          mode = Mode::Keep;
          break;
        }
        if (w.byRules) {
          if (Oblique(w) || IsPreposition(w.lower)) {
            mode = Mode::Keep;
          } else if (RuleAdjective(w)) {
            MakeModifier(w, 0, head->animacy);
          } else {
            MakeNoun(w);
          }
          break;
        }
        const Parse* n = Noun(w);
        // A capitalised word that can be a noun is a name ("Иван Петров").
        if (AgreeingWith(w, head) && !(w.capitalised && n)) {
          MakeModifier(w, AgreementOf(*head->parse, nullptr), head->animacy);
        } else if (n && (!Oblique(w) || FullName(*head, *n)) && !IsPrep(w) &&
                   (!head->parse ||
                    (n->tag & G(morph::kPlur)) == (head->parse->tag & G(morph::kPlur)))) {
          MakeNoun(w);
        } else {
          mode = Mode::Keep;
        }
        break;
      }
    }
  }
  if (!pending.empty() && !head) lastHead = nullptr;
  flush();

  // The left part of a compound goes with its right part when it is of
  // the same kind ("туфельки-лепестки", "черный-пречерный"); an adverb in
  // front ("ярко-зеленый") stays.
  for (size_t i = 1; i < m_words.size(); ++i) {
    const Word& w = m_words[i];
    if (w.gap != Gap::Joined || w.role == Role::Keep || !w.parse) continue;
    Word& left = m_words[i - 1];
    if (left.readable && !left.byRules && w.role == Role::Noun) {
      const Parse* l = Noun(left);
      if (l && (l->tag & G(morph::kPlur)) == (w.parse->tag & G(morph::kPlur))) MakeNoun(left);
    } else if (left.readable && !left.byRules) {
      const Parse* l = Modifier(left, w.agree);
      if (l && Has(l->tag, w.agree)) MakeModifier(left, w.agree, w.animacy);
    }
  }
}

std::string Phrase::FindForm(const Parse& p, GramSet want) const {
  const size_t n = m_dict->FormCount(p.paradigm);
  int best = -1, bestScore = 0;
  for (size_t f = 0; f < n; ++f) {
    const GramSet tag = m_dict->FormTag(p.paradigm, static_cast<uint16_t>(f));
    if (!Has(tag, want)) continue;
    // Where two forms fit, those as rare as the word itself ("Горыныча"
    // beside "Горыновича"), then the one nearest the word as written
    // ("уголь", not "угль"; "первого", not "одного" of the same lexeme).
    const std::string form = m_dict->Inflect(p, static_cast<uint16_t>(f));
    const auto same = std::mismatch(form.begin(), form.end(), p.word.begin(), p.word.end());
    const int score =
        100 * std::popcount((tag ^ p.tag) & kRare) - static_cast<int>(same.first - form.begin());
    if (best < 0 || score < bestScore) best = static_cast<int>(f), bestScore = score;
  }
  return best < 0 ? std::string() : m_dict->Inflect(p, static_cast<uint16_t>(best));
}

std::string Phrase::Decline(const Word& w, int c) const {
  const bool animate = (w.animacy & G(morph::kAnim)) != 0;
  if (!w.parse) {
    return w.role == Role::Noun ? DeclineNoun(w.lower, c, animate)
                                : DeclineAdjective(w.lower, c, animate);
  }
  const Parse& p = *w.parse;
  std::string form;
  if (w.role == Role::Noun) {
    // A surname's paradigm holds both genders, a patronymic's its name too.
    const GramSet own = G(morph::kSing) | G(morph::kPlur) | kGenders | kProper;
    int as = c;
    // A guessed paradigm may be of the other animacy than the name's: a
    // masculine or plural accusative is then the genitive or the nominative.
    if (c == kAccusative && w.animacy && !(p.tag & w.animacy) &&
        (p.tag & (G(morph::kMasc) | G(morph::kPlur))))
      as = animate ? kGenitive : kNominative;
    form = FindForm(p, (p.tag & (kKept | own)) | kCaseBit[as]);
  } else {
    const GramSet base = (p.tag & kKept) | w.agree | kCaseBit[c];
    const bool byAnimacy = c == kAccusative && (w.agree & (G(morph::kMasc) | G(morph::kPlur)));
    if (byAnimacy) form = FindForm(p, base | (w.animacy ? w.animacy : G(morph::kInan)));
    if (form.empty()) form = FindForm(p, base);
  }
  return form.empty() ? std::string(m_text.substr(w.begin, w.end - w.begin)) : form;
}

std::string Phrase::Styled(const Word& w, std::string form) const {
  const std::string_view t = m_text.substr(w.begin, w.end - w.begin);
  // The builder's е stays е where the dictionary writes ё.
  const bool yo = std::any_of(t.begin(), t.end(), [](char ch) {
    return static_cast<unsigned char>(ch) == 0xB8 || static_cast<unsigned char>(ch) == 0xA8;
  });
  const bool allUpper = t.size() > 1 && std::none_of(t.begin(), t.end(), [](char ch) {
                          return IsCyrillic(static_cast<unsigned char>(ch)) &&
                                 !IsUpper(static_cast<unsigned char>(ch));
                        });
  for (size_t k = 0; k < form.size(); ++k) {
    auto c = static_cast<unsigned char>(form[k]);
    if (!yo && c == 0xB8) c = 0xE5;
    if (allUpper || (k < t.size() && IsUpper(static_cast<unsigned char>(t[k])))) c = WinUpper(c);
    form[k] = static_cast<char>(c);
  }
  return form;
}

std::string Phrase::Form(int c) const {
  std::string out;
  size_t at = 0;
  for (const auto& w : m_words) {
    if (w.role == Role::Keep) continue;
    out.append(m_text.substr(at, w.begin - at));
    out += Styled(w, Decline(w, c));
    at = w.end;
  }
  out.append(m_text.substr(at));
  return out;
}

}  // namespace
}  // namespace declension

namespace {

std::mutex g_morphMutex;
std::filesystem::path g_morphDir;
std::unique_ptr<morph::Dictionary> g_morph;
std::string g_morphError;
bool g_morphTried = false;

std::filesystem::path DefaultMorphologyDir() {
  return DataDir() / "morph";
}

}  // namespace

void SetMorphologyDir(const std::filesystem::path& dir) {
  std::lock_guard lock(g_morphMutex);
  if (dir == g_morphDir) return;
  g_morphDir = dir;
  g_morph.reset();
  g_morphError.clear();
  g_morphTried = false;
}

const morph::Dictionary* SharedMorphology() {
  std::lock_guard lock(g_morphMutex);
  if (!g_morphTried) {
    g_morphTried = true;
    auto dict = std::make_unique<morph::Dictionary>();
    if (dict->Load(g_morphDir.empty() ? DefaultMorphologyDir() : g_morphDir, g_morphError))
      g_morph = std::move(dict);
  }
  return g_morph.get();
}

std::string SharedMorphologyError() {
  std::lock_guard lock(g_morphMutex);
  return g_morphError;
}

std::array<std::string, kDeclCaseCount> DeclineAll(std::string_view text,
                                                   const morph::Dictionary* dict, Animacy hint) {
  std::array<std::string, kDeclCaseCount> forms;
  forms[kNominative] = std::string(text);
  const std::string trimmed = Trim(text);
  const declension::Phrase phrase(trimmed, dict && dict->Loaded() ? dict : nullptr, hint);
  for (int c = kGenitive; c < kDeclCaseCount; ++c) forms[c] = phrase.Form(c);
  return forms;
}

std::string DeclinePhrase(std::string_view text, int c, const morph::Dictionary* dict,
                          Animacy hint) {
  if (c < kGenitive || c > kPrepositional) return std::string(text);
  return DeclineAll(text, dict, hint)[c];
}

std::string DeclinePhrase(std::string_view text, int c, Animacy hint) {
  if (c < kGenitive || c > kPrepositional) return std::string(text);
  return DeclinePhrase(text, c, SharedMorphology(), hint);
}

}  // namespace zm
