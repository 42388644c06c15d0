#include "editors/mobilegridpage.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <map>
#include <set>

#include "common/dictionaries.h"
#include "common/textutil.h"
#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "model/mobs.h"

namespace zm {
namespace {

// Only digits reach a grid cell (backspace and the other editing keys work
// as in any field).
class DigitsDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
      edit->setValidator(
          new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return w;
  }
};

// The number of each row's entry, -1 where the key is no number.
std::vector<int32_t> RowNumbers(const EditorHost& host, const char* dictName, int rows) {
  std::vector<int32_t> out(static_cast<size_t>(rows), -1);
  const Dictionary* dict = host.Dicts() ? host.Dicts()->Find(dictName) : nullptr;
  for (int r = 0; dict && r < rows && r < dict->Count(); ++r) {
    int32_t v = 0;
    if (ParseInt(dict->KeyAt(r), v)) out[static_cast<size_t>(r)] = v;
  }
  return out;
}

int RowOf(const std::vector<int32_t>& numbers, int32_t number) {
  for (size_t r = 0; r < numbers.size(); ++r)
    if (numbers[r] == number) return static_cast<int>(r);
  return -1;
}

void SetCell(QTableWidget* grid, int row, const QString& text) {
  QTableWidgetItem* item = grid->item(row, 1);
  if (!item) {
    item = new QTableWidgetItem();
    grid->setItem(row, 1, item);
  }
  item->setText(text);
}

QString Cell(const QTableWidget* grid, int row) {
  const QTableWidgetItem* item = grid->item(row, 1);
  return item ? item->text() : QString();
}

}  // namespace

MobileGridPage::MobileGridPage(EditorWindow& editor, TIntList& list, const char* name,
                               const char* dict, const QString& col0, const QString& col1, bool add,
                               int32_t maxValue, QWidget* parent)
    : EditorPage(editor, parent), m_list(list), m_dict(dict), m_add(add), m_maxValue(maxValue) {
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  Grid = Named(new QTableWidget(0, 2, this), QString::fromLatin1(name));
  Grid->setHorizontalHeaderLabels({col0, col1});
  Grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  Grid->verticalHeader()->hide();
  Grid->verticalHeader()->setDefaultSectionSize(20);
  Grid->setSelectionMode(QAbstractItemView::SingleSelection);
  Grid->setItemDelegateForColumn(1, new DigitsDelegate(Grid));
  Grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
  lay->addWidget(Grid);
  editor.BindDictionary(Grid);
  // The names of skills and spells are no cells to type in.
  for (int r = 0; r < Grid->rowCount(); ++r)
    if (QTableWidgetItem* item = Grid->item(r, 0))
      item->setFlags(item->flags() & ~Qt::ItemIsEditable);
}

void MobileGridPage::ShowRecord() {
  QTableWidget* grid = Grid;
  QStringList& shown = m_shown;
  const TIntList& list = m_list;
  const int rows = grid->rowCount();
  const std::vector<int32_t> numbers = RowNumbers(Editor().Host(), m_dict, rows);
  // A number may have several entries: a file names a spell again after
  // another one.
  std::vector<int32_t> values(static_cast<size_t>(rows));
  for (const auto& e : list) {
    const int r = RowOf(numbers, SpellNumber(e->Value));
    if (r < 0) continue;
    int32_t& v = values[static_cast<size_t>(r)];
    v = m_add ? v + SpellCount(e->Value) : SpellCount(e->Value);
  }
  shown.clear();
  for (int32_t v : values) shown << QString::number(v);
  for (int r = 0; r < rows; ++r) SetCell(grid, r, shown[r]);
}

void MobileGridPage::StoreRecord() {
  QTableWidget* grid = Grid;
  const QStringList& shown = m_shown;
  TIntList& list = m_list;
  const int rows = std::min<int>(grid->rowCount(), static_cast<int>(shown.size()));
  const std::vector<int32_t> numbers = RowNumbers(Editor().Host(), m_dict, rows);
  // The new value of each number whose cell the user changed; 0 drops it.
  std::map<int32_t, int32_t> changed;
  for (int r = 0; r < rows; ++r) {
    const QString text = Cell(grid, r);
    if (text == shown[r] || numbers[static_cast<size_t>(r)] < 0) continue;
    bool ok = false;
    const int v = text.toInt(&ok);
    const bool valid = ok && v > 0 && v <= m_maxValue;
    if (!valid) SetCell(grid, r, QStringLiteral("0"));
    changed.emplace(numbers[static_cast<size_t>(r)], valid ? v : 0);
  }
  if (changed.empty()) return;

  // In the order of the rows, each entry the mobile had for a row kept
  // where its cell was left alone; an entry without a row stays where it
  // stood among them.
  std::map<int32_t, int> rowOf;
  for (int r = 0; r < rows; ++r)
    if (numbers[static_cast<size_t>(r)] >= 0) rowOf.emplace(numbers[static_cast<size_t>(r)], r);
  std::vector<std::pair<int, int32_t>> kept, added;
  std::set<int32_t> had;
  for (const auto& e : list) {
    const int32_t number = SpellNumber(e->Value);
    const auto row = rowOf.find(number);
    if (row == rowOf.end()) {
      kept.emplace_back(-1, e->Value);
      continue;
    }
    const auto it = changed.find(number);
    if (it == changed.end())
      kept.emplace_back(row->second, e->Value);
    else if (it->second > 0 && had.insert(number).second)
      kept.emplace_back(row->second, PackSpell(number, it->second));
    had.insert(number);
  }
  for (const auto& [number, value] : changed)
    if (value > 0 && !had.count(number))
      added.emplace_back(rowOf[number], PackSpell(number, value));
  TIntList out;
  for (int32_t v : InItemOrder(kept, added)) out.Add(v);
  list = out;
}

}  // namespace zm
