#include "text/declension.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/cp1251.h"

namespace zm {
namespace {

struct Case {
  const char* text;  // UTF-8
  int c;
  const char* expected;
};

void ExpectDeclined(const std::vector<Case>& cases) {
  for (const auto& k : cases) {
    EXPECT_EQ(WinToUtf8(DeclinePhrase(W(k.text), k.c)), k.expected) << k.text << ", case " << k.c;
  }
}

TEST(Declension, NamesAndPhrasesInEveryCase) {
  ExpectDeclined({
      // adjective + noun
      {"злой волк", kGenitive, "злого волка"},
      {"злой волк", kDative, "злому волку"},
      {"злой волк", kAccusative, "злого волка"},
      {"злой волк", kInstrumental, "злым волком"},
      {"злой волк", kPrepositional, "злом волке"},
      {"красная собака", kInstrumental, "красной собакой"},
      {"красная собака", kAccusative, "красную собаку"},
      {"большая", kInstrumental, "большей"},
      {"синий", kDative, "синему"},
      {"хорошая", kAccusative, "хорошую"},
      {"синяя", kAccusative, "синюю"},
      {"старый дуб", kAccusative, "старого дуба"},
      // fleeting vowels
      {"замок", kGenitive, "замка"},
      {"замок", kAccusative, "замока"},
      {"ремень", kGenitive, "ремня"},
      {"день", kAccusative, "дня"},
      {"конёк", kGenitive, "конька"},
      // tables N1, N3, N4 and the N2 fallback
      {"имя", kInstrumental, "именем"},
      {"время", kGenitive, "времени"},
      {"армия", kDative, "армии"},
      {"вода", kPrepositional, "воде"},
      {"книга", kGenitive, "книгы"},
      {"путь", kInstrumental, "путью"},
      {"мышь", kGenitive, "мышьа"},
      // letter case
      {"Волк", kAccusative, "Волка"},
      {"ВОЛК", kGenitive, "ВОЛКа"},
      // phrases
      {"волк, злой", kGenitive, "волка, злого"},
      {"зверь - волк", kGenitive, "зверя - волка"},
      {"воин в доспехах", kDative, "воину в доспехах"},
      {"сын мельника", kGenitive, "сына мельника"},
      {"жрец темного бога", kGenitive, "жреца темного бога"},
  });
  for (int c = kGenitive; c <= kPrepositional; ++c) {
    ExpectDeclined({{"", c, ""}, {"   ", c, ""}, {".", c, ". "}});
  }
}

TEST(Declension, OtherRulesAndShortWords) {
  ExpectDeclined({
      {"паёк", kGenitive, "пайка"},
      {"солнце", kGenitive, "солнца"},
      {"край", kAccusative, "края"},
      {"здание", kPrepositional, "здании"},
      {"окно", kAccusative, "окно"},
      {"волк и лиса", kInstrumental, "волком и лисой"},
      {"рыбий хвостик", kGenitive, "рыбия хвостик"},
      // words too short for the letters a rule looks at
      {"ень", kGenitive, "еня"},
      {"ой", kInstrumental, "ым"},
      {"ая", kAccusative, "ую"},
      {"злой ти", kGenitive, "злого тиа"},
      // punctuation alone
      {",", kDative, ", "},
      {"-", kDative, " - "},
      {"?!", kDative, "? ! "},
      // Latin: only a Latin capital in front refuses the animate accusative;
      // the endings added are Cyrillic
      {"Bob", kAccusative, "Bob"},
      {"bob", kAccusative, "bobа"},
      {"Big Wolf", kGenitive, "Bigа Wolfа"},
  });
  EXPECT_EQ(WinToUtf8(declension::DeclineNoun(W("мороженое"), kInstrumental)), "мороженым");
  for (int c : {0, -1, 6}) EXPECT_EQ(DeclinePhrase(W(" злой  волк "), c), W(" злой  волк "));
}

TEST(Declension, LongAndArbitraryInputs) {
  std::string many, expected;
  for (int i = 0; i < 20000; ++i) {
    many += W("волк ");
    expected += (i ? " " : "") + W("волка");
  }
  EXPECT_EQ(DeclinePhrase(many, kGenitive), expected);
  std::string word(1 << 18, W("а")[0]);
  EXPECT_EQ(DeclinePhrase(word, kGenitive).size(), word.size());

  // Spaces, tabs, marks, NUL, Latin capitals and Cyrillic letters in any order.
  const std::string alphabet = std::string(" \t,.-!\0AZaz", 11) + W("аеёийкноьяжшщ");
  std::mt19937 rng(7);
  for (int i = 0; i < 3000; ++i) {
    std::string s(rng() % 24, ' ');
    for (char& ch : s) ch = alphabet[rng() % alphabet.size()];
    for (int c = kNominative; c < kDeclCaseCount; ++c) (void)DeclinePhrase(s, c);
  }
}

}  // namespace
}  // namespace zm
