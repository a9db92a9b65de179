#include "interaction/WhatIsHere.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

#include "info/Selection.h"
#include "interaction/HitTest.h"
#include "interaction/ViewMoves.h"
#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "render/MapLayers.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"

namespace {

// A cell as shown: the data's blank cell (" ") is empty.
std::string Shown(std::string_view cell) { return cell == " " ? std::string() : std::string(cell); }

std::string AddressOf(std::string_view street, std::string_view number) {
  const std::string s = Shown(street), n = Shown(number);
  return s.empty() || n.empty() ? s + n : s + " " + n;
}

Place Describe(const MapCore& core, const MapLayer& layer, int row) {
  static const std::string building = cp1251::FromUtf8("Здание");
  static const std::string firm = cp1251::FromUtf8("Фирма");
  static const std::string region = cp1251::FromUtf8("Область");
  const LayerRow& r = TableOf(core.Tables, layer)[row];
  Place p{&layer, row, {}, {}, {}};
  switch (layer.Code) {
    case DrawCode::Street:
      p.Kind = Shown(r.Cell(street_cell::Type));
      p.Name = Shown(r.Cell(street_cell::Name));
      break;
    case DrawCode::Building:
      p.Kind = building;
      p.Name = Shown(r.Cell(building_cell::Name));
      p.Address = AddressOf(r.Cell(building_cell::Street), r.Cell(building_cell::Number));
      break;
    case DrawCode::Region:
      p.Kind = region;
      p.Name = Shown(r.Cell(region_cell::Type));
      break;
    case DrawCode::Object:
      p.Kind = Shown(r.Cell(object_cell::Kind));
      p.Name = Shown(r.Cell(object_cell::Name));
      p.Address = AddressOf(r.Cell(object_cell::Street), r.Cell(object_cell::Number));
      break;
    case DrawCode::Firm:
      p.Kind = firm;
      p.Name = Shown(r.Cell(firm_cell::Name));
      p.Address = AddressOf(r.Cell(firm_cell::Street), r.Cell(firm_cell::Number));
      break;
    case DrawCode::Label:
    case DrawCode::Route:
      break;
  }
  return p;
}

// Whether the map shows the row at all: found firms only while they are drawn
// and only those found; objects through the kind filter.
bool Shows(const MapCore& core, const MapLayer& layer, const std::vector<int>& foundFirms, int row) {
  if (layer.Source == DrawnFrom::FoundFirms) return std::ranges::binary_search(foundFirms, row);
  if (layer.Code == DrawCode::Object) return ObjectPassesFilter(core, row);
  return true;
}

std::vector<int> FoundFirmRows(const MapCore& core) {
  std::vector<int> rows;
  for (const LayerRow& found : core.Search.FoundFirms.Rows())
    if (const auto row = DecimalIntOf(found.Cell(found_firm_cell::FirmRow))) rows.push_back(*row);
  std::ranges::sort(rows);
  return rows;
}

std::optional<SearchKind> SearchKindOfLayer(const MapLayer& layer) {
  switch (layer.Code) {
    case DrawCode::Street: return SearchKind::Street;
    case DrawCode::Building: return SearchKind::Building;
    case DrawCode::Object: return SearchKind::Object;
    case DrawCode::Firm: return SearchKind::Firm;
    case DrawCode::Region:
    case DrawCode::Label:
    case DrawCode::Route:
      break;
  }
  return std::nullopt;
}

}  // namespace

std::vector<Place> PlacesUnder(MapCore& core, HitPoint at) {
  std::vector<Place> places;
  const std::vector<int> foundFirms = FoundFirmRows(core);
  // Top-drawn layer first.
  const std::span<const MapLayer* const> layers = MapLayers();
  for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
    const MapLayer* layer = *it;
    if (layer->Hit.Shape == HitShape::None || !LayerShown(core.Flags, *layer)) continue;
    for (int row : LayerRowsMeeting(core, *layer, HitReach(core, *layer, at)))
      if (Shows(core, *layer, foundFirms, row) && RowUnder(core, *layer, row, at))
        places.push_back(Describe(core, *layer, row));
  }
  return places;
}

bool CanChoose(const Place& place) { return place.Layer && SearchKindOfLayer(*place.Layer).has_value(); }

bool SelectPlace(MapCore& core, const Place& place, bool centre) {
  if (!CanChoose(place)) return false;
  SelectRecord(core, *SearchKindOfLayer(*place.Layer), place.Row, centre);
  return true;
}

bool ChoosePlace(MapCore& core, const Place& place, bool centre) {
  if (!SelectPlace(core, place, centre)) return false;
  RedrawView(core);
  core.Host.PaintMapWindow();
  return true;
}

void CentreHere(MapCore& core, HitPoint at) { CentrePicturePoint(core, core.Host.VisibleMapRect(), at); }

std::string CoordinatesText(HitPoint at, float scale) {
  const MapPoint p = HitToMap(at, scale);
  return std::to_string(p.X) + " " + std::to_string(p.Y);
}

std::optional<std::string> LatLonTextAt(const MapCore& core, HitPoint at, float scale) {
  if (!core.Geo) return std::nullopt;
  const std::optional<LatLon> location =
      MapToLatLon(*core.Geo, static_cast<double>(at.X) / scale, static_cast<double>(at.Y) / scale);
  if (!location) return std::nullopt;
  return LatLonText(*location);
}
