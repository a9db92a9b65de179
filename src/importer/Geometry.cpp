#include "importer/Geometry.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <queue>
#include <tuple>

namespace {

double Cross(double ax, double ay, double bx, double by, double cx, double cy) {
  return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
}

double SignedArea(const GeoRing& ring) {
  double sum = 0;
  for (size_t i = 0; i + 1 < ring.size(); ++i)
    sum += static_cast<double>(ring[i].X) * ring[i + 1].Y - static_cast<double>(ring[i + 1].X) * ring[i].Y;
  return sum / 2;
}

GeoPoint Rounded(double x, double y) {
  return {static_cast<int32_t>(std::lround(x)), static_cast<int32_t>(std::lround(y))};
}

GeoPoint Lerp(GeoPoint a, GeoPoint b, double t) {
  return Rounded(a.X + (static_cast<double>(b.X) - a.X) * t, a.Y + (static_cast<double>(b.Y) - a.Y) * t);
}

// Liang-Barsky: the part [t0, t1] of the segment a-b inside the box.
bool ClipSegment(GeoPoint a, GeoPoint b, const GeoBox& box, double& t0, double& t1) {
  t0 = 0;
  t1 = 1;
  const double dx = static_cast<double>(b.X) - a.X, dy = static_cast<double>(b.Y) - a.Y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {static_cast<double>(a.X) - box.MinX, static_cast<double>(box.MaxX) - a.X,
                       static_cast<double>(a.Y) - box.MinY, static_cast<double>(box.MaxY) - a.Y};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  return true;
}

// One step of Sutherland-Hodgman: the open ring cut by one edge of the box.
std::vector<GeoPoint> CutByEdge(const std::vector<GeoPoint>& ring, const std::function<bool(GeoPoint)>& inside,
                                const std::function<double(GeoPoint, GeoPoint)>& crossing) {
  std::vector<GeoPoint> out;
  for (size_t i = 0; i < ring.size(); ++i) {
    const GeoPoint a = ring[i], b = ring[(i + 1) % ring.size()];
    const bool ain = inside(a), bin = inside(b);
    if (ain) out.push_back(a);
    if (ain != bin) out.push_back(Lerp(a, b, crossing(a, b)));
  }
  return out;
}

double Fraction(double from, double to, double edge) { return (edge - from) / (to - from); }

GeoLine Reversed(GeoLine line) {
  std::reverse(line.Points.begin(), line.Points.end());
  std::swap(line.FirstNode, line.LastNode);
  return line;
}

void Append(std::vector<GeoPoint>& to, const std::vector<GeoPoint>& points) {
  to.insert(to.end(), points.begin() + (to.empty() ? 0 : 1), points.end());
}

double Distance2(GeoPoint a, GeoPoint b) {
  const double dx = static_cast<double>(a.X) - b.X, dy = static_cast<double>(a.Y) - b.Y;
  return dx * dx + dy * dy;
}

double TriangleArea(const Point& a, const Point& b, const Point& c) {
  return std::abs(Cross(a.X, a.Y, b.X, b.Y, c.X, c.Y)) / 2;
}

}  // namespace

double RingArea(const GeoRing& ring) { return std::abs(SignedArea(ring)); }

double OutlineArea(const std::vector<Point>& ring) {
  double sum = 0;
  for (size_t i = 0; i < ring.size(); ++i) {
    const Point& a = ring[i];
    const Point& b = ring[(i + 1) % ring.size()];
    sum += static_cast<double>(a.X) * b.Y - static_cast<double>(b.X) * a.Y;
  }
  return std::abs(sum) / 2;
}

bool RingContains(const GeoRing& ring, GeoPoint p) {
  bool inside = false;
  for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const GeoPoint a = ring[i], b = ring[j];
    if ((a.Y > p.Y) != (b.Y > p.Y)) {
      const double x = a.X + (static_cast<double>(p.Y) - a.Y) * (static_cast<double>(b.X) - a.X) / (b.Y - a.Y);
      if (p.X < x) inside = !inside;
    }
  }
  return inside;
}

GeoPoint InteriorPoint(const GeoRing& ring) {
  if (ring.empty()) return {};
  const double area = SignedArea(ring);
  double cx = 0, cy = 0;
  if (area != 0) {
    for (size_t i = 0; i + 1 < ring.size(); ++i) {
      const double f = static_cast<double>(ring[i].X) * ring[i + 1].Y - static_cast<double>(ring[i + 1].X) * ring[i].Y;
      cx += (static_cast<double>(ring[i].X) + ring[i + 1].X) * f;
      cy += (static_cast<double>(ring[i].Y) + ring[i + 1].Y) * f;
    }
    cx /= 6 * area;
    cy /= 6 * area;
  } else {
    for (const GeoPoint& p : ring) {
      cx += p.X;
      cy += p.Y;
    }
    cx /= static_cast<double>(ring.size());
    cy /= static_cast<double>(ring.size());
  }
  const GeoPoint centroid = Rounded(cx, cy);
  if (RingContains(ring, centroid)) return centroid;
  std::vector<double> xs;
  for (size_t i = 0; i + 1 < ring.size(); ++i) {
    const GeoPoint a = ring[i], b = ring[i + 1];
    if ((a.Y > centroid.Y) != (b.Y > centroid.Y))
      xs.push_back(a.X + (static_cast<double>(centroid.Y) - a.Y) * (static_cast<double>(b.X) - a.X) / (b.Y - a.Y));
  }
  std::sort(xs.begin(), xs.end());
  if (xs.size() < 2) return ring.front();
  return Rounded((xs[0] + xs[1]) / 2, centroid.Y);
}

std::vector<std::vector<GeoPoint>> ClipLine(const std::vector<GeoPoint>& line, const GeoBox& box) {
  std::vector<std::vector<GeoPoint>> parts;
  std::vector<GeoPoint> run;
  const auto flush = [&] {
    if (run.size() >= 2) parts.push_back(std::move(run));
    run.clear();
  };
  for (size_t i = 0; i + 1 < line.size(); ++i) {
    double t0 = 0, t1 = 1;
    if (!ClipSegment(line[i], line[i + 1], box, t0, t1)) {
      flush();
      continue;
    }
    const GeoPoint p0 = Lerp(line[i], line[i + 1], t0), p1 = Lerp(line[i], line[i + 1], t1);
    if (run.empty() || t0 > 0) {
      flush();
      run.push_back(p0);
    }
    if (!(p1 == run.back())) run.push_back(p1);
    if (t1 < 1) flush();
  }
  flush();
  return parts;
}

GeoRing ClipRing(const GeoRing& ring, const GeoBox& box) {
  std::vector<GeoPoint> open(ring.begin(), ring.end());
  if (open.size() > 1 && open.front() == open.back()) open.pop_back();
  open = CutByEdge(open, [&](GeoPoint p) { return p.X >= box.MinX; },
                   [&](GeoPoint a, GeoPoint b) { return Fraction(a.X, b.X, box.MinX); });
  open = CutByEdge(open, [&](GeoPoint p) { return p.X <= box.MaxX; },
                   [&](GeoPoint a, GeoPoint b) { return Fraction(a.X, b.X, box.MaxX); });
  open = CutByEdge(open, [&](GeoPoint p) { return p.Y >= box.MinY; },
                   [&](GeoPoint a, GeoPoint b) { return Fraction(a.Y, b.Y, box.MinY); });
  open = CutByEdge(open, [&](GeoPoint p) { return p.Y <= box.MaxY; },
                   [&](GeoPoint a, GeoPoint b) { return Fraction(a.Y, b.Y, box.MaxY); });
  if (open.size() < 3) return {};
  open.push_back(open.front());
  return open;
}

std::vector<GeoLine> JoinLines(std::vector<GeoLine> lines) {
  std::map<int64_t, std::vector<size_t>> atNode;  // lines by the nodes at their ends
  for (size_t i = 0; i < lines.size(); ++i)
    for (int64_t node : {lines[i].FirstNode, lines[i].LastNode})
      if (node != 0) atNode[node].push_back(i);
  std::vector<bool> used(lines.size(), false);
  // The first unused line other than `self` with an end at the node.
  const auto next = [&](int64_t node) -> size_t {
    if (node == 0) return lines.size();
    const auto it = atNode.find(node);
    if (it == atNode.end()) return lines.size();
    for (size_t j : it->second)
      if (!used[j]) return j;
    return lines.size();
  };
  std::vector<GeoLine> chains;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (used[i]) continue;
    used[i] = true;
    GeoLine chain = std::move(lines[i]);
    for (size_t j; chain.LastNode != chain.FirstNode && (j = next(chain.LastNode)) < lines.size();) {
      used[j] = true;
      GeoLine way = lines[j].FirstNode == chain.LastNode ? std::move(lines[j]) : Reversed(std::move(lines[j]));
      Append(chain.Points, way.Points);
      chain.LastNode = way.LastNode;
    }
    for (size_t j; chain.LastNode != chain.FirstNode && (j = next(chain.FirstNode)) < lines.size();) {
      used[j] = true;
      GeoLine way = lines[j].LastNode == chain.FirstNode ? std::move(lines[j]) : Reversed(std::move(lines[j]));
      Append(way.Points, chain.Points);
      chain.Points = std::move(way.Points);
      chain.FirstNode = way.FirstNode;
    }
    chains.push_back(std::move(chain));
  }
  return chains;
}

std::vector<GeoPoint> JoinInOrder(const std::vector<GeoLine>& ways, size_t& gaps) {
  gaps = 0;
  std::vector<GeoPoint> line;
  if (ways.empty()) return line;
  GeoLine first = ways.front();
  if (ways.size() > 1) {
    const GeoLine& second = ways[1];
    const bool lastMeets = first.LastNode == second.FirstNode || first.LastNode == second.LastNode;
    const bool firstMeets = first.FirstNode == second.FirstNode || first.FirstNode == second.LastNode;
    if (firstMeets && !lastMeets) first = Reversed(std::move(first));
  }
  line = first.Points;
  int64_t end = first.LastNode;
  for (size_t k = 1; k < ways.size(); ++k) {
    const GeoLine& way = ways[k];
    bool forward = way.FirstNode == end;
    if (!forward && way.LastNode != end) {
      ++gaps;
      forward = Distance2(line.back(), way.Points.front()) <= Distance2(line.back(), way.Points.back());
    }
    const GeoLine oriented = forward ? way : Reversed(way);
    if (oriented.FirstNode == end && end != 0)
      Append(line, oriented.Points);
    else
      line.insert(line.end(), oriented.Points.begin(), oriented.Points.end());
    end = oriented.LastNode;
  }
  return line;
}

std::vector<Point> WithoutRepeats(const std::vector<Point>& points, bool ring) {
  std::vector<Point> out;
  out.reserve(points.size());
  for (const Point& p : points)
    if (out.empty() || p.X != out.back().X || p.Y != out.back().Y) out.push_back(p);
  if (ring && out.size() > 1 && out.front().X == out.back().X && out.front().Y == out.back().Y) out.pop_back();
  return out;
}

std::vector<Point> Simplified(const std::vector<Point>& points, size_t maxPoints, bool ring) {
  const size_t n = points.size();
  if (n <= maxPoints) return points;
  std::vector<size_t> prev(n), next(n);
  for (size_t i = 0; i < n; ++i) {
    prev[i] = (i + n - 1) % n;
    next[i] = (i + 1) % n;
  }
  std::vector<bool> removed(n, false);
  std::vector<double> area(n, 0);
  using Entry = std::tuple<double, size_t>;  // area, index: the smallest first, ties by position
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
  const auto fixed = [&](size_t i) { return !ring && (i == 0 || i == n - 1); };
  const auto weigh = [&](size_t i) {
    area[i] = TriangleArea(points[prev[i]], points[i], points[next[i]]);
    queue.emplace(area[i], i);
  };
  for (size_t i = 0; i < n; ++i)
    if (!fixed(i)) weigh(i);
  for (size_t left = n; left > maxPoints && !queue.empty();) {
    const auto [a, i] = queue.top();
    queue.pop();
    if (removed[i] || a != area[i]) continue;  // an entry made stale by a neighbour's removal
    removed[i] = true;
    --left;
    next[prev[i]] = next[i];
    prev[next[i]] = prev[i];
    for (size_t j : {prev[i], next[i]})
      if (!fixed(j)) weigh(j);
  }
  std::vector<Point> out;
  for (size_t i = 0; i < n; ++i)
    if (!removed[i]) out.push_back(points[i]);
  return out;
}

std::vector<std::vector<Point>> Pieces(const std::vector<Point>& line, size_t maxPoints) {
  std::vector<std::vector<Point>> pieces;
  for (size_t start = 0; start + 1 < line.size(); start += maxPoints - 1) {
    const size_t end = std::min(line.size(), start + maxPoints);
    pieces.emplace_back(line.begin() + static_cast<long>(start), line.begin() + static_cast<long>(end));
  }
  if (line.size() == 1) pieces.push_back(line);
  return pieces;
}

std::vector<Point> Keyhole(const std::vector<Point>& outer, const std::vector<std::vector<Point>>& holes) {
  std::vector<std::vector<std::pair<size_t, size_t>>> bridges(outer.size());  // at outer corner: hole, its corner
  for (size_t h = 0; h < holes.size(); ++h) {
    double best = -1;
    size_t bi = 0, bj = 0;
    for (size_t i = 0; i < outer.size(); ++i)
      for (size_t j = 0; j < holes[h].size(); ++j) {
        const double dx = static_cast<double>(outer[i].X) - holes[h][j].X;
        const double dy = static_cast<double>(outer[i].Y) - holes[h][j].Y;
        if (best < 0 || dx * dx + dy * dy < best) {
          best = dx * dx + dy * dy;
          bi = i;
          bj = j;
        }
      }
    bridges[bi].push_back({h, bj});
  }
  std::vector<Point> out;
  for (size_t i = 0; i < outer.size(); ++i) {
    out.push_back(outer[i]);
    for (const auto& [h, j] : bridges[i]) {
      const std::vector<Point>& hole = holes[h];
      for (size_t k = 0; k <= hole.size(); ++k) out.push_back(hole[(j + k) % hole.size()]);
      out.push_back(outer[i]);
    }
  }
  return out;
}

bool FitOutline(std::vector<Point>& outer, std::vector<std::vector<Point>>& holes, size_t maxPoints) {
  size_t cost = outer.size();
  for (const auto& hole : holes) cost += hole.size() + 2;
  if (cost <= maxPoints) return true;
  std::stable_sort(holes.begin(), holes.end(),
                   [](const auto& a, const auto& b) { return OutlineArea(a) > OutlineArea(b); });
  for (;;) {
    const size_t available = maxPoints - 2 * holes.size();
    size_t total = outer.size();
    for (const auto& hole : holes) total += hole.size();
    const auto share = [&](size_t n) { return std::max<size_t>(3, n * available / total); };
    size_t needed = share(outer.size());
    for (const auto& hole : holes) needed += share(hole.size());
    if (needed <= available || holes.empty()) {
      outer = Simplified(outer, holes.empty() ? maxPoints : share(outer.size()), true);
      for (auto& hole : holes) hole = Simplified(hole, share(hole.size()), true);
      return false;
    }
    holes.pop_back();
  }
}
