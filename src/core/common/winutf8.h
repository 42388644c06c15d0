#pragma once
// Text in memory is Windows-1251 bytes; sources and the terminal speak UTF-8.
// These are the only conversions between the two.
#include <string>
#include <string_view>

namespace zm {

// A character that Windows-1251 cannot hold becomes `replacement`, visibly.
std::string Utf8ToWin(std::string_view utf8, char replacement = '?');
std::string WinToUtf8(std::string_view win);

// Unicode code point of a Windows-1251 byte (0 for the one unassigned byte 0x98).
char32_t WinToUnicode(unsigned char c);
// Windows-1251 byte of a code point, or -1 when it has none.
int UnicodeToWin(char32_t cp);

// Russian literals in the sources are UTF-8: W("Зоны") is their Windows-1251 form.
inline std::string W(std::string_view utf8) {
  return Utf8ToWin(utf8);
}

// Letter case of Windows-1251 text: Latin and Cyrillic letters, Ё/ё included.
unsigned char WinLower(unsigned char c);
unsigned char WinUpper(unsigned char c);
bool WinEqualNoCase(std::string_view a, std::string_view b);

}  // namespace zm
