#include "importer/NearestStreet.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "importer/GeoBox.h"

namespace {

constexpr double kMetresPerDegree = 111320.0;
constexpr int32_t kCellSize = 40000;  // 0.004 degrees: about 450 m north to south

int32_t CellOf(int32_t v) { return v >= 0 ? v / kCellSize : (v - kCellSize + 1) / kCellSize; }
int64_t Key(int32_t cx, int32_t cy) { return (static_cast<int64_t>(cx) << 32) ^ static_cast<uint32_t>(cy); }

bool IsNamedStreet(const LineFeature& l) {
  return l.Kind == LineKind::Street && !l.Name.empty() && l.Type != "МОСТ" && l.Line.Points.size() >= 2;
}

}  // namespace

NearestStreet::NearestStreet(const std::vector<LineFeature>& lines) : lines_(lines) {
  GeoBox all;
  for (const LineFeature& l : lines)
    if (IsNamedStreet(l)) all.Add(l.Line.Points);
  if (all.Empty()) return;
  const double latitude = (all.MinY / 2 + all.MaxY / 2) / 1e7 * M_PI / 180;
  metresPerX_ = kMetresPerDegree / 1e7 * std::max(0.05, std::cos(latitude));
  minCellX_ = CellOf(all.MinX), maxCellX_ = CellOf(all.MaxX);
  minCellY_ = CellOf(all.MinY), maxCellY_ = CellOf(all.MaxY);
  for (uint32_t i = 0; i < lines.size(); ++i)
    if (IsNamedStreet(lines[i]))
      for (uint32_t k = 0; k + 1 < lines[i].Line.Points.size(); ++k) AddSegment(lines[i].Line.Points, {i, k});
}

// A segment goes into the cells of points along it, every half cell (a
// long one at no more than kMostSamples points: the search's slack of two
// cells covers what that passes over).
void NearestStreet::AddSegment(const std::vector<GeoPoint>& points, Segment s) {
  constexpr int kMostSamples = 64;
  const GeoPoint a = points[s.Point], b = points[s.Point + 1];
  const double cells = std::max(std::abs(static_cast<double>(b.X) - a.X), std::abs(static_cast<double>(b.Y) - a.Y)) / kCellSize;
  const int samples = static_cast<int>(std::min<double>(kMostSamples, std::ceil(cells * 2)));
  int64_t last = 0;
  for (int k = 0; k <= samples; ++k) {
    const double t = samples > 0 ? static_cast<double>(k) / samples : 0;
    const int64_t key = Key(CellOf(static_cast<int32_t>(std::lround(a.X + t * (static_cast<double>(b.X) - a.X)))),
                            CellOf(static_cast<int32_t>(std::lround(a.Y + t * (static_cast<double>(b.Y) - a.Y)))));
    if (k > 0 && key == last) continue;
    cells_[key].push_back(s);
    last = key;
  }
}

double NearestStreet::SquaredMetres(GeoPoint p, const Segment& s) const {
  const std::vector<GeoPoint>& points = lines_[s.Line].Line.Points;
  const double metresPerY = kMetresPerDegree / 1e7;
  const double ax = (points[s.Point].X - static_cast<double>(p.X)) * metresPerX_;
  const double ay = (points[s.Point].Y - static_cast<double>(p.Y)) * metresPerY;
  const double bx = (points[s.Point + 1].X - static_cast<double>(p.X)) * metresPerX_;
  const double by = (points[s.Point + 1].Y - static_cast<double>(p.Y)) * metresPerY;
  const double dx = bx - ax, dy = by - ay, length = dx * dx + dy * dy;
  const double t = length > 0 ? std::clamp(-(ax * dx + ay * dy) / length, 0.0, 1.0) : 0.0;
  const double x = ax + t * dx, y = ay + t * dy;
  return x * x + y * y;
}

const std::string* NearestStreet::At(GeoPoint p) const {
  if (cells_.empty()) return nullptr;
  const int64_t px = CellOf(p.X), py = CellOf(p.Y);
  const double cellMetres = kCellSize * std::min(metresPerX_, kMetresPerDegree / 1e7);
  double best = std::numeric_limits<double>::infinity();
  const Segment* nearest = nullptr;
  const auto visit = [&](int64_t cx, int64_t cy) {
    const auto it = cells_.find(Key(static_cast<int32_t>(cx), static_cast<int32_t>(cy)));
    if (it == cells_.end()) return;
    for (const Segment& s : it->second)
      if (const double d = SquaredMetres(p, s); d < best) best = d, nearest = &s;
  };
  // Ring by ring around the point's cell, each ring only where the grid has
  // cells, from the first ring that reaches the grid.
  const int64_t loX = minCellX_ - px, hiX = maxCellX_ - px, loY = minCellY_ - py, hiY = maxCellY_ - py;
  const int64_t first = std::max({int64_t{0}, loX, -hiX, loY, -hiY});
  const int64_t last = std::max({-loX, hiX, -loY, hiY});
  for (int64_t r = first; r <= last; ++r) {
    if (nearest && std::sqrt(best) <= (static_cast<double>(r) - 2) * cellMetres) break;
    const int64_t x0 = std::max(-r, loX), x1 = std::min(r, hiX), y0 = std::max(-r + 1, loY), y1 = std::min(r - 1, hiY);
    for (const int64_t dy : {-r, r})
      if (dy >= loY && dy <= hiY)  // ring 0 twice, which finds nothing new
        for (int64_t dx = x0; dx <= x1; ++dx) visit(px + dx, py + dy);
    for (const int64_t dx : {-r, r})
      if (dx >= loX && dx <= hiX)
        for (int64_t dy = y0; dy <= y1; ++dy) visit(px + dx, py + dy);
  }
  if (!nearest) return nullptr;
  const LineFeature& street = lines_[nearest->Line];
  return street.Label.empty() ? &street.Name : &street.Label;
}
