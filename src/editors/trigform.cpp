#include "editors/trigform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSpinBox>

#include "app/modal.h"
#include "editors/fieldtext.h"
#include "text/scriptlines.h"
#include "widgets/cp1251.h"

namespace zm {

TTriggerForm::TTriggerForm(AppContext& app, QWidget* parent) : TCMDIForm(app, kTrigger, parent) {
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

TTriggerForm::~TTriggerForm() = default;

const std::vector<TMemoEx::Attr>& TTriggerForm::LineAttributes() {
  static const std::vector<TMemoEx::Attr> attrs = [] {
    const QColor windowText(Qt::black), window(Qt::white), silver(0xC0, 0xC0, 0xC0);
    return std::vector<TMemoEx::Attr>{
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

const char* TTriggerForm::typeDictionary(int triggerClass) {
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

bool TTriggerForm::bindTypes(int triggerClass) {
  const char* name = typeDictionary(triggerClass);
  TBases* dict = name ? BindDictionary(T_TypeCheckListBox, name) : nullptr;
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

int TTriggerForm::chosenClass() const {
  return ReadDictInt(T_ClassComboBox, -1);
}

void TTriggerForm::Edit(TTrigger& trig) {
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

void TTriggerForm::Apply() {
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

bool TTriggerForm::eventFilter(QObject* watched, QEvent* e) {
  if (T_TypeCheckListBox && watched == T_TypeCheckListBox->viewport() &&
      e->type() == QEvent::Resize)
    layOutTypeColumns();
  return TCMDIForm::eventFilter(watched, e);
}

void TTriggerForm::T_ClassComboBoxChange() {
  bindTypes(chosenClass());
}

void TTriggerForm::T_TextMemoGetLineAttr(const std::string& line,
                                         std::vector<uint8_t>& attrs) const {
  static const std::vector<std::string> none;
  const TriggerWords* words = App().Words;
  ColourScriptLine(line, words ? words->Language : none, T_TextMemo->isReadOnly(), attrs);
}

std::string TTriggerForm::T_TextMemoBreakLine(const std::string& line, size_t caret) const {
  return BreakLinePrefix(line, caret);
}

std::string TTriggerForm::T_TextMemoConcatLine(const std::string& upper,
                                               const std::string& lower) const {
  return JoinLineTail(upper, lower);
}

void TTriggerForm::T_TextMemoSaveBlock(const std::string& block) {
  QString text = ToQt(block);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Information, QStringLiteral("Информация"),
                  QStringLiteral("Текст \"%1\" сохранен!").arg(text), QMessageBox::Ok, this);
  if (App().Runner)
    App().Runner->Run(box);
  else
    ModalRunner().Run(box);
}

void TTriggerForm::T_TextMemoChangeStatus(int line, int column) {
  Status(QString::asprintf("%3d:%3d", line, column));
}

void RegisterTrigEditor(AppContext& app) {
  if (!app.Windows) return;
  app.Windows->Register(kTrigger, [&app](TMUDClass& rec) {
    EnsureEditor<TTriggerForm>(app)->Edit(static_cast<TTrigger&>(rec));
  });
}

}  // namespace zm
