#include "edit/worldhistory.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <unordered_map>

#include "common/textutil.h"
#include "common/winutf8.h"
#include "model/world.h"

namespace zm {
namespace {

constexpr RecordKind kListKinds[] = {kZone, kRoom, kObject, kMobile, kShop, kTrigger};

template <typename List>
using RecordOf = std::remove_pointer_t<decltype(std::declval<List&>().Items(0))>;

bool InZones(const std::vector<int32_t>& zones, int32_t zone) {
  return std::find(zones.begin(), zones.end(), zone) != zones.end();
}

// Applies a step one way: `from` is what the world holds now, `to` what it
// is to hold.
bool Apply(World& w, const WorldStep& step, StepListener& l, bool undo) {
  const auto from = [undo](const RecordChange& c) { return undo ? c.After.get() : c.Before.get(); };
  const auto to = [undo](const RecordChange& c) { return undo ? c.Before.get() : c.After.get(); };
  const auto fromIndex = [undo](const RecordChange& c) {
    return undo ? c.AfterIndex : c.BeforeIndex;
  };
  const auto toIndex = [undo](const RecordChange& c) {
    return undo ? c.BeforeIndex : c.AfterIndex;
  };

  // Everything the step expects must be there, as it expects it, before
  // anything changes: a history that no longer fits the world changes
  // nothing.
  bool fits = true;
  for (const RecordChange& c : step.Changes)
    if (const TMUDClass* expected = from(c))
      w.ForKind(c.Kind, [&](const auto& list) {
        using T = RecordOf<decltype(list)>;
        const T* now = list.Items(fromIndex(c));
        if (!now || !(*now == static_cast<const T&>(*expected))) fits = false;
      });
  if (!fits) return false;

  for (RecordKind kind : kListKinds) {
    std::vector<const RecordChange*> changed, leaving, coming;
    for (const RecordChange& c : step.Changes) {
      if (c.Kind != kind) continue;
      if (from(c) && to(c))
        changed.push_back(&c);
      else if (from(c))
        leaving.push_back(&c);
      else
        coming.push_back(&c);
    }
    if (changed.empty() && leaving.empty() && coming.empty()) continue;
    std::sort(leaving.begin(), leaving.end(),
              [&](auto* a, auto* b) { return fromIndex(*a) > fromIndex(*b); });
    std::sort(coming.begin(), coming.end(),
              [&](auto* a, auto* b) { return toIndex(*a) < toIndex(*b); });
    w.ForKind(kind, [&](auto& list) {
      using T = RecordOf<decltype(list)>;
      bool renumbered = false;
      for (const RecordChange* c : changed) {
        T* rec = list.Items(fromIndex(*c));
        const T& target = static_cast<const T&>(*to(*c));
        renumbered = renumbered || rec->Vnum != target.Vnum || rec->Zone != target.Zone;
        *rec = target;
      }
      if (renumbered) list.VnumsChanged();
      for (const RecordChange* c : changed) {
        T* rec = list.Items(fromIndex(*c));
        list.Renamed(*rec);
        l.Changed(*rec);
      }
      for (const RecordChange* c : leaving) {
        l.AboutToRemove(*list.Items(fromIndex(*c)));
        list.Extract(fromIndex(*c));
      }
      for (const RecordChange* c : coming) {
        T* rec = list.InsertAt(toIndex(*c), std::make_unique<T>(static_cast<const T&>(*to(*c))));
        l.Added(*rec);
      }
    });
  }
  return true;
}

}  // namespace

bool WorldStep::TouchesZones() const {
  return std::any_of(Changes.begin(), Changes.end(),
                     [](const RecordChange& c) { return c.Kind == kZone; });
}

std::vector<int32_t> WorldStep::Zones() const {
  std::set<int32_t> zones;
  for (const RecordChange& c : Changes) {
    if (c.Before) zones.insert(c.Before->Zone);
    if (c.After) zones.insert(c.After->Zone);
  }
  return {zones.begin(), zones.end()};
}

std::string WorldStep::DefaultName(const World& w) const {
  if (Changes.empty()) return {};
  const RecordChange& c = Changes.front();
  const TMUDClass& rec = c.After ? *c.After : *c.Before;
  std::string name;
  w.ForKind(c.Kind, [&](const auto& list) {
    using T = RecordOf<decltype(list)>;
    name = list.NameOfRecord(static_cast<const T&>(rec));
  });
  const char* what = !c.Before ? "создание: " : !c.After ? "удаление: " : "";
  std::string text = W(what) + W(KindNoun(c.Kind)) + " " + IntText(rec.Vnum) + W(" — ") + name;
  if (Changes.size() > 1) text += W(" и ещё ") + IntText(static_cast<int32_t>(Changes.size() - 1));
  return text;
}

StepRecorder::StepRecorder(const World& w, std::vector<int32_t> zones) : m_zones(std::move(zones)) {
  for (RecordKind kind : kListKinds)
    w.ForKind(kind, [&](const auto& list) {
      using T = RecordOf<decltype(list)>;
      for (int i = 0; i < list.Count(); ++i)
        if (const T* rec = list.Items(i); InZones(m_zones, rec->Zone))
          m_before[kind].push_back({rec, i, std::make_shared<const T>(*rec)});
    });
}

StepRecorder::~StepRecorder() = default;

// Which of `seq` form a longest increasing run (not necessarily adjacent):
// the records that kept their order; the rest moved.
std::vector<bool> Steady(const std::vector<size_t>& seq) {
  std::vector<size_t> tails;  // index into seq of the smallest tail per length
  std::vector<size_t> prev(seq.size(), SIZE_MAX);
  for (size_t i = 0; i < seq.size(); ++i) {
    auto it = std::lower_bound(tails.begin(), tails.end(), seq[i],
                               [&](size_t t, size_t v) { return seq[t] < v; });
    if (it != tails.begin()) prev[i] = *(it - 1);
    if (it == tails.end())
      tails.push_back(i);
    else
      *it = i;
  }
  std::vector<bool> steady(seq.size(), false);
  for (size_t i = tails.empty() ? SIZE_MAX : tails.back(); i != SIZE_MAX; i = prev[i])
    steady[i] = true;
  return steady;
}

WorldStep StepRecorder::Finish(const World& w, std::string name) const {
  WorldStep step;
  step.Name = std::move(name);
  for (RecordKind kind : kListKinds) {
    const std::vector<Held>& before = m_before[kind];
    std::unordered_map<const TMUDClass*, size_t> was;
    was.reserve(before.size());
    for (size_t i = 0; i < before.size(); ++i) was.emplace(before[i].Ptr, i);
    std::vector<bool> stayed(before.size(), false);
    w.ForKind(kind, [&](const auto& list) {
      using T = RecordOf<decltype(list)>;
      // The records found again, in their new order. A record freed by the
      // operation and a new one made at its address look like one record:
      // where that breaks the order of the others, it is taken for what it
      // is, one record gone and one come.
      struct Found {
        const T* Rec;
        int Index;
        size_t Was;
      };
      std::vector<Found> found;
      std::vector<size_t> order;
      for (int i = 0; i < list.Count(); ++i) {
        const T* rec = list.Items(i);
        auto it = was.find(rec);
        if (it != was.end()) {
          found.push_back({rec, i, it->second});
          order.push_back(it->second);
        } else if (InZones(m_zones, rec->Zone)) {
          step.Changes.push_back({kind, -1, i, nullptr, std::make_shared<const T>(*rec)});
        }
      }
      const std::vector<bool> steady = Steady(order);
      for (size_t k = 0; k < found.size(); ++k) {
        const Found& f = found[k];
        const Held& h = before[f.Was];
        if (!steady[k]) {
          step.Changes.push_back({kind, -1, f.Index, nullptr, std::make_shared<const T>(*f.Rec)});
          continue;
        }
        stayed[f.Was] = true;
        if (*f.Rec == static_cast<const T&>(*h.Copy)) continue;
        step.Changes.push_back({kind, h.Index, f.Index, h.Copy, std::make_shared<const T>(*f.Rec)});
      }
    });
    for (size_t i = 0; i < before.size(); ++i)
      if (!stayed[i]) step.Changes.push_back({kind, before[i].Index, -1, before[i].Copy, nullptr});
  }
  if (step.Name.empty() && !step.Empty()) step.Name = step.DefaultName(w);
  return step;
}

bool UndoStep(World& w, const WorldStep& step, StepListener& l) {
  return Apply(w, step, l, true);
}

bool RedoStep(World& w, const WorldStep& step, StepListener& l) {
  return Apply(w, step, l, false);
}

void SettleZones(World& w, const std::vector<int32_t>& zones) {
  for (int32_t n : zones) {
    const TZone* z = w.Zones.ByNumber(n);
    if (!z || !z->Registered) {
      w.Zones.RemoveZoneName(n);
      continue;
    }
    w.Zones.SetZoneName(n, z->DisplayText());
    if (w.ZoneMaps.FindByNumber(n) < 0) w.ZoneMaps.AddForZone(n);
  }
}

void WorldHistory::Push(WorldStep step) {
  if (step.Empty()) return;
  m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_done), m_steps.end());
  m_steps.push_back(std::move(step));
  m_done = m_steps.size();
  while (m_steps.size() > m_limit) {
    m_steps.pop_front();
    --m_done;
  }
}

void WorldHistory::Clear() {
  m_steps.clear();
  m_done = 0;
}

}  // namespace zm
