#include "editors/fieldtext.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <utility>

#include "widgets/qtext.h"

namespace zm {
namespace {

// What a field was given and what it showed of it, kept on the widget.
constexpr const char* kOriginal = "zmOriginal";
constexpr const char* kShown = "zmShown";

QByteArray Bytes(const std::string& s) {
  return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

std::string Original(const QObject* field) {
  const QByteArray b = field->property(kOriginal).toByteArray();
  return std::string(b.constData(), static_cast<size_t>(b.size()));
}

bool Untouched(const QObject* field, const QString& now) {
  const QVariant shown = field->property(kShown);
  return shown.isValid() && shown.toString() == now;
}

// The memo's text with its own separators: toPlainText would also turn
// non-breaking spaces into plain ones.
QString RawText(const QPlainTextEdit* memo) {
  return memo->document()->toRawText();
}

}  // namespace

void ShowLine(QLineEdit* edit, const std::string& text) {
  edit->setMaxLength(std::max<int>(edit->maxLength(), static_cast<int>(text.size()) + 1));
  edit->setText(ToQt(text));
  edit->setCursorPosition(0);
  edit->setProperty(kOriginal, Bytes(text));
  edit->setProperty(kShown, edit->text());
}

std::string ReadLine(const QLineEdit* edit) {
  const QString now = edit->text();
  if (Untouched(edit, now)) return Original(edit);
  std::string out = FromQt(now);
  std::replace(out.begin(), out.end(), '\r', ' ');
  std::replace(out.begin(), out.end(), '\n', ' ');
  return out;
}

void ShowMemo(QPlainTextEdit* memo, const std::string& text) {
  QString q = ToQt(text);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  memo->setPlainText(q);
  memo->moveCursor(QTextCursor::Start);
  memo->ensureCursorVisible();
  memo->setProperty(kOriginal, Bytes(text));
  memo->setProperty(kShown, RawText(memo));
}

bool MemoTouched(const QPlainTextEdit* memo) {
  return !Untouched(memo, RawText(memo));
}

std::string ReadMemo(const QPlainTextEdit* memo) {
  QString raw = RawText(memo);
  if (Untouched(memo, raw)) return Original(memo);
  return FromQtLines(std::move(raw));
}

const LineMend kTildeMend{
    [](const QString& line) { return line.endsWith(QLatin1Char('~')); }, QLatin1Char(' '),
    " Строка текста не может кончаться знаком \"~\": после него добавлен пробел"};

int MendLines(QPlainTextEdit* memo, const LineMend& mend) {
  int mended = 0;
  QTextCursor c(memo->document());
  for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
    if (!mend.Closes(b.text())) continue;
    if (mended++ == 0) c.beginEditBlock();
    c.setPosition(b.position() + b.length() - 1);
    c.insertText(QString(mend.Mark));
  }
  if (mended > 0) c.endEditBlock();
  return mended;
}

std::string MendTildeLines(const std::string& text, int* mended) {
  std::string out;
  out.reserve(text.size());
  int n = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    const bool lineEnd = i + 1 == text.size() || text[i + 1] == '\r' || text[i + 1] == '\n';
    if (text[i] == '~' && lineEnd) {
      out += ' ';
      ++n;
    }
  }
  if (mended) *mended = n;
  return out;
}

void SpinRange(QSpinBox* spin, int64_t lo, int64_t hi) {
  constexpr int64_t kMin = std::numeric_limits<int>::min();
  constexpr int64_t kMax = std::numeric_limits<int>::max();
  spin->setRange(static_cast<int>(std::clamp(lo, kMin, kMax)),
                 static_cast<int>(std::clamp(hi, kMin, kMax)));
}

}  // namespace zm
