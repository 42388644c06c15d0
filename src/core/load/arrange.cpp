#include "load/arrange.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <set>
#include <unordered_map>
#include <vector>

#include "model/world.h"

namespace zm {

namespace {

constexpr double kTiny = 0.001;
constexpr int kMaxCoord = 127;  // the largest position a signed 8-bit value holds

// One step in each direction: north, east, south, west, up, down.
constexpr int kStepX[kDirections] = {0, 1, 0, -1, 0, 0};
constexpr int kStepY[kDirections] = {-1, 0, 1, 0, 0, 0};
constexpr int kStepZ[kDirections] = {0, 0, 0, 0, 1, -1};

// n×n, row-major; a zone normally has at most 100 rooms, but zone 0 spans
// -99…99 and records may repeat a vnum, so the size follows the room count.
class Square {
 public:
  explicit Square(size_t n) : m_n(n), m_v(n * n, 0.0) {}
  double* Row(size_t i) { return m_v.data() + i * m_n; }
  double& At(size_t i, size_t j) { return m_v[i * m_n + j]; }

 private:
  size_t m_n;
  std::vector<double> m_v;
};

struct System {
  explicit System(size_t n) : A(n), bx(n), by(n), bz(n) {}
  Square A;
  std::vector<double> bx, by, bz;
};

System BuildSystem(const std::vector<TRoom*>& rooms) {
  const size_t n = rooms.size();
  std::unordered_map<int32_t, size_t> ordinal;
  for (size_t i = 0; i < n; ++i) ordinal.try_emplace(rooms[i]->Vnum, i);

  System s(n);
  for (size_t i = 0; i < n; ++i) {
    for (int d = 0; d < kDirections; ++d) {
      int32_t to = rooms[i]->Exits[d].ToRoom;
      if (to <= 0) continue;  // no exit, even where zone 0 has such a room
      auto it = ordinal.find(to);
      if (it == ordinal.end() || it->second == i) continue;
      size_t j = it->second;
      s.A.At(i, j) += 1;
      s.A.At(j, i) += 1;
      s.bx[i] += kStepX[d], s.bx[j] -= kStepX[d];
      s.by[i] += kStepY[d], s.by[j] -= kStepY[d];
      s.bz[i] += kStepZ[d], s.bz[j] -= kStepZ[d];
    }
  }
  for (size_t i = 0; i < n; ++i) {
    double sum = 0;
    for (size_t j = 0; j < n; ++j) sum += s.A.At(i, j);
    s.A.At(i, i) = -sum;
  }
  return s;
}

// Gauss–Jordan without row exchanges; a column whose pivot is near zero is
// left alone, which pins one room of each separate group of rooms.
Square Invert(Square& a, size_t n) {
  Square h(n);
  for (size_t i = 0; i < n; ++i) h.At(i, i) = 1;
  for (size_t i = 0; i < n; ++i) {
    const double p = a.At(i, i);
    if (p > -kTiny && p < kTiny) continue;
    double* ai = a.Row(i);
    double* hi = h.Row(i);
    for (size_t c = 0; c < n; ++c) ai[c] /= p, hi[c] /= p;
    for (size_t j = 0; j < n; ++j) {
      if (j == i) continue;
      const double g = a.At(j, i);
      if (g < kTiny && g > -kTiny) continue;
      double* aj = a.Row(j);
      double* hj = h.Row(j);
      for (size_t c = 0; c < n; ++c) aj[c] -= g * ai[c], hj[c] -= g * hi[c];
    }
  }
  return h;
}

std::vector<double> Times(Square& h, const std::vector<double>& b) {
  const size_t n = b.size();
  std::vector<double> r(n, 0.0);
  for (size_t i = 0; i < n; ++i) {
    const double* hi = h.Row(i);
    double sum = 0;
    for (size_t c = 0; c < n; ++c) sum += hi[c] * b[c];
    r[i] = sum;
  }
  return r;
}

// Positions counted from the smallest, rounded half up; false when one is
// not a number or would not fit the room's 8-bit position. `real` keeps
// the unrounded position on the same scale.
bool ToGrid(const std::vector<double>& v, int base, std::vector<int>& out,
            std::vector<double>& real) {
  for (double e : v)
    if (!std::isfinite(e)) return false;
  const double lo = *std::min_element(v.begin(), v.end());
  out.resize(v.size());
  real.resize(v.size());
  for (size_t k = 0; k < v.size(); ++k) {
    real[k] = v[k] - lo + base;
    const double t = std::trunc(v[k] - lo + 0.5) + base;
    if (!(t >= 0 && t <= kMaxCoord)) return false;
    out[k] = static_cast<int>(t);
  }
  return true;
}

using Cell = std::array<int, 3>;  // x, y, z

// The rooms joined by exits, each group in list order, the groups in the
// order of their first rooms.
std::vector<std::vector<size_t>> Groups(Square& a, size_t n) {
  std::vector<size_t> root(n);
  for (size_t i = 0; i < n; ++i) root[i] = i;
  auto find = [&](size_t i) {
    while (root[i] != i) i = root[i] = root[root[i]];
    return i;
  };
  for (size_t i = 0; i < n; ++i)
    for (size_t j = i + 1; j < n; ++j)
      if (a.At(i, j) != 0) {
        const size_t ri = find(i), rj = find(j);
        root[std::max(ri, rj)] = std::min(ri, rj);
      }
  std::vector<std::vector<size_t>> out;
  std::vector<size_t> slot(n, n);
  for (size_t i = 0; i < n; ++i) {
    const size_t r = find(i);
    if (slot[r] == n) {
      slot[r] = out.size();
      out.emplace_back();
    }
    out[slot[r]].push_back(i);
  }
  return out;
}

// The free cell of the level nearest to the point (fx, fy), searched ring by
// ring around `c`; no coordinate below 0.
Cell NearestFree(const std::set<Cell>& taken, Cell c, double fx, double fy) {
  for (int r = 1;; ++r) {
    Cell best{};
    double bestDist = -1;
    for (int dy = -r; dy <= r; ++dy)
      for (int dx = -r; dx <= r; ++dx) {
        if (std::max(std::abs(dx), std::abs(dy)) != r) continue;
        const Cell t{c[0] + dx, c[1] + dy, c[2]};
        if (t[0] < 0 || t[1] < 0 || taken.count(t)) continue;
        const double d = (t[0] - fx) * (t[0] - fx) + (t[1] - fy) * (t[1] - fy);
        if (bestDist < 0 || d < bestDist) best = t, bestDist = d;
      }
    if (bestDist >= 0) return best;
  }
}

// Where the group's cells, shifted by (dx, dy), are all free and no
// coordinate exceeds `bound`; rings around the origin, eastwards first.
bool FindOffset(const std::set<Cell>& taken, const std::vector<Cell>& cells, int bound, int& dx,
                int& dy) {
  int w = 0, h = 0;
  for (const Cell& c : cells) w = std::max(w, c[0]), h = std::max(h, c[1]);
  for (int k = 0; k <= bound; ++k)
    for (dy = 0; dy <= k; ++dy)
      for (dx = 0; dx <= k; ++dx) {
        if (std::max(dx, dy) != k || dx + w > bound || dy + h > bound) continue;
        bool free = true;
        for (const Cell& c : cells)
          if (taken.count({c[0] + dx, c[1] + dy, c[2]})) {
            free = false;
            break;
          }
        if (free) return true;
      }
  return false;
}

// One room per cell: each group of joined rooms keeps its shape, the rooms
// that rounding put on one cell going to the nearest free one, and lies
// beside the groups before it instead of over them. False when a group fits
// nowhere.
bool Spread(const std::vector<std::vector<size_t>>& groups, const std::vector<double> (&real)[3],
            std::vector<Cell>& cells) {
  std::set<Cell> taken;
  for (const auto& g : groups) {
    Cell lo{INT32_MAX, INT32_MAX, INT32_MAX};
    for (size_t k : g)
      for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], cells[k][a]);
    std::set<Cell> own;
    std::vector<Cell> shape;
    for (size_t k : g) {
      Cell c{cells[k][0] - lo[0], cells[k][1] - lo[1], cells[k][2] - lo[2] + 1};
      if (own.count(c)) c = NearestFree(own, c, real[0][k] - lo[0], real[1][k] - lo[1]);
      own.insert(c);
      shape.push_back(c);
    }
    int dx = 0, dy = 0;
    if (!FindOffset(taken, shape, kMapCols - 1, dx, dy) &&
        !FindOffset(taken, shape, kMaxCoord, dx, dy))
      return false;
    for (size_t m = 0; m < g.size(); ++m) {
      const Cell c{shape[m][0] + dx, shape[m][1] + dy, shape[m][2]};
      taken.insert(c);
      cells[g[m]] = c;
    }
  }
  return true;
}

}  // namespace

bool ArrangeZone(World& w, int32_t zone) {
  std::vector<TRoom*> rooms = w.Rooms.InZone(zone);
  if (rooms.empty()) {
    w.reporter().ShowError(ErrorMsg::NoRoomsToArrange);
    return false;
  }
  const size_t n = rooms.size();
  System s = BuildSystem(rooms);
  const std::vector<std::vector<size_t>> groups = Groups(s.A, n);
  Square h = Invert(s.A, n);
  std::vector<int> x, y, z;
  std::vector<double> real[3];
  // Checked whole before anything is stored, so a failure leaves no half-arranged zone.
  bool ok = ToGrid(Times(h, s.bx), 0, x, real[0]) && ToGrid(Times(h, s.by), 0, y, real[1]) &&
            ToGrid(Times(h, s.bz), 1, z, real[2]);
  std::vector<Cell> cells(n);
  for (size_t k = 0; ok && k < n; ++k) cells[k] = {x[k], y[k], z[k]};
  if (!ok || !Spread(groups, real, cells)) {
    w.reporter().ShowError(ErrorMsg::ArrangeFailed);
    return false;
  }
  for (size_t k = 0; k < n; ++k) {
    rooms[k]->MapX = cells[k][0];
    rooms[k]->MapY = cells[k][1];
    rooms[k]->MapZ = cells[k][2];
  }
  UnplaceHiddenRooms(w, zone);
  return true;
}

int UnplaceHiddenRooms(World& w, int32_t zone) {
  std::set<Cell> taken;
  int count = 0;
  for (TRoom* r : w.Rooms.InZone(zone)) {
    if (r->MapX == -1 && r->MapY == -1 && r->MapZ == -1) continue;
    if (OnMapGrid(r->MapX, r->MapY, r->MapZ) && taken.insert({r->MapX, r->MapY, r->MapZ}).second)
      continue;
    r->MapX = r->MapY = r->MapZ = -1;
    ++count;
  }
  return count;
}

int UnplaceHiddenRooms(World& w) {
  std::set<int32_t> zones;
  for (const auto& r : w.Rooms) zones.insert(r->Zone);
  int count = 0;
  for (int32_t zone : zones) count += UnplaceHiddenRooms(w, zone);
  return count;
}

}  // namespace zm
