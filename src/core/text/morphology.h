#pragma once
// A reader of the Russian morphological dictionary compiled from OpenCorpora
// (the "dicts" folder of data/morph): words as a DAWG of Windows-1251 keys,
// paradigms as lists of suffix, tag and prefix numbers, and DAWGs of word
// endings that guess the paradigm of a word the dictionary does not hold.
// Nothing in the files is trusted: every index is checked, so a damaged file
// gives a load error or fewer readings, never a read out of bounds.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zm::morph {

// The grammemes the declension asks about. Others in a tag are ignored.
enum Gram : int {
  // parts of speech
  kNoun,
  kAdjf,
  kAdjs,
  kComp,
  kVerb,
  kInfn,
  kPrtf,
  kPrts,
  kGrnd,
  kNumr,
  kAdvb,
  kNpro,
  kPred,
  kPrep,
  kConj,
  kPrcl,
  kIntj,
  // animacy, gender, number
  kAnim,
  kInan,
  kMasc,
  kFemn,
  kNeut,
  kMsf,
  kSing,
  kPlur,
  kSgtm,
  kPltm,
  kFixd,
  // cases
  kNomn,
  kGent,
  kDatv,
  kAccs,
  kAblt,
  kLoct,
  kVoct,
  kGen2,
  kAcc2,
  kLoc2,
  // kinds of words
  kApro,
  kAnum,
  kName,
  kSurn,
  kPatr,
  kGeox,
  kOrgn,
  kTrad,
  kAbbr,
  kInit,
  // rarer or variant forms
  kArch,
  kInfr,
  kSlng,
  kErro,
  kDist,
  kVariant,  // any of the V-xx marks ("водою" beside "водой")
  kCmp2,
  // what tells a participle's forms from those of the other participles of its verb
  kActv,
  kPssv,
  kPast,
  kPres,
  kFutr,
  kGramCount
};
static_assert(kGramCount <= 64);

using GramSet = uint64_t;
constexpr GramSet G(Gram g) {
  return GramSet{1} << g;
}

// Grammemes of a tag such as "NOUN,anim,masc sing,nomn".
GramSet ParseTag(std::string_view tag);

// A trie of byte strings in the layout of the dawgdic library: a double-array
// of 32-bit units for following labels, and a guide of (child, sibling) label
// pairs for listing the keys below a node.
class Dawg {
 public:
  static constexpr uint32_t kRoot = 0;

  // `bytes` is a whole file: unit count, units, guide count, guide pairs.
  bool Read(std::string_view bytes, std::string& error);
  bool Empty() const { return m_units.empty(); }
  size_t MemoryBytes() const { return m_units.size() * 4 + m_guide.size(); }

  bool Follow(uint8_t label, uint32_t& index) const;
  bool HasValue(uint32_t index) const;
  // The rest of every key below `index`, at most `limit` of them; a damaged
  // guide ends the listing early.
  std::vector<std::string> KeysBelow(uint32_t index, size_t limit) const;

 private:
  uint8_t Child(uint32_t index) const;
  uint8_t Sibling(uint32_t index) const;

  std::vector<uint32_t> m_units;
  std::vector<uint8_t> m_guide;
};

// One reading of a word: form `form` of paradigm `paradigm`, as the word is
// spelt in the dictionary (lower case, with ё).
struct Parse {
  uint16_t paradigm = 0;
  uint16_t form = 0;
  std::string word;
  GramSet tag = 0;
  // Words of the dictionary that share the ending a guessed reading came
  // from; 0 for a word the dictionary holds.
  uint32_t count = 0;
  bool guessed = false;
};

class Dictionary {
 public:
  // The files of a dictionary folder, by name, for LoadBytes.
  using Files = std::map<std::string, std::string>;
  static const std::vector<std::string>& FileNames();

  // False with a Windows-1251 `error` naming the file at fault; the
  // dictionary is then left empty.
  bool Load(const std::filesystem::path& dir, std::string& error);
  bool LoadBytes(const Files& files, std::string& error);
  bool Loaded() const { return !m_paradigms.empty(); }

  // Readings of a lower-case Windows-1251 word: those of the dictionary,
  // where "е" also matches "ё"; else guesses from its ending, commonest first,
  // names and surnames among them only for a word written `capitalised`.
  std::vector<Parse> Analyse(std::string_view word, bool capitalised = false) const;
  // Only the guesses: longer endings first, the commonest reading of each first.
  std::vector<Parse> Guess(std::string_view word, bool capitalised = false) const;

  size_t FormCount(uint16_t paradigm) const;
  GramSet FormTag(uint16_t paradigm, uint16_t form) const;
  // The word of `parse` in another form of its paradigm; "" when the stored
  // prefix or suffix does not fit the word (a damaged file).
  std::string Inflect(const Parse& parse, uint16_t form) const;

  size_t MemoryBytes() const;

 private:
  struct Paradigm {
    uint32_t offset;  // into m_forms: suffix ids, then tag ids, then prefix ids
    uint16_t count;
  };
  uint16_t SuffixId(uint16_t p, uint16_t f) const;
  uint16_t TagId(uint16_t p, uint16_t f) const;
  uint16_t PrefixId(uint16_t p, uint16_t f) const;
  bool Valid(uint32_t paradigm, uint32_t form) const;
  void Lookup(const Dawg& dawg, std::string_view key,
              const std::function<void(std::string_view spelt, std::string_view value)>& each,
              size_t limit) const;

  Dawg m_words;
  Dawg m_endings[3];
  std::vector<std::string> m_prefixes;
  std::vector<std::string> m_suffixes;
  std::vector<GramSet> m_tags;
  std::vector<uint16_t> m_forms;
  std::vector<Paradigm> m_paradigms;
};

// Strings of a JSON array of strings, as Windows-1251; false on anything else.
bool ReadStringArray(std::string_view json, std::vector<std::string>& out);

}  // namespace zm::morph
