#include "StreetLabels.h"

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
// A long street is named again this far from its other labels.
constexpr double kRepeatMetres = 2000;
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
// the scale they first show at.  Labels are placed biggest first, so a later
// one first shows at the same or a larger scale, where an earlier one covers
// no more than it did at its own.
class LabelGrid {
 public:
  void Add(const PlacedLabel& label) {
    const size_t index = labels_.size();
    labels_.push_back(label);
    ForCells(LabelBox(label.At, label.Letters, FirstLegibleScale(label.Size)),
             [&](int64_t key) { cells_[key].push_back(index); });
  }

  bool Clear(Point at, size_t letters, double scale) const {
    const Box box = LabelBox(at, letters, scale);
    bool clear = true;
    ForCells(box, [&](int64_t key) {
      const auto cell = cells_.find(key);
      if (cell == cells_.end()) return;
      for (size_t i : cell->second)
        if (LabelBox(labels_[i].At, labels_[i].Letters, scale).Overlaps(box)) clear = false;
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

struct Candidate {
  Point At;
  double Cost = 0;
  bool AlongStreet = false;  // the whole text runs beside a near-horizontal stretch
};

// Anchors on the street's stretches: along a near-horizontal stretch long
// enough for the text, every half text width; along any other, every two
// lines of text.  Away from where other streets meet it, where possible.
// Those along the street and near the middle of the street come first.
std::vector<Candidate> CandidatesOf(const NamedStreet& street, const std::vector<NamedLine>& lines, double width,
                                    double height, const Junctions& junctions) {
  const double middleX = (street.Bounds.MinX + street.Bounds.MaxX) / 2;
  const double middleY = (street.Bounds.MinY + street.Bounds.MaxY) / 2;
  const double penalty = street.Bounds.Diagonal() + width;
  std::vector<Candidate> out;
  const auto add = [&](double x, double y, bool horizontal, bool fits) {
    const Point at{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
    const double cost = std::hypot(at.X + width / 2 - middleX, at.Y - middleY) + (horizontal ? 0 : penalty) +
                        (fits ? 0 : penalty / 2) + (junctions.count(PointKey(at)) ? penalty / 2 : 0);
    out.push_back({at, cost, horizontal && fits});
  };
  for (size_t i : street.Lines) {
    const NamedLine& line = lines[i];
    for (size_t k = 1; k < line.Points.size(); ++k) {
      if (!line.Inside[k - 1] || !line.Inside[k]) continue;
      Point left = line.Points[k - 1], right = line.Points[k];
      if (right.X < left.X) std::swap(left, right);
      const double dx = right.X - left.X, dy = right.Y - left.Y;
      const bool horizontal = dx > 0 && std::abs(dy) <= kMostSlope * dx;
      if (!horizontal || dx < width) {
        // The text touches the street at its corner: anywhere along it, every
        // two lines of text.
        const double length = std::hypot(dx, dy);
        const int steps = std::clamp(static_cast<int>(length / (2 * height)), 1, kMostCandidatesPerStretch - 1);
        for (int s = 0; s <= steps; ++s) add(left.X + dx * s / steps, left.Y + dy * s / steps, horizontal, false);
        continue;
      }
      const int steps = std::clamp(static_cast<int>((dx - width) / (width / 2)), 0, kMostCandidatesPerStretch - 1);
      for (int s = 0; s <= steps; ++s) {
        const double t = steps == 0 ? 0 : (dx - width) / dx * s / steps;
        add(left.X + dx * t, left.Y + dy * t, true, true);
      }
    }
  }
  std::sort(out.begin(), out.end(), [](const Candidate& a, const Candidate& b) {
    return std::tie(a.Cost, a.At.X, a.At.Y) < std::tie(b.Cost, b.At.X, b.At.Y);
  });
  return out;
}

bool FarFromAll(Point at, const std::vector<Point>& taken, double distance) {
  return std::all_of(taken.begin(), taken.end(),
                     [&](const Point& t) { return std::hypot(at.X - t.X, at.Y - t.Y) >= distance; });
}

}  // namespace

double FirstLegibleScale(int size) { return size > 10 ? 0.5 : size > 8 ? 0.7 : 3.5; }

std::vector<Label> PlaceStreetLabels(std::vector<NamedLine> lines, double unitMetres,
                                     const std::vector<PlacedLabel>& kept, size_t& leftOut) {
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
  std::vector<Label> labels;
  for (const NamedStreet& street : streets) {
    const NamedLine& first = lines[street.Lines.front()];
    const double scale = FirstLegibleScale(street.Size);
    std::vector<Point> taken;
    const std::vector<Candidate> candidates =
        CandidatesOf(street, lines, TextWidth(first.Letters, scale), kLinePixels / scale, junctions);
    for (const Candidate& c : candidates) {
      if (!taken.empty() && (!c.AlongStreet || !FarFromAll(c.At, taken, kRepeatMetres / unitMetres))) continue;
      if (!grid.Clear(c.At, first.Letters, scale)) continue;
      taken.push_back(c.At);
      grid.Add({c.At, street.Size, first.Letters});
      labels.push_back({first.Text, street.Size, c.At});
    }
    if (taken.empty() && !candidates.empty()) ++leftOut;  // a street wholly outside has no place to lose
  }
  return labels;
}
