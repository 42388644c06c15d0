#include "app/commands.h"

#include <QTreeWidget>
#include <algorithm>

#include "app/appcontext.h"
#include "app/diskchanges.h"
#include "app/newzonedialog.h"
#include "app/treecontrol.h"
#include "app/worldtree.h"
#include "common/winutf8.h"
#include "edit/zonemove.h"
#include "editors/changetracker.h"
#include "editors/editorwindows.h"
#include "editors/worlddocument.h"
#include "load/saving.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

std::string NameOf(const World& w, const TMUDClass& rec) {
  std::string name;
  if (rec.Kind == kZone) return name;
  w.ForRecord(rec, [&](const auto& list, const auto& r) { name = list.NameOfRecord(r); });
  return name;
}

const char* KindWord(RecordKind kind) {
  static constexpr const char* kWords[kRecordKinds] = {
      "зону", "комнату", "", "объект", "моба", "магазин", "триггер",
  };
  return kind < kRecordKinds ? kWords[kind] : "";
}

}  // namespace

MainCommands::MainCommands(AppContext& app, TreeController& tree, NewZoneDialog& czone,
                           QObject* parent)
    : QObject(parent), m_app(app), m_tree(tree), m_czone(czone) {}

// -------------------------------------------------------------------- save

void MainCommands::MI_SaveClick() {
  TMUDClass* rec = WorldTree::RecordOf(m_app.Tree->Widget()->currentItem());
  if (!rec || rec->Kind == kZoneMap) return;
  m_app.ApplyActiveEditor(false);
  const int32_t zone = rec->Zone;
  const RecordKind kind = rec->Kind;
  SaveResult r = SaveZoneKind(*m_app.world, zone, kind);
  if (r.reread) RereadZone(m_app, zone);
  if (r.ok && m_app.Changes) m_app.Changes->Saved(zone, kind);
  if (r.ok) emit Saved(QStringLiteral("Сохранено файлов: %1").arg(r.written.size()));
}

void MainCommands::MI_SaveZoneClick() {
  QTreeWidgetItem* node = m_app.Tree->Widget()->currentItem();
  if (!node) return;
  const TMUDClass* rec = WorldTree::RecordOf(node);
  if (!rec) rec = WorldTree::RecordOf(node->parent());
  if (!rec) return;
  const int32_t zone = rec->Zone;
  m_app.ApplyActiveEditor(false);
  World& w = *m_app.world;
  TZone* z = w.Zones.ByNumber(zone);
  if (!z) return;
  SaveResult r = SaveWholeZone(w, zone);
  if (r.reread) {
    RereadZone(m_app, zone);
    return;
  }
  if (m_app.Changes) {
    for (RecordKind kind : {kZone, kRoom, kObject, kMobile, kShop, kTrigger}) {
      const auto& path = FileSettingOf(*z, kind)->Path;
      if (r.ok || std::find(r.written.begin(), r.written.end(), path) != r.written.end())
        m_app.Changes->Saved(zone, kind);
    }
  }
  // A renumbered zone's files under its old number go once the new ones are
  // written.
  if (r.ok) RemoveOldZoneFiles(w, zone);
  emit Saved(QStringLiteral("Сохранено файлов: %1").arg(r.written.size()));
}

// --------------------------------------------------------------------- add

void MainCommands::MI_InNewWindowClick() {
  if (TMUDClass* rec = WorldTree::RecordOf(m_tree.ContextNode()))
    m_app.Windows->EditInNewWindow(*rec);
}

void MainCommands::MI_AddClick() {
  if (m_app.Windows->Count() == 0) return;
  QTreeWidgetItem* node = m_app.Tree->Widget()->currentItem();
  m_tree.SetContextNode(node);
  const TMUDClass* rec = WorldTree::RecordOf(node);
  if (node && (!rec || rec->Kind != kZoneMap)) MI_PAddClick();
}

void MainCommands::MI_PAddClick() {
  QTreeWidgetItem* node = m_tree.ContextNode();
  if (!node) return;
  int kind;
  int32_t zone = -1;
  if (const TMUDClass* rec = WorldTree::RecordOf(node)) {
    kind = rec->Kind;
    zone = rec->Zone;
  } else {
    kind = std::max(WorldTree::KindOfGroupName(node->text(0)), 0);
    if (const TMUDClass* parent = WorldTree::RecordOf(node->parent())) zone = parent->Zone;
  }
  if (kind == kZone) {
    CreateZone();
    return;
  }
  if (kind == kZoneMap || zone < 0 || !m_app.Templates) return;
  TMUDClass* created = nullptr;
  m_app.Tracked(zone, [&] {
    created = m_app.Templates->CreateFromTemplate(static_cast<RecordKind>(kind), zone);
  });
  if (!created) return;
  if (QTreeWidgetItem* item = m_app.Tree->ItemOf(created)) m_app.Tree->SortChildren(item->parent());
  if (m_app.SelectRecord) m_app.SelectRecord(*created);
}

void MainCommands::CreateZone() {
  zm::CreateZone(m_app, m_czone);
}

// ------------------------------------------------------------------ delete

void MainCommands::MI_DeleteClick() {
  if (m_app.Windows->Count() == 0) return;
  QTreeWidgetItem* node = m_app.Tree->Widget()->currentItem();
  m_tree.SetContextNode(node);
  const TMUDClass* rec = WorldTree::RecordOf(node);
  if (rec && rec->Kind != kZoneMap) MI_PDeleteClick();
}

QString MainCommands::DeleteObjectText(const TMUDClass& rec) const {
  const World& w = *m_app.world;
  std::string caption =
      rec.Kind == kZone ? w.Zones.ZoneNameOf(rec.Vnum) : NodeCaption(rec.Vnum, NameOf(w, rec));
  return QString::fromUtf8(KindWord(rec.Kind)) + QStringLiteral(" \"") + ToQt(caption) +
         QStringLiteral("\"");
}

void MainCommands::MI_PDeleteClick() {
  QTreeWidgetItem* node = m_tree.ContextNode();
  TMUDClass* rec = WorldTree::RecordOf(node);
  if (!rec || rec->Kind == kZoneMap) return;
  if (!m_app.reporter->AskConfirm(ConfirmMsg::Delete, {FromQt(DeleteObjectText(*rec))})) return;

  QTreeWidgetItem* parent = node->parent();
  const int pos = parent ? parent->indexOfChild(node) : -1;
  // The context node goes now; nothing may keep pointing at it.
  m_tree.SetContextNode(nullptr);
  m_tree.SetQuiet(true);
  if (rec->Kind == kZone)
    deleteZone(*rec);
  else
    deleteEntry(*rec);
  m_tree.SetQuiet(false);

  if (!parent) return;
  if (parent->childCount() > 0) {
    m_tree.Select(parent->child(std::min(pos, parent->childCount() - 1)));
  } else {
    m_app.Windows->CloseActive();
    m_tree.Select(parent);
  }
}

void MainCommands::deleteEntry(TMUDClass& rec) {
  // The node goes with the record: the tree listens to its removal.
  std::unique_ptr<TMUDClass> owned = m_app.Document->RemoveEntry(rec);
  // `owned` frees the record here, after everything let go of it.
}

void MainCommands::deleteZone(TMUDClass& rec) {
  QTreeWidget* view = m_app.Tree->Widget();
  view->setUpdatesEnabled(false);
  // The zone's entries and map stay in their lists, without nodes: the
  // zone's node goes with the zone record.
  std::unique_ptr<TZone> owned = m_app.Document->RemoveZone(static_cast<TZone&>(rec));
  owned.reset();
  view->setUpdatesEnabled(true);
}

}  // namespace zm
