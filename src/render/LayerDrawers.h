#pragma once
// One drawer per layer, each drawing one table row onto the map picture's
// canvas at the current view.  Each sets the pen, brush and font it draws
// with; what earlier rows decide of later ones is said in MapDrawing.
#include <cstdint>
#include <optional>
#include <vector>

#include "mapdata/CityTables.h"
#include "render/LayerFlags.h"
#include "render/MapStyle.h"
#include "render/RenderCache.h"
#include "render/ViewState.h"

class Canvas;
struct Crowding;

// What the drawers draw with: the view, the tables, the switches and the
// canvas, and the tables converted for drawing.
struct MapDrawing {
  const ViewState& View;
  const CityTables& Tables;
  const LayerFlags& Switches;
  Canvas& Surface;
  RenderCache& Cache;
  bool HighlightLabels = false;  // Ctrl held ("StreetSelect"): labels on the yellow box
  // What this redraw has drawn where (a whole redraw has it; the label
  // highlight, drawing over the picture, has none and draws as listed).
  Crowding* Crowd = nullptr;
  // What the rows drawn before in this redraw decide of later ones: building
  // outlines and regions of an unknown type are outlined in the background
  // colour until a region or a label has been drawn, in black after; a region
  // of an unknown type is filled in the background colour until a region has
  // been drawn, white after.  Each drawer of those layers sets its own; a
  // redraw that passes rows by also sets them as drawing them would have.
  bool RegionDrawn = false;
  bool LabelDrawn = false;
};

struct LayerStyle;
struct MapLayer;

// Each draws row `row` of its layer's table (MapLayer::Draw) with the layer's
// style and scales.
// Streets: the style's line colour, or by their type (railway, river, bridge,
// border, highway).
void DrawStreet(MapDrawing& d, const MapLayer& layer, int row);
// The pen a street of `kind` and `width` (map units) is drawn with at `scale`:
// its width in pixels; none for a street that is not drawn.
std::optional<int32_t> StreetPenWidth(mapstyle::StreetKind kind, int32_t width, float scale);
// The colour a street of `kind` is drawn in: its type's own, else the line of
// the streets' style.
QColor StreetPenColor(mapstyle::StreetKind kind, const LayerStyle& style);
// Buildings: filled polygon, outlined as MapDrawing says; house number from
// the layer's detail scale.
void DrawBuilding(MapDrawing& d, const MapLayer& layer, int row);
// Where a house number of `length` characters starts in the picture: centred on
// its building's box (map units), the position reckoned with `fontSize`.
struct PixelOrigin {
  int64_t X = 0, Y = 0;
};
PixelOrigin HouseNumberOrigin(const ViewState& v, int32_t minX, int32_t minY, int32_t maxX, int32_t maxY,
                              int64_t length, int32_t fontSize);
// Regions: filled in their type's colour (an unknown type: as MapDrawing says).
void DrawRegion(MapDrawing& d, const MapLayer& layer, int row);
// Text labels on an opaque box, in the font of their size (LabelFontSize).  In
// an overview (LabelOverview) a redraw holds them back for DrawHeldLabels.
void DrawTextLabel(MapDrawing& d, const MapLayer& layer, int row);
// The labels held back, largest first, each left out where it would cover one
// drawn before it.
void DrawHeldLabels(MapDrawing& d, const MapLayer& layer);
// Marks the boxes of the labels among `rows` that the picture will show, so
// that house numbers keep off them.
void MarkLabelBoxes(MapDrawing& d, const MapLayer& layer, const std::vector<int32_t>& rows);
// Object icons centred on their point, subject to the object-kind filter; in a
// redraw an icon that crowds one drawn before it is left out (IconGivesWay).
void DrawObjectIcon(MapDrawing& d, const MapLayer& layer, int row);
// Routes: the line inside the casing.
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
