#pragma once
// The new-zone dialog and the command that creates a zone.
#include <QDialog>
#include <QString>
#include <memory>

#include "common/coding.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace Ui {
class NewZoneDialog;
}

namespace zm {

class AppContext;
class TZone;
class TZoneList;

// New zones are numbered within this range.
inline constexpr int32_t kMinNewZone = 1;
inline constexpr int32_t kMaxNewZone = 9999;

// One above the largest of 1 and every zone number.
int32_t ProposedZoneNumber(const TZoneList& zones);
// Why `n` cannot be a new zone's number; empty when it can.
QString ZoneNumberProblem(const TZoneList& zones, int32_t n);
// What most zone files of the world are written in; the fixed default in a
// world without zone files.
CodingWord NewZoneCodingWord(const TZoneList& zones);

class NewZoneDialog : public QDialog {
  Q_OBJECT
 public:
  explicit NewZoneDialog(QWidget* parent = nullptr);
  ~NewZoneDialog() override;

  void SetZones(const TZoneList* zones) { m_zones = zones; }
  // The number check of NumEditChange and NumEditKeyPress.
  void NumEditChange();

  QSpinBox* NumEdit() const;
  QPushButton* OkBtn() const;
  QLabel* NumInfoLabel() const;

 private:
  std::unique_ptr<Ui::NewZoneDialog> m_ui;
  const TZoneList* m_zones = nullptr;
};

// Asks for the number, registers the zone (files, tree nodes, name, map),
// sorts the zones and selects the new one; nullptr when cancelled.
TZone* CreateZone(AppContext& app, NewZoneDialog& form);

}  // namespace zm
