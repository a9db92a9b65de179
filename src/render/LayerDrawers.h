#pragma once
// One drawer per layer, each drawing one table row onto the map picture's
// canvas at the current view.  The canvas state each leaves behind is part of
// the drawing: later rows are drawn with it.
#include <cstdint>
#include <optional>

#include "mapdata/CityTables.h"
#include "render/LayerFlags.h"
#include "render/MapStyle.h"
#include "render/RenderCache.h"
#include "render/ViewState.h"

class Canvas;

// What the drawers draw with: the view, the tables, the switches and the
// canvas, and the tables converted for drawing.
struct MapDrawing {
  const ViewState& View;
  const CityTables& Tables;
  const LayerFlags& Switches;
  Canvas& Surface;
  RenderCache& Cache;
  bool HighlightLabels = false;  // Ctrl held ("StreetSelect"): labels on the yellow box
};

struct LayerStyle;
struct MapLayer;

// Each draws row `row` of its layer's table (MapLayer::Draw) with the layer's
// style and scales.
// Streets: the style's line colour, or by their type (railway, river, bridge,
// border, highway).  Leaves the pen width as last set; pen and brush colours restored.
void DrawStreet(MapDrawing& d, const MapLayer& layer, int row);
// The pen a street of `kind` and `width` (map units) is drawn with at `scale`:
// its width in pixels; none for a street that is not drawn.
std::optional<int32_t> StreetPenWidth(mapstyle::StreetKind kind, int32_t width, float scale);
// The colour a street of `kind` is drawn in: its type's own, else the line of
// the streets' style.
QColor StreetPenColor(mapstyle::StreetKind kind, const LayerStyle& style);
// Buildings: filled polygon, outline in the pen colour left by earlier rows;
// house number from the layer's detail scale.  Leaves font colour and size as
// the style's.
void DrawBuilding(MapDrawing& d, const MapLayer& layer, int row);
// Where a house number of `length` characters starts in the picture: centred on
// its building's box (map units), the position reckoned with `fontSize`.
struct PixelOrigin {
  int64_t X = 0, Y = 0;
};
PixelOrigin HouseNumberOrigin(const ViewState& v, int32_t minX, int32_t minY, int32_t maxX, int32_t maxY,
                              int64_t length, int32_t fontSize);
// Regions: filled in their type's colour.  Leaves brush white, pen black, width 1.
void DrawRegion(MapDrawing& d, const MapLayer& layer, int row);
// Text labels on an opaque box; pen left black, font and brush restored.
void DrawTextLabel(MapDrawing& d, const MapLayer& layer, int row);
// Object icons centred on their point, subject to the object-kind filter.
void DrawObjectIcon(MapDrawing& d, const MapLayer& layer, int row);
// Routes: the line inside the casing; leaves pen width trunc(Scale).
void DrawRoute(MapDrawing& d, const MapLayer& layer, int row);
// Icon of a found firm (a row of ListOfFirms) centred on its point.
void DrawFoundFirmIcon(MapDrawing& d, const MapLayer& layer, int row);

// How far beyond its box a row of each layer may draw, in picture pixels at
// the view's scale (MapLayer::Reach): the margins the drawers above cull with.
long double StreetReach(MapDrawing& d, const MapLayer& layer);
long double BuildingReach(MapDrawing& d, const MapLayer& layer);
long double RegionReach(MapDrawing& d, const MapLayer& layer);
long double LabelReach(MapDrawing& d, const MapLayer& layer);
long double ObjectReach(MapDrawing& d, const MapLayer& layer);
long double RouteReach(MapDrawing& d, const MapLayer& layer);
long double FirmReach(MapDrawing& d, const MapLayer& layer);
