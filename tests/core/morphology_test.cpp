#include "text/morphology.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/winutf8.h"
#include "core/testutil.h"
#include "text/declension.h"

namespace zm::morph {
namespace {

namespace fs = std::filesystem;

fs::path Shipped() {
  return fs::path(ZEMLEMER_SOURCE_DIR) / "data" / "morph";
}

Dictionary::Files ShippedFiles() {
  Dictionary::Files files;
  for (const auto& name : Dictionary::FileNames()) files[name] = test::ReadFile(Shipped() / name);
  return files;
}

const Dictionary& Loaded() {
  static const Dictionary d = [] {
    Dictionary dict;
    std::string error;
    EXPECT_TRUE(dict.Load(Shipped(), error)) << WinToUtf8(error);
    return dict;
  }();
  return d;
}

// "word: tag grammemes" of each reading, UTF-8.
std::vector<std::string> Readings(std::string_view utf8) {
  std::vector<std::string> out;
  for (const auto& p : Loaded().Analyse(W(utf8))) {
    std::string s = WinToUtf8(p.word) + (p.guessed ? " guessed" : "");
    for (auto [g, name] : {std::pair{kNoun, "NOUN"},
                           {kAdjf, "ADJF"},
                           {kNomn, "nomn"},
                           {kGent, "gent"},
                           {kSing, "sing"},
                           {kPlur, "plur"},
                           {kAnim, "anim"},
                           {kInan, "inan"},
                           {kFemn, "femn"},
                           {kNeut, "neut"}})
      if (p.tag & G(g)) s += std::string(" ") + name;
    out.push_back(s);
  }
  return out;
}

bool Holds(const std::vector<std::string>& readings, const std::string& one) {
  return std::find(readings.begin(), readings.end(), one) != readings.end();
}

TEST(Morphology, ReadsTheShippedDictionary) {
  ASSERT_TRUE(Loaded().Loaded());
  // "руна" is a rune, and the genitive or plural of "руно".
  const auto runa = Readings("руна");
  EXPECT_TRUE(Holds(runa, "руна NOUN nomn sing inan femn")) << ::testing::PrintToString(runa);
  EXPECT_TRUE(Holds(runa, "руна NOUN nomn plur inan neut"));
  EXPECT_TRUE(Holds(runa, "руна NOUN gent sing inan neut"));
  // "е" finds the dictionary's "ё".
  EXPECT_TRUE(Holds(Readings("черное"), "чёрное ADJF nomn sing neut"));
  // A word the dictionary does not hold is guessed from its ending.
  const auto guessed = Readings("чармис");
  ASSERT_FALSE(guessed.empty());
  EXPECT_NE(guessed.front().find("guessed"), std::string::npos);
  // Every form of a reading, through its paradigm.
  const auto sword = Loaded().Analyse(W("меч"));
  ASSERT_FALSE(sword.empty());
  std::vector<std::string> forms;
  for (size_t f = 0; f < Loaded().FormCount(sword[0].paradigm); ++f)
    forms.push_back(WinToUtf8(Loaded().Inflect(sword[0], static_cast<uint16_t>(f))));
  EXPECT_EQ(forms, (std::vector<std::string>{"меч", "меча", "мечу", "меч", "мечом", "мече", "мечи",
                                             "мечей", "мечам", "мечи", "мечами", "мечах"}));
  EXPECT_TRUE(Loaded().Analyse("").empty());
  EXPECT_TRUE(Loaded().Analyse(std::string(200, W("а")[0])).empty());
}

// Each damaged file is refused with its name; the dictionary stays empty.
TEST(Morphology, DamagedFilesAreRefusedByName) {
  const Dictionary::Files good = ShippedFiles();
  struct Damage {
    const char* file;
    std::string bytes;
  };
  std::string words = good.at("words.dawg");
  std::string guide = words;
  guide.pop_back();
  std::string paradigms = good.at("paradigms.array");
  paradigms[4] = '\xFF';  // a suffix number past the suffix table
  paradigms[5] = '\xFF';
  const std::vector<Damage> damages = {
      {"words.dawg", ""},
      {"words.dawg", words.substr(0, words.size() / 2)},
      {"words.dawg", guide},
      {"prediction-suffixes-1.dawg", "\x01\x00\x00\x00"},
      {"paradigms.array", good.at("paradigms.array").substr(0, 1001)},
      {"paradigms.array", paradigms},
      {"paradigms.array", good.at("paradigms.array") + "xx"},
      {"suffixes.json", "{\"a\": 1}"},
      {"suffixes.json", "[\"a\" \"b\"]"},
      {"gramtab-opencorpora-int.json", "[]"},
      {"gramtab-opencorpora-int.json", "[\"NOUN\""},
  };
  for (const auto& d : damages) {
    Dictionary::Files files = good;
    files[d.file] = d.bytes;
    Dictionary dict;
    std::string error;
    EXPECT_FALSE(dict.LoadBytes(files, error)) << d.file;
    EXPECT_TRUE(error.starts_with(d.file)) << error;
    EXPECT_FALSE(dict.Loaded());
    EXPECT_TRUE(dict.Analyse(W("меч")).empty());
  }
  Dictionary dict;
  std::string error;
  EXPECT_FALSE(dict.Load(test::TempDir().path(), error));
  EXPECT_NE(error.find("words.dawg"), std::string::npos);
}

// Bytes of a DAWG that still add up, but lead anywhere: answers get fewer,
// nothing is read out of bounds.
TEST(Morphology, ScrambledUnitsGiveFewerAnswers) {
  Dictionary::Files files = ShippedFiles();
  std::string& words = files["words.dawg"];
  for (size_t i = 4; i + 4 < words.size() / 2; i += 97)
    words[i] = static_cast<char>(words[i] ^ 0x5A);
  Dictionary dict;
  std::string error;
  ASSERT_TRUE(dict.LoadBytes(files, error)) << error;
  for (const char* w : {"меч", "кусок", "руна", "черное", "ёж", "по", "наибольший"}) {
    for (const auto& p : dict.Analyse(W(w)))
      for (size_t f = 0; f < dict.FormCount(p.paradigm); ++f)
        (void)dict.Inflect(p, static_cast<uint16_t>(f));
  }
}

TEST(Morphology, StringArraysOfJson) {
  std::vector<std::string> out;
  ASSERT_TRUE(
      ReadStringArray(" [ \"\", \"\\u0430б\", \"\\\"\\\\\\/\\n\", \"\\ud83d\\ude00\" ] ", out));
  EXPECT_EQ(out, (std::vector<std::string>{"", W("аб"), "\"\\/\n", "?"}));
  ASSERT_TRUE(ReadStringArray("[]", out));
  EXPECT_TRUE(out.empty());
  for (const char* bad :
       {"", "[", "[\"a\",]", "[\"a\"", "[\"\\u00\"]", "[\"a\"] x", "[1]", "[\"\\q\"]"})
    EXPECT_FALSE(ReadStringArray(bad, out)) << bad;
}

// A dictionary folder that cannot be read leaves the ending rules to decline.
TEST(Morphology, DeclensionFallsBackWhenTheFolderIsDamaged) {
  test::TempDir dir;
  for (const auto& [name, bytes] : ShippedFiles())
    test::WriteFile(dir.path() / name, name == "suffixes.json" ? "[" : bytes);
  SetMorphologyDir(dir.path());
  EXPECT_EQ(SharedMorphology(), nullptr);
  EXPECT_TRUE(SharedMorphologyError().starts_with("suffixes.json"));
  EXPECT_EQ(WinToUtf8(DeclinePhrase(W("фляга"), kGenitive)), "фляги");

  test::WriteFile(dir.path() / "suffixes.json", ShippedFiles().at("suffixes.json"));
  SetMorphologyDir(Shipped());
  ASSERT_NE(SharedMorphology(), nullptr);
  EXPECT_EQ(WinToUtf8(DeclinePhrase(W("большая"), kGenitive)), "большой");
}

}  // namespace
}  // namespace zm::morph
