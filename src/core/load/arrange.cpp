#include "load/arrange.h"

#include <algorithm>
#include <cmath>
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
// not a number or would not fit the room's 8-bit position.
bool ToGrid(const std::vector<double>& v, int base, std::vector<int>& out) {
  for (double e : v)
    if (!std::isfinite(e)) return false;
  const double lo = *std::min_element(v.begin(), v.end());
  out.resize(v.size());
  for (size_t k = 0; k < v.size(); ++k) {
    const double t = std::trunc(v[k] - lo + 0.5) + base;
    if (!(t >= 0 && t <= kMaxCoord)) return false;
    out[k] = static_cast<int>(t);
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
  Square h = Invert(s.A, n);
  std::vector<int> x, y, z;
  // Checked whole before anything is stored, so a failure leaves no half-arranged zone.
  if (!ToGrid(Times(h, s.bx), 0, x) || !ToGrid(Times(h, s.by), 0, y) ||
      !ToGrid(Times(h, s.bz), 1, z)) {
    w.reporter().ShowError(ErrorMsg::ArrangeFailed);
    return false;
  }
  for (size_t k = 0; k < n; ++k) {
    rooms[k]->MapX = x[k];
    rooms[k]->MapY = y[k];
    rooms[k]->MapZ = z[k];
  }
  return true;
}

}  // namespace zm
