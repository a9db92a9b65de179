#include "render/BoxIndex.h"

#include <algorithm>
#include <utility>

namespace {

// A 4096 x 4096 grid over the boxes' centres: finer than the groups of
// kFanout boxes need, and positions along it fit 24 bits.
constexpr int kCurveOrder = 12;
constexpr uint32_t kCurveSide = 1u << kCurveOrder;

// The bits of v spread to the even places: abc -> 0a0b0c.
uint32_t Spread(uint32_t v) {
  v = (v | (v << 8)) & 0x00ff00ffu;
  v = (v | (v << 4)) & 0x0f0f0f0fu;
  v = (v | (v << 2)) & 0x33333333u;
  v = (v | (v << 1)) & 0x55555555u;
  return v;
}

// Position of grid cell (x, y) along the Z curve through the grid: the bits
// of x and y interleaved.
uint32_t CurvePosition(uint32_t x, uint32_t y) { return Spread(x) << 1 | Spread(y); }

int64_t Centre2(int32_t lo, int32_t hi) { return int64_t{lo} + hi; }  // twice the centre

// The grid cell of a centre between lo2 and hi2 (twice the coordinates).
uint32_t CellOf(int64_t c2, int64_t lo2, int64_t hi2) {
  if (hi2 == lo2) return 0;
  return static_cast<uint32_t>((c2 - lo2) * (kCurveSide - 1) / (hi2 - lo2));
}

struct CurveKey {
  uint32_t Position;
  uint32_t Box;
};

// Sorts by position, equal positions kept in order: a byte at a time, as
// many bytes as positions have (a sort in linear time, which the first
// redraw after a load waits for).
void SortByPosition(std::vector<CurveKey>& keys) {
  std::vector<CurveKey> spare(keys.size());
  for (int shift = 0; shift < 2 * kCurveOrder; shift += 8) {
    size_t starts[257] = {};
    for (const CurveKey& k : keys) ++starts[((k.Position >> shift) & 0xff) + 1];
    for (int byte = 0; byte < 256; ++byte) starts[byte + 1] += starts[byte];
    for (const CurveKey& k : keys) spare[starts[(k.Position >> shift) & 0xff]++] = k;
    keys.swap(spare);
  }
}

void SortAlongCurve(std::vector<NumberedBox>& boxes) {
  if (boxes.size() < 2) return;
  int64_t loX = INT64_MAX, loY = INT64_MAX, hiX = INT64_MIN, hiY = INT64_MIN;
  for (const NumberedBox& b : boxes) {
    loX = std::min(loX, Centre2(b.Box.MinX, b.Box.MaxX));
    hiX = std::max(hiX, Centre2(b.Box.MinX, b.Box.MaxX));
    loY = std::min(loY, Centre2(b.Box.MinY, b.Box.MaxY));
    hiY = std::max(hiY, Centre2(b.Box.MinY, b.Box.MaxY));
  }
  std::vector<CurveKey> keys(boxes.size());
  for (size_t i = 0; i < boxes.size(); ++i) {
    const PointBox& b = boxes[i].Box;
    keys[i] = {CurvePosition(CellOf(Centre2(b.MinX, b.MaxX), loX, hiX), CellOf(Centre2(b.MinY, b.MaxY), loY, hiY)),
               static_cast<uint32_t>(i)};
  }
  SortByPosition(keys);
  std::vector<NumberedBox> sorted;
  sorted.reserve(boxes.size());
  for (const CurveKey& key : keys) sorted.push_back(boxes[key.Box]);
  boxes = std::move(sorted);
}

PointBox Bounds(const PointBox* first, const PointBox* last) {
  PointBox b = *first;
  for (const PointBox* p = first + 1; p < last; ++p) {
    b.MinX = std::min(b.MinX, p->MinX);
    b.MinY = std::min(b.MinY, p->MinY);
    b.MaxX = std::max(b.MaxX, p->MaxX);
    b.MaxY = std::max(b.MaxY, p->MaxY);
  }
  return b;
}

// The bounds of every kFanout consecutive boxes.
std::vector<PointBox> GroupBounds(const std::vector<PointBox>& boxes) {
  std::vector<PointBox> out;
  out.reserve((boxes.size() + BoxIndex::kFanout - 1) / BoxIndex::kFanout);
  for (size_t i = 0; i < boxes.size(); i += BoxIndex::kFanout)
    out.push_back(Bounds(&boxes[i], &boxes[std::min(boxes.size(), i + BoxIndex::kFanout)]));
  return out;
}

}  // namespace

BoxIndex::BoxIndex(std::vector<NumberedBox> boxes) : boxes_(std::move(boxes)) {
  SortAlongCurve(boxes_);
  if (boxes_.empty()) return;
  std::vector<PointBox> leaves(boxes_.size());
  for (size_t i = 0; i < boxes_.size(); ++i) leaves[i] = boxes_[i].Box;
  levels_.push_back(GroupBounds(leaves));
  while (levels_.back().size() > 1) levels_.push_back(GroupBounds(levels_.back()));
}

void BoxIndex::Find(const PointBox& area, std::vector<int32_t>& out) const {
  if (levels_.empty()) return;
  const size_t start = out.size();
  // Depth first from the root, a node of levels_[Level]; its children are
  // nodes of the level below or, under level 0, the boxes.  A child is
  // entered only when its bounds meet the area.
  struct Node {
    int Level;
    size_t Index;
  };
  std::vector<Node> pending{{static_cast<int>(levels_.size()) - 1, 0}};
  while (!pending.empty()) {
    const Node node = pending.back();
    pending.pop_back();
    const size_t first = node.Index * kFanout;
    if (node.Level == 0) {
      const size_t last = std::min(boxes_.size(), first + kFanout);
      for (size_t i = first; i < last; ++i)
        if (BoxesMeet(boxes_[i].Box, area)) out.push_back(boxes_[i].Number);
      continue;
    }
    const std::vector<PointBox>& children = levels_[static_cast<size_t>(node.Level) - 1];
    const size_t last = std::min(children.size(), first + kFanout);
    for (size_t i = first; i < last; ++i)
      if (BoxesMeet(children[i], area)) pending.push_back({node.Level - 1, i});
  }
  std::sort(out.begin() + static_cast<std::ptrdiff_t>(start), out.end());
}
