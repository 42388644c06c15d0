#include "widgets/roomtiles.h"

#include <QPainter>
#include <QPolygon>

namespace zm {

QImage DrawRoomTile(int mask, bool marked) {
  QImage img(16, 16, QImage::Format_RGB32);
  const QColor silver(192, 192, 192), gray(128, 128, 128);
  img.fill(silver);
  QPainter p(&img);
  // Raised edges: light from the top left.
  p.setPen(Qt::white);
  p.drawLine(0, 0, 15, 0);
  p.drawLine(0, 0, 0, 15);
  p.setPen(Qt::black);
  p.drawLine(15, 0, 15, 15);
  p.drawLine(0, 15, 15, 15);
  // A notch through the edge on the side of each horizontal exit.
  p.setPen(Qt::NoPen);
  p.setBrush(gray);
  if (mask & kTileNorth) p.drawRect(6, 0, 4, 2);
  if (mask & kTileSouth) p.drawRect(6, 14, 4, 2);
  if (mask & kTileWest) p.drawRect(0, 6, 2, 4);
  if (mask & kTileEast) p.drawRect(14, 6, 2, 4);
  p.setBrush(Qt::black);
  if (mask & kTileUp) p.drawPolygon(QPolygon({QPoint(8, 2), QPoint(11, 6), QPoint(5, 6)}));
  if (mask & kTileDown) p.drawPolygon(QPolygon({QPoint(5, 9), QPoint(11, 9), QPoint(8, 13)}));
  if (marked) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::red);
    p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
  }
  return img;
}

void RoomTiles::Draw() {
  for (int i = 0; i < 64; ++i) {
    RoomMap[static_cast<size_t>(i)] = DrawRoomTile(i, false);
    FRoomMap[static_cast<size_t>(i)] = DrawRoomTile(i, true);
  }
}

}  // namespace zm
