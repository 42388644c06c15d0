#include "editors/triggereditor.h"

#include <QVBoxLayout>

#include "editors/triggerheaderpage.h"
#include "editors/triggerscriptpage.h"

namespace zm {

TriggerEditor::TriggerEditor(EditorHost& host, QWidget* parent)
    : EditorWindow(host, kTrigger, parent) {
  setObjectName("TriggerForm");
  setWindowTitle(QStringLiteral("()"));
  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  m_header = new TriggerHeaderPage(*this, m_wc);
  top->addWidget(m_header);
  m_script = new TriggerScriptPage(*this, m_wc);
  top->addWidget(m_script, 1);
  ApplyHints();
}

TriggerEditor::~TriggerEditor() = default;

void TriggerEditor::Edit(TTrigger& trig) {
  m_wc = trig;
  LinkRecord(&trig);
  SetCaption(trig.Vnum, trig.Name);
  m_header->ShowRecord();
  m_script->ShowRecord();
}

void TriggerEditor::Apply() {
  auto* trig = static_cast<TTrigger*>(LinkedRecord());
  if (!trig) return;
  m_header->StoreRecord();
  m_script->StoreRecord();
  trig->Name = m_wc.Name;
  RefreshNode(*trig, trig->Name);
  trig->TriggerClass = m_wc.TriggerClass;
  trig->TriggerTypes = m_wc.TriggerTypes;
  trig->NumArg = m_wc.NumArg;
  trig->Arg = m_wc.Arg;
  trig->Text = m_wc.Text;
}

void RegisterTrigEditor(EditorHost& host) {
  host.Windows().Register(kTrigger, [&host](TMUDClass& rec) {
    EnsureEditor<TriggerEditor>(host)->Edit(static_cast<TTrigger&>(rec));
  });
}

}  // namespace zm
