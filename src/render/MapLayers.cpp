// The map layers, each described once: what the draw list lists, what the
// redraw draws and how, at which scales, in which colours.  A layer is added
// here (and in DrawCode, its table, loader, cache builder and drawer).
#include "render/MapLayers.h"

#include <algorithm>
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
  return LabelLegible(r.LabelSize(), d.View.Scale);
}

// Streets are hit as wide as they are drawn.
std::optional<int32_t> StreetLineWidth(const CachedRow& row, float scale) {
  return StreetPenWidth(static_cast<mapstyle::StreetKind>(row.StreetKind()), row.StreetWidth(), scale);
}

const LayerStyle kRegionStyle{};
const LayerStyle kStreetStyle{.Line = QColor(255, 255, 255)};
const LayerStyle kRouteStyle{.Line = QColor(255, 0, 0), .Casing = QColor(192, 192, 192), .LineWidth = 1.3L,
                             .CasingWidth = 2};
const LayerStyle kBuildingStyle{.Fill = QColor(128, 128, 255), .Text = QColor(0, 0, 0), .FontSize = 8};
const LayerStyle kObjectStyle{.IconReach = kIconCullReach};
const LayerStyle kLabelStyle{.Text = QColor(0, 0, 0),
                             .Box = QColor(255, 255, 255),
                             .LargeBox = QColor(255, 241, 187),
                             .HighlightedBox = QColor(255, 255, 0),
                             .LargeFrom = 10,
                             .FontSize = 8,
                             .GrowFontAbove = 10,
                             .MaxFontSize = 20};
const LayerStyle kFirmStyle{};

const MapLayer kRegions{.Code = DrawCode::Region,
                        .Name = "regions",
                        .Table = &CityTables::ListOfRegions,
                        .Box = region_cell::kBox,
                        .Load = LoadRegions,
                        .BuildCache = BuildRegionCache,
                        .Draw = DrawRegion,
                        .ShownAtStart = true,
                        .AlwaysShown = true,
                        .Source = DrawnFrom::DrawList,
                        .Style = &kRegionStyle,
                        .Reach = RegionReach,
                        .Hit = {.Shape = HitShape::Area, .Word = "region"}};

const MapLayer kStreets{.Code = DrawCode::Street,
                        .Name = "streets",
                        .Table = &CityTables::ListOfStreets,
                        .Box = street_cell::kBox,
                        .Load = LoadStreets,
                        .BuildCache = BuildStreetCache,
                        .Draw = DrawStreet,
                        .ShownAtStart = true,
                        .AlwaysShown = true,
                        .Source = DrawnFrom::DrawList,
                        .Listed = StreetListed,
                        .Scales = {.ThinWidth = 2, .ThinListedFrom = 1.0f},
                        .Style = &kStreetStyle,
                        .Reach = StreetReach,
                        .Hit = {.Shape = HitShape::Line, .Word = "street", .LineWidth = StreetLineWidth}};

// Routes are listed by their box alone; ListOfPath1 holds their geometry.
const MapLayer kRoutes{.Code = DrawCode::Route,
                       .Name = "routes",
                       .Table = &CityTables::ListOfPath1,
                       .Box = route_shape_cell::kBox,
                       .Load = LoadRoutes,
                       .BuildCache = BuildRouteCache,
                       .Draw = DrawRoute,
                       .ShownAtStart = false,
                       .AlwaysShown = false,
                       .Source = DrawnFrom::DrawList,
                       .Style = &kRouteStyle,
                       .Reach = RouteReach};

const MapLayer kBuildings{.Code = DrawCode::Building,
                          .Name = "buildings",
                          .Table = &CityTables::ListOfBuildings,
                          .Box = building_cell::kBox,
                          .Load = LoadBuildings,
                          .BuildCache = BuildBuildingCache,
                          .Draw = DrawBuilding,
                          .ShownAtStart = true,
                          .AlwaysShown = true,
                          .Source = DrawnFrom::DrawList,
                          .Scales = {.DrawnFrom = 2.0f, .DetailFrom = 4.0f},
                          .Style = &kBuildingStyle,
                          .Reach = BuildingReach,
                          .Hit = {.Shape = HitShape::Area, .Word = "building"}};

const MapLayer kObjects{.Code = DrawCode::Object,
                        .Name = "objects",
                        .Table = &CityTables::ListOfObjects,
                        .Box = object_cell::kBox,
                        .Load = LoadObjects,
                        .BuildCache = BuildObjectCache,
                        .Draw = DrawObjectIcon,
                        .ShownAtStart = true,
                        .AlwaysShown = false,
                        .Source = DrawnFrom::DrawList,
                        .Style = &kObjectStyle,
                        .Reach = ObjectReach,
                        .Hit = {.Shape = HitShape::Icon, .Word = "object"}};

const MapLayer kLabels{.Code = DrawCode::Label,
                       .Name = "labels",
                       .Table = &CityTables::ListOfTexts,
                       .Box = label_cell::kBox,
                       .Load = LoadLabels,
                       .BuildCache = BuildLabelCache,
                       .Draw = DrawTextLabel,
                       .ShownAtStart = true,
                       .AlwaysShown = false,
                       .Source = DrawnFrom::DrawList,
                       .Drawable = LabelDrawable,
                       .Scales = {.Legible = {{8, 0.7f}, {10, 0.5f}, {kAnySize, 3.5f}},
                                  .Highlighted = {{8, 0.7f}, {kAnySize, 3.5f}},
                                  .OverviewBelow = 0.5f,
                                  .OverviewAbove = 10},
                       .Style = &kLabelStyle,
                       .Reach = LabelReach};

// Firms are listed like every layer but drawn only when found by the firm search.
const MapLayer kFirms{.Code = DrawCode::Firm,
                      .Name = "firms",
                      .Table = &CityTables::ListOfFirms,
                      .Box = firm_cell::kBox,
                      .Load = LoadFirms,
                      .BuildCache = BuildFirmCache,
                      .Draw = DrawFoundFirmIcon,
                      .ShownAtStart = false,
                      .AlwaysShown = false,
                      .Source = DrawnFrom::FoundFirms,
                      .Style = &kFirmStyle,
                      .Reach = FirmReach,
                      .Hit = {.Shape = HitShape::Icon, .Word = "firm"}};

// Drawing order.
const std::array kLayers{&kRegions, &kStreets, &kRoutes, &kBuildings, &kObjects, &kLabels, &kFirms};
static_assert(std::tuple_size_v<decltype(kLayers)> == kDrawCodeCount, "a layer for every draw code");

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
  LayerCache& c = cache.Layers[DrawCodeSlot(layer.Code)];
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
  if (!layer.AlwaysShown) switches.SetShown(layer.Code, shown);
}

bool LabelLegible(int size, float scale) {
  const LayerScales& s = kLabels.Scales;
  if (LabelOverview(scale)) return int64_t{size} > s.OverviewAbove;
  return Passes(s.Legible, std::size(s.Legible), size, scale);
}

bool LabelOverview(float scale) { return scale < kLabels.Scales.OverviewBelow; }

int LabelFontSize(const LayerStyle& style, int64_t size) {
  if (size <= style.GrowFontAbove) return style.FontSize;
  return static_cast<int>(std::min<int64_t>(style.FontSize + (size - style.GrowFontAbove), style.MaxFontSize));
}

bool LabelHighlightable(int size, float scale) {
  const LayerScales& s = kLabels.Scales;
  return Passes(s.Highlighted, std::size(s.Highlighted), size, scale);
}
