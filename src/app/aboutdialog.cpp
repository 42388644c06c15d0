#include "app/aboutdialog.h"

#include <QPainter>
#include <QPixmap>

#include "ui_aboutdialog.h"
#include "widgets/roomtiles.h"

namespace zm {
namespace {

// A few rooms joined by their exits, on a grid as the map editor shows one.
QPixmap AboutPicture(const RoomTiles& tiles) {
  QPixmap pic(250, 169);
  pic.fill(QColor(0, 96, 64));
  QPainter p(&pic);
  struct Cell {
    int x, y, mask;
  };
  const Cell cells[] = {
      {3, 2, kTileEast | kTileSouth},
      {4, 2, kTileWest | kTileEast},
      {5, 2, kTileWest | kTileSouth},
      {3, 3, kTileNorth | kTileSouth | kTileUp},
      {5, 3, kTileNorth | kTileEast},
      {6, 3, kTileWest | kTileSouth},
      {3, 4, kTileNorth | kTileEast},
      {4, 4, kTileWest | kTileEast | kTileDown},
      {5, 4, kTileWest},
      {6, 4, kTileNorth | kTileSouth},
      {6, 5, kTileNorth | kTileWest},
      {5, 5, kTileEast | kTileWest},
      {4, 5, kTileEast},
      {8, 6, kTileUp | kTileDown},
  };
  for (const Cell& c : cells) p.drawImage(c.x * 17 + 30, c.y * 17 + 10, tiles.RoomMap[c.mask]);
  p.drawImage(5 * 17 + 30, 3 * 17 + 10, tiles.FRoomMap[kTileNorth | kTileEast]);
  p.setPen(QColor(230, 230, 200));
  QFont f = p.font();
  f.setPointSize(16);
  f.setBold(true);
  p.setFont(f);
  p.drawText(QRect(0, 125, 250, 40), Qt::AlignCenter, QStringLiteral("Землемер"));
  return pic;
}

}  // namespace

AboutDialog::AboutDialog(const RoomTiles& tiles, QWidget* parent)
    : QDialog(parent), m_ui(new Ui::AboutDialog) {
  m_ui->setupUi(this);
  m_ui->Image1->setPixmap(AboutPicture(tiles));
  m_ui->RichEdit1->setHtml(
      QStringLiteral("<h3>Землемер</h3>"
                     "<p>Редактор мира для многопользовательской текстовой игры: зоны, комнаты, "
                     "объекты, мобы, магазины и триггеры в файлах CircleMUD 3.0 с дополнениями "
                     "русскоязычной игры.</p>"
                     "<p>Версия %1</p>"
                     "<p>Файлы мира читаются и пишутся в их собственной кодировке (Windows-1251 "
                     "или KOI8-R) и с их окончаниями строк.</p>"
                     "<p>Падежи имён склоняются по морфологическому словарю OpenCorpora "
                     "(лицензия CC BY-SA 3.0) в сборке pymorphy2 из пакета az 0.2.3 "
                     "(лицензия MIT).</p>")
          .arg(QStringLiteral(ZEMLEMER_VERSION)));
  connect(m_ui->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}

AboutDialog::~AboutDialog() = default;

}  // namespace zm
