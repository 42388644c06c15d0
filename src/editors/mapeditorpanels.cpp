#include "editors/mapeditorpanels.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/mapgridwidget.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

// The window previews Ctrl wherever the focus is in it; the release counts
// wherever it happens, so the check box is never left disabled.
class CtrlWatch : public QObject {
 public:
  CtrlWatch(MapLevelPanel& panel, QWidget& window) : m_panel(panel), m_window(window) {
    qApp->installEventFilter(this);
  }
  ~CtrlWatch() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease)
      return QObject::eventFilter(watched, e);
    auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() != Qt::Key_Control || key->isAutoRepeat()) return false;
    if (e->type() == QEvent::KeyRelease) {
      m_panel.CtrlKey(false);
    } else {
      auto* w = qobject_cast<QWidget*>(watched);
      if (w && (w == &m_window || m_window.isAncestorOf(w))) m_panel.CtrlKey(true);
    }
    return false;
  }

 private:
  MapLevelPanel& m_panel;
  QWidget& m_window;
};

QLabel* Value(QWidget* parent, const char* name) {
  auto* label = Named(new QLabel(parent), name);
  label->setMinimumWidth(28);
  return label;
}

}  // namespace

// ------------------------------------------------------------ the level

MapLevelPanel::MapLevelPanel(QWidget& window, QWidget* parent) : QWidget(parent) {
  auto* col = new QVBoxLayout(this);
  col->setContentsMargins(0, 0, 0, 0);
  auto* pos = new QHBoxLayout();
  pos->addWidget(new QLabel(QStringLiteral("X:"), this));
  MapXLabel = Value(this, "MapXLabel");
  pos->addWidget(MapXLabel);
  pos->addWidget(new QLabel(QStringLiteral("Y:"), this));
  MapYLabel = Value(this, "MapYLabel");
  pos->addWidget(MapYLabel);
  pos->addStretch(1);
  MapDecZBtn = Named(new QPushButton(QStringLiteral("-"), this), "MapDecZBtn");
  MapZLabel = Value(this, "MapZLabel");
  MapZLabel->setAlignment(Qt::AlignCenter);
  MapIncZBtn = Named(new QPushButton(QStringLiteral("+"), this), "MapIncZBtn");
  for (QPushButton* b : {MapDecZBtn, MapIncZBtn}) b->setFixedWidth(26);
  pos->addWidget(new QLabel(QStringLiteral("Z:"), this));
  pos->addWidget(MapDecZBtn);
  pos->addWidget(MapZLabel);
  pos->addWidget(MapIncZBtn);
  col->addLayout(pos);

  auto* opts = new QHBoxLayout();
  MapAutoLinkCheckBox =
      Named(new QCheckBox(QStringLiteral("Автосвязывание"), this), "MapAutoLinkCheckBox");
  MapAutoLinkCheckBox->setChecked(true);
  opts->addWidget(MapAutoLinkCheckBox, 1);
  AutoArrangBtn = Named(new QPushButton(QStringLiteral("Авто"), this), "AutoArrangBtn");
  opts->addWidget(AutoArrangBtn);
  col->addLayout(opts);

  connect(MapDecZBtn, &QPushButton::clicked, this, &MapLevelPanel::MapDecZBtnClick);
  connect(MapIncZBtn, &QPushButton::clicked, this, &MapLevelPanel::MapIncZBtnClick);
  connect(AutoArrangBtn, &QPushButton::clicked, this, &MapLevelPanel::AutoArrangBtnClick);
  m_keyWatch = std::make_unique<CtrlWatch>(*this, window);
}

MapLevelPanel::~MapLevelPanel() = default;

void MapLevelPanel::ShowLevel(int level) {
  MapZLabel->setNum(level);
}

void MapLevelPanel::ShowCell(int col, int row) {
  MapXLabel->setNum(col);
  MapYLabel->setNum(row);
}

bool MapLevelPanel::AutoLink() const {
  return MapAutoLinkCheckBox->isChecked();
}

void MapLevelPanel::CtrlKey(bool down) {
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

void MapLevelPanel::MapDecZBtnClick() {
  emit LevelStepped(-1);
}

void MapLevelPanel::MapIncZBtnClick() {
  emit LevelStepped(1);
}

void MapLevelPanel::AutoArrangBtnClick() {
  emit ArrangeAsked();
}

// ------------------------------------------------------ unplaced rooms

MapRoomListPanel::MapRoomListPanel(EditorWindow& editor, const TZoneMap& map, const ZoneGrid& grid,
                                   QWidget* parent)
    : EditorPage(editor, parent), m_map(map), m_grid(grid) {
  auto* col = new QVBoxLayout(this);
  col->setContentsMargins(0, 0, 0, 0);
  col->addWidget(new QLabel(QStringLiteral("Нерасставленные комнаты"), this));
  MapRoomsListBox = Named(new QListWidget(this), "MapRoomsListBox");
  col->addWidget(MapRoomsListBox, 1);
  auto* place = new QHBoxLayout();
  MapRoomAddBtn = Named(new QPushButton(QStringLiteral("Поставить"), this), "MapRoomAddBtn");
  MapRoomDelBtn = Named(new QPushButton(QStringLiteral("Убрать"), this), "MapRoomDelBtn");
  place->addWidget(MapRoomAddBtn);
  place->addWidget(MapRoomDelBtn);
  col->addLayout(place);

  connect(MapRoomAddBtn, &QPushButton::clicked, this, &MapRoomListPanel::MapRoomAddBtnClick);
  connect(MapRoomDelBtn, &QPushButton::clicked, this, &MapRoomListPanel::MapRoomDelBtnClick);
  connect(MapRoomsListBox, &QListWidget::currentRowChanged, this,
          &MapRoomListPanel::MapRoomsListBoxClick);
}

void MapRoomListPanel::ShowRecord() {
  {
    const QSignalBlocker block(MapRoomsListBox);
    MapRoomsListBox->clear();
  }
  for (const auto& r : Editor().world().Rooms)
    if (r->Zone == m_map.Zone && m_grid.At(r->MapX, r->MapY, r->MapZ) != r->Vnum) Add(*r);
}

int32_t MapRoomListPanel::vnumOf(const QListWidgetItem* item) const {
  if (!item) return -1;
  bool ok = false;
  const int32_t vnum = item->data(Qt::UserRole).toInt(&ok);
  if (ok) return vnum;
  // The number between the leading "[" and the first "]".
  const QString t = item->text();
  const int close = t.indexOf(u']');
  return t.startsWith(u'[') && close > 0 ? t.mid(1, close - 1).toInt() : -1;
}

int MapRoomListPanel::Row(int32_t vnum) const {
  for (int i = 0; i < MapRoomsListBox->count(); ++i)
    if (vnumOf(MapRoomsListBox->item(i)) == vnum) return i;
  return -1;
}

int MapRoomListPanel::Add(const TRoom& r) {
  int row = 0;
  while (row < MapRoomsListBox->count() && vnumOf(MapRoomsListBox->item(row)) <= r.Vnum) ++row;
  auto* item = new QListWidgetItem(ToQt(NodeCaption(r.Vnum, r.Name)));
  item->setData(Qt::UserRole, r.Vnum);
  const QSignalBlocker block(MapRoomsListBox);
  MapRoomsListBox->insertItem(row, item);
  return row;
}

void MapRoomListPanel::Take(int32_t vnum) {
  const QSignalBlocker block(MapRoomsListBox);
  const int i = Row(vnum);
  delete MapRoomsListBox->takeItem(i);
  const int n = MapRoomsListBox->count();
  MapRoomsListBox->setCurrentRow(n == 0 ? -1 : std::min(i, n - 1));
}

void MapRoomListPanel::Forget(int32_t vnum) {
  if (const int row = Row(vnum); row >= 0) {
    const QSignalBlocker block(MapRoomsListBox);
    delete MapRoomsListBox->takeItem(row);
  }
}

void MapRoomListPanel::SetCurrentRow(int row) {
  const QSignalBlocker block(MapRoomsListBox);
  MapRoomsListBox->setCurrentRow(row);
}

void MapRoomListPanel::MapRoomsListBoxClick() {
  const int32_t vnum = vnumOf(MapRoomsListBox->currentItem());
  if (vnum >= 0 && Editor().world().Rooms.Find(vnum)) emit RoomChosen(vnum);
}

void MapRoomListPanel::MapRoomAddBtnClick() {
  const int entry = MapRoomsListBox->currentRow();
  const int32_t vnum = entry >= 0 ? vnumOf(MapRoomsListBox->item(entry)) : -1;
  if (Editor().world().Rooms.Find(vnum)) emit PlaceAsked(vnum);
}

void MapRoomListPanel::MapRoomDelBtnClick() {
  emit TakeOffAsked();
}

// ------------------------------------------------------- the overview

MapOverviewPanel::MapOverviewPanel(QWidget* parent) : QWidget(parent) {
  auto* col = new QVBoxLayout(this);
  col->setContentsMargins(0, 0, 0, 0);
  MiniMapPanel = Named(new QGroupBox(QStringLiteral("Миникарта"), this), "MiniMapPanel");
  auto* mini = new QVBoxLayout(MiniMapPanel);
  MiniMapImage = Named(new QLabel(MiniMapPanel), "MiniMapImage");
  MiniMapImage->setFixedSize(ZoneGrid::kCols, ZoneGrid::kRows);
  mini->addWidget(MiniMapImage, 0, Qt::AlignCenter);
  col->addWidget(MiniMapPanel);

  MapRoomText = Named(new QLabel(this), "MapRoomText");
  MapRoomText->setWordWrap(true);
  MapRoomText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  MapRoomText->setFrameShape(QFrame::StyledPanel);
  MapRoomText->setMinimumHeight(110);
  MapRoomText->setTextFormat(Qt::PlainText);
  col->addWidget(MapRoomText);
}

void MapOverviewPanel::DrawMiniMap(const ZoneGrid& grid, int level, const World& w) {
  QImage img(ZoneGrid::kCols, ZoneGrid::kRows, QImage::Format_RGB32);
  img.fill(palette().color(QPalette::Button));
  for (int y = 0; y < ZoneGrid::kRows; ++y)
    for (int x = 0; x < ZoneGrid::kCols; ++x)
      if (const int32_t v = grid.At(x, y, level); v >= 0 && w.Rooms.Find(v))
        img.setPixel(x, y, qRgb(0, 0, 0));
  MiniMapImage->setPixmap(QPixmap::fromImage(img));
}

void MapOverviewPanel::ShowRoom(const TRoom* r, const World& w) {
  if (!r) {
    MapRoomText->clear();
    return;
  }
  QStringList lines{ToQt(NodeCaption(r->Vnum, r->Name))};
  for (const auto& m : r->Mobs) lines << QStringLiteral("м ") + ToQt(w.Mobs.CaptionOf(m->ID));
  for (const auto& o : r->Objects) lines << QStringLiteral("о ") + ToQt(w.Objs.CaptionOf(o->ID));
  MapRoomText->setText(lines.join(u'\n'));
}

}  // namespace zm
