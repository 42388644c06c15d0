#pragma once
// The map editor's grid: which room sits on which cell of the 100×100×9
// grid, and the widget that draws one level of it at a 17-pixel pitch.
#include <QAbstractScrollArea>
#include <QImage>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/rooms.h"

namespace zm {

struct RoomTiles;

class ZoneGrid {
 public:
  static constexpr int kCols = kMapCols, kRows = kMapRows, kLevels = kMapLevels;

  static bool Inside(int x, int y, int z) { return OnMapGrid(x, y, z); }
  // -1 for an empty cell or one outside the grid.
  int32_t At(int x, int y, int z) const { return Inside(x, y, z) ? m_cells[index(x, y, z)] : -1; }
  // Cells outside the grid are never written.
  void Set(int x, int y, int z, int32_t vnum) {
    if (Inside(x, y, z)) m_cells[index(x, y, z)] = vnum;
  }
  void Clear() { m_cells.assign(m_cells.size(), -1); }

 private:
  static size_t index(int x, int y, int z) {
    return (static_cast<size_t>(z - 1) * kRows + static_cast<size_t>(y)) * kCols +
           static_cast<size_t>(x);
  }
  std::vector<int32_t> m_cells = std::vector<int32_t>(size_t{kCols} * kRows * kLevels, -1);
};

class MapGridWidget : public QAbstractScrollArea {
  Q_OBJECT
 public:
  static constexpr int kTile = 16;
  static constexpr int kPitch = kTile + 1;  // a 1-pixel grid line after each cell

  explicit MapGridWidget(QWidget* parent = nullptr);

  // What is drawn: `tileOf` gives a room's tile number, or -1 when there is
  // no room with that vnum.
  void SetSource(const ZoneGrid* grid, const RoomTiles* tiles,
                 std::function<int(int32_t vnum)> tileOf);
  void SetLevel(int level);
  int Level() const { return m_level; }
  void SetSelectedRoom(int32_t vnum);

  // The focused cell; setting it brings it into view and reports it.
  int Col() const { return m_col; }
  int Row() const { return m_row; }
  void SetCurrentCell(int col, int row);
  // The cell under a point of the viewport, or (-1, -1).
  QPoint CellAt(const QPoint& viewportPos) const;
  // The first visible column and row.
  QPoint TopLeftCell() const;

  // Draws the cells that meet `area` (content coordinates) with the content
  // origin at the painter's origin.
  void PaintCells(QPainter& p, const QRect& area) const;

 signals:
  void CellSelected(int col, int row);
  // (-1, -1) when the mouse is over no cell.
  void CellHovered(int col, int row);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void updateScrollBars();
  void ensureVisible(int col, int row);
  QPoint offset() const;
  const QImage* tileImage(int tile, bool inverted) const;

  const ZoneGrid* m_grid = nullptr;
  const RoomTiles* m_tiles = nullptr;
  std::function<int(int32_t)> m_tileOf;
  std::array<QImage, 64> m_inverted;  // made once from the tiles
  int m_level = 3;
  int32_t m_selected = -1;
  int m_col = 0, m_row = 0;
};

}  // namespace zm
