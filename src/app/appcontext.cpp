#include "app/appcontext.h"

#include <QStatusBar>
#include <QWidget>

#include "app/settings.h"
#include "app/zonemovedialog.h"
#include "editors/editorwindows.h"
#include "editors/worlddocument.h"
#include "model/records.h"

namespace zm {

TMUDClass* AppContext::ApplyActiveEditor(bool unlink) {
  RecordEditor* e = Windows ? Windows->Active() : nullptr;
  TMUDClass* rec = e ? e->LinkedRecord() : nullptr;
  if (!rec) return nullptr;
  const int32_t zone = rec->Zone;
  Tracked(zone, [&] { Windows->ApplyActive(unlink); });
  return rec;
}

void AppContext::ApplyAllEditors() {
  if (!Windows) return;
  for (RecordEditor* e : Windows->All())
    if (TMUDClass* rec = e->LinkedRecord()) Tracked(rec->Zone, [e] { e->ApplyRecord(); });
}

void AppContext::Tracked(int32_t zone, const std::function<void()>& op) {
  if (Document)
    Document->Tracked(zone, op);
  else
    op();
}

void AppContext::TrackedZones(const std::vector<int32_t>& zones, const std::function<void()>& op,
                              const std::string& name) {
  if (Document)
    Document->TrackedZones(zones, op, name);
  else
    op();
}

EditorSettings AppHost::Settings() const {
  EditorSettings s;
  if (const AppSettings* app = m_app.Settings) {
    s.KeyObjectType = app->ObjItemKey;
    s.Coding = app->Coding;
    s.LineBreak = app->LineBreak;
  }
  return s;
}

bool AppHost::MoveZone(int32_t from, bool renumber, std::optional<int32_t> to) {
  return zm::MoveZone(m_app, from, renumber, to);
}

QFont AppHost::EditorFont() const {
  return m_app.MainWindow ? m_app.MainWindow->font() : QFont();
}

void AppHost::ShowStatus(const QString& text) {
  if (!m_app.StatusBar) return;
  if (text.isEmpty())
    m_app.StatusBar->clearMessage();
  else
    m_app.StatusBar->showMessage(text);
}

}  // namespace zm
