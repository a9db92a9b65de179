#include "importer/StreetLabels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numeric>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace {

// Room kept between two labels.
constexpr double kGapPixels = 2;
// Pieces and carriageways of one name closer than this are one street.
constexpr double kJoinMetres = 150;
// Every point of a street at least this far from its ends lies this close
// to one of its labels where the labels find room, so that a view holding
// 1.5 km of a street shows its name.
constexpr double kReachMetres = 750;
// How finely a street is followed to find the stretches no label reaches.
constexpr double kSampleMetres = 100;
// The steepest stretch a text runs along (about 20 degrees).
constexpr double kMostSlope = 0.36;
constexpr int kMostCandidatesPerStretch = 64;

struct Box {
  double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;
  bool Overlaps(const Box& o) const { return o.MinX < MaxX && o.MaxX > MinX && o.MinY < MaxY && o.MaxY > MinY; }
  double Diagonal() const { return std::hypot(MaxX - MinX, MaxY - MinY); }
};

double TextWidth(size_t letters, double scale) { return static_cast<double>(letters) * kLetterPixels / scale; }

// What a label covers at `scale`, with half the gap around it.
Box LabelBox(Point at, size_t letters, double scale) {
  const double gap = kGapPixels / 2 / scale;
  return {at.X - gap, at.Y - gap, at.X + TextWidth(letters, scale) + gap, at.Y + kLinePixels / scale + gap};
}

// The labels on the map, found through the grid cells their boxes cover at
// the scale they first show at.  Two labels must not meet where the smaller
// first shows; there each covers no more than it does at its own scale.
class LabelGrid {
 public:
  void Add(const PlacedLabel& label) {
    const size_t index = labels_.size();
    labels_.push_back(label);
    ForCells(LabelBox(label.At, label.Letters, FirstLegibleScale(label.Size)),
             [&](int64_t key) { cells_[key].push_back(index); });
  }

  bool Clear(Point at, size_t letters, double scale) const {
    bool clear = true;
    ForCells(LabelBox(at, letters, scale), [&](int64_t key) {
      const auto cell = cells_.find(key);
      if (cell == cells_.end()) return;
      for (size_t i : cell->second) {
        const double both = std::max(scale, FirstLegibleScale(labels_[i].Size));
        if (LabelBox(labels_[i].At, labels_[i].Letters, both).Overlaps(LabelBox(at, letters, both))) clear = false;
      }
    });
    return clear;
  }

 private:
  static constexpr double kCell = 256;

  template <typename Visit>
  static void ForCells(const Box& box, Visit visit) {
    const auto cell = [](double v) { return static_cast<int64_t>(std::floor(v / kCell)); };
    for (int64_t x = cell(box.MinX); x <= cell(box.MaxX); ++x)
      for (int64_t y = cell(box.MinY); y <= cell(box.MaxY); ++y) visit(x * 0x100000000LL + (y & 0xffffffffLL));
  }

  std::vector<PlacedLabel> labels_;
  std::unordered_map<int64_t, std::vector<size_t>> cells_;
};

struct NamedStreet {
  std::vector<size_t> Lines;
  Box Bounds;
  double Length = 0;
  int Size = 0;
};

Box BoundsOf(const std::vector<Point>& points) {
  Box b{1e18, 1e18, -1e18, -1e18};
  for (const Point& p : points) {
    b.MinX = std::min<double>(b.MinX, p.X), b.MinY = std::min<double>(b.MinY, p.Y);
    b.MaxX = std::max<double>(b.MaxX, p.X), b.MaxY = std::max<double>(b.MaxY, p.Y);
  }
  return b;
}

Box Widened(Box b, double by) { return {b.MinX - by, b.MinY - by, b.MaxX + by, b.MaxY + by}; }

double LengthOf(const std::vector<Point>& points) {
  double length = 0;
  for (size_t i = 1; i < points.size(); ++i)
    length += std::hypot(points[i].X - points[i - 1].X, points[i].Y - points[i - 1].Y);
  return length;
}

size_t Find(std::vector<size_t>& parent, size_t i) {
  while (parent[i] != i) i = parent[i] = parent[parent[i]];
  return i;
}

// The lines of one name whose boxes come within `join` of each other are one
// street: the pieces of a street and both carriageways of an avenue.
std::vector<NamedStreet> StreetsOfName(const std::vector<NamedLine>& lines, const std::vector<size_t>& named, double join) {
  std::vector<Box> boxes;
  for (size_t i : named) boxes.push_back(Widened(BoundsOf(lines[i].Points), join / 2));
  std::vector<size_t> parent(named.size());
  std::iota(parent.begin(), parent.end(), 0);
  for (size_t a = 0; a < named.size(); ++a)
    for (size_t b = a + 1; b < named.size(); ++b)
      if (boxes[a].Overlaps(boxes[b])) parent[Find(parent, a)] = Find(parent, b);
  std::map<size_t, NamedStreet> byRoot;
  for (size_t k = 0; k < named.size(); ++k) {
    NamedStreet& s = byRoot[Find(parent, k)];
    const NamedLine& line = lines[named[k]];
    const Box b = BoundsOf(line.Points);
    s.Bounds = s.Lines.empty() ? b : Box{std::min(s.Bounds.MinX, b.MinX), std::min(s.Bounds.MinY, b.MinY),
                                         std::max(s.Bounds.MaxX, b.MaxX), std::max(s.Bounds.MaxY, b.MaxY)};
    s.Lines.push_back(named[k]);
    s.Length += LengthOf(line.Points);
    s.Size = std::max(s.Size, line.Size);
  }
  std::vector<NamedStreet> streets;
  for (auto& [root, s] : byRoot) streets.push_back(std::move(s));
  return streets;
}

// Map points where streets of different names meet: a name written from
// there reads as the other street's.
using Junctions = std::unordered_set<int64_t>;

bool Same(Point a, Point b) { return a.X == b.X && a.Y == b.Y; }

int64_t PointKey(Point p) { return int64_t{p.X} * 0x100000000LL + (p.Y & 0xffffffffLL); }

Junctions JunctionsOf(const std::vector<NamedLine>& lines) {
  std::unordered_map<int64_t, const std::string*> firstName;
  Junctions junctions;
  for (const NamedLine& line : lines)
    for (const Point& p : line.Points) {
      const auto [it, fresh] = firstName.emplace(PointKey(p), &line.Text);
      if (!fresh && *it->second != line.Text) junctions.insert(it->first);
    }
  return junctions;
}

// A street's lines joined where they meet end to end (the ways of one
// carriageway), so that a text may run along several short ways.
struct Chain {
  std::vector<Point> Points;
  std::vector<bool> Inside;
};

std::vector<Chain> ChainsOf(const NamedStreet& street, const std::vector<NamedLine>& lines) {
  std::unordered_map<int64_t, std::vector<size_t>> ends;  // where lines end -> the lines
  for (size_t i : street.Lines) {
    ends[PointKey(lines[i].Points.front())].push_back(i);
    ends[PointKey(lines[i].Points.back())].push_back(i);
  }
  std::unordered_set<size_t> used;
  std::vector<Chain> chains;
  for (size_t first : street.Lines) {
    if (!used.insert(first).second) continue;
    Chain chain{lines[first].Points, lines[first].Inside};
    for (int side = 0; side < 2; ++side) {
      // Onwards from the chain's last point while just one other line ends there.
      for (;;) {
        const std::vector<size_t>& there = ends[PointKey(chain.Points.back())];
        if (there.size() != 2) break;
        const size_t next = used.count(there[0]) ? there[1] : there[0];
        if (!used.insert(next).second) break;
        const NamedLine& line = lines[next];
        const bool reversed = !Same(line.Points.front(), chain.Points.back());
        for (size_t k = 1; k < line.Points.size(); ++k) {
          const size_t at = reversed ? line.Points.size() - 1 - k : k;
          chain.Points.push_back(line.Points[at]);
          chain.Inside.push_back(line.Inside[at]);
        }
      }
      std::reverse(chain.Points.begin(), chain.Points.end());
      std::reverse(chain.Inside.begin(), chain.Inside.end());
    }
    chains.push_back(std::move(chain));
  }
  return chains;
}

// Whether a text of `width` written from `at`, on the stretch from point k-1
// to k of the chain, runs beside its street: the street goes on to the right
// for the text's whole width, never steeper than the steepest stretch.
bool TextRunsAlong(const Chain& chain, size_t k, Point at, double width) {
  const int dx = chain.Points[k].X - chain.Points[k - 1].X;
  if (dx == 0) return false;
  const int step = dx > 0 ? 1 : -1;
  double lastX = at.X;
  for (int v = dx > 0 ? static_cast<int>(k) : static_cast<int>(k) - 1; v >= 0 && v < static_cast<int>(chain.Points.size());
       v += step) {
    if (!chain.Inside[static_cast<size_t>(v)]) return false;
    const Point p = chain.Points[static_cast<size_t>(v)];
    if (p.X <= lastX && !Same(p, at)) return false;
    const double reach = std::min<double>(p.X - at.X, width);
    double y = p.Y;
    if (p.X - at.X > width) {  // where the street passes the text's end
      const Point q = chain.Points[static_cast<size_t>(v - step)];
      y = q.Y + (p.Y - q.Y) * (at.X + width - q.X) / (p.X - q.X);
    }
    if (std::abs(y - at.Y) > kMostSlope * reach + 1) return false;
    if (p.X - at.X >= width) return true;
    lastX = p.X;
  }
  return false;
}

struct Candidate {
  Point At;
  double Cost = 0;
  bool AlongStreet = false;  // the whole text runs beside the street
};

// Anchors on the street every two lines of text.  Those where the text runs
// along the street, away from where other streets meet it, and near the
// middle of the street come first.
std::vector<Candidate> CandidatesOf(const NamedStreet& street, const std::vector<Chain>& chains, double width,
                                    double height, const Junctions& junctions) {
  const double middleX = (street.Bounds.MinX + street.Bounds.MaxX) / 2;
  const double middleY = (street.Bounds.MinY + street.Bounds.MaxY) / 2;
  const double penalty = street.Bounds.Diagonal() + width;
  std::vector<Candidate> out;
  for (const Chain& chain : chains)
    for (size_t k = 1; k < chain.Points.size(); ++k) {
      if (!chain.Inside[k - 1] || !chain.Inside[k]) continue;
      const Point a = chain.Points[k - 1], b = chain.Points[k];
      const double dx = b.X - a.X, dy = b.Y - a.Y;
      const bool horizontal = dx != 0 && std::abs(dy) <= kMostSlope * std::abs(dx);
      const int steps = std::clamp(static_cast<int>(std::hypot(dx, dy) / (2 * height)), 1, kMostCandidatesPerStretch - 1);
      for (int s = 0; s <= steps; ++s) {
        const Point at{static_cast<int>(std::lround(a.X + dx * s / steps)), static_cast<int>(std::lround(a.Y + dy * s / steps))};
        const bool along = TextRunsAlong(chain, k, at, width);
        const double cost = std::hypot(at.X + width / 2 - middleX, at.Y - middleY) + (horizontal ? 0 : penalty) +
                            (along ? 0 : penalty / 2) + (junctions.count(PointKey(at)) ? penalty / 2 : 0);
        out.push_back({at, cost, along});
      }
    }
  std::sort(out.begin(), out.end(), [](const Candidate& a, const Candidate& b) {
    return std::tie(a.Cost, a.At.X, a.At.Y) < std::tie(b.Cost, b.At.X, b.At.Y);
  });
  return out;
}

// Points along the street's stretches inside the area, every `step`.
std::vector<Point> SamplesOf(const std::vector<Chain>& chains, double step) {
  std::vector<Point> out;
  for (const Chain& chain : chains)
    for (size_t k = 1; k < chain.Points.size(); ++k) {
      if (!chain.Inside[k - 1] || !chain.Inside[k]) continue;
      const Point a = chain.Points[k - 1], b = chain.Points[k];
      const int steps = std::max(1, static_cast<int>(std::ceil(std::hypot(b.X - a.X, b.Y - a.Y) / step)));
      for (int s = 0; s < steps; ++s)
        out.push_back({static_cast<int>(std::lround(a.X + double(b.X - a.X) * s / steps)),
                       static_cast<int>(std::lround(a.Y + double(b.Y - a.Y) * s / steps))});
      if (k + 1 == chain.Points.size() || !chain.Inside[k + 1]) out.push_back(b);
    }
  return out;
}

double Distance(Point a, Point b) { return std::hypot(a.X - b.X, a.Y - b.Y); }

// Sign of hypot(dx, dy) - r, decided by the squares where they are clearly
// apart and by hypot itself in the sliver between, so that it answers as
// comparing Distance would, at a fraction of its cost: label placement
// tests every sample of a street against every candidate.
int CompareLength(double dx, double dy, double r) {
  const double squares = dx * dx + dy * dy, bound = r * r;
  if (squares < bound * (1 - 1e-9)) return -1;
  if (squares > bound * (1 + 1e-9)) return 1;
  const double length = std::hypot(dx, dy);
  return length < r ? -1 : length > r ? 1 : 0;
}

bool Within(Point a, Point b, double r) { return CompareLength(a.X - b.X, a.Y - b.Y, r) <= 0; }

int64_t SquaredDistance(Point a, Point b) {
  const int64_t dx = int64_t{a.X} - b.X, dy = int64_t{a.Y} - b.Y;
  return dx * dx + dy * dy;
}

// The corners of the samples' convex hull, each the first sample at its
// place: the sample farthest from any point is one of them.
std::vector<size_t> HullOf(const std::vector<Point>& samples) {
  std::vector<size_t> order(samples.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    return std::tie(samples[a].X, samples[a].Y, a) < std::tie(samples[b].X, samples[b].Y, b);
  });
  order.erase(std::unique(order.begin(), order.end(), [&](size_t a, size_t b) { return Same(samples[a], samples[b]); }),
              order.end());
  if (order.size() < 3) return order;
  const auto turnsLeft = [&](size_t o, size_t a, size_t b) {
    const __int128 ax = samples[a].X - int64_t{samples[o].X}, ay = samples[a].Y - int64_t{samples[o].Y};
    const __int128 bx = samples[b].X - int64_t{samples[o].X}, by = samples[b].Y - int64_t{samples[o].Y};
    return ax * by - ay * bx > 0;
  };
  std::vector<size_t> hull(2 * order.size());
  size_t k = 0;
  for (size_t i = 0; i < order.size(); ++i) {  // lower half, then upper
    while (k >= 2 && !turnsLeft(hull[k - 2], hull[k - 1], order[i])) --k;
    hull[k++] = order[i];
  }
  for (size_t i = order.size() - 1, lower = k + 1; i-- > 0;) {
    while (k >= lower && !turnsLeft(hull[k - 2], hull[k - 1], order[i])) --k;
    hull[k++] = order[i];
  }
  hull.resize(k - 1);
  return hull;
}

// The first sample farthest from `s` (the hull's corners in sample order).
const Point* FarthestOf(Point s, const std::vector<Point>& samples, const std::vector<size_t>& hull) {
  size_t farthest = samples.size();
  int64_t most = -1;
  for (size_t i : hull) {
    const int64_t d = SquaredDistance(s, samples[i]);
    if (d > most || (d == most && i < farthest)) farthest = i, most = d;
  }
  return farthest < samples.size() ? &samples[farthest] : nullptr;
}

// Whether the angle between a (of length `aLength`) and b (of length at
// least `reach`) is over 60 degrees: a.b < |a| |b| / 2, from the squares
// where they are clear.
bool WideApart(double ax, double ay, double aLength, double bx, double by) {
  const double dot = ax * bx + ay * by;
  if (dot < 0) return true;
  const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by;
  const double left = dot * dot, right = a2 * b2 / 4;
  if (left < right * (1 - 1e-9)) return true;
  if (left > right * (1 + 1e-9)) return false;
  return dot < 0.5 * aLength * std::hypot(bx, by);
}

// The points a view holding twice `reach` of the street may be centred on:
// those with the street going on for `reach` two ways (more than 60 degrees
// apart).  Nearer its ends such a view holds what it does from there.
std::vector<Point> InnerOf(const std::vector<Point>& samples, double reach) {
  const std::vector<size_t> hull = HullOf(samples);
  std::vector<Point> inner;
  for (const Point& s : samples) {
    const Point* farthest = FarthestOf(s, samples, hull);
    if (!farthest || Distance(s, *farthest) < reach) continue;
    const double ax = farthest->X - s.X, ay = farthest->Y - s.Y, aLength = std::hypot(ax, ay);
    const bool twoWays = std::any_of(samples.begin(), samples.end(), [&](const Point& q) {
      const double bx = q.X - s.X, by = q.Y - s.Y;
      return CompareLength(bx, by, reach) >= 0 && WideApart(ax, ay, aLength, bx, by);
    });
    if (twoWays) inner.push_back(s);
  }
  return inner;
}

double NearestOf(Point at, const std::vector<Point>& points) {
  double nearest = 1e18;
  for (const Point& p : points) nearest = std::min(nearest, Distance(at, p));
  return nearest;
}

// The labels of one street, placed into `grid`: first where it costs least
// (unless a label of its name is near already), then, once every street has
// its first, one more wherever some of it, away from its ends, lies beyond
// `reach` of every label of its name (`named`): within reach of the point
// nearest those labels, as far on as it may go, best where the text runs
// along the street.  So a
// street's only name is never pushed out by another's repeated one, which
// moves along its street instead.
class StreetNamer {
 public:
  StreetNamer(LabelGrid& grid, std::vector<Point>& named, double scale, size_t letters, int size, double reach)
      : grid_(grid), named_(named), scale_(scale), letters_(letters), size_(size), reach_(reach) {}

  // False when the street's name finds no free place at all.
  bool PlaceFirst(const std::vector<Candidate>& candidates, std::vector<Point> samples, std::vector<Point>& placed) {
    const size_t all = samples.size();
    DropReached(samples);
    if (samples.size() < all || samples.empty()) return true;  // named near it, or wholly outside
    return TakeFirst(candidates, placed);
  }

  // `samples`: the street's inner points (InnerOf).
  void PlaceMore(const std::vector<Candidate>& candidates, std::vector<Point> samples, std::vector<Point>& placed) {
    // Each sample's distance to the nearest label of the name, kept up to
    // date as labels are added rather than searched for again.
    std::vector<double> nearest(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) nearest[i] = NearestOf(samples[i], named_);
    DropReached(samples, nearest);
    while (!samples.empty()) {
      const size_t open = static_cast<size_t>(std::min_element(nearest.begin(), nearest.end()) - nearest.begin());
      if (const Candidate* c = Best(candidates, samples[open], samples)) {
        Take(c->At, placed);
        for (size_t i = 0; i < samples.size(); ++i) nearest[i] = std::min(nearest[i], Distance(samples[i], c->At));
      } else {  // nowhere to name it near there
        samples.erase(samples.begin() + static_cast<std::ptrdiff_t>(open));
        nearest.erase(nearest.begin() + static_cast<std::ptrdiff_t>(open));
      }
      DropReached(samples, nearest);
    }
  }

 private:
  void DropReached(std::vector<Point>& samples) const {
    samples.erase(std::remove_if(samples.begin(), samples.end(), [&](Point p) { return NearestOf(p, named_) <= reach_; }),
                  samples.end());
  }

  void DropReached(std::vector<Point>& samples, std::vector<double>& nearest) const {
    size_t kept = 0;
    for (size_t i = 0; i < samples.size(); ++i)
      if (nearest[i] > reach_) samples[kept] = samples[i], nearest[kept++] = nearest[i];
    samples.resize(kept);
    nearest.resize(kept);
  }

  bool TakeFirst(const std::vector<Candidate>& candidates, std::vector<Point>& placed) {
    for (const Candidate& c : candidates)
      if (grid_.Clear(c.At, letters_, scale_)) {
        Take(c.At, placed);
        return true;
      }
    return false;
  }

  // Within reach of `open`, the one that reaches most of the street no label
  // reaches yet, so that the labels keep their distance (a text along the
  // street counting as half the reach more), the cheapest of those.
  const Candidate* Best(const std::vector<Candidate>& candidates, Point open, const std::vector<Point>& samples) const {
    const Candidate* best = nullptr;
    double bestWorth = 0;
    for (const Candidate& c : candidates) {
      if (!Within(c.At, open, reach_)) continue;
      double worth = c.AlongStreet ? kReachMetres / kSampleMetres / 2 : 0;
      for (const Point& p : samples) worth += Within(c.At, p, reach_) ? 1 : 0;
      if (worth > bestWorth && grid_.Clear(c.At, letters_, scale_)) best = &c, bestWorth = worth;
    }
    return best;
  }

  void Take(Point at, std::vector<Point>& placed) {
    grid_.Add({at, size_, letters_});
    named_.push_back(at);
    placed.push_back(at);
  }

  LabelGrid& grid_;
  std::vector<Point>& named_;
  double scale_;
  size_t letters_;
  int size_;
  double reach_;
};

}  // namespace

double FirstLegibleScale(int size) { return size > 10 ? 0.5 : size > 8 ? 0.7 : 3.5; }

std::vector<Label> PlaceStreetLabels(std::vector<NamedLine> lines, double unitMetres,
                                     const std::vector<PlacedLabel>& kept, size_t& leftOut,
                                     const std::function<void()>& between) {
  leftOut = 0;
  LabelGrid grid;
  for (const PlacedLabel& k : kept) grid.Add(k);

  std::map<std::string, std::vector<size_t>> byName;
  for (size_t i = 0; i < lines.size(); ++i)
    if (!lines[i].Text.empty() && lines[i].Points.size() == lines[i].Inside.size()) byName[lines[i].Text].push_back(i);
  std::vector<NamedStreet> streets;
  for (const auto& [name, named] : byName)
    for (NamedStreet& s : StreetsOfName(lines, named, kJoinMetres / unitMetres)) streets.push_back(std::move(s));
  // The bigger names and the longer streets choose their places first.
  std::stable_sort(streets.begin(), streets.end(), [](const NamedStreet& a, const NamedStreet& b) {
    return std::tie(b.Size, b.Length) < std::tie(a.Size, a.Length);
  });

  const Junctions junctions = JunctionsOf(lines);
  std::map<std::string, std::vector<Point>> named;  // where each name is written so far
  std::vector<std::vector<Point>> placed(streets.size());
  for (bool first : {true, false})
    for (size_t i = 0; i < streets.size(); ++i) {
      if (between) between();
      const NamedStreet& street = streets[i];
      const NamedLine& line = lines[street.Lines.front()];
      const double scale = FirstLegibleScale(street.Size);
      const std::vector<Chain> chains = ChainsOf(street, lines);
      const std::vector<Candidate> candidates =
          CandidatesOf(street, chains, TextWidth(line.Letters, scale), kLinePixels / scale, junctions);
      StreetNamer namer(grid, named[line.Text], scale, line.Letters, street.Size, kReachMetres / unitMetres);
      std::vector<Point> samples = SamplesOf(chains, kSampleMetres / unitMetres);
      if (!first)
        namer.PlaceMore(candidates, InnerOf(samples, (kReachMetres - kSampleMetres) / unitMetres), placed[i]);
      else if (!namer.PlaceFirst(candidates, std::move(samples), placed[i]))
        ++leftOut;
    }
  std::vector<Label> labels;
  for (size_t i = 0; i < streets.size(); ++i)
    for (const Point& at : placed[i]) labels.push_back({lines[streets[i].Lines.front()].Text, streets[i].Size, at});
  return labels;
}
