#include "app/worldoverview.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <set>
#include <vector>

#include "app/appcontext.h"
#include "app/loaderrorsdialog.h"
#include "editors/changetracker.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

constexpr int kZoneRole = Qt::UserRole + 1;

}  // namespace

WorldOverview::WorldOverview(AppContext& app, QMdiArea* area)
    : QWidget(area->viewport()), m_app(app), m_area(area) {
  setObjectName(QStringLiteral("WorldOverview"));
  setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(this);
  m_folder = new QLabel(this);
  m_folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont bold = m_folder->font();
  bold.setBold(true);
  m_folder->setFont(bold);
  m_totals = new QLabel(this);
  m_totals->setWordWrap(true);
  m_zones = new QTreeWidget(this);
  m_zones->setObjectName(QStringLiteral("OverviewZones"));
  m_zones->setRootIsDecorated(false);
  m_zones->setUniformRowHeights(true);
  m_zones->setHeaderLabels({QStringLiteral("Зона"), QStringLiteral("Комнат"),
                            QStringLiteral("Объектов"), QStringLiteral("Мобов"),
                            QStringLiteral("Магазинов"), QStringLiteral("Триггеров"),
                            QStringLiteral("Изменения")});
  // Whole names before the counts; narrow, the list scrolls sideways.
  m_zones->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  connect(m_zones, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { OpenZone(item); });
  auto* hint =
      new QLabel(QStringLiteral("Двойной щелчок или Enter по зоне открывает её редактор."), this);
  hint->setEnabled(false);
  auto* errors = new QHBoxLayout;
  m_errors = new QLabel(this);
  m_showErrors = new QPushButton(QStringLiteral("Показать…"), this);
  m_showErrors->setObjectName(QStringLiteral("OverviewShowErrors"));
  connect(m_showErrors, &QPushButton::clicked, this, [this] {
    if (!m_app.LoadErrorsWindow) return;
    m_app.LoadErrorsWindow->show();
    m_app.LoadErrorsWindow->raise();
  });
  errors->addWidget(m_errors);
  errors->addWidget(m_showErrors);
  errors->addStretch(1);
  layout->addWidget(m_folder);
  layout->addWidget(m_totals);
  layout->addWidget(m_zones, 1);
  layout->addWidget(hint);
  layout->addLayout(errors);

  area->viewport()->installEventFilter(this);
  Place();
}

void WorldOverview::Refresh() {
  const World* w = m_app.world;
  if (!w) return;
  m_folder->setText(QStringLiteral("Мир: %1").arg(QString::fromStdString(w->WorldPath.string())));
  std::set<int32_t> unsaved;
  if (m_app.Changes)
    for (const auto& [zone, kind] : m_app.Changes->Changed()) unsaved.insert(zone);

  m_zones->clear();
  std::vector<const TZone*> registered;
  for (const auto& z : w->Zones)
    if (z->Registered) registered.push_back(z.get());
  std::sort(registered.begin(), registered.end(),
            [](const TZone* a, const TZone* b) { return a->Vnum < b->Vnum; });
  const int zones = static_cast<int>(registered.size());
  for (const TZone* z : registered) {
    auto* item = new QTreeWidgetItem(m_zones);
    item->setText(0, ToQt(z->DisplayText()));
    item->setData(0, kZoneRole, z->Vnum);
    const int counts[] = {w->Rooms.CountInZone(z->Vnum), w->Objs.CountInZone(z->Vnum),
                          w->Mobs.CountInZone(z->Vnum), w->Shops.CountInZone(z->Vnum),
                          w->Triggers.CountInZone(z->Vnum)};
    for (int i = 0; i < 5; ++i) {
      item->setText(i + 1, QString::number(counts[i]));
      item->setTextAlignment(i + 1, Qt::AlignRight | Qt::AlignVCenter);
    }
    if (unsaved.count(z->Vnum)) item->setText(6, QStringLiteral("не сохранена"));
  }
  m_totals->setText(QStringLiteral("Зон: %1, комнат: %2, объектов: %3, мобов: %4, магазинов: "
                                   "%5, триггеров: %6. Зон с несохранёнными изменениями: %7.")
                        .arg(zones)
                        .arg(w->Rooms.Count())
                        .arg(w->Objs.Count())
                        .arg(w->Mobs.Count())
                        .arg(w->Shops.Count())
                        .arg(w->Triggers.Count())
                        .arg(unsaved.size()));
  const int errors = m_app.LoadErrorsWindow ? m_app.LoadErrorsWindow->ErrorListBox()->count() : 0;
  m_errors->setText(errors == 0
                        ? QStringLiteral("Мир загружен без ошибок и предупреждений.")
                        : QStringLiteral("Ошибок и предупреждений загрузки: %1.").arg(errors));
  m_showErrors->setVisible(errors > 0);
}

bool WorldOverview::eventFilter(QObject* watched, QEvent* e) {
  if (watched == m_area->viewport()) {
    switch (e->type()) {
      case QEvent::Resize:
      // A window is told when polished, whole: when added it is still
      // being made.
      case QEvent::ChildPolished:
      case QEvent::ChildRemoved:
        Place();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, e);
}

// Over the whole background, and only while no window is open.
void WorldOverview::Place() {
  setGeometry(m_area->viewport()->rect());
  bool windows = false;
  for (QObject* child : m_area->viewport()->children())
    if (qobject_cast<QMdiSubWindow*>(child)) windows = true;
  if (windows) {
    hide();
  } else if (isHidden()) {
    Refresh();
    show();
  }
}

void WorldOverview::OpenZone(QTreeWidgetItem* item) {
  if (!item || !m_app.world || !m_app.SelectRecord) return;
  if (TZone* z = m_app.world->Zones.ByNumber(item->data(0, kZoneRole).toInt()))
    m_app.SelectRecord(*z);
}

}  // namespace zm
