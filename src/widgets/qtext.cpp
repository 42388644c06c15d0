#include "widgets/qtext.h"

#include <QList>

#include "common/winutf8.h"

namespace zm {

QString ToQt(const std::string& win) {
  QString out;
  out.reserve(static_cast<qsizetype>(win.size()));
  for (char c : win) {
    char32_t cp = WinToUnicode(static_cast<unsigned char>(c));
    out += cp == 0 && c != 0 ? QChar(0xFFFD) : QChar(static_cast<char16_t>(cp));
  }
  return out;
}

std::string FromQt(const QString& s) {
  std::string out;
  out.reserve(static_cast<size_t>(s.size()));
  for (char32_t cp : s.toUcs4()) {
    int w = UnicodeToWin(cp);
    out += w < 0 ? '?' : static_cast<char>(w);
  }
  return out;
}

std::string FromQtLines(QString s) {
  s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  s.replace(QChar::LineSeparator, QLatin1Char('\n'));
  s.remove(QLatin1Char('\r'));
  const std::string text = FromQt(s);
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace zm
