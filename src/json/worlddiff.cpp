#include "json/worlddiff.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace zm::json {
namespace {

struct Groups {
  std::vector<std::string> names;  // in order of first appearance
  std::unordered_map<std::string, std::vector<std::string>> values;

  explicit Groups(const std::vector<FieldValue>& fields) {
    values.reserve(fields.size());
    for (const auto& f : fields) {
      auto [it, fresh] = values.try_emplace(f.Field);
      if (fresh) names.push_back(f.Field);
      it->second.push_back(f.Value);
    }
  }
  const std::vector<std::string>& Of(const std::string& name) const {
    static const std::vector<std::string> kNone;
    auto it = values.find(name);
    return it == values.end() ? kNone : it->second;
  }
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string s;
  for (size_t i = 0; i < lines.size(); ++i) s += (i ? "\n" : "") + lines[i];
  return s;
}

// Lines only one side has, in the order of a longest common subsequence.
void LineChanges(const std::string& name, const std::vector<std::string>& a,
                 const std::vector<std::string>& b, std::vector<FieldChange>& out) {
  const size_t n = a.size(), m = b.size();
  // A room's commands are a few dozen lines; a list past this is told whole.
  if (n * m > 4'000'000) {
    out.push_back({name, Joined(a), Joined(b)});
    return;
  }
  std::vector<uint32_t> len((n + 1) * (m + 1), 0);
  auto at = [&](size_t i, size_t j) -> uint32_t& { return len[i * (m + 1) + j]; };
  for (size_t i = n; i-- > 0;)
    for (size_t j = m; j-- > 0;)
      at(i, j) = a[i] == b[j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
  size_t i = 0, j = 0;
  while (i < n || j < m) {
    if (i < n && j < m && a[i] == b[j]) {
      ++i, ++j;
    } else if (j == m || (i < n && at(i + 1, j) >= at(i, j + 1))) {
      out.push_back({name, a[i++], {}});
    } else {
      out.push_back({name, {}, b[j++]});
    }
  }
}

template <typename List>
void DiffList(const List& older, const List& newer, RecordKind kind, const World& oldW,
              const World& newW, bool zoneFiles, std::vector<RecordDiff>& out) {
  using T = std::remove_cv_t<std::remove_pointer_t<decltype(older.Items(0))>>;
  std::unordered_map<int32_t, std::vector<const T*>> byVnum;
  byVnum.reserve(static_cast<size_t>(newer.Count()));
  for (const auto& r : newer) byVnum[r->Vnum].push_back(r.get());
  // How many of a vnum's new records the old ones have taken, in order.
  std::unordered_map<int32_t, size_t> taken;
  taken.reserve(static_cast<size_t>(older.Count()));
  const size_t first = out.size();
  auto fields = [&](const T& r, const World& w) {
    if constexpr (std::is_same_v<T, TZone>)
      if (zoneFiles) return ZoneFileFields(r, w);
    return RecordFields(r, w);
  };
  for (const auto& r : older) {
    size_t& k = taken[r->Vnum];
    auto it = byVnum.find(r->Vnum);
    const T* other = it != byVnum.end() && k < it->second.size() ? it->second[k] : nullptr;
    ++k;
    if (!other) {
      out.push_back({kind, r->Vnum, RecordDiff::Change::Removed, {}, r.get(), nullptr});
      continue;
    }
    // The zone record's data does not hold its commands (they are on the rooms).
    if (*r == *other && !zoneFiles) continue;
    auto changes = DiffFields(fields(*r, oldW), fields(*other, newW));
    if (!changes.empty())
      out.push_back(
          {kind, r->Vnum, RecordDiff::Change::Changed, std::move(changes), r.get(), other});
  }
  for (const auto& [vnum, recs] : byVnum) {
    auto t = taken.find(vnum);
    for (size_t k = t == taken.end() ? 0 : t->second; k < recs.size(); ++k)
      out.push_back({kind, vnum, RecordDiff::Change::Added, {}, nullptr, recs[k]});
  }
  // Repeated vnums keep the order they were found in.
  std::stable_sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
                   [](const RecordDiff& a, const RecordDiff& b) { return a.Vnum < b.Vnum; });
}

}  // namespace

std::vector<FieldChange> DiffFields(const std::vector<FieldValue>& older,
                                    const std::vector<FieldValue>& newer) {
  const Groups a(older), b(newer);
  // Both sides' names, each side's order kept: a name only one side has
  // stands where that side has it.
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  size_t i = 0, j = 0;
  auto take = [&](const std::string& n) {
    if (seen.insert(n).second) names.push_back(n);
  };
  while (i < a.names.size() || j < b.names.size()) {
    if (i < a.names.size() && (seen.count(a.names[i]) || !b.values.count(a.names[i]))) {
      take(a.names[i++]);
    } else if (j < b.names.size() && (seen.count(b.names[j]) || !a.values.count(b.names[j]))) {
      take(b.names[j++]);
    } else if (i < a.names.size()) {
      take(a.names[i++]);
    } else {
      take(b.names[j++]);
    }
  }
  std::vector<FieldChange> out;
  for (const auto& name : names) {
    const auto& o = a.Of(name);
    const auto& n = b.Of(name);
    if (o == n) continue;
    if (o.size() <= 1 && n.size() <= 1) {
      // A field one side lacks reads as empty (an exit's keywords).
      std::string before = o.empty() ? std::string() : o[0];
      std::string after = n.empty() ? std::string() : n[0];
      if (before != after) out.push_back({name, std::move(before), std::move(after)});
    } else
      LineChanges(name, o, n, out);
  }
  return out;
}

std::vector<RecordDiff> DiffWorlds(const World& oldW, const World& newW,
                                   std::optional<RecordKind> only) {
  std::vector<RecordDiff> out;
  for (int k = 0; k < kRecordKinds; ++k) {
    const auto kind = static_cast<RecordKind>(k);
    if (only && *only != kind) continue;
    oldW.ForKind(kind, [&](const auto& older) {
      newW.ForKind(kind, [&](const auto& newer) {
        if constexpr (std::is_same_v<decltype(older), decltype(newer)>)
          DiffList(older, newer, kind, oldW, newW, false, out);
      });
    });
  }
  return out;
}

std::vector<RecordDiff> DiffZoneFiles(const World& oldW, const World& newW) {
  std::vector<RecordDiff> out;
  DiffList(oldW.Zones, newW.Zones, kZone, oldW, newW, true, out);
  return out;
}

}  // namespace zm::json
