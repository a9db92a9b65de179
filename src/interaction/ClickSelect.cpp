// The map click: a found firm under the mouse wins over an object, chosen as
// the button goes down; a click that found neither chooses the building or
// street under it as the button comes up where it went down.
#include "interaction/ClickSelect.h"

#include "info/Selection.h"
#include <algorithm>

#include "interaction/HitTest.h"
#include "interaction/WhatIsHere.h"
#include "render/MapLayers.h"
#include "state/MapCore.h"

bool SelectAtPoint(MapCore& core, int32_t x, int32_t y, bool centre) {
  const HitPoint at = WindowToHit(core.View, x, y);
  if (LayerShown(core.Flags, LayerOf(DrawCode::Firm))) {
    if (const auto firm = FoundFirmAt(core, at)) {
      ResetSelection(core);
      ShowObjectInfo(core, *firm, centre);
      return true;
    }
  }
  if (LayerShown(core.Flags, LayerOf(DrawCode::Object)) && core.Interaction.ClickSelect) {
    if (const auto object = ShownObjectAt(core, at)) {
      SelectObject(core, *object, centre);
      return true;
    }
  }
  return false;
}

namespace {

// Whether a click can choose the place: a building where buildings are drawn,
// or a street.
bool ClickChooses(const MapCore& core, const Place& place) {
  const MapLayer& buildings = LayerOf(DrawCode::Building);
  if (place.Layer == &buildings) return core.View.Scale >= buildings.Scales.DrawnFrom;
  return place.Layer == &LayerOf(DrawCode::Street);
}

}  // namespace

void SelectGroundAtPoint(MapCore& core, int32_t x, int32_t y) {
  const std::vector<Place> places = PlacesUnder(core, WindowToHit(core.View, x, y));
  const auto chosen =
      std::find_if(places.begin(), places.end(), [&](const Place& p) { return ClickChooses(core, p); });
  if (chosen == places.end() || !SelectPlace(core, *chosen, false)) ResetSelection(core);
}
