#pragma once
#include <QDialog>
#include <memory>

namespace Ui {
class TAboutForm;
}

namespace zm {

struct RoomTiles;

// Made for each showing and freed after it.
class TAboutForm : public QDialog {
  Q_OBJECT
 public:
  // The picture is a small map drawn with the room tiles.
  explicit TAboutForm(const RoomTiles& tiles, QWidget* parent = nullptr);
  ~TAboutForm() override;

 private:
  std::unique_ptr<Ui::TAboutForm> m_ui;
};

}  // namespace zm
