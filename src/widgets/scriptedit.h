#pragma once
// The script text control: a plain text edit that colours each character by
// an attribute number a per-line hook gives, and asks hooks when a line is
// broken at the caret or two lines are joined, so that its owner can keep
// its own line rules. Undo comes from the text edit; a broken or joined line
// is one undo step. Text crosses the hooks as Windows-1251 bytes.
#include <QColor>
#include <QPlainTextEdit>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QSyntaxHighlighter;

namespace zm {

class ScriptEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  // One line attribute: colours, style and an extra byte kept for the owner.
  struct Attr {
    QColor Text;
    QColor Background;
    bool Bold = false;
    bool Underline = false;
    uint8_t Extra = 0;
  };

  // Word completion. With Enabled false (the default) the control offers
  // no completion and changes no word.
  struct Completion {
    bool Enabled = false;
    char Separator = '=';  // splits an auto-change entry into word and replacement
    int ItemHeight = 13;
    int Interval = 800;                // ms
    std::string CaretMark = "|";       // where the caret goes in an inserted text
    std::string LineBreakMark = "/n";  // a line break in an inserted text
  };

  explicit ScriptEdit(QWidget* parent = nullptr);
  ~ScriptEdit() override;

  // `attrs` holds one entry per character of `line` and one more, all 0 on
  // the call; entries beyond the attribute table show as attribute 0.
  using LineAttrHook = std::function<void(const std::string& line, std::vector<uint8_t>& attrs)>;
  // The text to put in front of the new line when `line` is split before
  // byte `caret`.
  using BreakLineHook = std::function<std::string(const std::string& line, size_t caret)>;
  // What of `lower` is appended when it is joined to `upper`.
  using ConcatLineHook =
      std::function<std::string(const std::string& upper, const std::string& lower)>;
  using SaveBlockHook = std::function<void(const std::string& block)>;
  // Line and column of the caret, both from 1.
  using StatusHook = std::function<void(int line, int column)>;

  void SetLineAttrHook(LineAttrHook hook);
  BreakLineHook OnBreakLine;
  ConcatLineHook OnConcatLine;
  SaveBlockHook OnSaveBlock;
  StatusHook OnChangeStatus;

  void SetAttributes(std::vector<Attr> attrs);
  const std::vector<Attr>& Attributes() const { return m_attrs; }
  // The attribute each character of `block` shows (for checks and hit tests).
  std::vector<uint8_t> LineAttrs(int block) const;
  // Colours the whole text again (after the hook's data changed).
  void Recolour();

  // Read-only changes the colouring, so it goes through here.
  void SetReadOnly(bool on);

  int TabSize() const { return m_tabSize; }
  void SetTabSize(int n);
  int IndentSize() const { return m_indentSize; }
  void SetIndentSize(int n) { m_indentSize = n > 0 ? n : 1; }
  int AutoIndentSize() const { return m_autoIndent; }
  void SetAutoIndentSize(int n) { m_autoIndent = n > 0 ? n : 0; }
  int RightMargin() const { return m_rightMargin; }
  void SetRightMargin(int column, QColor colour);
  // `family` at `pixels` high; the system's fixed font when it is no
  // fixed-pitch font here.
  void SetFixedFont(const QString& family, int pixels);

  Completion CompletionSettings;
  std::vector<std::string> CompletionIdentifiers;
  // Word and replacement.
  std::vector<std::pair<std::string, std::string>> AutoChangeList;
  // An auto-change line split at the separator; lines without it are skipped.
  void AddAutoChange(const std::string& line);

  // The commands, as keys and menus run them.
  void BreakLine();
  // Joins the caret's line with the next one (false when there is none).
  bool JoinNextLine();
  // Joins the caret's line with the one above (false when there is none).
  bool JoinPreviousLine();
  // Hands the selection to OnSaveBlock; nothing without a selection.
  void SaveBlock();
  // The selected lines moved right or left by the indent size.
  void IndentBlock(bool right);
  // With completion enabled: the word before the caret completed from the
  // identifiers; false when nothing matched.
  bool CompleteWord();
  // With completion enabled: the word before the caret replaced by its
  // auto-change entry; false when it has none.
  bool AutoChangeWord();

  // The selection as Windows-1251 text with CR LF between lines.
  std::string SelectedBlock() const;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void notifyStatus();
  void joinBlocks(int upper);
  void insertTemplate(QTextCursor& c, const std::string& text);

  QSyntaxHighlighter* m_highlighter = nullptr;
  LineAttrHook m_lineAttr;
  std::vector<Attr> m_attrs;
  int m_tabSize = 4;
  int m_indentSize = 4;
  int m_autoIndent = 0;
  int m_rightMargin = 80;
  QColor m_marginColour = Qt::gray;
  bool m_chord = false;  // Ctrl+K was pressed: the next key completes a command

  friend class ScriptHighlighter;
};

}  // namespace zm
