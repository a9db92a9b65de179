#pragma once
#include <array>
#include <cstdint>

#include "render/DrawCode.h"

// The switches the redraw reads; they outlive a city load.  One per map layer,
// each on at first as its description says (MapLayer::ShownAtStart); the
// layers always shown (streets, buildings, regions) keep theirs on, as no
// control turns them off (MapLayer::AlwaysShown, SetLayerShown).
struct LayerFlags {
  LayerFlags();
  bool Shown(DrawCode layer) const { return shown_[DrawCodeSlot(layer)]; }
  void SetShown(DrawCode layer, bool shown) { shown_[DrawCodeSlot(layer)] = shown; }

  int32_t ObjectFilter = -1;  // -1: all object kinds, else the one icon index shown
  // "Все значки": every icon and house number drawn where it lies, none giving
  // way to those drawn before it (Crowding.h).
  bool AllIcons = false;

 private:
  std::array<bool, kDrawCodeCount> shown_{};
};
