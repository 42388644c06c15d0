// The room editor's description pages: the general text and the ten
// variants, each variant with its R mark.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTabWidget>

#include "editors/fieldtext.h"
#include "editors/roomeditor.h"

namespace zm {

void RoomEditor::showDescription(const std::string& description) {
  m_shownDescription = description;
  const DescriptionParts parts = SplitDescription(description);
  ShowMemo(R_FullDescMemo[0], parts.General);
  for (size_t v = 0; v < kVariants; ++v) ShowMemo(R_FullDescMemo[v + 1], parts.Variants[v]);
  m_marks = parts.Marks;
  m_shownMarks = parts.Marks;
  R_DescPageControlChange();
}

std::string RoomEditor::readDescription() {
  bool touched = m_marks != m_shownMarks;
  for (QPlainTextEdit* memo : R_FullDescMemo) touched = touched || MemoTouched(memo);
  // Left alone, the description stays as the file had it, even where the
  // join would write it otherwise.
  if (!touched) return m_shownDescription;
  DescriptionParts parts;
  parts.General = MemoValue(R_FullDescMemo[0]);
  for (size_t v = 0; v < kVariants; ++v) parts.Variants[v] = MemoValue(R_FullDescMemo[v + 1]);
  parts.Marks = m_marks;
  return JoinDescription(parts);
}

void RoomEditor::R_DescPageControlChange() {
  const int tab = R_DescPageControl->currentIndex();
  R_DescCheckBox->setVisible(tab > 0);
  const QSignalBlocker block(R_DescCheckBox);
  R_DescCheckBox->setChecked(tab > 0 && m_marks[static_cast<size_t>(tab - 1)]);
}

void RoomEditor::R_DescCheckBoxClick() {
  const int tab = R_DescPageControl->currentIndex();
  if (tab > 0) m_marks[static_cast<size_t>(tab - 1)] = R_DescCheckBox->isChecked();
}

}  // namespace zm
