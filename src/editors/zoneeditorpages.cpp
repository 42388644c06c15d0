#include "editors/zoneeditorpages.h"

#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "io/zonefile.h"
#include "load/zonecheck.h"
#include "widgets/qtext.h"

namespace zm {

ZoneStatsPage::ZoneStatsPage(EditorWindow& editor, const TZone& wc) : EditorPage(editor), m_wc(wc) {
  auto* col = new QVBoxLayout(this);
  auto* form = new QFormLayout();
  auto stat = [&](const char* caption, const char* name) {
    auto* label = Named(new QLabel(QStringLiteral("0"), this), QString::fromLatin1(name));
    form->addRow(QString::fromUtf8(caption), label);
    return label;
  };
  Z_RStatLabel = stat("Комнат:", "Z_RStatLabel");
  Z_NRStatLabel = stat("Из них нерасставленых:", "Z_NRStatLabel");
  Z_OStatLabel = stat("Объектов:", "Z_OStatLabel");
  Z_MStatLabel = stat("Мобов:", "Z_MStatLabel");
  Z_SStatLabel = stat("Магазинов:", "Z_SStatLabel");
  Z_TStatLabel = stat("Триггеров:", "Z_TStatLabel");
  col->addLayout(form);
  col->addWidget(new QLabel(QStringLiteral("Найденые ошибки:"), this));
  Z_ErrorListBox = Named(new QListWidget(this), "Z_ErrorListBox");
  col->addWidget(Z_ErrorListBox, 1);
}

void ZoneStatsPage::ShowRecord() {
  const World* w = &Editor().world();
  const ZoneCheckResult r = w ? CheckZone(*w, m_wc.Vnum) : ZoneCheckResult{};
  Z_RStatLabel->setNum(r.Rooms);
  Z_NRStatLabel->setNum(r.Unplaced);
  Z_OStatLabel->setNum(r.Objects);
  Z_MStatLabel->setNum(r.Mobiles);
  Z_SStatLabel->setNum(r.Shops);
  Z_TStatLabel->setNum(r.Triggers);
  Z_ErrorListBox->clear();
  for (const std::string& line : r.Errors) Z_ErrorListBox->addItem(ToQt(line));
}

ZoneSourcePage::ZoneSourcePage(EditorWindow& editor, const TZone& wc)
    : EditorPage(editor), m_wc(wc) {
  // The memo fills the page as if it were the page.
  auto* col = new QVBoxLayout(this);
  col->setContentsMargins(0, 0, 0, 0);
  Z_SourceMemo = Named(new QPlainTextEdit(this), "Z_SourceMemo");
  Z_SourceMemo->setReadOnly(true);
  Z_SourceMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Z_SourceMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPixelSize(12);
  Z_SourceMemo->setFont(font);
  col->addWidget(Z_SourceMemo);
}

void ZoneSourcePage::ShowRecord() {
  std::vector<std::string> lines;
  BuildZoneLines(Editor().world(), m_wc, lines);
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) text << ToQt(line);
  Z_SourceMemo->setPlainText(text.join(u'\n'));
}

}  // namespace zm
