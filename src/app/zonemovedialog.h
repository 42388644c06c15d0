#pragma once
// "Копировать зону…" and "Перенумеровать зону…": the new number with its
// checks as it is typed, then what the move changes, and the move itself.
#include <QDialog>
#include <optional>

#include "edit/zonemove.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace zm {

class AppContext;

class ZoneMoveDialog : public QDialog {
  Q_OBJECT
 public:
  ZoneMoveDialog(const World& w, int32_t from, bool renumber, QWidget* parent = nullptr);

  void SetNumber(int32_t to);
  const ZoneMovePlan& Plan() const { return m_plan; }
  bool RewriteScripts() const;

  QSpinBox* NumEdit() const { return m_num; }
  QCheckBox* ScriptsCheck() const { return m_scripts; }
  QPlainTextEdit* Summary() const { return m_summary; }
  QPushButton* OkBtn() const { return m_ok; }

 private:
  void refresh();

  const World& m_w;
  int32_t m_from;
  bool m_renumber;
  ZoneMovePlan m_plan;
  QSpinBox* m_num = nullptr;
  QCheckBox* m_scripts = nullptr;
  QPlainTextEdit* m_summary = nullptr;
  QPushButton* m_ok = nullptr;
};

// Asks for the number (`to` preset when given) and moves the zone: open
// editors are applied and closed first, the tree follows, the zones whose
// files change are marked unsaved and the zone is selected. True when done.
bool MoveZone(AppContext& app, int32_t from, bool renumber, std::optional<int32_t> to = {});

}  // namespace zm
