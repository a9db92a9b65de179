#pragma once
// One description per map layer, in drawing order: its draw code, its table,
// how it is loaded, how its draw cache is built, its drawer, its switch, its
// scale thresholds and its style.  The draw list, the redraw, the label
// highlight, the hit test, the command-line tool and the benchmarks read
// these descriptions; a layer is added by adding one (and a test walks them,
// so that none is half-registered).
#include <QColor>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "mapdata/CityColumns.h"
#include "mapdata/CityTables.h"
#include "mapdata/IconGeometry.h"
#include "mapdata/LayerLoad.h"
#include "render/DrawCode.h"
#include "render/LayerFlags.h"
#include "render/RenderCache.h"

struct MapDrawing;
struct MapLayer;

// The code as DrawListView holds it ("1".."7").
std::string DrawCodeText(DrawCode code);
// The code of a DrawListView caption; none for a text that is no code.
std::optional<DrawCode> DrawCodeOf(std::string_view text);

// Labels of a size above Above are shown from scale From.
struct SizeThreshold {
  int64_t Above = 0;
  float From = 0.0f;
};

// The scales at which a layer shows.  A threshold a layer does not use stays 0,
// which every scale reaches.
struct LayerScales {
  float DrawnFrom = 0.0f;        // buildings: the layer is drawn from this scale
  float DetailFrom = 0.0f;       // buildings: house numbers from this scale
  int ThinWidth = 0;             // streets: a street this wide or narrower ...
  float ThinListedFrom = 0.0f;   // ... is listed for drawing only from this scale
  // Labels: legible (drawn) when one of these holds, and highlighted while
  // Ctrl is held when one of those does.
  SizeThreshold Legible[3] = {};
  SizeThreshold Highlighted[2] = {};
  // Labels: below OverviewBelow (scales only big cities reach, where the rules
  // above draw none) those larger than OverviewAbove are drawn, the largest
  // first and none over another (the names of towns and districts).
  float OverviewBelow = 0.0f;
  int64_t OverviewAbove = 0;
};

// How a layer looks: each drawer reads the fields of its own layer; the others
// stay unset.  Colours that depend on a record's type (street and region
// types) are in the type tables of MapStyle.h.
struct LayerStyle {
  QColor Line{};            // streets: an ordinary street; routes: the line
  QColor Casing{};          // routes: the wider line under the line
  QColor Fill{};            // buildings
  QColor Text{};            // house numbers, labels
  QColor Box{};             // labels: the box behind the text
  QColor LargeBox{};        // labels of size LargeFrom and more
  QColor HighlightedBox{};  // labels while Ctrl is held
  int LargeFrom = 0;
  int FontSize = 0;              // house numbers, labels (points)
  // Labels: a size above GrowFontAbove adds a point to FontSize per step, up to
  // MaxFontSize, so that the name of a town stands out from a street's.
  int GrowFontAbove = 0;
  int MaxFontSize = 0;
  long double LineWidth = 0;     // routes: the line's width, times Scale
  long double CasingWidth = 0;   // routes: the casing's width, times Scale
  int IconReach = 0;             // objects: pixels around its point a redraw looks for an icon
};

// How "what is here" finds a row of the layer under a point
// (interaction/HitTest.h): by its icon, by its line as wide as the map draws
// it, or by its outline; a layer of None is never listed there.  Word names
// the row's kind where the tools print it.
enum class HitShape { None, Icon, Line, Area };
struct LayerHit {
  HitShape Shape = HitShape::None;
  const char* Word = nullptr;
  // Line: the pen the row is drawn with at `scale`, in pixels; none when it is not drawn.
  std::optional<int32_t> (*LineWidth)(const CachedRow& row, float scale) = nullptr;
};

// Where the redraw finds a layer's rows: in the draw list, or (firms) in the
// list of found firms, drawn after the draw list.
enum class DrawnFrom { DrawList, FoundFirms };

struct MapLayer {
  DrawCode Code;
  const char* Name;                          // "streets", for the tools
  LayerTable CityTables::*Table;             // the rows the draw list points into
  CellBox Box;                               // the cells of each row's box (a point: X, Y twice)
  void (*Load)(const LayerLoad& load);       // the layer's loader
  // The table converted for drawing (its cache: CacheOf).
  void (*BuildCache)(LayerCache& cache, const LayerTable& table);
  void (*Draw)(MapDrawing& d, const MapLayer& layer, int row);     // one row onto the picture
  bool ShownAtStart;                         // its switch (LayerFlags) is on at first
  bool AlwaysShown;                          // no control turns the switch off
  DrawnFrom Source;
  // Whether a row whose box meets the drawn area is listed (none: every one).
  bool (*Listed)(const MapLayer& layer, const LayerTable& table, int row, float scale) = nullptr;
  // Whether a listed row is drawn at the view's scale (none: every one).
  bool (*Drawable)(MapDrawing& d, const MapLayer& layer, int row) = nullptr;
  LayerScales Scales{};
  const LayerStyle* Style;
  // How many picture pixels beyond its box a row of the layer may draw at the
  // view's scale, the most of any row (pens, icons, texts): a redraw visits
  // only the rows whose boxes meet the picture widened by this.
  long double (*Reach)(MapDrawing& d, const MapLayer& layer);
  LayerHit Hit;
};

// Every layer, in drawing order (the order of the draw list).
std::span<const MapLayer* const> MapLayers();
const MapLayer& LayerOf(DrawCode code);

// The layer's table in `tables`, and its cache, rebuilt first when the table changed.
inline const LayerTable& TableOf(const CityTables& tables, const MapLayer& layer) { return tables.*layer.Table; }
LayerCache& CacheOf(RenderCache& cache, const CityTables& tables, const MapLayer& layer);

// The rows of the layer whose box meets `area` (map units, edges included), in
// ascending order, found through the layer's spatial index.  A row's box is
// the box of the points the drawing reads (RenderCache.h); a row whose points
// cannot be read has none and is never found.
std::vector<int32_t> RowsMeeting(RenderCache& cache, const CityTables& tables, const MapLayer& layer,
                                 const PointBox& area);

// The layer's switch in `switches`, and setting it (a layer always shown stays shown).
inline bool LayerShown(const LayerFlags& switches, const MapLayer& layer) { return switches.Shown(layer.Code); }
void SetLayerShown(LayerFlags& switches, const MapLayer& layer, bool shown);

// The label rules of the label layer, for a label of `size` at `scale`.
bool LabelLegible(int size, float scale);
// Whether `scale` shows the overview of the labels (LayerScales::OverviewBelow).
bool LabelOverview(float scale);
// The font size (points) of a label of `size` in `style`.
int LabelFontSize(const LayerStyle& style, int64_t size);
bool LabelHighlightable(int size, float scale);
