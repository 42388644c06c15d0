#include "editors/mapeditor.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "common/reporter.h"
#include "editors/editorparts.h"
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
  auto* top = new QHBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  MapDrawGrid = Named(new MapGridWidget(this), "MapDrawGrid");
  top->addWidget(MapDrawGrid, 1);
  auto* side = new QWidget(this);
  side->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  auto* col = new QVBoxLayout(side);
  col->setContentsMargins(0, 0, 0, 0);
  m_levels = new MapLevelPanel(*this, side);
  col->addWidget(m_levels);
  m_rooms = new MapRoomListPanel(*this, m_map, m_grid, side);
  col->addWidget(m_rooms, 1);
  m_overview = new MapOverviewPanel(side);
  col->addWidget(m_overview);
  top->addWidget(side);
  m_exits = new MapExitsPanel(*this, m_map);
  top->addWidget(m_exits);

  connect(MapDrawGrid, &MapGridWidget::CellSelected, this, &MapEditor::MapDrawGridSelectCell);
  connect(MapDrawGrid, &MapGridWidget::CellHovered, this, &MapEditor::MapDrawGridMouseMove);
  connect(m_levels, &MapLevelPanel::LevelStepped, this, [this](int by) { setLevel(m_level + by); });
  connect(m_levels, &MapLevelPanel::ArrangeAsked, this, &MapEditor::arrange);
  connect(m_rooms, &MapRoomListPanel::RoomChosen, this, &MapEditor::selectRoom);
  connect(m_rooms, &MapRoomListPanel::PlaceAsked, this, &MapEditor::place);
  connect(m_rooms, &MapRoomListPanel::TakeOffAsked, this, &MapEditor::takeOff);
  connect(m_exits, &MapExitsPanel::TargetChanged, this, &MapEditor::repaintMap);
  connect(m_exits, &MapExitsPanel::GoToAsked, this, &MapEditor::goToTarget);

  ApplyHints({{m_levels->AutoArrangBtn, QStringLiteral("MapAutoArrange")},
              {m_rooms->MapRoomsListBox, QStringLiteral("MapRooms")},
              {m_exits->MapGoBtn, QStringLiteral("MapGo")},
              {m_exits->MapGoExitBtn, QStringLiteral("MapGoExit")}});
  MapDrawGrid->SetSource(&m_grid, &host.Tiles(), [this](int32_t vnum) { return tileOf(vnum); });
  setLevel(3);
  m_exits->ShowRecord();
}

MapEditor::~MapEditor() = default;

TRoom* MapEditor::room(int32_t vnum) const {
  return world().Rooms.Find(vnum);
}

int MapEditor::tileOf(int32_t vnum) const {
  const TRoom* r = room(vnum);
  if (!r) return -1;
  int tile = 0;
  for (int d = 0; d < kDirections; ++d)
    if (r->Exits[static_cast<size_t>(d)].ToRoom > 0) tile |= kTileBit[static_cast<size_t>(d)];
  return tile;
}

void MapEditor::tracked(const std::function<void()>& op) {
  Document().Tracked(m_map.Zone, op);
}

void MapEditor::Edit(TZoneMap& map) {
  m_exits->StoreRecord();
  m_map.Zone = m_map.Vnum = map.Zone;
  LinkRecord(&map);
  const World* w = &world();
  const QString caption =
      QStringLiteral("карта %1").arg(w ? ToQt(w->Zones.ZoneNameOf(map.Zone)) : QString());
  setWindowTitle(caption);
  m_exits->SetRoom(-1);
  fillGrid();
  showRoomsLevel(true);
  m_exits->ShowRecord();
}

void MapEditor::ShowAgain() {
  if (!LinkedRecord()) return;
  const int32_t room = SelectedRoom();
  m_exits->SetRoom(world().Rooms.Find(room) ? room : -1);
  fillGrid();
  showRoomsLevel();
  m_exits->ShowRecord();
}

void MapEditor::Apply() {
  m_exits->StoreRecord();
}

bool MapEditor::ForgetRecord(const TMUDClass& rec) {
  // Without its zone the window has nothing left to show.
  if (&rec == LinkedRecord() || (rec.Kind == kZone && rec.Vnum == m_map.Zone)) return false;
  if (rec.Kind != kRoom || rec.Zone != m_map.Zone) return true;
  const auto& r = static_cast<const TRoom&>(rec);
  if (m_grid.At(r.MapX, r.MapY, r.MapZ) == r.Vnum) m_grid.Set(r.MapX, r.MapY, r.MapZ, -1);
  m_rooms->Forget(r.Vnum);
  if (SelectedRoom() == r.Vnum) {
    m_exits->SetRoom(-1);
    m_exits->ShowRecord();
  }
  repaintMap();
  return true;
}

// ------------------------------------------------------ grid and level

void MapEditor::fillGrid() {
  m_grid.Clear();
  // The rule of UnplaceHiddenRooms, which loading and arranging apply: a
  // room off the grid or on a cell an earlier room holds is unplaced.
  for (const auto& r : world().Rooms)
    if (r->Zone == m_map.Zone && ZoneGrid::Inside(r->MapX, r->MapY, r->MapZ) &&
        m_grid.At(r->MapX, r->MapY, r->MapZ) < 0)
      m_grid.Set(r->MapX, r->MapY, r->MapZ, r->Vnum);
  m_rooms->ShowRecord();
  repaintMap();
}

void MapEditor::repaintMap() {
  MapDrawGrid->SetSelectedRoom(SelectedRoom());
  MapDrawGrid->viewport()->update();
  m_overview->DrawMiniMap(m_grid, m_level, world());
}

void MapEditor::setLevel(int level) {
  m_level = std::clamp(level, 1, ZoneGrid::kLevels);
  m_levels->ShowLevel(m_level);
  MapDrawGrid->SetLevel(m_level);
  m_overview->DrawMiniMap(m_grid, m_level, world());
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

void MapEditor::MapDrawGridMouseMove(int col, int row) {
  if (col < 0 || row < 0) {
    m_overview->ShowRoom(nullptr, world());
    return;
  }
  m_levels->ShowCell(col, row);
  m_overview->ShowRoom(room(m_grid.At(col, row, m_level)), world());
}

void MapEditor::selectRoom(int32_t vnum) {
  m_exits->StoreRecord();
  m_exits->SetRoom(vnum);
  MapDrawGrid->SetSelectedRoom(vnum);
  m_exits->ShowRecord();
}

void MapEditor::MapDrawGridSelectCell(int col, int row) {
  const int32_t vnum = m_grid.At(col, row, m_level);
  selectRoom(room(vnum) ? vnum : -1);
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

void MapEditor::place(int32_t vnum) {
  TRoom* r = room(vnum);
  if (!r) return;
  m_exits->StoreRecord();
  const int col = MapDrawGrid->Col(), row = MapDrawGrid->Row();
  tracked([&] {
    if (TRoom* prev = room(m_grid.At(col, row, m_level)); prev && prev != r) {
      prev->MapX = prev->MapY = prev->MapZ = -1;
      m_grid.Set(col, row, m_level, -1);
      m_rooms->Add(*prev);
    }
    r->MapX = col;
    r->MapY = row;
    r->MapZ = m_level;
    if (m_levels->AutoLink()) linkNeighbours(*r, col, row);
  });
  m_exits->SetRoom(r->Vnum);
  m_rooms->Take(r->Vnum);
  m_grid.Set(col, row, m_level, r->Vnum);
  repaintMap();
  m_exits->ShowRecord();
}

void MapEditor::takeOff() {
  const int col = MapDrawGrid->Col(), row = MapDrawGrid->Row();
  TRoom* r = room(m_grid.At(col, row, m_level));
  if (!r) return;
  m_exits->StoreRecord();
  m_exits->SetRoom(r->Vnum);
  m_grid.Set(col, row, m_level, -1);
  tracked([&] { r->MapX = r->MapY = r->MapZ = -1; });
  m_rooms->SetCurrentRow(m_rooms->Add(*r));
  repaintMap();
  m_exits->ShowRecord();
}

// --------------------------------------------------------- going places

bool MapEditor::GoToRoom(int32_t vnum) {
  TRoom* r = room(vnum);
  if (!r || r->Zone != m_map.Zone) return false;
  if (ZoneGrid::Inside(r->MapX, r->MapY, r->MapZ) && m_grid.At(r->MapX, r->MapY, r->MapZ) == vnum) {
    setLevel(r->MapZ);
    MapDrawGrid->SetCurrentCell(r->MapX, r->MapY);  // selects the room
    return true;
  }
  const int row = m_rooms->Row(vnum);
  if (row < 0) return false;
  m_rooms->SetCurrentRow(row);
  m_rooms->MapRoomsListBoxClick();
  return true;
}

void MapEditor::goToTarget(int32_t vnum) {
  const TRoom* to = room(vnum);
  World* w = &world();
  if (!to || !w) return;
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

void MapEditor::arrange() {
  World* w = &world();
  if (!Host().Questions().AskConfirm(ConfirmMsg::Arrange)) return;
  m_exits->StoreRecord();
  Document().Tracked(
      m_map.Zone, [&] { ArrangeZone(*w, m_map.Zone); },
      FromQt(QStringLiteral("авторасстановка зоны %1").arg(m_map.Zone)));
  if (TZoneMap* map = w->ZoneMaps.Items(w->ZoneMaps.FindByNumber(m_map.Zone))) {
    Edit(*map);
  } else {
    m_exits->SetRoom(-1);
    fillGrid();
    showRoomsLevel();
    m_exits->ShowRecord();
  }
}

void RegisterMapEditor(EditorHost& host) {
  host.Windows().Register(kZoneMap, [&host](TMUDClass& rec) {
    EnsureEditor<MapEditor>(host)->Edit(static_cast<TZoneMap&>(rec));
  });
}

}  // namespace zm
