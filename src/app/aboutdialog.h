#pragma once
#include <QDialog>
#include <memory>

namespace Ui {
class AboutDialog;
}

namespace zm {

struct RoomTiles;

// Made for each showing and freed after it.
class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  // The picture is a small map drawn with the room tiles.
  explicit AboutDialog(const RoomTiles& tiles, QWidget* parent = nullptr);
  ~AboutDialog() override;

 private:
  std::unique_ptr<Ui::AboutDialog> m_ui;
};

}  // namespace zm
