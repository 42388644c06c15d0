#include "editors/triggereditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSpinBox>

#include "editors/fieldtext.h"
#include "text/scriptlines.h"
#include "text/triggerwords.h"
#include "widgets/modalrunner.h"
#include "widgets/qtext.h"

namespace zm {

TriggerEditor::TriggerEditor(EditorHost& host, QWidget* parent)
    : EditorWindow(host, kTrigger, parent) {
  setObjectName("TriggerForm");
  setWindowTitle(QStringLiteral("()"));
  buildUi();
  setUpMemo();
  BindDictionary(T_ClassComboBox);
  BindDictionary(T_TypeCheckListBox);
  ApplyHints();
  connect(T_ClassComboBox, &QComboBox::currentIndexChanged, this, [this] {
    if (!m_updating) T_ClassComboBoxChange();
  });
}

TriggerEditor::~TriggerEditor() = default;

const std::vector<ScriptEdit::Attr>& TriggerEditor::LineAttributes() {
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

const char* TriggerEditor::typeDictionary(int triggerClass) {
  switch (triggerClass) {
    case 0:
      return "trigger_bitvector_mob";
    case 1:
      return "trigger_bitvector_obj";
    case 2:
      return "trigger_bitvector_wld";
    default:
      return nullptr;
  }
}

bool TriggerEditor::bindTypes(int triggerClass) {
  const char* name = typeDictionary(triggerClass);
  Dictionary* dict = name ? BindDictionary(T_TypeCheckListBox, name) : nullptr;
  m_typesClass = dict ? triggerClass : -1;
  if (!dict) {
    // Another class has no events here: no checks of an earlier trigger or
    // class may look as if they were this one's.
    for (int i = 0; i < T_TypeCheckListBox->count(); ++i)
      T_TypeCheckListBox->item(i)->setCheckState(Qt::Unchecked);
  }
  T_TypeCheckListBox->setEnabled(dict != nullptr);
  layOutTypeColumns();
  return dict != nullptr;
}

int TriggerEditor::chosenClass() const {
  return ReadDictInt(T_ClassComboBox, -1);
}

void TriggerEditor::Edit(TTrigger& trig) {
  ++m_updating;
  m_wc = trig;
  LinkRecord(&trig);
  SetCaption(trig.Vnum, trig.Name);
  ShowLine(T_NameEdit, trig.Name);
  ShowDictInt(T_ClassComboBox, trig.TriggerClass);
  if (bindTypes(trig.TriggerClass)) ShowDict(T_TypeCheckListBox, trig.TriggerTypes);
  T_NumArgEdit->setValue(trig.NumArg);
  ShowLine(T_ArgEdit, trig.Arg);
  ShowMemo(T_TextMemo, trig.Text);
  --m_updating;
}

void TriggerEditor::Apply() {
  auto* trig = static_cast<TTrigger*>(LinkedRecord());
  if (!trig) return;
  trig->Name = ReadLine(T_NameEdit);
  RefreshNode(*trig, trig->Name);
  const int32_t cls = chosenClass();
  if (cls >= 0 && cls <= 255) trig->TriggerClass = static_cast<uint8_t>(cls);
  // Without the class's dictionary the list shows no events of it.
  if (typeDictionary(cls) && m_typesClass == cls) trig->TriggerTypes = ReadDict(T_TypeCheckListBox);
  trig->NumArg = T_NumArgEdit->value();
  trig->Arg = ReadLine(T_ArgEdit);
  // Breaks typed after the last line are dropped; a script that came with a
  // blank last line and was not touched keeps it.
  const bool typed = MemoTouched(T_TextMemo);
  std::string text = MemoValue(T_TextMemo);
  trig->Text = typed ? StoredScriptText(std::move(text)) : std::move(text);
}

bool TriggerEditor::eventFilter(QObject* watched, QEvent* e) {
  if (T_TypeCheckListBox && watched == T_TypeCheckListBox->viewport() &&
      e->type() == QEvent::Resize)
    layOutTypeColumns();
  return EditorWindow::eventFilter(watched, e);
}

void TriggerEditor::T_ClassComboBoxChange() {
  bindTypes(chosenClass());
}

void TriggerEditor::T_TextMemoGetLineAttr(const std::string& line,
                                          std::vector<uint8_t>& attrs) const {
  ColourScriptLine(line, Host().Words().Language, T_TextMemo->isReadOnly(), attrs);
}

std::string TriggerEditor::T_TextMemoBreakLine(const std::string& line, size_t caret) const {
  return BreakLinePrefix(line, caret);
}

std::string TriggerEditor::T_TextMemoConcatLine(const std::string& upper,
                                                const std::string& lower) const {
  return JoinLineTail(upper, lower);
}

void TriggerEditor::T_TextMemoSaveBlock(const std::string& block) {
  QString text = ToQt(block);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Information, QStringLiteral("Информация"),
                  QStringLiteral("Текст \"%1\" сохранен!").arg(text), QMessageBox::Ok, this);
  Host().Runner().Run(box);
}

void TriggerEditor::T_TextMemoChangeStatus(int line, int column) {
  Status(QString::asprintf("%3d:%3d", line, column));
}

void RegisterTrigEditor(EditorHost& host) {
  host.Windows().Register(kTrigger, [&host](TMUDClass& rec) {
    EnsureEditor<TriggerEditor>(host)->Edit(static_cast<TTrigger&>(rec));
  });
}

}  // namespace zm
