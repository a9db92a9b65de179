#pragma once
// What a redraw needs from the tables, converted once per load: the tables stay
// the record of truth, and a cache is rebuilt whenever its table changes
// (LayerTable::Revision or the row count).  A row whose cells cannot be read
// keeps its message, thrown when the row is drawn, just as a conversion error
// would stop the drawing at that row.
#include <QString>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "mapdata/LayerTable.h"
#include "mapdata/PointList.h"
#include "render/BoxIndex.h"
#include "render/DrawCode.h"
#include "render/TextStamp.h"

struct CachedRow {
  uint32_t First = 0;  // first point in LayerCache::Points
  int32_t Count = 0;   // points read
  // One number and one code per row, read through the names below by what
  // they mean for the row's layer.
  int32_t Value = 0;
  int32_t Kind = 0;
  int32_t MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;  // box of the points read, map units
  int32_t Error = -1;       // index in LayerCache::Errors: the row cannot be drawn
  int32_t PointError = -1;  // objects: the point cannot be read (needed only when drawn)

  int32_t StreetWidth() const { return Value; }
  int32_t NumberLength() const { return Value; }  // buildings: characters of the house number
  int32_t LabelSize() const { return Value; }
  int32_t IconIndex() const { return Value; }     // objects: in ImageListObject; firms: in FirmsImageList
  int32_t StreetKind() const { return Kind; }      // mapstyle::StreetKind
  int32_t RegionColour() const { return Kind; }    // mapstyle::RegionColor index, -1: a type without one
};

struct LayerCache {
  uint64_t Revision = std::numeric_limits<uint64_t>::max();
  int RowCount = -1;
  std::vector<MapPoint> Points;  // map units
  std::vector<CachedRow> Rows;
  std::vector<std::string> Errors;
  std::vector<QString> Texts;    // label texts, house numbers
  std::vector<int> TextWidths;   // pixel width of Texts in their row's font, -1 until measured
  TextStamps Stamps;             // of the Texts drawn lately
  // Built on first use (IndexRows): the boxes of the rows with points, to find
  // rows by place; the rows that cannot be drawn (Error or PointError),
  // ascending, which every redraw visits wherever they lie; and the largest
  // Value and the longest text, for how far a drawn row may reach.
  bool Indexed = false;
  BoxIndex Index;
  std::vector<int32_t> BadRows;
  int64_t MaxValue = 0;
  int64_t MaxTextLength = 0;

  bool Stale(const LayerTable& table) const {
    return Revision != table.Revision() || RowCount != table.Count();
  }
  const MapPoint* PointsOf(const CachedRow& row) const { return Points.data() + row.First; }
  // Throws the row's message when it has one.
  void ThrowIfBad(const CachedRow& row) const;
  void ThrowIfBadPoint(const CachedRow& row) const;
};

struct MapLayer;

// One entry of the draw list: its layer and row index.
struct DrawItem {
  const MapLayer* Layer = nullptr;  // none for a caption that is no draw code
  int32_t Index = -1;
  int32_t Error = -1;  // index in DrawListCache::Errors
};

// A stretch of the draw list that lists rows of one layer in ascending order:
// the entries at positions First to Last.
struct DrawRun {
  const MapLayer* Layer = nullptr;
  int32_t First = 0;
  int32_t Last = 0;
};

struct DrawListCache {
  uint64_t Revision = std::numeric_limits<uint64_t>::max();
  int RowCount = -1;
  std::vector<DrawItem> Items;
  std::vector<std::string> Errors;
  std::vector<DrawRun> Runs;        // every entry of a layer with a number for its row
  std::vector<int32_t> BadItems;    // positions of the entries whose row is no number
  bool LayerOrder = false;          // the runs follow the layers' drawing order, and are few
};

// The map-unit rectangle outside which no row can reach the picture within
// CullWindow::Margin pixels, for the view it was computed for.
struct CullWindow {
  static constexpr int Margin = 64;
  float Scale = 0;
  int32_t OffsetX = 0, OffsetY = 0;
  int Width = -1, Height = -1;
  std::optional<PointBox> Area;  // none: no row can show
};

// One cache per map layer (found through CacheOf, in the order of the layers'
// draw codes), the draw list's and the cull window.
struct RenderCache {
  std::array<LayerCache, kDrawCodeCount> Layers;
  DrawListCache DrawList;
  CullWindow Cull;
  uint64_t Redraws = 0;  // redraws begun, to tell the text stamps of one from those of the next
};

struct CityTables;

// How each layer's table is converted (MapLayer::BuildCache): the points and
// box of every row, and what its drawer needs of its cells.
void BuildStreetCache(LayerCache& cache, const LayerTable& table);    // Value: width; Kind: street kind
void BuildBuildingCache(LayerCache& cache, const LayerTable& table);  // Value: number length; Texts: numbers, TextWidths
void BuildRegionCache(LayerCache& cache, const LayerTable& table);    // Kind: colour index (-1: unknown type)
void BuildLabelCache(LayerCache& cache, const LayerTable& table);     // Value: size; Texts, TextWidths
void BuildObjectCache(LayerCache& cache, const LayerTable& table);    // Value: icon; a bad point: PointError
void BuildRouteCache(LayerCache& cache, const LayerTable& table);
void BuildFirmCache(LayerCache& cache, const LayerTable& table);      // Value: picture; a bad point: PointError

// The draw list's entries with their layers, rebuilt first when it changed.
const DrawListCache& DrawItems(RenderCache& cache, const CityTables& tables);

// Indexes the cache's rows by their boxes (LayerCache::Index), once per build.
void IndexRows(LayerCache& cache);

// Windows-1251 text as a QString, through a table built once with the converter.
QString MapText(std::string_view cp1251Text);
// That table: the character of every byte.
const std::array<QChar, 256>& MapTextChars();
