// The skill and spell grids: one row per dictionary entry, the value in the
// second column. Reading back changes only the entries whose cells the user
// changed, in their places; entries without a row (a number the dictionary
// does not know) and cells left alone keep what the mobile had.
#include <QTableWidget>
#include <map>
#include <set>

#include "common/bases.h"
#include "common/textutil.h"
#include "editors/mobform.h"

namespace zm {
namespace {

// The number of each row's entry, -1 where the key is no number.
std::vector<int32_t> RowNumbers(const AppContext& app, const char* dictName, int rows) {
  std::vector<int32_t> out(static_cast<size_t>(rows), -1);
  const TBases* dict = app.Bases ? app.Bases->Find(dictName) : nullptr;
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

void TMobForm::showGrid(QTableWidget* grid, QStringList& shown, const char* dict,
                        const TIntList& list, bool add) {
  const int rows = grid->rowCount();
  const std::vector<int32_t> numbers = RowNumbers(App(), dict, rows);
  // A number may have several entries: a file names a spell again after
  // another one.
  std::vector<int32_t> values(static_cast<size_t>(rows));
  for (const auto& e : list) {
    const int r = RowOf(numbers, SpellNumber(e->Value));
    if (r < 0) continue;
    int32_t& v = values[static_cast<size_t>(r)];
    v = add ? v + SpellCount(e->Value) : SpellCount(e->Value);
  }
  shown.clear();
  for (int32_t v : values) shown << QString::number(v);
  for (int r = 0; r < rows; ++r) SetCell(grid, r, shown[r]);
}

void TMobForm::readGrid(QTableWidget* grid, const QStringList& shown, const char* dict,
                        TIntList& list, int32_t maxValue) {
  const int rows = std::min<int>(grid->rowCount(), static_cast<int>(shown.size()));
  const std::vector<int32_t> numbers = RowNumbers(App(), dict, rows);
  // The new value of each number whose cell the user changed; 0 drops it.
  std::map<int32_t, int32_t> changed;
  std::vector<int32_t> order;
  for (int r = 0; r < rows; ++r) {
    const QString text = Cell(grid, r);
    if (text == shown[r] || numbers[static_cast<size_t>(r)] < 0) continue;
    bool ok = false;
    const int v = text.toInt(&ok);
    const bool valid = ok && v > 0 && v <= maxValue;
    if (!valid) SetCell(grid, r, QStringLiteral("0"));
    const int32_t number = numbers[static_cast<size_t>(r)];
    if (changed.emplace(number, valid ? v : 0).second) order.push_back(number);
  }
  if (changed.empty()) return;

  TIntList out;
  std::set<int32_t> written;
  for (const auto& e : list) {
    const int32_t number = SpellNumber(e->Value);
    const auto it = changed.find(number);
    if (it == changed.end()) {
      out.Add(e->Value);
    } else if (it->second > 0 && written.insert(number).second) {
      out.Add(PackSpell(number, it->second));
    }
    written.insert(number);
  }
  for (int32_t number : order)
    if (changed[number] > 0 && written.insert(number).second)
      out.Add(PackSpell(number, changed[number]));
  list = out;
}

}  // namespace zm
