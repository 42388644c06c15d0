#include "app/newzonedialog.h"

#include <QPushButton>
#include <map>

#include "app/appcontext.h"
#include "app/worldtree.h"
#include "editors/changetracker.h"
#include "io/zonefile.h"
#include "load/loadworld.h"
#include "model/world.h"
#include "ui_newzonedialog.h"
#include "widgets/modalrunner.h"
#include "widgets/qtext.h"

namespace zm {

int32_t ProposedZoneNumber(const TZoneList& zones) {
  int32_t top = 1;
  for (const auto& z : zones) top = std::max(top, z->Vnum);
  return top + 1;
}

QString ZoneNumberProblem(const TZoneList& zones, int32_t n) {
  if (n < kMinNewZone || n > kMaxNewZone)
    return QStringLiteral("Номер зоны должен быть от %1 до %2").arg(kMinNewZone).arg(kMaxNewZone);
  if (zones.ByNumber(n)) return QStringLiteral("Зона %1 уже есть").arg(n);
  return {};
}

CodingWord NewZoneCodingWord(const TZoneList& zones) {
  std::map<std::pair<int, int>, int> counts;
  CodingWord best = kDefaultCodingWord;
  int bestCount = 0;
  for (const auto& z : zones) {
    if (!z->Registered) continue;
    CodingWord w = z->ZoneFilename.Word();
    int c = ++counts[{w.Coding, w.LineBreak}];
    // On a tie the word met first stays.
    if (c > bestCount) {
      best = w;
      bestCount = c;
    }
  }
  return best;
}

NewZoneDialog::NewZoneDialog(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_ui(new Ui::NewZoneDialog) {
  m_ui->setupUi(this);
  connect(m_ui->NumEdit, &QSpinBox::textChanged, this, &NewZoneDialog::NumEditChange);
  connect(m_ui->OkBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

NewZoneDialog::~NewZoneDialog() = default;

QSpinBox* NewZoneDialog::NumEdit() const {
  return m_ui->NumEdit;
}
QPushButton* NewZoneDialog::OkBtn() const {
  return m_ui->OkBtn;
}
QLabel* NewZoneDialog::NumInfoLabel() const {
  return m_ui->NumInfoLabel;
}

void NewZoneDialog::NumEditChange() {
  bool ok = false;
  const int n = m_ui->NumEdit->cleanText().toInt(&ok);
  QString problem = !ok ? QStringLiteral("Введите число")
                        : (m_zones ? ZoneNumberProblem(*m_zones, n) : QString());
  m_ui->OkBtn->setEnabled(problem.isEmpty());
  m_ui->NumInfoLabel->setText(problem);
}

TZone* CreateZone(AppContext& app, NewZoneDialog& form) {
  World& w = *app.world;
  form.SetZones(&w.Zones);
  form.NumEdit()->setValue(ProposedZoneNumber(w.Zones));
  form.NumEditChange();
  if (app.Runner->Run(form) != QDialog::Accepted) return nullptr;
  const int32_t n = form.NumEdit()->value();
  // The dialog should not have let it through; a test runner might.
  if (!ZoneNumberProblem(w.Zones, n).isEmpty()) return nullptr;

  TZone* z = nullptr;
  app.TrackedZones(
      {n},
      [&] {
        auto zone = std::make_unique<TZone>(n);
        zone->ZoneFilename.SetWord(NewZoneCodingWord(w.Zones));
        std::filesystem::path zonDir = FindChildNoCase(w.WorldPath, "ZON");
        if (zonDir.empty()) zonDir = w.WorldPath / "ZON";
        z = zone.get();
        RegisterZoneFiles(w, *z, zonDir / (std::to_string(n) + ".zon"));
        w.Zones.Append(std::move(zone));
      },
      FromQt(QStringLiteral("новая зона %1").arg(n)));
  if (app.Changes) app.Changes->Mark(n, kZone);
  if (app.Tree) app.Tree->SortChildren(app.Tree->TopGroup(kZone));
  if (app.SelectRecord) app.SelectRecord(*z);
  return z;
}

}  // namespace zm
