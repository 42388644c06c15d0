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

// Which lines of a memo would close its field early on the next load, the
// mark that goes after such a line to keep it open, and what the user is told.
struct LineMend {
  bool (*Closes)(const QString& line);
  QChar Mark;
  const char* Message;  // UTF-8
};
// Tilde texts: a line that ends with "~" gets a blank after it.
extern const LineMend kTildeMend;
// Appends the mark to every line that would close the field, in the memo
// itself so that the user sees it. Returns the number of lines mended.
int MendLines(QPlainTextEdit* memo, const LineMend& mend);
inline int MendTildeLines(QPlainTextEdit* memo) {
  return MendLines(memo, kTildeMend);
}
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
