#include "text/scriptlines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/winutf8.h"

namespace zm {
namespace {

// The attributes of a line as one digit per character (the extra entry
// last), so that a case reads like the line it colours.
std::string Attrs(const std::string& line, bool readOnly = false,
                  const std::vector<std::string>& keywords = {"if", "end", "wait"}) {
  std::string out;
  for (uint8_t a : ScriptLineAttrs(line, keywords, readOnly)) out += static_cast<char>('0' + a);
  return out;
}

TEST(ScriptLines, ColouringOfOneLine) {
  struct Case {
    const char* line;
    const char* attrs;
  } cases[] = {
      // Keywords: the word and the character after it, first occurrence only.
      {"if %x% == 1", "222666000000"},
      {"wait 1", "2222200"},
      {"end if end", "22222220000"},
      {"endif", "222222"},  // no word boundaries
      {"if", "222"},        // the extra entry takes the following character
      // Variables and digit spans.
      {"say %actor.name%!", "000066666666666600"},
      {"1d6", "3330"},
      {"10", "000"},
      {"100", "0000"},
      {"%d6", "0000"},  // a "%" and a digit are different classes
      {"% a %", "000000"},
      {"%%", "000"},
      {"%%x%", "00000"},  // after "%%" the class stays: nothing opens
      {"say %actor", "00000000000"},
      {"%a%b%", "666000"},
      {"%a% 1x2", "66603330"},
      {"% \t%", "00000"},
      // Comment lines: a "*" among the first nine characters.
      {"   * if x", "5555555550"},
      {"12345678* %a%", "55555555555550"},
      {"123456789* %a%", "000000000006660"},
      {"123456789*%a%", "00000000006660"},
      {"*", "50"},
      {"", "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Attrs(c.line), c.attrs) << '"' << c.line << '"';

  // Later keywords overwrite earlier ones; a keyword inside a comment line
  // is overridden; an empty keyword marks nothing.
  EXPECT_EQ(Attrs("elseif x", false, {"if", "else"}), "222222200");
  EXPECT_EQ(Attrs("a b", false, {"", "b"}), "0022");
  // Keywords are looked up in Windows-1251 as they stand.
  EXPECT_EQ(Attrs(W("Ждать 1"), false, {W("Ждать")}), "22222200");
  EXPECT_EQ(Attrs(W("ждать 1"), false, {W("Ждать")}), "00000000");
}

TEST(ScriptLines, ReadOnlyMarksTheDelimiters) {
  EXPECT_EQ(Attrs("%x% 1d6 %ab%", true), "1610131016610");
  // A keyword colours the same either way.
  EXPECT_EQ(Attrs("if %x%", true), "2221610");
}

TEST(ScriptLines, BreakingAndJoiningLines) {
  struct Break {
    const char* line;
    size_t caret;
    const char* prefix;
  } breaks[] =
      {
          {"* one two", 5, "* "},  {"   *x", 5, "* "},  {"*", 1, "* "},
          {"say * no", 6, ""},     {"plain", 2, ""},    {"", 0, ""},
          {"* whole line", 0, ""},  // Enter before the mark moves the line down
          {"  * indented", 2, ""}, {"* end", 99, "* "},
      };
  for (const Break& b : breaks)
    EXPECT_EQ(BreakLinePrefix(b.line, b.caret), b.prefix) << b.line << " at " << b.caret;

  struct Join {
    const char* upper;
    const char* lower;
    const char* tail;
  } joins[] = {
      {"* one", "* two", "two"},
      {"* one", "   * two", "two"},
      {"  * one", "*two", "two"},
      {"* one", "*", ""},
      {"* one", "*  two", " two"},
      {"say one", "say two", "say two"},
      {"* one", "say two", "say two"},
      {"say one", "* two", "* two"},
      {"", "* two", "* two"},
      // Marks that stand at the same place but are no comment marks stay.
      {"x = a*b", "y = c*d", "y = c*d"},
      {"", "", ""},
  };
  for (const Join& j : joins)
    EXPECT_EQ(JoinLineTail(j.upper, j.lower), j.tail) << j.upper << " + " << j.lower;

  // Enter inside a comment and joining back give the line it was.
  const std::string line = "* wait for the gate";
  const size_t caret = 7;
  const std::string lower = BreakLinePrefix(line, caret) + line.substr(caret);
  EXPECT_EQ(lower, "* for the gate");
  EXPECT_EQ(line.substr(0, caret) + JoinLineTail(line.substr(0, caret), lower), line);
}

TEST(ScriptLines, StoredText) {
  // Lines that would close the script early.
  for (const char* line : {"say hi~", "~", "a~ \t ", "~~"}) EXPECT_TRUE(EndsScript(line)) << line;
  for (const char* line : {"", "  ", "~a", "say ~ hi", "~."})
    EXPECT_FALSE(EndsScript(line)) << line;

  EXPECT_EQ(StoredScriptText("wait 1\r\nsay hi\r\n\r\n\n\r"), "wait 1\r\nsay hi");
  EXPECT_EQ(StoredScriptText("\r\n\r\n"), "");
  EXPECT_EQ(StoredScriptText("a\r\n\r\nb  "), "a\r\n\r\nb  ");
  EXPECT_EQ(StoredScriptText(""), "");
}

}  // namespace
}  // namespace zm
