#pragma once
// Text and number fields of the editors. A field the user leaves alone gives
// back exactly the bytes it was shown (Qt would otherwise turn CR LF, bytes
// that Windows-1251 leaves undefined or a non-breaking space into something
// else), and what the user types cannot end a tilde text early.
#include <QString>
#include <cstdint>
#include <limits>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace zm {

// One-line fields (tilde lines): line breaks typed or pasted become blanks.
void ShowLine(QLineEdit* edit, const std::string& text);
std::string ReadLine(const QLineEdit* edit);

// Multi-line fields: CR LF between lines in memory.
void ShowMemo(QPlainTextEdit* memo, const std::string& text);
std::string ReadMemo(const QPlainTextEdit* memo);
bool MemoTouched(const QPlainTextEdit* memo);

// A line that ends with "~" would end a tilde text on the next load: a blank
// goes after each such tilde, in the memo itself so that the user sees it.
// Returns the number of lines mended.
int MendTildeLines(QPlainTextEdit* memo);
// The same on Windows-1251 text with CR LF between lines.
std::string MendTildeLines(const std::string& text, int* mended = nullptr);

// The spin covers every value the field can hold, so that a value from a
// file is shown and given back as it is.
template <typename T>
void FieldRange(QSpinBox* spin);
void SpinRange(QSpinBox* spin, int64_t lo, int64_t hi);

template <typename T>
void FieldRange(QSpinBox* spin) {
  SpinRange(spin, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
}

}  // namespace zm
