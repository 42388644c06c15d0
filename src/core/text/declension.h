#pragma once
// Russian names of objects and mobiles in their six case forms, derived from
// the nominative by the endings of each word alone. The rules are heuristic
// on purpose: the editors show every result to the builder before storing it.
#include <string>
#include <string_view>

namespace zm {

// Numbered as the six name fields of an object or mobile.
enum DeclCase : int {
  kNominative = 0,
  kGenitive = 1,
  kDative = 2,
  kAccusative = 3,
  kInstrumental = 4,
  kPrepositional = 5,
};
inline constexpr int kDeclCaseCount = 6;

// `text` (Windows-1251) in case `c`. The nominative, and any number outside
// 0..5, gives the text back untouched; blank text gives "".
std::string DeclinePhrase(std::string_view text, int c);

// The steps DeclinePhrase is built from, each on one word. Only the Latin
// capitals are folded before matching, so Cyrillic endings, conjunctions and
// prepositions are recognised in lower case only.
namespace declension {

enum class Gender { Masculine, Feminine, Neuter };

// The k-th (from 1) space-separated word of the trimmed text, "" past the end.
std::string WordAt(std::string_view text, int k);
bool IsPunctuation(std::string_view w);
bool IsConjunction(std::string_view w);
bool IsPreposition(std::string_view w);
// By the last two letters only, so "герой" counts as an adjective too.
bool IsAdjective(std::string_view w);
Gender WordGender(std::string_view w);
// Every noun is declined as animate.
std::string DeclineNoun(std::string_view w, int c);
std::string DeclineAdjective(std::string_view w, int c);

}  // namespace declension
}  // namespace zm
