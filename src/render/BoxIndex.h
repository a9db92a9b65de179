#pragma once
// A spatial index over boxes in map units: packed once from a list of boxes,
// it finds the ones that meet a query box (edges included) by looking only at
// groups of boxes whose bounds meet it.  A static R-tree: the boxes are sorted
// along a Z curve through their centres (the bits of their cells on a grid
// interleaved), so that neighbours on the map are mostly neighbours in the
// list; every kFanout consecutive boxes make a node, every kFanout
// consecutive nodes one of the level above.  About 21 bytes a box.
#include <cstdint>
#include <vector>

#include "mapdata/PointList.h"

// A box and the number it is found under.
struct NumberedBox {
  PointBox Box;
  int32_t Number = 0;
};

class BoxIndex {
 public:
  static constexpr int kFanout = 16;

  BoxIndex() = default;
  explicit BoxIndex(std::vector<NumberedBox> boxes);

  // Appends to `out`, in ascending order, the number of every box that meets
  // `area` (map units, edges included).
  void Find(const PointBox& area, std::vector<int32_t>& out) const;
  int Size() const { return static_cast<int>(boxes_.size()); }

 private:
  std::vector<NumberedBox> boxes_;          // along the curve
  std::vector<std::vector<PointBox>> levels_;  // [0]: bounds of kFanout boxes; [k]: of kFanout nodes of k - 1
};
