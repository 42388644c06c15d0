#include "editors/zoneeditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "model/world.h"

namespace zm {

ZoneEditor::ZoneEditor(EditorHost& host, QWidget* parent) : EditorWindow(host, kZone, parent) {
  setObjectName("ZoneForm");
  setWindowTitle(QStringLiteral("()"));
  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  Z_PageControl = Named(new QTabWidget(this), "Z_PageControl");
  m_params = new ZoneParamsPage(*this, m_wc);
  m_files = new ZoneFilesPage(*this, m_wc);
  m_stats = new ZoneStatsPage(*this, m_wc);
  m_source = new ZoneSourcePage(*this, m_wc);
  Z_PageControl->addTab(m_params, QStringLiteral("Параметры"));
  Z_PageControl->addTab(m_files, QStringLiteral("Файлы"));
  Z_PageControl->addTab(m_stats, QStringLiteral("Статистика"));
  Z_PageControl->addTab(m_source, QStringLiteral("Исходник"));
  top->addWidget(Z_PageControl);
  // Bound only once the pages are laid out: the layout measured the combo
  // box while it was empty, and a combo box keeps its first measure (the
  // long reset conditions would widen the window).
  BindDictionary(m_params->Z_RTypeComboBox);
  // The checks run again whenever the page is shown: the map editor and
  // the room editors change what they count meanwhile.
  connect(Z_PageControl, &QTabWidget::currentChanged, this, [this](int page) {
    if (Z_PageControl->widget(page) == m_stats && LinkedRecord()) m_stats->ShowRecord();
  });

  std::vector<std::pair<QWidget*, QString>> keyed = {
      {m_params->Z_IDEdit, QStringLiteral("Z_ID")},
      {m_params->Z_NameEdit, QStringLiteral("Z_Name")},
      {m_params->Z_RTypeComboBox, QStringLiteral("Z_RType")},
      {m_params->Z_RTimeEdit, QStringLiteral("Z_RTime")},
      {m_params->Z_RObjListView, QStringLiteral("Z_RObjs")},
      {m_params->Z_RMobListView, QStringLiteral("Z_RMobs")},
      {m_stats->Z_ErrorListBox, QStringLiteral("Z_Errors")},
      {m_source->Z_SourceMemo, QStringLiteral("Z_Source")}};
  for (const ZoneFilesPage::FileRow& f : m_files->Z_Files)
    keyed.emplace_back(f.Path, f.Path->objectName().chopped(4));  // "Z_ZoneFilename"
  ApplyHints(keyed);
}

ZoneEditor::~ZoneEditor() = default;

void ZoneEditor::Edit(TZone& zone) {
  m_wc = zone;
  LinkRecord(&zone);
  SetCaption(zone.Vnum, zone.Name);
  for (EditorPage* page : pages()) page->ShowRecord();
}

void ZoneEditor::Apply() {
  auto* zone = static_cast<TZone*>(LinkedRecord());
  if (!zone) return;
  for (EditorPage* page : pages()) page->StoreRecord();
  zone->Name = m_wc.Name;
  RefreshNode(*zone, zone->Name);
  // The zone combos of the room and map editors and the map's caption read
  // ZoneNames; a registered zone's entry follows its name.
  if (World* w = &world(); w && zone->Registered)
    w->Zones.SetZoneName(zone->Vnum, zone->DisplayText());
  zone->ResetMode = m_wc.ResetMode;
  zone->ResetTime = m_wc.ResetTime;
  zone->CreatedObjects = m_wc.CreatedObjects;
  zone->RemovedMobs = m_wc.RemovedMobs;
  // Only where each file is and how it is written: the further files a
  // setting lists are the loader's, not the page's.
  for (TFileSetting TZone::*s : ZoneFilesPage::Settings())
    static_cast<TFilePlace&>(zone->*s) = m_wc.*s;
}

void ZoneEditor::AcceptRecord(TMUDClass& rec) {
  QWidget* focus = FocusedControl();
  if (!focus || !LinkedRecord()) return;
  for (EditorPage* page : pages())
    if (page->isAncestorOf(focus) && page->AcceptRecord(rec, focus)) return;
}

void RegisterZoneEditor(EditorHost& host) {
  host.Windows().Register(kZone, [&host](TMUDClass& rec) {
    EnsureEditor<ZoneEditor>(host)->Edit(static_cast<TZone&>(rec));
  });
}

}  // namespace zm
