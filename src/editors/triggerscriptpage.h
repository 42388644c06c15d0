#pragma once
// The trigger's script in the script text control: its colouring, the
// comment marks kept across line breaks, the saved block and the caret
// position in the status bar.
#include <cstdint>
#include <string>
#include <vector>

#include "editors/editorpage.h"
#include "model/triggers.h"
#include "widgets/scriptedit.h"

namespace zm {

class TriggerScriptPage : public EditorPage {
  Q_OBJECT
 public:
  TriggerScriptPage(EditorWindow& editor, TTrigger& wc);

  void ShowRecord() override;
  void StoreRecord() override;

  // The seven attributes of the script's colouring.
  static const std::vector<ScriptEdit::Attr>& LineAttributes();

  // The script control's hooks, public so that they can be driven like the
  // user does.
  void T_TextMemoGetLineAttr(const std::string& line, std::vector<uint8_t>& attrs) const;
  std::string T_TextMemoBreakLine(const std::string& line, size_t caret) const;
  std::string T_TextMemoConcatLine(const std::string& upper, const std::string& lower) const;
  void T_TextMemoSaveBlock(const std::string& block);
  void T_TextMemoChangeStatus(int line, int column);

  ScriptEdit* T_TextMemo = nullptr;

 private:
  void setUpMemo();
  void memoContextMenu(const QPoint& pos);

  TTrigger& m_wc;
};

}  // namespace zm
