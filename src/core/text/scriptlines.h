#pragma once
// The line rules of the trigger script text: colouring one line, what a new
// line gets when a line is broken, what is left of a line joined to the one
// above, and the text a script is stored as. Windows-1251 bytes, one byte a
// character.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zm {

// The trigger editor's seven line attributes, by number.
enum ScriptAttr : uint8_t {
  kAttrPlain = 0,
  kAttrDelimiter = 1,  // "%" and digit span ends of a read-only script
  kAttrKeyword = 2,
  kAttrDigits = 3,
  kAttrUnderline = 4,
  kAttrComment = 5,
  kAttrVariable = 6,
};
inline constexpr int kScriptAttrCount = 7;

// Colours `attrs` (one entry per character of `line` and one more, already
// holding the defaults): keywords with the character after them, comment
// lines, variables between "%" signs and digit spans.
void ColourScriptLine(std::string_view line, const std::vector<std::string>& keywords,
                      bool readOnly, std::vector<uint8_t>& attrs);
// The same on fresh defaults.
std::vector<uint8_t> ScriptLineAttrs(std::string_view line,
                                     const std::vector<std::string>& keywords, bool readOnly);

// The text put in front of the new line when `line` is split before byte
// `caret`: "* " when the part that stays is a comment line's start.
std::string BreakLinePrefix(std::string_view line, size_t caret);

// What `lower` contributes when it is joined to the end of `upper`: without
// its leading blanks and its "*" mark (and one blank after it) when both
// are comment lines, unchanged otherwise.
std::string JoinLineTail(std::string_view upper, std::string_view lower);

// A script line that would end the script on reading: its last character
// but blanks is "~" (the game reads it so too). Such a line is mended by
// appending kScriptLineMend, which keeps the tilde and every other character.
bool EndsScript(std::string_view line);
inline constexpr char kScriptLineMend = '.';

// A script as stored: no line break at the end.
std::string StoredScriptText(std::string text);

}  // namespace zm
