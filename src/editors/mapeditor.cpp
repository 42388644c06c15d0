#include "editors/mapeditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "load/arrange.h"
#include "model/world.h"
#include "widgets/qtext.h"
#include "widgets/roomtiles.h"

namespace zm {
namespace {

// Neighbour cells in the order in which a placed room is linked: north,
// west, south, east, down, up.
struct Step {
  int dir, dx, dy, dz;
};
constexpr std::array<Step, kDirections> kLinkOrder = {{{kNorth, 0, -1, 0},
                                                       {kWest, -1, 0, 0},
                                                       {kSouth, 0, 1, 0},
                                                       {kEast, 1, 0, 0},
                                                       {kDown, 0, 0, -1},
                                                       {kUp, 0, 0, 1}}};
constexpr std::array<int, kDirections> kOpposite = {kSouth, kWest, kNorth, kEast, kDown, kUp};
constexpr std::array<int, kDirections> kTileBit = {kTileNorth, kTileEast, kTileSouth,
                                                   kTileWest,  kTileUp,   kTileDown};

void ResetExit(TRoomExit& e, int32_t to) {
  e = TRoomExit{};
  e.ToRoom = to;
}

}  // namespace

MapEditor::MapEditor(EditorHost& host, QWidget* parent) : EditorWindow(host, kZoneMap, parent) {
  setObjectName("MapForm");
  setWindowTitle(QStringLiteral("()"));
  buildUi();
  connectControls();
  BindDictionary(MR_EStateComboBox);
  BindDictionary(MR_EDoorComboBox);
  ApplyHints({{AutoArrangBtn, QStringLiteral("MapAutoArrange")},
              {MapRoomsListBox, QStringLiteral("MapRooms")},
              {MapGoBtn, QStringLiteral("MapGo")},
              {MapGoExitBtn, QStringLiteral("MapGoExit")}});
  m_keyType = host.Settings().KeyObjectType;
  MapDrawGrid->SetSource(&m_grid, &host.Tiles(), [this](int32_t vnum) { return tileOf(vnum); });
  setLevel(3);
  UpdateRoomPanel();
}

MapEditor::~MapEditor() = default;

TRoom* MapEditor::room(int32_t vnum) const {
  return world().Rooms.Find(vnum);
}

TRoom* MapEditor::selectedRoom() const {
  return m_selected >= 0 ? room(m_selected) : nullptr;
}

int MapEditor::tileOf(int32_t vnum) const {
  const TRoom* r = room(vnum);
  if (!r) return -1;
  int tile = 0;
  for (int d = 0; d < kDirections; ++d)
    if (r->Exits[static_cast<size_t>(d)].ToRoom > 0) tile |= kTileBit[static_cast<size_t>(d)];
  return tile;
}

void MapEditor::Tracked(const std::function<void()>& op) {
  Document().Tracked(m_map.Zone, op);
}

void MapEditor::Edit(TZoneMap& map) {
  StoreExitFields();
  m_map.Zone = m_map.Vnum = map.Zone;
  LinkRecord(&map);
  const World* w = &world();
  const QString caption =
      QStringLiteral("карта %1").arg(w ? ToQt(w->Zones.ZoneNameOf(map.Zone)) : QString());
  setWindowTitle(caption);
  m_selected = -1;
  FillGrid();
  showRoomsLevel(true);
  UpdateRoomPanel();
}

void MapEditor::Apply() {
  StoreExitFields();
}

bool MapEditor::ForgetRecord(const TMUDClass& rec) {
  // Without its zone the window has nothing left to show.
  if (&rec == LinkedRecord() || (rec.Kind == kZone && rec.Vnum == m_map.Zone)) return false;
  if (rec.Kind != kRoom || rec.Zone != m_map.Zone) return true;
  const auto& r = static_cast<const TRoom&>(rec);
  if (m_grid.At(r.MapX, r.MapY, r.MapZ) == r.Vnum) m_grid.Set(r.MapX, r.MapY, r.MapZ, -1);
  if (const int row = listRow(r.Vnum); row >= 0) {
    const QSignalBlocker block(MapRoomsListBox);
    delete MapRoomsListBox->takeItem(row);
  }
  if (m_selected == r.Vnum) {
    m_selected = -1;
    m_fieldsRoom = -1;
    UpdateRoomPanel();
  }
  repaintMap();
  return true;
}

// ------------------------------------------------------ grid and lists

void MapEditor::FillGrid() {
  m_grid.Clear();
  {
    const QSignalBlocker block(MapRoomsListBox);
    MapRoomsListBox->clear();
  }
  if (const World* w = &world()) {
    for (const auto& r : w->Rooms) {
      if (r->Zone != m_map.Zone) continue;
      // The rule of UnplaceHiddenRooms, which loading and arranging apply:
      // a room off the grid or on a cell an earlier room holds is unplaced.
      if (ZoneGrid::Inside(r->MapX, r->MapY, r->MapZ) && m_grid.At(r->MapX, r->MapY, r->MapZ) < 0)
        m_grid.Set(r->MapX, r->MapY, r->MapZ, r->Vnum);
      else
        addListEntry(*r);
    }
  }
  repaintMap();
}

int32_t MapEditor::listVnum(const QListWidgetItem* item) const {
  if (!item) return -1;
  bool ok = false;
  const int32_t vnum = item->data(Qt::UserRole).toInt(&ok);
  if (ok) return vnum;
  // The number between the leading "[" and the first "]".
  const QString t = item->text();
  const int close = t.indexOf(u']');
  return t.startsWith(u'[') && close > 0 ? t.mid(1, close - 1).toInt() : -1;
}

int MapEditor::listRow(int32_t vnum) const {
  for (int i = 0; i < MapRoomsListBox->count(); ++i)
    if (listVnum(MapRoomsListBox->item(i)) == vnum) return i;
  return -1;
}

int MapEditor::addListEntry(const TRoom& r) {
  int row = 0;
  while (row < MapRoomsListBox->count() && listVnum(MapRoomsListBox->item(row)) <= r.Vnum) ++row;
  auto* item = new QListWidgetItem(ToQt(NodeCaption(r.Vnum, r.Name)));
  item->setData(Qt::UserRole, r.Vnum);
  const QSignalBlocker block(MapRoomsListBox);
  MapRoomsListBox->insertItem(row, item);
  return row;
}

void MapEditor::repaintMap() {
  MapDrawGrid->SetSelectedRoom(m_selected);
  MapDrawGrid->viewport()->update();
  DrawMiniMap();
}

void MapEditor::DrawMiniMap() {
  QImage img(ZoneGrid::kCols, ZoneGrid::kRows, QImage::Format_RGB32);
  img.fill(palette().color(QPalette::Button));
  for (int y = 0; y < ZoneGrid::kRows; ++y)
    for (int x = 0; x < ZoneGrid::kCols; ++x)
      if (const int32_t v = m_grid.At(x, y, m_level); v >= 0 && room(v))
        img.setPixel(x, y, qRgb(0, 0, 0));
  MiniMapImage->setPixmap(QPixmap::fromImage(img));
}

void MapEditor::setLevel(int level) {
  m_level = std::clamp(level, 1, ZoneGrid::kLevels);
  MapZLabel->setNum(m_level);
  MapDrawGrid->SetLevel(m_level);
  DrawMiniMap();
}

void MapEditor::showRoomsLevel(bool busiest) {
  // An empty level would make a placed zone look unplaced: the level that
  // holds most rooms is shown instead (and always for a map just opened),
  // with its first room in view.
  std::array<int, ZoneGrid::kLevels + 1> rooms{};
  for (int z = 1; z <= ZoneGrid::kLevels; ++z)
    for (int y = 0; y < ZoneGrid::kRows; ++y)
      for (int x = 0; x < ZoneGrid::kCols; ++x)
        if (m_grid.At(x, y, z) >= 0) ++rooms[static_cast<size_t>(z)];
  int level = m_level;
  if (busiest || rooms[static_cast<size_t>(level)] == 0)
    for (int z = 1; z <= ZoneGrid::kLevels; ++z)
      if (rooms[static_cast<size_t>(z)] > rooms[static_cast<size_t>(level)]) level = z;
  setLevel(level);
  for (int y = 0; y < ZoneGrid::kRows; ++y)
    for (int x = 0; x < ZoneGrid::kCols; ++x)
      if (m_grid.At(x, y, level) >= 0) {
        MapDrawGrid->SetCurrentCell(x, y);
        return;
      }
}

void MapEditor::MapDecZBtnClick() {
  setLevel(m_level - 1);
}

void MapEditor::MapIncZBtnClick() {
  setLevel(m_level + 1);
}

void MapEditor::MapDrawGridMouseMove(int col, int row) {
  if (col < 0 || row < 0) {
    MapRoomText->clear();
    return;
  }
  MapXLabel->setNum(col);
  MapYLabel->setNum(row);
  const TRoom* r = room(m_grid.At(col, row, m_level));
  const World* w = &world();
  if (!r || !w) {
    MapRoomText->clear();
    return;
  }
  QStringList lines{ToQt(NodeCaption(r->Vnum, r->Name))};
  for (const auto& m : r->Mobs) lines << QStringLiteral("м ") + ToQt(w->Mobs.CaptionOf(m->ID));
  for (const auto& o : r->Objects) lines << QStringLiteral("о ") + ToQt(w->Objs.CaptionOf(o->ID));
  MapRoomText->setText(lines.join(u'\n'));
}

void MapEditor::selectRoom(int32_t vnum) {
  StoreExitFields();
  m_selected = vnum;
  MapDrawGrid->SetSelectedRoom(vnum);
  UpdateRoomPanel();
}

void MapEditor::MapDrawGridSelectCell(int col, int row) {
  const int32_t vnum = m_grid.At(col, row, m_level);
  selectRoom(room(vnum) ? vnum : -1);
}

void MapEditor::MapRoomsListBoxClick() {
  const int32_t vnum = listVnum(MapRoomsListBox->currentItem());
  if (vnum >= 0 && room(vnum)) selectRoom(vnum);
}

// ------------------------------------------------ placing and taking off

void MapEditor::linkNeighbours(TRoom& r, int col, int row) {
  for (const Step& s : kLinkOrder) {
    // Beyond the edge of the grid there is only an empty cell.
    const int32_t v = m_grid.At(col + s.dx, row + s.dy, m_level + s.dz);
    TRoom* other = v >= 0 ? room(v) : nullptr;
    ResetExit(r.Exits[static_cast<size_t>(s.dir)], v >= 0 ? v : -1);
    if (other && other != &r)
      ResetExit(other->Exits[static_cast<size_t>(kOpposite[static_cast<size_t>(s.dir)])], r.Vnum);
  }
}

void MapEditor::MapRoomAddBtnClick() {
  const int entry = MapRoomsListBox->currentRow();
  TRoom* r = entry >= 0 ? room(listVnum(MapRoomsListBox->item(entry))) : nullptr;
  if (!r) return;
  StoreExitFields();
  const int col = MapDrawGrid->Col(), row = MapDrawGrid->Row();
  Tracked([&] {
    if (TRoom* prev = room(m_grid.At(col, row, m_level)); prev && prev != r) {
      prev->MapX = prev->MapY = prev->MapZ = -1;
      m_grid.Set(col, row, m_level, -1);
      addListEntry(*prev);
    }
    r->MapX = col;
    r->MapY = row;
    r->MapZ = m_level;
    if (MapAutoLinkCheckBox->isChecked()) linkNeighbours(*r, col, row);
  });
  m_selected = r->Vnum;
  {
    const QSignalBlocker block(MapRoomsListBox);
    const int i = listRow(r->Vnum);
    delete MapRoomsListBox->takeItem(i);
    const int n = MapRoomsListBox->count();
    MapRoomsListBox->setCurrentRow(n == 0 ? -1 : std::min(i, n - 1));
  }
  m_grid.Set(col, row, m_level, r->Vnum);
  repaintMap();
  UpdateRoomPanel();
}

void MapEditor::MapRoomDelBtnClick() {
  const int col = MapDrawGrid->Col(), row = MapDrawGrid->Row();
  TRoom* r = room(m_grid.At(col, row, m_level));
  if (!r) return;
  StoreExitFields();
  m_selected = r->Vnum;
  m_grid.Set(col, row, m_level, -1);
  Tracked([&] { r->MapX = r->MapY = r->MapZ = -1; });
  const int i = addListEntry(*r);
  {
    const QSignalBlocker block(MapRoomsListBox);
    MapRoomsListBox->setCurrentRow(i);
  }
  repaintMap();
  UpdateRoomPanel();
}

// --------------------------------------------------------- going places

void MapEditor::MapGoBtnClick() {
  TRoom* r = selectedRoom();
  if (r) Host().SelectInTree(*r);
}

bool MapEditor::GoToRoom(int32_t vnum) {
  TRoom* r = room(vnum);
  if (!r || r->Zone != m_map.Zone) return false;
  if (ZoneGrid::Inside(r->MapX, r->MapY, r->MapZ) && m_grid.At(r->MapX, r->MapY, r->MapZ) == vnum) {
    setLevel(r->MapZ);
    MapDrawGrid->SetCurrentCell(r->MapX, r->MapY);  // selects the room
    return true;
  }
  const int row = listRow(vnum);
  if (row < 0) return false;
  {
    const QSignalBlocker block(MapRoomsListBox);
    MapRoomsListBox->setCurrentRow(row);
  }
  MapRoomsListBoxClick();
  return true;
}

void MapEditor::MapGoExitBtnClick() {
  const TRoom* from = selectedRoom();
  const TRoom* to = from ? room(from->Exits[static_cast<size_t>(m_exit)].ToRoom) : nullptr;
  World* w = &world();
  if (!to || !w) return;
  const int32_t vnum = to->Vnum;
  if (to->Zone == m_map.Zone) {
    GoToRoom(vnum);
    return;
  }
  // Another zone: its map opens (in this window, as the tree would open it).
  TZoneMap* map = w->ZoneMaps.Items(w->ZoneMaps.FindByNumber(to->Zone));
  if (!map) {
    Status(QStringLiteral(" У зоны %1 нет карты").arg(to->Zone));
    return;
  }
  if (!Host().SelectInTree(*map)) Edit(*map);
  if (auto* current = qobject_cast<MapEditor*>(Current(Host(), kZoneMap))) current->GoToRoom(vnum);
}

void MapEditor::AutoArrangBtnClick() {
  World* w = &world();
  if (!Host().Questions().AskConfirm(ConfirmMsg::Arrange)) return;
  StoreExitFields();
  Tracked([&] { ArrangeZone(*w, m_map.Zone); });
  if (TZoneMap* map = w->ZoneMaps.Items(w->ZoneMaps.FindByNumber(m_map.Zone))) {
    Edit(*map);
  } else {
    m_selected = -1;
    FillGrid();
    showRoomsLevel();
    UpdateRoomPanel();
  }
}

void MapEditor::CtrlKey(bool down) {
  if (down && MapAutoLinkCheckBox->isEnabled()) {
    MapAutoLinkCheckBox->setChecked(!MapAutoLinkCheckBox->isChecked());
    MapAutoLinkCheckBox->setEnabled(false);
    m_ctrlHeld = true;
  } else if (!down && m_ctrlHeld) {
    MapAutoLinkCheckBox->setChecked(!MapAutoLinkCheckBox->isChecked());
    MapAutoLinkCheckBox->setEnabled(true);
    m_ctrlHeld = false;
  }
}

void RegisterMapEditor(EditorHost& host) {
  host.Windows().Register(kZoneMap, [&host](TMUDClass& rec) {
    EnsureEditor<MapEditor>(host)->Edit(static_cast<TZoneMap&>(rec));
  });
}

}  // namespace zm
