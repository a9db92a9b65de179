#pragma once
// What one redraw has drawn where, so that what comes later gives way instead
// of burying it: icons thinned where they crowd, house numbers kept off labels
// and each other, place names of an overview kept off each other.  Boxes are in
// picture pixels and found through a grid of cells, so that each test looks at
// the few boxes near it, not at everything drawn.
#include <QRect>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "mapdata/IconGeometry.h"

// Boxes added one by one, found by the cells of a fixed grid they lie in.
class BoxGrid {
 public:
  void Add(const QRect& box);
  // Whether `test` holds for a box added whose cells meet `area`'s (each box
  // may be offered more than once).
  template <class Test>
  bool Any(const QRect& area, Test&& test) const {
    if (boxes_.empty()) return false;
    for (int cy = CellOf(area.top()); cy <= CellOf(area.bottom()); ++cy)
      for (int cx = CellOf(area.left()); cx <= CellOf(area.right()); ++cx) {
        const auto cell = cells_.find(Key(cx, cy));
        if (cell == cells_.end()) continue;
        for (const int32_t i : cell->second)
          if (test(boxes_[static_cast<size_t>(i)])) return true;
      }
    return false;
  }
  // Whether a box added meets `box` (a pixel in common).
  bool Meets(const QRect& box) const {
    return Any(box, [&](const QRect& drawn) { return drawn.intersects(box); });
  }
  int Count() const { return static_cast<int>(boxes_.size()); }

 private:
  static constexpr int kCell = 32;
  static int CellOf(int pixel) { return pixel >= 0 ? pixel / kCell : -((-int64_t{pixel} + kCell - 1) / kCell); }
  static int64_t Key(int cx, int cy) { return (int64_t{cy} << 32) ^ static_cast<uint32_t>(cx); }

  std::vector<QRect> boxes_;
  std::unordered_map<int64_t, std::vector<int32_t>> cells_;
};

// How close to an icon already drawn another may come at `scale`: below 1.0
// their centres keep this many pixels apart along one axis at least, an icon's
// side down to 50% (icons only overlap no more), further out 20 √(0.5 / scale)
// (they then cover at most twice the scale's share of a crowded stretch of
// map: a fifth at 10%); from 1.0 on none (IconCoversMost decides).
constexpr double kIconSpacingGrowsBelow = 0.5;
double IconSpacing(float scale);
// Whether an icon centred at `at` would cover more than half of the icon
// already drawn at `drawn` (both kIconSide square, top-left corners given).
bool IconCoversMost(const QPoint& at, const QPoint& drawn);

// One place name held back until the labels of an overview are drawn together.
struct HeldLabel {
  int32_t Row = 0;
  int32_t Size = 0;
};

// The marks of one redraw.
struct Crowding {
  bool GiveWay = true;        // icons and house numbers give way; off: every one drawn ("Все значки")
  BoxGrid Icons;              // icons drawn (their kIconSide square boxes)
  BoxGrid Texts;              // the labels the picture will show and the house numbers drawn
  BoxGrid Places;             // the place names of an overview drawn
  std::vector<HeldLabel> Held;  // the place names of an overview, until drawn
};

// Whether an icon whose box is `box` gives way to those drawn at `scale`.
bool IconGivesWay(const Crowding& c, const QRect& box, float scale);
