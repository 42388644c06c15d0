#include "app/findresults.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>

#include "app/appcontext.h"
#include "editors/worlddocument.h"
#include "json/fieldsearch.h"
#include "model/world.h"
#include "query/references.h"
#include "query/search.h"
#include "query/worldcheck.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

const char* KindWord(RecordKind kind) {
  static constexpr std::array<const char*, kRecordKinds> kWords = {
      "Зона", "Комната", "Карта", "Предмет", "Моб", "Магазин", "Триггер"};
  return kWords[kind];
}

// The kinds the search offers, after "все".
constexpr std::array<RecordKind, 6> kSearchKinds = {kRoom,    kObject, kMobile,
                                                    kTrigger, kShop,   kZone};

}  // namespace

FindResults::FindResults(AppContext& app, QWidget* parent)
    : QDockWidget(QStringLiteral("Поиск"), parent), m_app(app) {
  setObjectName("FindResultsDock");
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  auto* body = new QWidget(this);
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(4, 2, 4, 4);
  auto* bar = new QHBoxLayout();
  m_edit = new QLineEdit(body);
  m_edit->setObjectName("FindEdit");
  m_edit->setPlaceholderText(QStringLiteral("слова из названий, описаний, скриптов…"));
  m_kind = new QComboBox(body);
  m_kind->setObjectName("FindKindComboBox");
  m_kind->addItem(QStringLiteral("Все"));
  for (RecordKind k : kSearchKinds) m_kind->addItem(QString::fromUtf8(KindWord(k)));
  m_field = new QCheckBox(QStringLiteral("Значение поля (Sector=1)"), body);
  m_field->setObjectName("FindFieldCheckBox");
  m_button = new QPushButton(QStringLiteral("Найти"), body);
  m_button->setObjectName("FindButton");
  bar->addWidget(m_edit, 1);
  bar->addWidget(m_kind);
  bar->addWidget(m_field);
  bar->addWidget(m_button);
  column->addLayout(bar);
  m_title = new QLabel(body);
  m_title->setObjectName("FindTitle");
  column->addWidget(m_title);
  m_list = new QTreeWidget(body);
  m_list->setObjectName("FindList");
  m_list->setRootIsDecorated(false);
  m_list->setUniformRowHeights(true);
  m_list->setHeaderLabels({QStringLiteral("Запись"), QStringLiteral("Зона"), QStringLiteral("Поле"),
                           QStringLiteral("Что")});
  m_list->header()->setStretchLastSection(true);
  column->addWidget(m_list, 1);
  setWidget(body);

  connect(m_button, &QPushButton::clicked, this, &FindResults::RunSearch);
  connect(m_edit, &QLineEdit::returnPressed, this, &FindResults::RunSearch);
  connect(m_list, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { OpenRow(m_list->indexOfTopLevelItem(item)); });
}

void FindResults::ShowList(const QString& title, const std::vector<FoundRow>& rows,
                           const QString& column, std::function<void(int row)> open) {
  show(title, rows, column);
  m_open = std::move(open);
}

void FindResults::show(const QString& title, const std::vector<FoundRow>& rows,
                       const QString& column) {
  m_rows = rows;
  m_open = nullptr;
  m_list->headerItem()->setText(2, column);
  m_title->setText(QStringLiteral("%1 — найдено: %2").arg(title).arg(rows.size()));
  m_list->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const FoundRow& r : rows)
    items.push_back(new QTreeWidgetItem(
        {QStringLiteral("%1 %2").arg(QString::fromUtf8(KindWord(r.Kind))).arg(r.Vnum),
         QString::number(r.Zone), r.Field, r.Text}));
  m_list->addTopLevelItems(items);
  for (int c = 0; c < 3; ++c) m_list->resizeColumnToContents(c);
  FocusSearch();
  m_list->setFocus();
}

void FindResults::ShowWhereUsed(const TMUDClass& rec) {
  const World& w = *m_app.world;
  std::vector<FoundRow> rows;
  for (const Reference& r : m_app.Document->References().UsesOf(rec.Kind, rec.Vnum))
    rows.push_back({r.UserKind, r.UserVnum, r.UserZone, QString::fromStdString(r.Field),
                    ToQt(ReferenceLine(w, r))});
  show(QStringLiteral("Где используется: %1 %2")
           .arg(QString::fromUtf8(KindWord(rec.Kind)).toLower())
           .arg(rec.Vnum),
       rows);
}

void FindResults::RunSearch() {
  const QString text = m_edit->text().trimmed();
  if (text.isEmpty()) return;
  std::optional<RecordKind> kind;
  if (m_kind->currentIndex() > 0)
    kind = kSearchKinds[static_cast<size_t>(m_kind->currentIndex() - 1)];
  std::vector<SearchHit> hits;
  if (m_field->isChecked()) {
    const auto q = json::ParseFieldQuery(text.toStdString());
    if (!q) {
      show(QStringLiteral("Нужно ПОЛЕ=ЗНАЧЕНИЕ, например Sector=1 или Exits[*].ToRoom=3001"), {});
      return;
    }
    hits = json::SearchField(*m_app.world, *q, kind);
  } else {
    hits = SearchText(*m_app.world, FromQt(text), kind);
  }
  std::vector<FoundRow> rows;
  rows.reserve(hits.size());
  for (const SearchHit& h : hits)
    rows.push_back({h.Kind, h.Vnum, h.Zone, QString::fromStdString(h.Field), ToQt(h.Text)});
  show(QStringLiteral("Поиск «%1»").arg(text), rows);
}

void FindResults::ShowWorldCheck() {
  std::vector<FoundRow> rows;
  for (const Finding& f : CheckWorld(*m_app.world))
    rows.push_back({f.Kind, f.Vnum, f.Zone, QString::fromStdString(f.Check), ToQt(f.Message)});
  show(QStringLiteral("Проверка мира"), rows, QStringLiteral("Проверка"));
}

void FindResults::FocusSearch() {
  const bool was = isVisible();
  QDockWidget::show();
  raise();
  if (!was && OnShown) OnShown();
  m_edit->setFocus();
  m_edit->selectAll();
}

void FindResults::OpenRow(int row) {
  if (row < 0 || row >= static_cast<int>(m_rows.size())) return;
  if (m_open) {
    m_open(row);
    return;
  }
  if (!m_app.SelectRecord) return;
  const FoundRow& r = m_rows[static_cast<size_t>(row)];
  // By number: the record listed may have gone since.
  TMUDClass* rec = nullptr;
  m_app.world->ForKind(r.Kind, [&](auto& list) { rec = list.Find(r.Vnum); });
  if (rec) m_app.SelectRecord(*rec);
}

}  // namespace zm
