#include "editors/zoneeditor.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <algorithm>

#include "editors/fieldtext.h"
#include "io/zonefile.h"
#include "load/zonecheck.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

// A created-object row keeps the chance it came with when that chance is one
// a row cannot show (0 or less), so that taking the rows back loses nothing.
constexpr int kRoleOwnChance = Qt::UserRole + 40;
constexpr const char* kShownPath = "zmShownPath";
constexpr const char* kOriginalPath = "zmOriginalPath";

void ShowPath(QLineEdit* edit, const std::filesystem::path& path) {
  // Paths are bytes of the file system, not Windows-1251 text.
  const QString text = QString::fromStdString(path.string());
  edit->setText(text);
  edit->setCursorPosition(0);
  edit->setProperty(kShownPath, text);
  edit->setProperty(kOriginalPath, QByteArray::fromStdString(path.string()));
}

std::filesystem::path ReadPath(const QLineEdit* edit) {
  // Untouched, the path comes back byte for byte even when it is no UTF-8.
  if (edit->property(kShownPath).toString() == edit->text())
    return std::filesystem::path(edit->property(kOriginalPath).toByteArray().toStdString());
  return std::filesystem::path(edit->text().toStdString());
}

// A combo index as the file setting keeps it; a value the combo does not
// list stays as it was.
uint8_t ReadIndex(const QComboBox* combo, uint8_t old) {
  const int i = combo->currentIndex();
  return i >= 0 ? static_cast<uint8_t>(i) : old;
}

void ShowIndex(QComboBox* combo, uint8_t value) {
  combo->setCurrentIndex(value < combo->count() ? value : -1);
}

}  // namespace

ZoneEditor::ZoneEditor(EditorHost& host, QWidget* parent) : EditorWindow(host, kZone, parent) {
  setObjectName("ZoneForm");
  setWindowTitle(QStringLiteral("()"));
  buildUi();
  connectControls();
  BindDictionary(Z_RTypeComboBox);
  std::vector<std::pair<QWidget*, QString>> keyed = {
      {Z_IDEdit, QStringLiteral("Z_ID")},           {Z_NameEdit, QStringLiteral("Z_Name")},
      {Z_RTypeComboBox, QStringLiteral("Z_RType")}, {Z_RTimeEdit, QStringLiteral("Z_RTime")},
      {Z_RObjListView, QStringLiteral("Z_RObjs")},  {Z_RMobListView, QStringLiteral("Z_RMobs")},
      {Z_ErrorListBox, QStringLiteral("Z_Errors")}, {Z_SourceMemo, QStringLiteral("Z_Source")}};
  for (const FileRow& f : Z_Files)
    keyed.emplace_back(f.Path, f.Path->objectName().chopped(4));  // "Z_ZoneFilename"
  ApplyHints(keyed);
  Z_RObjListViewClick();
  Z_RMobListViewClick();
}

ZoneEditor::~ZoneEditor() = default;

std::array<TFileSetting TZone::*, ZoneEditor::kFiles> ZoneEditor::fileSettings() {
  return {&TZone::ZoneFilename, &TZone::RoomFilename, &TZone::ZoneMapFilename, &TZone::ObjFilename,
          &TZone::MobFilename,  &TZone::ShopFilename, &TZone::TrigFilename};
}

void ZoneEditor::Edit(TZone& zone) {
  m_wc = zone;
  LinkRecord(&zone);
  SetCaption(zone.Vnum, zone.Name);
  // The number is shown whatever it is: it is never taken back.
  Z_IDEdit->setRange(std::min(1, zone.Vnum), std::max(9999, zone.Vnum));
  Z_IDEdit->setValue(zone.Vnum);
  ShowLine(Z_NameEdit, zone.Name);
  ShowDictInt(Z_RTypeComboBox, zone.ResetMode);
  Z_RTimeEdit->setRange(std::min(0, zone.ResetTime), std::max(9999, zone.ResetTime));
  Z_RTimeEdit->setValue(zone.ResetTime);
  showSource(zone);
  showRows();
  showFiles();
  ShowStatistics();
}

void ZoneEditor::showSource(const TZone& zone) {
  std::vector<std::string> lines;
  BuildZoneLines(world(), zone, lines);
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) text << ToQt(line);
  Z_SourceMemo->setPlainText(text.join(u'\n'));
}

void ZoneEditor::showRows() {
  m_objs->Clear();
  for (const auto& o : m_wc.CreatedObjects) {
    m_objs->Append({o->ID, CondKey(o->Cond), kNoWhere, o->Chance});
    if (o->Chance <= 0)
      Z_RObjListView->topLevelItem(m_objs->Count() - 1)
          ->setData(0, kRoleOwnChance, static_cast<int>(o->Chance));
  }
  Z_RObjListViewClick();
  m_mobs->Clear();
  for (const auto& q : m_wc.RemovedMobs) m_mobs->Append({q->ID, CondKey(q->Cond), kNoWhere, 0});
  Z_RMobListViewClick();
}

void ZoneEditor::showFiles() {
  const auto settings = fileSettings();
  for (size_t i = 0; i < settings.size(); ++i) {
    const TFileSetting& s = m_wc.*settings[i];
    ShowPath(Z_Files[i].Path, s.Path);
    ShowIndex(Z_Files[i].LineBreak, s.LineBreak);
    ShowIndex(Z_Files[i].Coding, s.Coding);
  }
}

void ZoneEditor::Apply() {
  auto* zone = static_cast<TZone*>(LinkedRecord());
  if (!zone) return;
  zone->Name = ReadLine(Z_NameEdit);
  RefreshNode(*zone, zone->Name);
  // The zone combos of the room and map editors and the map's caption read
  // ZoneNames; a registered zone's entry follows its name.
  if (World* w = &world(); w && zone->Registered)
    w->Zones.SetZoneName(zone->Vnum, zone->DisplayText());
  zone->ResetMode = ReadDictInt(Z_RTypeComboBox, zone->ResetMode);
  zone->ResetTime = Z_RTimeEdit->value();

  zone->CreatedObjects.Clear();
  for (int i = 0; i < m_objs->Count(); ++i) {
    const PlacementRow row = m_objs->Row(i);
    TLinkObj l;
    l.Cond = CondFlag(row.Cond);
    l.ID = row.ID;
    const QVariant own = Z_RObjListView->topLevelItem(i)->data(0, kRoleOwnChance);
    l.Chance = static_cast<int16_t>(row.Chance > 0 ? row.Chance : own.toInt());
    l.WearPos = 255;
    zone->CreatedObjects.Add(l);
  }
  zone->RemovedMobs.Clear();
  for (int i = 0; i < m_mobs->Count(); ++i) {
    const PlacementRow row = m_mobs->Row(i);
    zone->RemovedMobs.Add(TCondID{CondFlag(row.Cond), row.ID});
  }
  applyFiles(*zone);
}

void ZoneEditor::applyFiles(TZone& zone) {
  const auto settings = fileSettings();
  for (size_t i = 0; i < settings.size(); ++i) (zone.*settings[i]).Path = ReadPath(Z_Files[i].Path);
  if (m_fileChoice == 0) {
    for (size_t i = 0; i < settings.size(); ++i) {
      TFileSetting& s = zone.*settings[i];
      s.LineBreak = ReadIndex(Z_Files[i].LineBreak, s.LineBreak);
      s.Coding = ReadIndex(Z_Files[i].Coding, s.Coding);
    }
    return;
  }
  TFileSetting& first = zone.ZoneFilename;
  if (m_fileChoice == 1) {
    const EditorSettings settings = Host().Settings();
    first.Coding = static_cast<uint8_t>(settings.Coding);
    first.LineBreak = static_cast<uint8_t>(settings.LineBreak);
  } else {
    first.LineBreak = ReadIndex(Z_Files[0].LineBreak, first.LineBreak);
    first.Coding = ReadIndex(Z_Files[0].Coding, first.Coding);
  }
  for (size_t i = 1; i < settings.size(); ++i) (zone.*settings[i]).SetWord(first.Word());
}

void ZoneEditor::AcceptRecord(TMUDClass& rec) {
  QWidget* focus = FocusedControl();
  if (!focus || !LinkedRecord()) return;
  if (focus == Z_RObjListView && rec.Kind == kObject) {
    m_objs->Append({rec.Vnum, "0", kNoWhere, 100});
    m_objs->Select(m_objs->Count() - 1);
  } else if (focus == Z_RMobListView && rec.Kind == kMobile) {
    m_mobs->Append({rec.Vnum, "0", kNoWhere, 0});
    m_mobs->Select(m_mobs->Count() - 1);
  }
}

// ------------------------------------------------------------ the lists

void ZoneEditor::Z_RObjListViewClick() {
  const bool row = m_objs->Current() >= 0;
  Z_RObjEditBtn->setEnabled(row);
  Z_RObjDelBtn->setEnabled(row);
}

void ZoneEditor::Z_RMobListViewClick() {
  const bool row = m_mobs->Current() >= 0;
  Z_RMobEditBtn->setEnabled(row);
  Z_RMobDelBtn->setEnabled(row);
}

void ZoneEditor::Z_RObjAddBtnClick() {
  PlacementRow row;
  if (!m_objs->AskAdd(row)) return;
  m_objs->Append(row);
  m_objs->Select(m_objs->Count() - 1);
}

void ZoneEditor::Z_RObjEditBtnClick() {
  const int i = m_objs->Current();
  PlacementRow row;
  if (i < 0) {
    Z_RObjListViewClick();
    return;
  }
  if (!m_objs->AskChange(row)) return;
  m_objs->Refill(i, row);
  // The dialog gave the row a chance of its own.
  Z_RObjListView->topLevelItem(i)->setData(0, kRoleOwnChance, QVariant());
}

void ZoneEditor::Z_RObjDelBtnClick() {
  const int i = m_objs->Current();
  if (i >= 0 && m_objs->AskDelete()) m_objs->Remove(i);
}

void ZoneEditor::Z_RMobAddBtnClick() {
  PlacementRow row;
  if (!m_mobs->AskAdd(row)) return;
  m_mobs->Append(row);
  m_mobs->Select(m_mobs->Count() - 1);
}

void ZoneEditor::Z_RMobEditBtnClick() {
  const int i = m_mobs->Current();
  PlacementRow row;
  if (i < 0) {
    Z_RMobListViewClick();
    return;
  }
  if (m_mobs->AskChange(row)) m_mobs->Refill(i, row);
}

void ZoneEditor::Z_RMobDelBtnClick() {
  const int i = m_mobs->Current();
  if (i >= 0 && m_mobs->AskDelete()) m_mobs->Remove(i);
}

// ------------------------------------------------- number, files, checks

void ZoneEditor::Z_IDEditExit() {
  // A window still being filled, or one left without a zone, has no number
  // to compare with.
  if (!LinkedRecord()) return;
  Reporter& rep = Host().Questions();
  bool number = false;
  const int32_t typed = Z_IDEdit->cleanText().trimmed().toInt(&number);
  if (!number) {
    rep.ShowError(ErrorMsg::BadZoneId);
    Z_IDEdit->setFocus();
    return;
  }
  if (typed == m_wc.Vnum) return;
  if (rep.AskConfirm(ConfirmMsg::ChangeZoneId)) rep.ShowError(ErrorMsg::ZoneIdChangeUnavailable);
  Z_IDEdit->setValue(m_wc.Vnum);
}

bool ZoneEditor::eventFilter(QObject* watched, QEvent* e) {
  // Before the spin box puts its last good value back into a field that
  // holds no number.
  if (watched == Z_IDEdit && e->type() == QEvent::FocusOut) Z_IDEditExit();
  return EditorWindow::eventFilter(watched, e);
}

void ZoneEditor::Z_FileRadioGroupClick(int choice) {
  m_fileChoice = std::clamp(choice, 0, 2);
  for (size_t i = 0; i < Z_Files.size(); ++i) {
    const bool on = m_fileChoice == 0 || (m_fileChoice == 2 && i == 0);
    Z_Files[i].LineBreak->setEnabled(on);
    Z_Files[i].Coding->setEnabled(on);
  }
  if (QAbstractButton* b = Z_FileRadioGroup->button(m_fileChoice)) b->setChecked(true);
}

void ZoneEditor::ShowStatistics() {
  const World* w = &world();
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

void RegisterZoneEditor(EditorHost& host) {
  host.Windows().Register(kZone, [&host](TMUDClass& rec) {
    EnsureEditor<ZoneEditor>(host)->Edit(static_cast<TZone&>(rec));
  });
}

}  // namespace zm
