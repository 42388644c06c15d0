#pragma once
// The zone editor's two pages that only show: "Статистика", what the zone
// holds and the errors its check finds, and "Исходник", the zone file as it
// would be written.
#include "editors/editorpage.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace zm {

class TZone;

class ZoneStatsPage : public EditorPage {
  Q_OBJECT
 public:
  ZoneStatsPage(EditorWindow& editor, const TZone& wc);

  // Counts and checks the world's records of the zone as they are now.
  void ShowRecord() override;
  void StoreRecord() override {}

  QLabel *Z_RStatLabel = nullptr, *Z_NRStatLabel = nullptr, *Z_OStatLabel = nullptr,
         *Z_MStatLabel = nullptr, *Z_SStatLabel = nullptr, *Z_TStatLabel = nullptr;
  QListWidget* Z_ErrorListBox = nullptr;

 private:
  const TZone& m_wc;
};

class ZoneSourcePage : public EditorPage {
  Q_OBJECT
 public:
  ZoneSourcePage(EditorWindow& editor, const TZone& wc);

  void ShowRecord() override;
  void StoreRecord() override {}

  QPlainTextEdit* Z_SourceMemo = nullptr;

 private:
  const TZone& m_wc;
};

}  // namespace zm
