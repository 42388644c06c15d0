#include "widgets/scriptedit.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>

#include "widgets/qtext.h"

namespace zm {
namespace {

// The byte of FromQt(text) each UTF-16 unit of `text` becomes (a surrogate
// pair is one code point, so one byte), and the end.
std::vector<size_t> ByteIndex(const QString& text) {
  const qsizetype n = text.size();
  std::vector<size_t> idx(static_cast<size_t>(n) + 1);
  size_t b = 0;
  for (qsizetype i = 0; i < n; ++b) {
    idx[static_cast<size_t>(i)] = b;
    if (text[i].isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
      idx[static_cast<size_t>(i + 1)] = b;
      i += 2;
    } else {
      ++i;
    }
  }
  idx[static_cast<size_t>(n)] = b;
  return idx;
}

// The UTF-16 index where byte `byte` of FromQt(text) starts.
qsizetype CharIndex(const QString& text, size_t byte) {
  const std::vector<size_t> idx = ByteIndex(text);
  const auto it = std::lower_bound(idx.begin(), idx.end(), byte);
  return static_cast<qsizetype>(it - idx.begin());
}

bool IsWordChar(QChar c) {
  return c.isLetterOrNumber() || c == QLatin1Char('_');
}

QString WordBefore(const QTextCursor& c) {
  const QString line = c.block().text();
  int start = c.positionInBlock();
  while (start > 0 && IsWordChar(line[start - 1])) --start;
  return line.mid(start, c.positionInBlock() - start);
}

bool IsBlank(QChar c) {
  return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

}  // namespace

class ScriptHighlighter : public QSyntaxHighlighter {
 public:
  explicit ScriptHighlighter(ScriptEdit* memo)
      : QSyntaxHighlighter(memo->document()), m_memo(memo) {}

  std::vector<uint8_t> CharAttrs(const QString& text) const {
    std::vector<uint8_t> out(static_cast<size_t>(text.size()), 0);
    if (!m_memo->m_lineAttr) return out;
    const std::vector<size_t> idx = ByteIndex(text);
    const std::string line = FromQt(text);
    std::vector<uint8_t> attrs(line.size() + 1, 0);
    m_memo->m_lineAttr(line, attrs);
    for (size_t i = 0; i < out.size(); ++i) {
      const size_t b = idx[i];
      const uint8_t a = b < attrs.size() ? attrs[b] : 0;
      out[i] = a < m_memo->m_attrs.size() ? a : 0;
    }
    return out;
  }

 protected:
  void highlightBlock(const QString& text) override {
    if (m_memo->m_attrs.empty()) return;
    const std::vector<uint8_t> attrs = CharAttrs(text);
    size_t start = 0;
    for (size_t i = 1; i <= attrs.size(); ++i) {
      if (i < attrs.size() && attrs[i] == attrs[start]) continue;
      setFormat(static_cast<int>(start), static_cast<int>(i - start), format(attrs[start]));
      start = i;
    }
  }

 private:
  QTextCharFormat format(uint8_t a) const {
    const ScriptEdit::Attr& attr = m_memo->m_attrs[a];
    QTextCharFormat f;
    f.setForeground(attr.Text);
    f.setBackground(attr.Background);
    f.setFontWeight(attr.Bold ? QFont::Bold : QFont::Normal);
    f.setFontUnderline(attr.Underline);
    return f;
  }

  ScriptEdit* m_memo;
};

ScriptEdit::ScriptEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  m_highlighter = new ScriptHighlighter(this);
  SetTabSize(m_tabSize);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] { notifyStatus(); });
  connect(this, &QPlainTextEdit::textChanged, this, [this] { notifyStatus(); });
}

ScriptEdit::~ScriptEdit() = default;

void ScriptEdit::SetLineAttrHook(LineAttrHook hook) {
  m_lineAttr = std::move(hook);
  Recolour();
}

void ScriptEdit::SetAttributes(std::vector<Attr> attrs) {
  m_attrs = std::move(attrs);
  if (!m_attrs.empty()) {
    QPalette pal = palette();
    pal.setColor(QPalette::Base, m_attrs[0].Background);
    pal.setColor(QPalette::Text, m_attrs[0].Text);
    setPalette(pal);
  }
  Recolour();
}

std::vector<uint8_t> ScriptEdit::LineAttrs(int block) const {
  const QTextBlock b = document()->findBlockByNumber(block);
  if (!b.isValid()) return {};
  return static_cast<ScriptHighlighter*>(m_highlighter)->CharAttrs(b.text());
}

void ScriptEdit::Recolour() {
  m_highlighter->rehighlight();
}

void ScriptEdit::SetReadOnly(bool on) {
  setReadOnly(on);
  Recolour();
}

void ScriptEdit::SetTabSize(int n) {
  m_tabSize = n > 0 ? n : 1;
  setTabStopDistance(QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')) * m_tabSize);
}

void ScriptEdit::SetRightMargin(int column, QColor colour) {
  m_rightMargin = column;
  m_marginColour = colour;
  viewport()->update();
}

void ScriptEdit::SetFixedFont(const QString& family, int pixels) {
  QFont f(family);
  f.setPixelSize(pixels);
  f.setFixedPitch(true);
  f.setStyleHint(QFont::TypeWriter);
  if (!QFontInfo(f).fixedPitch()) {
    f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(pixels);
  }
  setFont(f);
}

void ScriptEdit::AddAutoChange(const std::string& line) {
  const size_t at = line.find(CompletionSettings.Separator);
  if (at == std::string::npos || at == 0) return;
  AutoChangeList.emplace_back(line.substr(0, at), line.substr(at + 1));
}

// -------------------------------------------------------------- commands

void ScriptEdit::BreakLine() {
  QTextCursor c = textCursor();
  c.beginEditBlock();
  if (c.hasSelection()) c.removeSelectedText();
  const QString line = c.block().text();
  const int caret = c.positionInBlock();
  QString front;
  if (m_autoIndent > 0) {
    int n = 0;
    while (n < caret && IsBlank(line[n])) ++n;
    front = line.left(n);
  }
  if (OnBreakLine)
    front += ToQt(OnBreakLine(FromQt(line), ByteIndex(line)[static_cast<size_t>(caret)]));
  c.insertBlock();
  if (!front.isEmpty()) c.insertText(front);
  c.endEditBlock();
  setTextCursor(c);
  ensureCursorVisible();
}

bool ScriptEdit::JoinNextLine() {
  const QTextBlock b = textCursor().block();
  if (!b.next().isValid()) return false;
  joinBlocks(b.blockNumber());
  return true;
}

bool ScriptEdit::JoinPreviousLine() {
  const QTextBlock b = textCursor().block();
  if (!b.previous().isValid()) return false;
  joinBlocks(b.previous().blockNumber());
  return true;
}

void ScriptEdit::joinBlocks(int upper) {
  const QTextBlock up = document()->findBlockByNumber(upper);
  const QTextBlock low = up.next();
  if (!up.isValid() || !low.isValid()) return;
  const QString upperText = up.text();
  const QString lowerText = low.text();
  QString tail = lowerText;
  if (OnConcatLine) {
    const std::string lower = FromQt(lowerText);
    const std::string kept = OnConcatLine(FromQt(upperText), lower);
    if (kept != lower) {
      // Dropping a front part keeps the rest as typed, even characters that
      // Windows-1251 has not.
      const bool suffix = kept.size() <= lower.size() &&
                          lower.compare(lower.size() - kept.size(), kept.size(), kept) == 0;
      tail = suffix ? lowerText.mid(CharIndex(lowerText, lower.size() - kept.size())) : ToQt(kept);
    }
  }
  QTextCursor c(document());
  c.beginEditBlock();
  c.setPosition(up.position() + up.length() - 1);
  c.setPosition(low.position() + low.length() - 1, QTextCursor::KeepAnchor);
  c.insertText(tail);
  c.setPosition(up.position() + static_cast<int>(upperText.size()));
  c.endEditBlock();
  setTextCursor(c);
  ensureCursorVisible();
}

std::string ScriptEdit::SelectedBlock() const {
  return FromQtLines(textCursor().selectedText());
}

void ScriptEdit::SaveBlock() {
  if (!textCursor().hasSelection() || !OnSaveBlock) return;
  OnSaveBlock(SelectedBlock());
}

void ScriptEdit::IndentBlock(bool right) {
  if (isReadOnly()) return;
  QTextCursor c = textCursor();
  QTextBlock first = document()->findBlock(c.selectionStart());
  QTextBlock last = document()->findBlock(c.selectionEnd());
  // A selection that ends at a line start does not take that line.
  if (c.hasSelection() && last != first && c.selectionEnd() == last.position())
    last = last.previous();
  QTextCursor edit(document());
  edit.beginEditBlock();
  for (QTextBlock b = first; b.isValid(); b = b.next()) {
    edit.setPosition(b.position());
    if (right) {
      edit.insertText(QString(m_indentSize, QLatin1Char(' ')));
    } else {
      const QString text = b.text();
      int n = 0, width = 0;
      while (n < text.size() && width < m_indentSize && IsBlank(text[n]))
        width += text[n++] == QLatin1Char('\t') ? m_indentSize : 1;
      edit.setPosition(b.position() + n, QTextCursor::KeepAnchor);
      edit.removeSelectedText();
    }
    if (b == last) break;
  }
  edit.endEditBlock();
}

void ScriptEdit::insertTemplate(QTextCursor& c, const std::string& text) {
  std::string body = text;
  const std::string& br = CompletionSettings.LineBreakMark;
  if (!br.empty())
    for (size_t at = body.find(br); at != std::string::npos; at = body.find(br, at + 1))
      body.replace(at, br.size(), "\n");
  size_t caret = std::string::npos;
  if (!CompletionSettings.CaretMark.empty()) {
    caret = body.find(CompletionSettings.CaretMark);
    if (caret != std::string::npos) body.erase(caret, CompletionSettings.CaretMark.size());
  }
  const int start = c.position();
  c.insertText(ToQt(body));
  if (caret != std::string::npos)
    c.setPosition(start + static_cast<int>(ToQt(body.substr(0, caret)).size()));
}

bool ScriptEdit::CompleteWord() {
  if (!CompletionSettings.Enabled || isReadOnly()) return false;
  QTextCursor c = textCursor();
  const QString prefix = WordBefore(c);
  if (prefix.isEmpty()) return false;
  const std::string word = FromQt(prefix);
  for (const std::string& id : CompletionIdentifiers) {
    if (id.size() <= word.size() || id.compare(0, word.size(), word) != 0) continue;
    c.beginEditBlock();
    c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, static_cast<int>(prefix.size()));
    c.removeSelectedText();
    insertTemplate(c, id);
    c.endEditBlock();
    setTextCursor(c);
    return true;
  }
  return false;
}

bool ScriptEdit::AutoChangeWord() {
  if (!CompletionSettings.Enabled || isReadOnly()) return false;
  QTextCursor c = textCursor();
  if (c.hasSelection()) return false;
  const QString word = WordBefore(c);
  if (word.isEmpty()) return false;
  const std::string win = FromQt(word);
  for (const auto& [from, to] : AutoChangeList) {
    if (from != win) continue;
    c.beginEditBlock();
    c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, static_cast<int>(word.size()));
    c.removeSelectedText();
    insertTemplate(c, to);
    c.endEditBlock();
    setTextCursor(c);
    return true;
  }
  return false;
}

// ----------------------------------------------------------------- events

void ScriptEdit::keyPressEvent(QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier |
                                                       Qt::AltModifier | Qt::MetaModifier);
  const int key = e->key();
  if (m_chord) {
    if (key == Qt::Key_Control || key == Qt::Key_Shift) return;
    m_chord = false;
    if (key == Qt::Key_S) return SaveBlock();
    if (key == Qt::Key_I) return IndentBlock(true);
    if (key == Qt::Key_U) return IndentBlock(false);
  }
  if (key == Qt::Key_K && mods == Qt::ControlModifier) {
    m_chord = true;
    return;
  }
  if (isReadOnly()) return QPlainTextEdit::keyPressEvent(e);

  const bool plain = (mods & ~Qt::ShiftModifier) == 0;
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (CompletionSettings.Enabled) {
    if (key == Qt::Key_Space && mods == Qt::ControlModifier) {
      CompleteWord();
      return;
    }
    if (plain && (enter || key == Qt::Key_Space || key == Qt::Key_Tab)) AutoChangeWord();
  }
  // Shift+Enter too: a soft line break inside a line would be no line of
  // the script.
  if (enter && plain) return BreakLine();
  const QTextCursor c = textCursor();
  if (!c.hasSelection() && mods == Qt::NoModifier) {
    if (key == Qt::Key_Delete && c.atBlockEnd() && JoinNextLine()) return;
    if (key == Qt::Key_Backspace && c.atBlockStart() && JoinPreviousLine()) return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

void ScriptEdit::paintEvent(QPaintEvent* e) {
  QPlainTextEdit::paintEvent(e);
  if (m_rightMargin <= 0) return;
  QPainter p(viewport());
  const qreal x = contentOffset().x() + document()->documentMargin() +
                  QFontMetricsF(font()).horizontalAdvance(QLatin1Char('x')) * m_rightMargin;
  p.setPen(m_marginColour);
  p.drawLine(QPointF(x, 0), QPointF(x, viewport()->height()));
}

void ScriptEdit::changeEvent(QEvent* e) {
  QPlainTextEdit::changeEvent(e);
  if (e->type() == QEvent::FontChange) SetTabSize(m_tabSize);
}

void ScriptEdit::notifyStatus() {
  if (!OnChangeStatus) return;
  const QTextCursor c = textCursor();
  OnChangeStatus(c.blockNumber() + 1, c.positionInBlock() + 1);
}

}  // namespace zm
