// The map layers, each described once: what the draw list lists, what the
// redraw draws and how, at which scales, in which colours.  A layer is added
// here (and in DrawCode, its table, loader, cache builder and drawer).
#include "render/MapLayers.h"

#include <array>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "mapdata/Loaders.h"
#include "render/CellNumbers.h"
#include "render/LayerDrawers.h"

namespace {

constexpr int64_t kAnySize = std::numeric_limits<int64_t>::min();

// Thin streets only when the scale makes them wide enough to see.
bool StreetListed(const MapLayer& layer, const LayerTable& table, int row, float scale) {
  return CellInt(table, row, street_cell::Width) > layer.Scales.ThinWidth || scale >= layer.Scales.ThinListedFrom;
}

bool Passes(const SizeThreshold* thresholds, size_t count, int size, float scale) {
  for (size_t i = 0; i < count; ++i)
    if (int64_t{size} > thresholds[i].Above && scale >= thresholds[i].From) return true;
  return false;
}

// A label is drawn only when its size makes it legible at the scale.
bool LabelDrawable(MapDrawing& d, const MapLayer& layer, int row) {
  const LayerCache& labels = CacheOf(d.Cache, d.Tables, layer);
  if (row < 0 || static_cast<size_t>(row) >= labels.Rows.size())
    throw std::out_of_range("ListOfTexts: строки " + std::to_string(row) + " нет в таблице.");
  const CachedRow& r = labels.Rows[static_cast<size_t>(row)];
  labels.ThrowIfBad(r);
  return LabelLegible(r.Value, d.View.Scale);
}

// Streets are hit as wide as they are drawn.
std::optional<int32_t> StreetLineWidth(const CachedRow& row, float scale) {
  return StreetPenWidth(static_cast<mapstyle::StreetKind>(row.Kind), row.Value, scale);
}

const LayerStyle kRegionStyle{};
const LayerStyle kStreetStyle{.Line = QColor(255, 255, 255)};
const LayerStyle kRouteStyle{.Line = QColor(255, 0, 0), .Casing = QColor(192, 192, 192), .LineWidth = 1.3L,
                             .CasingWidth = 2};
const LayerStyle kBuildingStyle{.Fill = QColor(128, 128, 255), .Text = QColor(0, 0, 0), .FontSize = 8};
const LayerStyle kObjectStyle{.IconReach = 12};  // the icon reaches 10 pixels around its point
const LayerStyle kLabelStyle{.Text = QColor(0, 0, 0),
                             .Box = QColor(255, 255, 255),
                             .LargeBox = QColor(255, 241, 187),
                             .HighlightedBox = QColor(255, 255, 0),
                             .LargeFrom = 10,
                             .FontSize = 8};
const LayerStyle kFirmStyle{};

const MapLayer kRegions{DrawCode::Region, "regions", &CityTables::ListOfRegions, region_cell::kBox, LoadRegions,
                        &RenderCache::Regions, BuildRegionCache, DrawRegion, &LayerFlags::ShowRegions, true,
                        DrawnFrom::DrawList, nullptr, nullptr, {}, &kRegionStyle, RegionReach,
                        {HitShape::Area, "region"}};

const MapLayer kStreets{DrawCode::Street, "streets", &CityTables::ListOfStreets, street_cell::kBox, LoadStreets,
                        &RenderCache::Streets, BuildStreetCache, DrawStreet, &LayerFlags::ShowStreets, true,
                        DrawnFrom::DrawList, StreetListed, nullptr,
                        LayerScales{.ThinWidth = 2, .ThinListedFrom = 1.0f}, &kStreetStyle, StreetReach,
                        {HitShape::Line, "street", StreetLineWidth}};

// Routes are listed by their box alone; ListOfPath1 holds their geometry.
const MapLayer kRoutes{DrawCode::Route, "routes", &CityTables::ListOfPath1, route_shape_cell::kBox, LoadRoutes,
                       &RenderCache::Routes, BuildRouteCache, DrawRoute, &LayerFlags::ShowRoutes, false,
                       DrawnFrom::DrawList, nullptr, nullptr, {}, &kRouteStyle, RouteReach, {}};

const MapLayer kBuildings{DrawCode::Building, "buildings", &CityTables::ListOfBuildings, building_cell::kBox,
                          LoadBuildings, &RenderCache::Buildings, BuildBuildingCache, DrawBuilding,
                          &LayerFlags::ShowBuildings, true, DrawnFrom::DrawList, nullptr, nullptr,
                          LayerScales{.DrawnFrom = 2.0f, .DetailFrom = 4.0f}, &kBuildingStyle, BuildingReach,
                          {HitShape::Area, "building"}};

const MapLayer kObjects{DrawCode::Object, "objects", &CityTables::ListOfObjects, object_cell::kBox, LoadObjects,
                        &RenderCache::Objects, BuildObjectCache, DrawObjectIcon, &LayerFlags::ShowObjects, false,
                        DrawnFrom::DrawList, nullptr, nullptr, {}, &kObjectStyle, ObjectReach,
                        {HitShape::Icon, "object"}};

const MapLayer kLabels{DrawCode::Label, "labels", &CityTables::ListOfTexts, label_cell::kBox, LoadLabels,
                       &RenderCache::Texts, BuildLabelCache, DrawTextLabel, &LayerFlags::ShowTexts, false,
                       DrawnFrom::DrawList, nullptr, LabelDrawable,
                       LayerScales{.Legible = {{8, 0.7f}, {10, 0.5f}, {kAnySize, 3.5f}},
                                   .Highlighted = {{8, 0.7f}, {kAnySize, 3.5f}}},
                       &kLabelStyle, LabelReach, {}};

// Firms are listed like every layer but drawn only when found by the firm search.
const MapLayer kFirms{DrawCode::Firm, "firms", &CityTables::ListOfFirms, firm_cell::kBox, LoadFirms,
                      &RenderCache::Firms, BuildFirmCache, DrawFoundFirmIcon, &LayerFlags::ShowFoundFirms, false,
                      DrawnFrom::FoundFirms, nullptr, nullptr, {}, &kFirmStyle, FirmReach,
                      {HitShape::Icon, "firm"}};

// Drawing order.
const std::array<const MapLayer*, 7> kLayers{&kRegions, &kStreets, &kRoutes, &kBuildings,
                                             &kObjects, &kLabels,  &kFirms};

}  // namespace

std::string DrawCodeText(DrawCode code) { return std::string(1, static_cast<char>(code)); }

std::optional<DrawCode> DrawCodeOf(std::string_view text) {
  if (text.size() != 1) return std::nullopt;
  for (const MapLayer* layer : kLayers)
    if (static_cast<char>(layer->Code) == text[0]) return layer->Code;
  return std::nullopt;
}

std::span<const MapLayer* const> MapLayers() { return kLayers; }

const MapLayer& LayerOf(DrawCode code) {
  switch (code) {
    case DrawCode::Street: return kStreets;
    case DrawCode::Building: return kBuildings;
    case DrawCode::Region: return kRegions;
    case DrawCode::Label: return kLabels;
    case DrawCode::Object: return kObjects;
    case DrawCode::Firm: return kFirms;
    case DrawCode::Route: return kRoutes;
  }
  throw std::invalid_argument("no map layer of draw code " + std::to_string(static_cast<int>(code)));
}

LayerCache& CacheOf(RenderCache& cache, const CityTables& tables, const MapLayer& layer) {
  LayerCache& c = cache.*layer.Cache;
  const LayerTable& table = tables.*layer.Table;
  if (c.Stale(table)) layer.BuildCache(c, table);
  return c;
}

std::vector<int32_t> RowsMeeting(RenderCache& cache, const CityTables& tables, const MapLayer& layer,
                                 const PointBox& area) {
  LayerCache& c = CacheOf(cache, tables, layer);
  IndexRows(c);
  std::vector<int32_t> rows;
  c.Index.Find(area, rows);
  return rows;
}

void SetLayerShown(LayerFlags& switches, const MapLayer& layer, bool shown) {
  if (!layer.AlwaysShown) switches.*layer.Switch = shown;
}

bool LabelLegible(int size, float scale) {
  const LayerScales& s = kLabels.Scales;
  return Passes(s.Legible, std::size(s.Legible), size, scale);
}

bool LabelHighlightable(int size, float scale) {
  const LayerScales& s = kLabels.Scales;
  return Passes(s.Highlighted, std::size(s.Highlighted), size, scale);
}
