#include "app/zonemovedialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/appcontext.h"
#include "app/worldtree.h"
#include "editors/changetracker.h"
#include "editors/editorwindows.h"
#include "editors/worlddocument.h"
#include "model/world.h"
#include "widgets/modalrunner.h"
#include "widgets/qtext.h"

namespace zm {

ZoneMoveDialog::ZoneMoveDialog(const World& w, int32_t from, bool renumber, QWidget* parent)
    : QDialog(parent), m_w(w), m_from(from), m_renumber(renumber) {
  setObjectName(renumber ? "RenumberZoneDialog" : "CopyZoneDialog");
  setWindowTitle(renumber ? QStringLiteral("Перенумеровать зону %1").arg(from)
                          : QStringLiteral("Копировать зону %1").arg(from));
  auto* column = new QVBoxLayout(this);
  auto* form = new QFormLayout();
  m_num = new QSpinBox(this);
  m_num->setObjectName("ZoneNumEdit");
  m_num->setRange(0, 99999);
  form->addRow(QStringLiteral("Новый номер зоны"), m_num);
  column->addLayout(form);
  m_summary = new QPlainTextEdit(this);
  m_summary->setObjectName("ZoneMoveSummary");
  m_summary->setReadOnly(true);
  m_summary->setMinimumSize(460, 180);
  column->addWidget(m_summary, 1);
  m_scripts = new QCheckBox(QStringLiteral("Заменить номера в скриптах, как показано"), this);
  m_scripts->setObjectName("ZoneMoveScriptsCheck");
  column->addWidget(m_scripts);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_ok = buttons->button(QDialogButtonBox::Ok);
  m_ok->setObjectName("ZoneMoveOkBtn");
  m_ok->setText(renumber ? QStringLiteral("Перенумеровать") : QStringLiteral("Копировать"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));
  column->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_num, &QSpinBox::valueChanged, this, [this](int) { refresh(); });
  connect(m_scripts, &QCheckBox::toggled, this, [this](bool) { refresh(); });
}

void ZoneMoveDialog::SetNumber(int32_t to) {
  m_num->setValue(to);
  refresh();
}

bool ZoneMoveDialog::RewriteScripts() const {
  return m_scripts->isChecked();
}

void ZoneMoveDialog::refresh() {
  const int32_t to = m_num->value();
  m_plan = m_renumber ? PlanRenumberZone(m_w, m_from, to) : PlanCopyZone(m_w, m_from, to);
  QStringList lines;
  for (const std::string& p : m_plan.Problems) lines << QStringLiteral("Нельзя: ") + ToQt(p);
  if (m_plan.Problems.empty()) {
    lines << (m_renumber ? QStringLiteral("Записи зоны %1 получат номера зоны %2; ссылки на них "
                                          "во всём мире будут исправлены.")
                               .arg(m_from)
                               .arg(to)
                         : QStringLiteral("Зона %2 станет копией зоны %1 с номерами %2xx.")
                               .arg(m_from)
                               .arg(to));
    if (!m_plan.OtherZones.empty()) {
      QStringList zones;
      for (int32_t z : m_plan.OtherZones) zones << QString::number(z);
      lines << QStringLiteral("Изменятся и будут сохранены также зоны: %1.")
                   .arg(zones.join(QStringLiteral(", ")));
    }
    if (m_renumber)
      lines << QStringLiteral(
                   "Файлы зоны под номером %1 будут удалены после сохранения (с "
                   "подтверждением).")
                   .arg(m_from);
    if (!m_plan.Scripts.empty()) lines << QStringLiteral("Скрипты называют номера зоны:");
    for (const ScriptMention& m : m_plan.Scripts)
      lines << QStringLiteral("  триггер %1, строка %2: %3  →  %4")
                   .arg(m.Trigger)
                   .arg(m.Line)
                   .arg(ToQt(m.Text).trimmed(), ToQt(m.Rewritten).trimmed());
  }
  m_summary->setPlainText(lines.join(u'\n'));
  m_scripts->setVisible(!m_plan.Scripts.empty());
  m_ok->setEnabled(m_plan.Problems.empty() && (m_plan.Scripts.empty() || RewriteScripts()));
}

bool MoveZone(AppContext& app, int32_t from, bool renumber, std::optional<int32_t> to) {
  World& w = *app.world;
  // Every editor's edits count before the plan is made; no window may keep a
  // record under its old number afterwards.
  app.ApplyAllEditors();
  ZoneMoveDialog dialog(w, from, renumber, app.MainWindow);
  int32_t n = from + 1;
  while (n < 9999 && w.Zones.ByNumber(n)) ++n;
  dialog.SetNumber(to.value_or(n));
  if (app.Runner->Run(dialog) != QDialog::Accepted) return false;
  const ZoneMovePlan plan = dialog.Plan();
  if (!plan.Problems.empty()) return false;
  app.Windows->Area()->closeAllSubWindows();
  std::vector<int32_t> zones{plan.From, plan.To};
  zones.insert(zones.end(), plan.OtherZones.begin(), plan.OtherZones.end());
  bool done = false;
  app.TrackedZones(
      zones,
      [&] {
        done = renumber ? RenumberZone(w, plan, dialog.RewriteScripts())
                        : CopyZone(w, plan, dialog.RewriteScripts());
      },
      FromQt((renumber ? QStringLiteral("перенумерация зоны %1 в %2")
                       : QStringLiteral("копирование зоны %1 в %2"))
                 .arg(plan.From)
                 .arg(plan.To)));
  if (!done) return false;
  static constexpr RecordKind kKinds[] = {kZone, kRoom, kObject, kMobile, kShop, kTrigger};
  if (app.Changes) {
    if (renumber) app.Changes->ZoneGone(from);
    for (RecordKind k : kKinds) app.Changes->Mark(plan.To, k);
    for (int32_t z : plan.OtherZones)
      for (RecordKind k : kKinds) app.Changes->Mark(z, k);
  }
  if (app.Document) {
    app.Document->RebuildReferences();
    // Marked outside Tracked: the journal of unsaved changes hears of it here.
    emit app.Document->ZoneChanged(plan.To);
  }
  if (app.Tree) app.Tree->SortChildren(app.Tree->TopGroup(kZone));
  if (TZone* z = w.Zones.ByNumber(plan.To); z && app.SelectRecord) app.SelectRecord(*z);
  return true;
}

}  // namespace zm
