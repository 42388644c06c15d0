#pragma once
// Russian names of objects and mobiles in their six case forms, derived from
// the nominative. The words come from the morphological dictionary of
// data/morph (text/morphology.h); a word it does not hold is guessed from its
// ending by the same dictionary, and only a word even that cannot place is
// declined by the ending rules of namespace declension. The editors show every
// result to the builder before storing it.
#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace zm {

namespace morph {
class Dictionary;
}

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

// What a name stands for, where the dictionary cannot tell: an object's name
// is a thing, a mobile's a creature. It decides the accusative of guessed
// words and of those the dictionary holds as both.
enum class Animacy { Unknown, Inanimate, Animate };

// `text` (Windows-1251) in case `c`, by the shared dictionary when it loads.
// The nominative, and any number outside 0..5, gives the text back untouched;
// other cases trim blanks at both ends, so blank text gives "".
std::string DeclinePhrase(std::string_view text, int c, Animacy hint = Animacy::Unknown);
// With `dict`, or by the ending rules alone when it is null or not loaded.
std::string DeclinePhrase(std::string_view text, int c, const morph::Dictionary* dict,
                          Animacy hint = Animacy::Unknown);
// All six at once, the text read only once.
std::array<std::string, kDeclCaseCount> DeclineAll(std::string_view text,
                                                   const morph::Dictionary* dict,
                                                   Animacy hint = Animacy::Unknown);

// The dictionary DeclinePhrase uses: read from the folder given here, or else
// from "morph" beside the running executable, on the first call and not at
// start-up. Null when it cannot be read; SharedMorphologyError() says why
// (Windows-1251), and the ending rules stand in. Another folder drops the
// dictionary read before, so it is set before any declining starts.
void SetMorphologyDir(const std::filesystem::path& dir);
const morph::Dictionary* SharedMorphology();
std::string SharedMorphologyError();

// The ending rules, each on one word. Only the Latin capitals are folded
// before matching, so Cyrillic endings, conjunctions and prepositions are
// recognised in lower case only.
namespace declension {

enum class Gender { Masculine, Feminine, Neuter };

bool IsConjunction(std::string_view w);
bool IsPreposition(std::string_view w);
// By the last two letters only, so "герой" counts as an adjective too.
bool IsAdjective(std::string_view w);
Gender WordGender(std::string_view w);
// Without the stress, an ending after ж, ч, ш, щ and ц is taken as unstressed
// ("кашей", "пальцем") except in a word of one syllable ("мечом").
std::string DeclineNoun(std::string_view w, int c, bool animate = false);
std::string DeclineAdjective(std::string_view w, int c, bool animate = false);

}  // namespace declension
}  // namespace zm
