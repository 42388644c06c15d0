#pragma once
// The trigger editor: the fields on top (name, class, arguments, events),
// the script below; each a page of its own.
#include <QSize>

#include "editors/editorwindow.h"
#include "model/triggers.h"

namespace zm {

class TriggerHeaderPage;
class TriggerScriptPage;

class TriggerEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kTrigger;
  static QSize DesignedSize() { return {760, 600}; }

  explicit TriggerEditor(EditorHost& host, QWidget* parent = nullptr);
  ~TriggerEditor() override;

  // TTrigger's Edit (after EnsureEditor) and Apply.
  void Edit(TTrigger& trig);
  void ShowAgain() override {
    if (auto* rec = static_cast<TTrigger*>(LinkedRecord())) Edit(*rec);
  }
  void Apply() override;
  // Records dropped from the tree are ignored.
  void AcceptRecord(TMUDClass&) override {}

  const TTrigger& WorkingCopy() const { return m_wc; }

  TriggerHeaderPage& Header() const { return *m_header; }
  TriggerScriptPage& Script() const { return *m_script; }

 private:
  TTrigger m_wc;  // WorkingCopy
  TriggerHeaderPage* m_header = nullptr;
  TriggerScriptPage* m_script = nullptr;
};

// The trigger kind's opener.
void RegisterTrigEditor(EditorHost& host);

}  // namespace zm
