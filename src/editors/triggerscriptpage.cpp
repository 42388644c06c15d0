#include "editors/triggerscriptpage.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "text/scriptlines.h"
#include "text/triggerwords.h"
#include "widgets/editpopup.h"
#include "widgets/modalrunner.h"
#include "widgets/qtext.h"

namespace zm {

TriggerScriptPage::TriggerScriptPage(EditorWindow& editor, TTrigger& wc)
    : EditorPage(editor), m_wc(wc) {
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->addWidget(new QLabel(QStringLiteral("Текст триггера"), this));
  T_TextMemo = Named(new ScriptEdit(this), "T_TextMemo");
  lay->addWidget(T_TextMemo, 1);
  setUpMemo();
}

const std::vector<ScriptEdit::Attr>& TriggerScriptPage::LineAttributes() {
  static const std::vector<ScriptEdit::Attr> attrs = [] {
    const QColor windowText(Qt::black), window(Qt::white), silver(0xC0, 0xC0, 0xC0);
    return std::vector<ScriptEdit::Attr>{
        {windowText, silver, false, false, 0},                // plain
        {window, silver, false, false, 0},                    // delimiters, read-only
        {QColor(0x80, 0x00, 0x00), silver, true, false, 0},   // keywords
        {windowText, silver, true, false, 0},                 // digit spans
        {windowText, silver, false, true, 0},                 //
        {QColor(0x00, 0x80, 0x00), silver, true, false, 0},   // comment lines
        {QColor(0x00, 0x00, 0xFF), silver, false, false, 6},  // variables
    };
  }();
  return attrs;
}

void TriggerScriptPage::ShowRecord() {
  ShowMemo(T_TextMemo, m_wc.Text);
}

void TriggerScriptPage::StoreRecord() {
  // Breaks typed after the last line are dropped; a script that came with a
  // blank last line and was not touched keeps it.
  const bool typed = MemoTouched(T_TextMemo);
  std::string text = Editor().MemoValue(T_TextMemo);
  m_wc.Text = typed ? StoredScriptText(std::move(text)) : std::move(text);
}

void TriggerScriptPage::setUpMemo() {
  ScriptEdit* m = T_TextMemo;
  m->SetFixedFont(QStringLiteral("Courier New"), 12);
  m->SetAttributes(LineAttributes());
  m->SetTabSize(4);
  m->SetIndentSize(4);
  m->SetAutoIndentSize(0);
  m->SetRightMargin(80, Qt::gray);
  m->CompletionSettings = ScriptEdit::Completion{};
  m->CompletionSettings.Enabled = false;
  m->CompletionSettings.Separator = '=';
  m->CompletionSettings.ItemHeight = 13;
  m->CompletionSettings.Interval = 800;
  m->CompletionSettings.CaretMark = "|";
  m->CompletionSettings.LineBreakMark = "/n";
  const TriggerWords& words = Editor().Host().Words();
  for (const std::string& id : words.Complete) m->CompletionIdentifiers.push_back(id);
  for (const std::string& line : words.AutoChange) m->AddAutoChange(line);
  m->SetLineAttrHook([this](const std::string& line, std::vector<uint8_t>& attrs) {
    T_TextMemoGetLineAttr(line, attrs);
  });
  m->OnBreakLine = [this](const std::string& line, size_t caret) {
    return T_TextMemoBreakLine(line, caret);
  };
  m->OnConcatLine = [this](const std::string& upper, const std::string& lower) {
    return T_TextMemoConcatLine(upper, lower);
  };
  m->OnSaveBlock = [this](const std::string& block) { T_TextMemoSaveBlock(block); };
  m->OnChangeStatus = [this](int line, int column) { T_TextMemoChangeStatus(line, column); };

  // The edit popup menu and the mending of "~" lines as every memo has
  // them; the popup gets the save-block entry while it is open here.
  // The script's reader ignores blanks after a "~", so a blank would not
  // keep such a line open.
  static const LineMend kScriptMend{
      [](const QString& line) { return EndsScript(FromQt(line)); }, QLatin1Char(kScriptLineMend),
      " Строка скрипта не может кончаться знаком \"~\": в конце добавлена точка"};
  EditorWindow& editor = Editor();
  editor.AttachMemo(m, kScriptMend);
  disconnect(m, &QWidget::customContextMenuRequested, &editor, nullptr);
  connect(m, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { memoContextMenu(pos); });
}

void TriggerScriptPage::memoContextMenu(const QPoint& pos) {
  auto* save = new QAction(QStringLiteral("Сохранить блок\tCtrl+K S"), this);
  save->setObjectName("T_SaveBlockItem");
  save->setEnabled(T_TextMemo->textCursor().hasSelection());
  connect(save, &QAction::triggered, T_TextMemo, &ScriptEdit::SaveBlock);
  const QPoint global = T_TextMemo->mapToGlobal(pos);
  Editor().Host().EditMenu().PopupFor(T_TextMemo, global, {save});
}

void TriggerScriptPage::T_TextMemoGetLineAttr(const std::string& line,
                                              std::vector<uint8_t>& attrs) const {
  ColourScriptLine(line, Editor().Host().Words().Language, T_TextMemo->isReadOnly(), attrs);
}

std::string TriggerScriptPage::T_TextMemoBreakLine(const std::string& line, size_t caret) const {
  return BreakLinePrefix(line, caret);
}

std::string TriggerScriptPage::T_TextMemoConcatLine(const std::string& upper,
                                                    const std::string& lower) const {
  return JoinLineTail(upper, lower);
}

void TriggerScriptPage::T_TextMemoSaveBlock(const std::string& block) {
  QString text = ToQt(block);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Information, QStringLiteral("Информация"),
                  QStringLiteral("Текст \"%1\" сохранен!").arg(text), QMessageBox::Ok, &Editor());
  Editor().Host().Runner().Run(box);
}

void TriggerScriptPage::T_TextMemoChangeStatus(int line, int column) {
  Editor().Status(QString::asprintf("%3d:%3d", line, column));
}

}  // namespace zm
