#include "editors/mapgridwidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "widgets/roomtiles.h"

namespace zm {
namespace {

constexpr int kExtent = ZoneGrid::kCols * MapGridWidget::kPitch;
const QColor kLine(192, 192, 192);

}  // namespace

MapGridWidget::MapGridWidget(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  horizontalScrollBar()->setSingleStep(kPitch);
  verticalScrollBar()->setSingleStep(kPitch);
  updateScrollBars();
}

void MapGridWidget::SetSource(const ZoneGrid* grid, const RoomTiles* tiles,
                              std::function<int(int32_t)> tileOf) {
  m_grid = grid;
  m_tiles = tiles;
  m_tileOf = std::move(tileOf);
  for (size_t i = 0; i < m_inverted.size(); ++i) {
    m_inverted[i] = tiles ? tiles->RoomMap[i] : QImage();
    m_inverted[i].invertPixels();
  }
  viewport()->update();
}

void MapGridWidget::SetLevel(int level) {
  m_level = level;
  viewport()->update();
}

void MapGridWidget::SetSelectedRoom(int32_t vnum) {
  if (m_selected == vnum) return;
  m_selected = vnum;
  viewport()->update();
}

void MapGridWidget::SetCurrentCell(int col, int row) {
  m_col = std::clamp(col, 0, ZoneGrid::kCols - 1);
  m_row = std::clamp(row, 0, ZoneGrid::kRows - 1);
  ensureVisible(m_col, m_row);
  viewport()->update();
  emit CellSelected(m_col, m_row);
}

QPoint MapGridWidget::offset() const {
  return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

QPoint MapGridWidget::CellAt(const QPoint& pos) const {
  const QPoint content = pos + offset();
  if (content.x() < 0 || content.y() < 0) return {-1, -1};
  const int col = content.x() / kPitch, row = content.y() / kPitch;
  if (col >= ZoneGrid::kCols || row >= ZoneGrid::kRows) return {-1, -1};
  return {col, row};
}

QPoint MapGridWidget::TopLeftCell() const {
  return {offset().x() / kPitch, offset().y() / kPitch};
}

const QImage* MapGridWidget::tileImage(int tile, bool inverted) const {
  if (!m_tiles || tile < 0 || tile >= 64) return nullptr;
  const QImage& img = inverted ? m_inverted[static_cast<size_t>(tile)]
                               : m_tiles->RoomMap[static_cast<size_t>(tile)];
  return img.isNull() ? nullptr : &img;
}

void MapGridWidget::PaintCells(QPainter& p, const QRect& area) const {
  const QRect clip = area.intersected(QRect(0, 0, kExtent, kExtent));
  if (clip.isEmpty()) return;
  const int c0 = clip.left() / kPitch, c1 = std::min(clip.right() / kPitch, ZoneGrid::kCols - 1);
  const int r0 = clip.top() / kPitch, r1 = std::min(clip.bottom() / kPitch, ZoneGrid::kRows - 1);
  // White cells with a grid line after each: one fill and two hundred
  // lines rather than ten thousand cells.
  const QRect cells(QPoint(c0 * kPitch, r0 * kPitch),
                    QPoint((c1 + 1) * kPitch - 1, (r1 + 1) * kPitch - 1));
  p.fillRect(cells, Qt::white);
  p.setPen(kLine);
  for (int c = c0; c <= c1; ++c)
    p.drawLine(c * kPitch + kTile, cells.top(), c * kPitch + kTile, cells.bottom());
  for (int r = r0; r <= r1; ++r)
    p.drawLine(cells.left(), r * kPitch + kTile, cells.right(), r * kPitch + kTile);
  if (m_grid && m_tileOf) {
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) {
        const int32_t vnum = m_grid->At(c, r, m_level);
        if (vnum < 0) continue;
        if (const QImage* img = tileImage(m_tileOf(vnum), vnum == m_selected))
          p.drawImage(QPoint(c * kPitch, r * kPitch), *img);
      }
    }
  }
  if (m_col >= c0 && m_col <= c1 && m_row >= r0 && m_row <= r1) {
    p.setPen(Qt::blue);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(m_col * kPitch, m_row * kPitch, kTile - 1, kTile - 1));
  }
}

void MapGridWidget::paintEvent(QPaintEvent* e) {
  QPainter p(viewport());
  const QRect dirty = e->rect();
  p.fillRect(dirty, palette().color(QPalette::Window));
  p.translate(-offset());
  PaintCells(p, dirty.translated(offset()));
}

void MapGridWidget::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  updateScrollBars();
}

void MapGridWidget::updateScrollBars() {
  const QSize view = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, kExtent - view.width()));
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setRange(0, std::max(0, kExtent - view.height()));
  verticalScrollBar()->setPageStep(view.height());
}

void MapGridWidget::ensureVisible(int col, int row) {
  const QSize view = viewport()->size();
  const QRect cell(col * kPitch, row * kPitch, kPitch, kPitch);
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  if (cell.left() < h->value()) h->setValue(cell.left());
  if (cell.right() >= h->value() + view.width()) h->setValue(cell.right() - view.width() + 1);
  if (cell.top() < v->value()) v->setValue(cell.top());
  if (cell.bottom() >= v->value() + view.height()) v->setValue(cell.bottom() - view.height() + 1);
}

void MapGridWidget::mousePressEvent(QMouseEvent* e) {
  const QPoint cell = CellAt(e->position().toPoint());
  if (e->button() == Qt::LeftButton && cell.x() >= 0) SetCurrentCell(cell.x(), cell.y());
  QAbstractScrollArea::mousePressEvent(e);
}

void MapGridWidget::mouseMoveEvent(QMouseEvent* e) {
  const QPoint cell = CellAt(e->position().toPoint());
  emit CellHovered(cell.x(), cell.y());
  QAbstractScrollArea::mouseMoveEvent(e);
}

void MapGridWidget::keyPressEvent(QKeyEvent* e) {
  int col = m_col, row = m_row;
  switch (e->key()) {
    case Qt::Key_Left:
      --col;
      break;
    case Qt::Key_Right:
      ++col;
      break;
    case Qt::Key_Up:
      --row;
      break;
    case Qt::Key_Down:
      ++row;
      break;
    case Qt::Key_Home:
      col = 0;
      break;
    case Qt::Key_End:
      col = ZoneGrid::kCols - 1;
      break;
    case Qt::Key_PageUp:
      row -= std::max(1, viewport()->height() / kPitch);
      break;
    case Qt::Key_PageDown:
      row += std::max(1, viewport()->height() / kPitch);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(e);
      return;
  }
  SetCurrentCell(col, row);
}

}  // namespace zm
