#pragma once
// The zone editor: the zone's header, the objects it creates without a room
// and the mobiles it purges, the names and codings of its seven files, its
// statistics and errors, and the zone file as it would be written.
#include <QSize>
#include <array>

#include "editors/editorwindow.h"
#include "editors/zoneeditorpages.h"
#include "editors/zonefilespage.h"
#include "editors/zoneparamspage.h"
#include "model/zones.h"

class QTabWidget;

namespace zm {

class ZoneEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kZone;
  static QSize DesignedSize() { return {560, 470}; }

  explicit ZoneEditor(EditorHost& host, QWidget* parent = nullptr);
  ~ZoneEditor() override;

  // TZone's Edit (after EnsureEditor) and Apply.
  void Edit(TZone& zone);
  void ShowAgain() override {
    if (auto* rec = static_cast<TZone*>(LinkedRecord())) Edit(*rec);
  }
  void Apply() override;
  void AcceptRecord(TMUDClass& rec) override;

  const TZone& WorkingCopy() const { return m_wc; }

  ZoneParamsPage& Params() const { return *m_params; }
  ZoneFilesPage& Files() const { return *m_files; }
  ZoneStatsPage& Stats() const { return *m_stats; }
  ZoneSourcePage& Source() const { return *m_source; }

  QTabWidget* Z_PageControl = nullptr;

 private:
  std::array<EditorPage*, 4> pages() const { return {m_params, m_files, m_stats, m_source}; }

  TZone m_wc;  // WorkingCopy
  ZoneParamsPage* m_params = nullptr;
  ZoneFilesPage* m_files = nullptr;
  ZoneStatsPage* m_stats = nullptr;
  ZoneSourcePage* m_source = nullptr;
};

// The zone kind's opener.
void RegisterZoneEditor(EditorHost& host);

}  // namespace zm
