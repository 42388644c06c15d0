#include "text/declension.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "common/winutf8.h"
#include "core/testutil.h"
#include "io/recordfile.h"
#include "model/world.h"
#include "text/morphology.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

const morph::Dictionary* Dict() {
  const morph::Dictionary* d = SharedMorphology();
  EXPECT_NE(d, nullptr) << WinToUtf8(SharedMorphologyError());
  return d;
}

// A nominative and its genitive, dative, accusative, instrumental and
// prepositional, all UTF-8, "|" between them.
struct Row {
  const char* name;
  const char* forms;
  Animacy hint = Animacy::Unknown;
};

std::string Joined(const std::array<std::string, kDeclCaseCount>& forms) {
  std::string s;
  for (int c = kGenitive; c < kDeclCaseCount; ++c) s += (c > 1 ? "|" : "") + WinToUtf8(forms[c]);
  return s;
}

void ExpectForms(const std::vector<Row>& rows, const morph::Dictionary* dict) {
  for (const auto& r : rows) {
    const auto forms = DeclineAll(W(r.name), dict, r.hint);
    EXPECT_EQ(Joined(forms), r.forms) << r.name;
    EXPECT_EQ(forms[kNominative], W(r.name));
  }
}

TEST(Declension, FaultsOfTheEndingRulesAreGone) {
  ExpectForms(
      {
          // things stay things in the accusative
          {"простой меч", "простого меча|простому мечу|простой меч|простым мечом|простом мече"},
          // no "ы" after г, к, х
          {"фляга", "фляги|фляге|флягу|флягой|фляге"},
          // stressed and unstressed endings
          {"меч", "меча|мечу|меч|мечом|мече"},
          {"палица", "палицы|палице|палицу|палицей|палице"},
          {"нож", "ножа|ножу|нож|ножом|ноже"},
          // fleeting vowels
          {"кусок", "куска|куску|кусок|куском|куске"},
          {"ломоть", "ломтя|ломтю|ломоть|ломтем|ломте"},
          {"свиток", "свитка|свитку|свиток|свитком|свитке"},
          // plurals, plural-only nouns and the singular reading of "руна"
          {"кожаные сапоги",
           "кожаных сапог|кожаным сапогам|кожаные сапоги|кожаными сапогами|кожаных сапогах"},
          {"ножницы", "ножниц|ножницам|ножницы|ножницами|ножницах"},
          {"Простые доспехи",
           "Простых доспехов|Простым доспехам|Простые доспехи|Простыми "
           "доспехами|Простых доспехах"},
          {"руна", "руны|руне|руну|руной|руне"},
          // the stem of "большая" is that of "большой"
          {"большая", "большой|большой|большую|большой|большой"},
          {"большая алебарда",
           "большой алебарды|большой алебарде|большую алебарду|большой алебардой|большой "
           "алебарде"},
          {"четверть", "четверти|четверти|четверть|четвертью|четверти"},
          // what follows the head keeps its form
          {"кусок жареного мяса",
           "куска жареного мяса|куску жареного мяса|кусок жареного "
           "мяса|куском жареного мяса|куске жареного мяса"},
          {"фляга с медовухой",
           "фляги с медовухой|фляге с медовухой|флягу с медовухой|флягой с "
           "медовухой|фляге с медовухой"},
          {"заплечных дел мастер",
           "заплечных дел мастера|заплечных дел мастеру|заплечных дел мастера|заплечных дел "
           "мастером|заплечных дел мастере"},
          // ... except a participle after a comma
          {"доспех, покрытый драконьей кровью",
           "доспеха, покрытого драконьей кровью|доспеху, покрытому драконьей кровью|доспех, "
           "покрытый драконьей кровью|доспехом, покрытым драконьей кровью|доспехе, покрытом "
           "драконьей кровью"},
          {"наручи, покрытые льдом",
           "наручей, покрытых льдом|наручам, покрытым льдом|наручи, "
           "покрытые льдом|наручами, покрытыми льдом|наручах, "
           "покрытых льдом"},
      },
      Dict());
}

// Examples the ending rules were tested with; where the rules gave a wrong
// form (an animate "старого дуба", "мышьа") the right one is expected now.
TEST(Declension, PhrasesAgreeAroundTheirHead) {
  ExpectForms(
      {
          {"злой волк", "злого волка|злому волку|злого волка|злым волком|злом волке"},
          {"красная собака",
           "красной собаки|красной собаке|красную собаку|красной собакой|красной собаке"},
          {"синий", "синего|синему|синий|синим|синем"},
          {"синяя", "синей|синей|синюю|синей|синей"},
          {"хорошая", "хорошей|хорошей|хорошую|хорошей|хорошей"},
          {"старый дуб", "старого дуба|старому дубу|старый дуб|старым дубом|старом дубе"},
          {"замок", "замка|замку|замок|замком|замке"},
          {"ремень", "ремня|ремню|ремень|ремнем|ремне"},
          {"день", "дня|дню|день|днем|дне"},
          {"конёк", "конька|коньку|конька|коньком|коньке"},
          {"паёк", "пайка|пайку|паёк|пайком|пайке"},
          {"имя", "имени|имени|имя|именем|имени"},
          {"время", "времени|времени|время|временем|времени"},
          {"армия", "армии|армии|армию|армией|армии"},
          {"книга", "книги|книге|книгу|книгой|книге"},
          {"путь", "пути|пути|путь|путем|пути"},
          {"мышь", "мыши|мыши|мышь|мышью|мыши"},
          {"солнце", "солнца|солнцу|солнце|солнцем|солнце"},
          {"здание", "здания|зданию|здание|зданием|здании"},
          {"мороженое", "мороженого|мороженому|мороженое|мороженым|мороженом"},
          {"рыбий хвостик",
           "рыбьего хвостика|рыбьему хвостику|рыбий хвостик|рыбьим "
           "хвостиком|рыбьем хвостике"},
          {"рабочий стол",
           "рабочего стола|рабочему столу|рабочий стол|рабочим столом|рабочем "
           "столе"},
          // apposition, a post-positive adjective, coordination, a dash
          {"волк, злой", "волка, злого|волку, злому|волка, злого|волком, злым|волке, злом"},
          {"зверь - волк",
           "зверя - волка|зверю - волку|зверя - волка|зверем - волком|звере - "
           "волке"},
          {"волк и лиса", "волка и лисы|волку и лисе|волка и лису|волком и лисой|волке и лисе"},
          {"старик сказочник",
           "старика сказочника|старику сказочнику|старика "
           "сказочника|стариком сказочником|старике сказочнике"},
          {"птичка певчая",
           "птички певчей|птичке певчей|птичку певчую|птичкой певчей|птичке певчей"},
          {"кот Баюн", "кота Баюна|коту Баюну|кота Баюна|котом Баюном|коте Баюне"},
          {"Иван Петров",
           "Ивана Петрова|Ивану Петрову|Ивана Петрова|Иваном Петровым|Иване Петрове"},
          // complements keep their form
          {"воин в доспехах",
           "воина в доспехах|воину в доспехах|воина в доспехах|воином в "
           "доспехах|воине в доспехах"},
          {"сын мельника",
           "сына мельника|сыну мельника|сына мельника|сыном мельника|сыне "
           "мельника"},
          {"жрец темного бога",
           "жреца темного бога|жрецу темного бога|жреца темного "
           "бога|жрецом темного бога|жреце темного бога"},
          {"шляпа Росвалда",
           "шляпы Росвалда|шляпе Росвалда|шляпу Росвалда|шляпой "
           "Росвалда|шляпе Росвалда"},
          {"кусок хлеба и сыра",
           "куска хлеба и сыра|куску хлеба и сыра|кусок хлеба и "
           "сыра|куском хлеба и сыра|куске хлеба и сыра"},
          // the record kind decides words the dictionary only guesses
          {"чармис", "чармиса|чармису|чармиса|чармисом|чармисе", Animacy::Animate},
          {"чармис", "чармиса|чармису|чармис|чармисом|чармисе", Animacy::Inanimate},
          // and only those
          {"скелет", "скелета|скелету|скелет|скелетом|скелете", Animacy::Animate},
          // guessed words whose nominative the guesses lack fall to the rules
          {"шелепуга", "шелепуги|шелепуге|шелепугу|шелепугой|шелепуге"},
          {"Делан", "Делана|Делану|Делана|Деланом|Делане", Animacy::Animate},
      },
      Dict());
}

TEST(Declension, WritingOfTheBuilderIsKept) {
  ExpectForms(
      {
          // letter case, е for ё, hyphens, underscores
          {"ВОЛК", "ВОЛКА|ВОЛКУ|ВОЛКА|ВОЛКОМ|ВОЛКЕ"},
          {"Злой Волк", "Злого Волка|Злому Волку|Злого Волка|Злым Волком|Злом Волке"},
          {"черное зелье", "черного зелья|черному зелью|черное зелье|черным зельем|черном зелье"},
          {"зелёный плащ",
           "зелёного плаща|зелёному плащу|зелёный плащ|зелёным плащом|зелёном "
           "плаще"},
          {"ярко-зеленый плащ",
           "ярко-зеленого плаща|ярко-зеленому плащу|ярко-зеленый "
           "плащ|ярко-зеленым плащом|ярко-зеленом плаще"},
          {"туфельки-лепестки",
           "туфелек-лепестков|туфелькам-лепесткам|туфельки-лепестки|"
           "туфельками-лепестками|туфельках-лепестках"},
          {"жар-птица", "жар-птицы|жар-птице|жар-птицу|жар-птицей|жар-птице"},
          {"маленький_бочонок",
           "маленького_бочонка|маленькому_бочонку|маленький_бочонок|"
           "маленьким_бочонком|маленьком_бочонке"},
          // colour codes and placeholders stay where they stand
          {"&Kпес Гарм", "&Kпса Гарма|&Kпсу Гарму|&Kпса Гарма|&Kпсом Гармом|&Kпсе Гарме",
           Animacy::Animate},
          {"&Rзмей &gГорыныч&n",
           "&Rзмея &gГорыныча&n|&Rзмею &gГорынычу&n|&Rзмея "
           "&gГорыныча&n|&Rзмеем &gГорынычем&n|&Rзмее &gГорыныче&n"},
          {"@n0 меч", "@n0 меча|@n0 мечу|@n0 меч|@n0 мечом|@n0 мече"},
          // quotes, numbers, Latin and marks are not declined
          {"бутылка \"Кагора\"",
           "бутылки \"Кагора\"|бутылке \"Кагора\"|бутылку "
           "\"Кагора\"|бутылкой \"Кагора\"|бутылке \"Кагора\""},
          {"книга «Тайны магии»",
           "книги «Тайны магии»|книге «Тайны магии»|книгу «Тайны "
           "магии»|книгой «Тайны магии»|книге «Тайны магии»"},
          {"Терминатор Т-100",
           "Терминатора Т-100|Терминатору Т-100|Терминатор "
           "Т-100|Терминатором Т-100|Терминаторе Т-100"},
          {"Big Wolf", "Big Wolf|Big Wolf|Big Wolf|Big Wolf|Big Wolf"},
          {"?!", "?!|?!|?!|?!|?!"},
          {" - ", "-|-|-|-|-"},
      },
      Dict());
  for (int c : {0, -1, 6}) EXPECT_EQ(DeclinePhrase(W(" злой  волк "), c), W(" злой  волк "));
  for (const char* blank : {"", "  \t "}) EXPECT_EQ(DeclinePhrase(blank, kDative), "");
}

// Without the dictionary the ending rules decline, mended where they broke
// Russian spelling.
TEST(Declension, RulesStandInWithoutTheDictionary) {
  ExpectForms(
      {
          {"фляга", "фляги|фляге|флягу|флягой|фляге"},
          {"кожа", "кожи|коже|кожу|кожей|коже"},
          {"палица", "палицы|палице|палицу|палицей|палице"},
          {"меч", "меча|мечу|меч|мечом|мече"},
          {"товарищ", "товарища|товарищу|товарищ|товарищем|товарище"},
          {"мышь", "мыши|мыши|мышь|мышью|мыши"},
          {"радость", "радости|радости|радость|радостью|радости"},
          {"дорогой друг",
           "дорогого друга|дорогому другу|дорогого друга|дорогим другом|дорогом "
           "друге",
           Animacy::Animate},
          {"свежий хлеб", "свежего хлеба|свежему хлебу|свежий хлеб|свежим хлебом|свежем хлебе",
           Animacy::Inanimate},
          {"злой волк, злой",
           "злого волка, злого|злому волку, злому|злой волк, злой|злым "
           "волком, злым|злом волке, злом"},
          {"воин в доспехах",
           "воина в доспехах|воину в доспехах|воин в доспехах|воином в "
           "доспехах|воине в доспехах"},
          {"сын мельника",
           "сына мельника|сыну мельника|сын мельника|сыном мельника|сыне "
           "мельника"},
          {"конёк", "конька|коньку|конёк|коньком|коньке"},
          {"имя", "имени|имени|имя|именем|имени"},
          {"армия", "армии|армии|армию|армией|армии"},
      },
      nullptr);
  // Words shorter than the letters a rule looks at.
  EXPECT_EQ(WinToUtf8(declension::DeclineNoun(W("ень"), kGenitive)), "еня");
  EXPECT_EQ(WinToUtf8(declension::DeclineAdjective(W("ой"), kInstrumental)), "ым");
  EXPECT_EQ(WinToUtf8(declension::DeclineAdjective(W("ая"), kAccusative)), "ую");
  EXPECT_EQ(WinToUtf8(declension::DeclineAdjective(W("большой"), kInstrumental)), "большим");
}

TEST(Declension, LongAndArbitraryInputs) {
  const morph::Dictionary* dict = Dict();
  std::string many, expected;
  for (int i = 0; i < 20000; ++i) {
    many += W("волк ");
    expected += (i ? " " : "") + W("волка");
  }
  EXPECT_EQ(DeclinePhrase(many, kGenitive, dict), expected);
  const std::string word(1 << 18, W("а")[0]);
  EXPECT_EQ(DeclinePhrase(word, kGenitive, dict).size(), word.size());

  // Blanks, marks, codes, quotes, NUL, Latin and Cyrillic letters in any order.
  const std::string alphabet = std::string(" \t,.-!\0AZaz&@_\"", 15) + W("аеёийкноьяжшщ«»");
  std::mt19937 rng(7);
  for (int i = 0; i < 3000; ++i) {
    std::string s(rng() % 24, ' ');
    for (char& ch : s) ch = alphabet[rng() % alphabet.size()];
    (void)DeclineAll(s, dict, Animacy::Animate);
    (void)DeclineAll(s, nullptr);
  }
}

// Names of objects and mobiles with the six forms their builders wrote.
struct Named {
  std::string file;
  std::array<std::string, kDeclCaseCount> forms;
  Animacy hint;
};

std::vector<Named> RealWorldNames() {
  std::vector<Named> out;
  const fs::path world = test::RealWorld() / "bylins";
  for (auto [folder, kind, ext] : {std::tuple{"obj", kObject, ".obj"}, {"mob", kMobile, ".mob"}}) {
    if (!fs::exists(world / folder)) continue;
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(world / folder))
      if (e.path().extension() == ext) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files) {
      test::RecordingReporter rep;
      World w(rep);
      EXPECT_TRUE(LoadRecordFile(w, kind, f)) << f;
      for (const auto& o : w.Objs)
        out.push_back({f.filename().string(), o->Names, Animacy::Inanimate});
      for (const auto& m : w.Mobs)
        out.push_back({f.filename().string(), m->Names, Animacy::Animate});
    }
  }
  return out;
}

// Words split at blanks and underscores, the first letter's case apart.
std::vector<std::string> Words(const std::string& s) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < s.size()) {
    const size_t end = std::min(s.find_first_of(" _", i), s.size());
    if (end > i) words.push_back(s.substr(i, end - i));
    i = end + 1;
  }
  return words;
}

// A builder's forms that decline the nominative as it is written: as many
// words, and the capital of the first letter kept. Forms that drop a word of
// the nominative ("чармис пятого уровня дамагер" -> "чармиса пятого уровня")
// or its capital ("Руна лжи" -> "руны лжи") cannot come out of it.
bool FollowsItsNominative(const std::array<std::string, kDeclCaseCount>& forms) {
  const auto first = [](const std::string& s) {
    return s.empty() ? 0 : WinUpper(static_cast<unsigned char>(s[0]));
  };
  for (const auto& f : forms) {
    if (Words(f).size() != Words(forms[0]).size()) return false;
    if (!forms[0].empty() && !f.empty() &&
        (first(f) == static_cast<unsigned char>(f[0])) !=
            (first(forms[0]) == static_cast<unsigned char>(forms[0][0])))
      return false;
  }
  return true;
}

// The names the builders of a running game declined by hand. Those that come
// out otherwise are printed, to be read.
TEST(Declension, RealWorldNamesComeOutAsTheirBuildersWroteThem) {
  const auto names = RealWorldNames();
  if (names.empty()) GTEST_SKIP() << "no real world files at " << test::RealWorld();
  const morph::Dictionary* dict = Dict();
  size_t whole = 0, comparable = 0, comparableWhole = 0;
  std::array<size_t, kDeclCaseCount> perCase{};
  for (const auto& n : names) {
    const auto got = DeclineAll(n.forms[0], dict, n.hint);
    size_t same = 0;
    for (int c = 0; c < kDeclCaseCount; ++c)
      if (got[c] == n.forms[c]) ++perCase[c], ++same;
    const bool follows = FollowsItsNominative(n.forms);
    comparable += follows;
    if (same == kDeclCaseCount) {
      ++whole;
      comparableWhole += follows;
      continue;
    }
    std::cout << "  " << n.file << (follows ? ": " : " (forms not of this nominative): ");
    for (int c = 0; c < kDeclCaseCount; ++c)
      std::cout << WinToUtf8(got[c])
                << (got[c] == n.forms[c] ? "" : " [" + WinToUtf8(n.forms[c]) + "]")
                << (c + 1 < kDeclCaseCount ? " | " : "\n");
  }
  std::cout << whole << " of " << names.size() << " names with all six forms as written ("
            << comparableWhole << " of the " << comparable
            << " whose forms follow their nominative); per case:";
  for (size_t k : perCase) std::cout << " " << k;
  std::cout << "\n";
  EXPECT_GE(comparableWhole * 100, comparable * 85);
  EXPECT_GE(whole * 100, names.size() * 72);
}

}  // namespace
}  // namespace zm
