#include "text/declension.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "common/cp1251.h"

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

constexpr std::string_view kMarks = ",.!?:;-";
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

// WordAt(text, 1) without copying: the first run of non-spaces of the trimmed text.
std::string_view FirstWord(std::string_view text) {
  std::string_view t = TrimView(text);
  return t.substr(0, t.find(' '));
}

bool InList(const std::string& list, std::string_view w) {
  const std::string_view t = TrimView(w);
  if (t.size() + 2 > list.size()) return false;
  const std::string key = " " + LowerLatin(t) + " ";
  return list.find(key) != std::string::npos;
}

// Nouns in а and я.
std::string TableN1(std::string_view t, std::string_view lower, int c) {
  const std::string stem(t.substr(0, t.size() - 1));
  const bool a = FromEnd(lower, 1) == C<"а">();
  switch (c) {
    case kGenitive:
      return stem + (a ? R<"ы">() : R<"и">());
    case kAccusative:
      return stem + (a ? R<"у">() : R<"ю">());
    case kInstrumental:
      return stem + (a ? R<"ой">() : R<"ей">());
    default:  // dative and prepositional
      return stem + (Last(lower, 2) == R<"ия">() ? R<"и">() : R<"е">());
  }
}

// "путь", the one noun in ь with its own forms.
std::string TableN3(std::string_view t, int c) {
  if (c == kAccusative) return std::string(t);
  if (c == kInstrumental) return std::string(t) + R<"ю">();
  return std::string(t.substr(0, t.size() - 1)) + R<"и">();
}

// Nouns in мя.
std::string TableN4(std::string_view t, int c) {
  const std::string stem(t.substr(0, t.size() - 1));
  if (c == kAccusative) return stem + R<"я">();
  if (c == kInstrumental) return stem + R<"енем">();
  return stem + R<"ени">();
}

// Everything else: masculine nouns and neuter nouns in о and е.
std::string TableN2(std::string_view t, std::string_view lower, int c) {
  const size_t n = t.size();
  std::string word(t);
  std::string stem(t.substr(0, n - 1));
  const std::string_view last2 = Last(lower, 2), last3 = Last(lower, 3);
  const int last = FromEnd(lower, 1), before = FromEnd(lower, 2);
  const int x = FromEnd(lower, 3), y = FromEnd(lower, 4);
  const bool fleeting = c != kAccusative && n > 3;  // the accusative keeps the vowel

  if (fleeting && last2 == R<"ок">() && In(R<"жчшщбвгджзрлнм">(), x) &&
      !In(R<"бвгджзклмнпрстфхцчшщ">(), y)) {
    word.erase(n - 2, 1);
  } else if (fleeting && last2 == R<"ёк">() && In(R<"бвгджзрлнм">(), x) && !In(R<"жчшщ">(), x)) {
    word[n - 2] = R<"ь">()[0];
  } else if (fleeting && last2 == R<"ёк">() && In(R<"аеёиоуыэюя">(), x)) {
    word[n - 2] = R<"й">()[0];
  } else if (fleeting && last2 == R<"ек">() && In(R<"жчшщ">(), x) && In(R<"аеёиоуыэюя">(), y)) {
    word.erase(n - 2, 1);
  } else if (last3 == R<"ень">() && In(R<"бвгджзрлнм">(), y)) {
    stem = std::string(t.substr(0, n - 3)) + R<"н">();
  } else if (fleeting && last2 == R<"ел">() && In(R<"жчшщ">(), x) && In(R<"аеёиоуыэюя">(), y)) {
    word.erase(n - 2, 1);
  }

  const bool oe = last2 == R<"ое">();
  const bool soft = In(R<"ьйе">(), last);
  const bool o = last == C<"о">();
  switch (c) {
    case kGenitive:
      if (oe) return stem + R<"го">();
      if (last3 == R<"нце">()) return stem + R<"а">();
      if (soft && !In(R<"жчшщ">(), before)) return stem + R<"я">();
      if (o) return stem + R<"а">();
      if (last == C<"е">() && In(R<"жчшщ">(), before)) return stem + R<"а">();
      return word + R<"а">();
    case kDative:
      if (oe) return stem + R<"му">();
      if (last3 == R<"нце">()) return stem + R<"у">();
      if (soft) return stem + R<"ю">();
      if (o) return stem + R<"у">();
      return word + R<"у">();
    case kAccusative:
      if (last == C<"ь">()) return stem + R<"я">();
      if (last == C<"й">() && In(R<"аеёиоуэюя">(), before)) return stem + R<"я">();
      // Nouns count as animate; only a Latin capital in front escapes the ending.
      if (!(word[0] >= 'A' && word[0] <= 'Z') && WordGender(word) != Gender::Neuter)
        return word + R<"а">();
      return word;
    case kInstrumental:
      if (oe) return stem.substr(0, stem.size() - 1) + R<"ым">();
      if (soft) return stem + R<"ем">();
      if (o) return stem + R<"ом">();
      if (last2 == R<"ец">()) return word + R<"ом">();
      if (In(R<"жшчщц">(), last)) return word + R<"ем">();
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

// Endings of cases 1..5 per group; "" keeps the word as it is. The hard
// instrumental "ым" turns to "им" after г, х, ш, the feminine "юю" to "ую"
// after a hushing consonant.
constexpr const char* kAdjEndings[kAdjGroups][5] = {
    {"ого", "ому", "ого", "ым", "ом"},  // masculine hard
    {"его", "ему", "", "им", "ем"},     // masculine soft
    {"ого", "ому", "", "им", "ом"},     // masculine other
    {"ой", "ой", "ую", "ой", "ой"},     // feminine hard
    {"ей", "ей", "юю", "ей", "ей"},     // feminine other
    {"ого", "ому", "", "ым", "ом"},     // neuter hard
    {"его", "ему", "", "им", "ем"},     // neuter soft
    {"ого", "ому", "", "им", "ом"},     // neuter other
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
  if (e == R<"ая">() && !In(R<"жчшщ">(), p)) return kFemHard;
  if (Contains(R<"аяя">(), e)) return kFemOther;
  if (e == R<"ое">()) return kNeutHard;
  const bool neut = Contains(R<"оее">(), e);
  if (neut && In(R<"жчшщ">(), p)) return kNeutSoft;
  if (neut) return kNeutOther;
  return kAdjGroups;
}

}  // namespace

std::string WordAt(std::string_view text, int k) {
  std::string_view t = TrimView(text);
  size_t i = 0;
  for (int found = 0; i < t.size(); ++found) {
    while (i < t.size() && t[i] == ' ') ++i;
    size_t end = std::min(t.find(' ', i), t.size());
    if (found + 1 == k) return std::string(t.substr(i, end - i));
    i = end;
  }
  return "";
}

bool IsPunctuation(std::string_view w) {
  std::string_view t = TrimView(w);
  return t.size() == 1 && kMarks.find(t[0]) != std::string_view::npos;
}

bool IsConjunction(std::string_view w) {
  return InList(R<" и а или да но однако же зато ни-ни тоже ">(), w);
}

bool IsPreposition(std::string_view w) {
  std::string_view t = TrimView(w);
  if (t.empty() || t == ".") return false;
  return InList(R<" от до из из-за из-под для с у без близ вне ради среди кроме между меж к по в "
                  "о за на по под про сквозь над перед на при ">(),
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
  if (last == C<"о">() || last == C<"е">() || mya) return Gender::Neuter;
  return Gender::Masculine;
}

std::string DeclineNoun(std::string_view w, int c) {
  std::string_view t = TrimView(w);
  if (c < kGenitive || c > kPrepositional || t.size() <= 1 || t.back() == '.')
    return std::string(w);
  if (t == R<"путь">()) return TableN3(t, c);
  const std::string lower = LowerLatin(t);
  if (WordGender(t) == Gender::Feminine) return TableN1(t, lower, c);
  if (Last(lower, 2) == R<"мя">()) return TableN4(t, c);
  return TableN2(t, lower, c);
}

std::string DeclineAdjective(std::string_view w, int c) {
  std::string_view t = TrimView(w);
  if (c < kNominative || c > kPrepositional || t.size() <= 1 || t.back() == '.')
    return std::string(w);
  if (c == kNominative) return std::string(t);
  const std::string lower = LowerLatin(t);
  const int p = FromEnd(lower, 3);  // kNone for a two-letter word
  const int group = AdjectiveGroup(Last(lower, 2), p);
  if (group == kAdjGroups) return std::string(w);

  const std::string s2(t.substr(0, t.size() - 2));
  const bool hard = group == kMascHard || group == kNeutHard;
  if (hard && c == kInstrumental && In(R<"гхш">(), p)) return s2 + R<"им">();
  if (group == kFemOther && c == kAccusative && In(R<"жчшщ">(), p)) return s2 + R<"ую">();
  const std::string& ending = AdjEnding(group, c);
  return ending.empty() ? std::string(t) : s2 + ending;
}

}  // namespace declension

std::string DeclinePhrase(std::string_view text, int c) {
  using namespace declension;
  if (c < kGenitive || c > kPrepositional) return std::string(text);
  // One pass over the words instead of recursing once per word, so a name of
  // any length declines in linear time and constant stack.
  std::string out;
  std::string_view rest = TrimView(text);
  while (true) {
    const std::string_view t = TrimView(rest);
    if (t.empty()) return out;
    std::string_view w1 = TrimView(FirstWord(t));
    if (w1.size() > 1 && kMarks.find(w1.back()) != std::string_view::npos) w1.remove_suffix(1);
    rest = t.substr(w1.size());
    const std::string_view w2 = FirstWord(rest);

    if (IsPunctuation(w1)) {
      if (w1 == "-") {
        out += " - ";
      } else {
        out += w1;
        out += ' ';
      }
      continue;
    }
    if (IsConjunction(w1)) {
      out += w1;
      out += ' ';
      continue;
    }
    if (IsPreposition(w1)) {
      out += w1;
      out += rest;
      return out;
    }
    if (IsAdjective(w1)) {
      if (w2.empty()) return out + DeclineAdjective(w1, c);
      if (IsPunctuation(w2)) {
        out += DeclineAdjective(w1, c);
        continue;
      }
      // "ти" before the last letter of the next word: the first word is taken for a noun
      if (w2.size() >= 3 && w2.substr(w2.size() - 3, 2) == R<"ти">()) {
        out += DeclineNoun(w1, c);
        out += rest;
        return out;
      }
      out += DeclineAdjective(w1, c);
      out += ' ';
      continue;
    }
    if (w2.empty()) return out + DeclineNoun(w1, c);
    out += DeclineNoun(w1, c);
    if (IsPunctuation(w2)) continue;
    // A genitive-looking second word ("сын мельника", "жрец темного бога")
    // belongs to the first and keeps its form.
    if (w2.back() == R<"а">()[0] || Contains(R<"ой ей го ов ва">(), Last(w2, 2))) {
      out += rest;
      return out;
    }
    out += ' ';
  }
}

}  // namespace zm
