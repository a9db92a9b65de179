#include "render/RenderCache.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "mapdata/CityTables.h"
#include "mapdata/Cp1251.h"
#include "mapdata/DecimalText.h"
#include "render/CellNumbers.h"
#include "render/MapLayers.h"
#include "render/MapStyle.h"

void LayerCache::ThrowIfBad(const CachedRow& row) const {
  if (row.Error >= 0) throw std::runtime_error(Errors[static_cast<size_t>(row.Error)]);
}

void LayerCache::ThrowIfBadPoint(const CachedRow& row) const {
  if (row.PointError >= 0) throw std::runtime_error(Errors[static_cast<size_t>(row.PointError)]);
}

const std::array<QChar, 256>& MapTextChars() {
  static const std::array<QChar, 256> table = [] {
    std::array<QChar, 256> t{};
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      const QString s = cp1251::ToQString(std::string_view(&byte, 1));
      t[static_cast<size_t>(b)] = s.isEmpty() ? QChar(u'?') : s.front();
    }
    return t;
  }();
  return table;
}

QString MapText(std::string_view cp1251Text) {
  const std::array<QChar, 256>& table = MapTextChars();
  QString out(static_cast<qsizetype>(cp1251Text.size()), Qt::Uninitialized);
  for (size_t i = 0; i < cp1251Text.size(); ++i)
    out[static_cast<qsizetype>(i)] = table[static_cast<unsigned char>(cp1251Text[i])];
  return out;
}

namespace {

void Reset(LayerCache& c, const LayerTable& table) {
  c.Revision = table.Revision();
  c.RowCount = table.Count();
  c.Points.clear();
  c.Rows.assign(static_cast<size_t>(table.Count()), CachedRow{});
  c.Errors.clear();
  c.Texts.clear();
  c.TextWidths.clear();
  c.Stamps.Clear();
  c.Indexed = false;
  c.Index = BoxIndex();
  c.BadRows.clear();
  c.MaxValue = c.MaxTextLength = 0;
}

int32_t AddError(LayerCache& c, std::string message) {
  c.Errors.push_back(std::move(message));
  return static_cast<int32_t>(c.Errors.size() - 1);
}

// Reads an integer cell into `value`; on failure records the row's error.
bool ReadInt(LayerCache& c, const LayerTable& table, int row, int cell, int32_t& value, int32_t& error) {
  if (ParseDecimalInt(table[row].Cell(cell), value)) return true;
  error = AddError(c, BadIntegerMessage(table, row, cell));
  return false;
}

// Reads `count` points (at most kMaxPointsPerRecord) of the point list in
// `cell` and their box; a negative count is as bad as a list too short.
bool ReadPoints(LayerCache& c, const LayerTable& table, int row, int cell, int32_t count, int32_t& error) {
  CachedRow& out = c.Rows[static_cast<size_t>(row)];
  out.First = static_cast<uint32_t>(c.Points.size());
  if (count < 0 || !AppendPointList(table[row].Cell(cell), std::min(count, kMaxPointsPerRecord), c.Points)) {
    c.Points.resize(out.First);
    error = AddError(c, BadPointsMessage(table, row, cell));
    return false;
  }
  out.Count = static_cast<int32_t>(c.Points.size() - out.First);
  const PointBox box = BoxOf(std::span<const MapPoint>(c.Points).subspan(out.First));
  out.MinX = box.MinX;
  out.MinY = box.MinY;
  out.MaxX = box.MaxX;
  out.MaxY = box.MaxY;
  return true;
}

// A polyline or polygon row: point count in one cell, the list in another.
void ReadShape(LayerCache& c, const LayerTable& table, int row, int countCell, int pointsCell) {
  CachedRow& out = c.Rows[static_cast<size_t>(row)];
  int32_t count = 0;
  if (ReadInt(c, table, row, countCell, count, out.Error)) ReadPoints(c, table, row, pointsCell, count, out.Error);
}


}  // namespace

void BuildStreetCache(LayerCache& c, const LayerTable& t) {
  Reset(c, t);
  for (int i = 0; i < t.Count(); ++i) {
    CachedRow& row = c.Rows[static_cast<size_t>(i)];
    row.Kind = static_cast<int32_t>(mapstyle::ClassifyStreet(t[i].Cell(street_cell::Type)));
    if (ReadInt(c, t, i, street_cell::Width, row.Value, row.Error)) ReadShape(c, t, i, street_cell::PointCount, street_cell::Points);
  }
}

void BuildBuildingCache(LayerCache& c, const LayerTable& t) {
  Reset(c, t);
  c.Texts.reserve(static_cast<size_t>(t.Count()));
  c.TextWidths.assign(static_cast<size_t>(t.Count()), -1);
  for (int i = 0; i < t.Count(); ++i) {
    const std::string_view number = t[i].Cell(building_cell::Number);
    c.Texts.push_back(MapText(number));
    c.Rows[static_cast<size_t>(i)].Value = static_cast<int32_t>(number.size());
    ReadShape(c, t, i, building_cell::PointCount, building_cell::Points);
  }
}

void BuildRegionCache(LayerCache& c, const LayerTable& t) {
  Reset(c, t);
  for (int i = 0; i < t.Count(); ++i) {
    c.Rows[static_cast<size_t>(i)].Kind = mapstyle::RegionColorIndex(t[i].Cell(region_cell::Type));
    ReadShape(c, t, i, region_cell::PointCount, region_cell::Points);
  }
}

void BuildLabelCache(LayerCache& c, const LayerTable& t) {
  Reset(c, t);
  c.Texts.reserve(static_cast<size_t>(t.Count()));
  c.TextWidths.assign(static_cast<size_t>(t.Count()), -1);
  for (int i = 0; i < t.Count(); ++i) {
    CachedRow& row = c.Rows[static_cast<size_t>(i)];
    c.Texts.push_back(MapText(t[i].Cell(label_cell::Text)));
    if (ReadInt(c, t, i, label_cell::Size, row.Value, row.Error)) ReadPoints(c, t, i, label_cell::Points, 1, row.Error);
  }
}

void BuildObjectCache(LayerCache& c, const LayerTable& t) {
  Reset(c, t);
  for (int i = 0; i < t.Count(); ++i) {
    CachedRow& row = c.Rows[static_cast<size_t>(i)];
    ReadInt(c, t, i, object_cell::Icon, row.Value, row.Error);
    ReadPoints(c, t, i, object_cell::Points, 1, row.PointError);
  }
}

void BuildRouteCache(LayerCache& c, const LayerTable& t) {
  Reset(c, t);
  for (int i = 0; i < t.Count(); ++i) ReadShape(c, t, i, route_shape_cell::PointCount, route_shape_cell::Points);
}

// A found firm is drawn at its point with its picture; a point that cannot be
// read is reported before a picture that cannot.
void BuildFirmCache(LayerCache& c, const LayerTable& t) {
  Reset(c, t);
  for (int i = 0; i < t.Count(); ++i) {
    CachedRow& row = c.Rows[static_cast<size_t>(i)];
    ReadPoints(c, t, i, firm_cell::Points, 1, row.PointError);
    ReadInt(c, t, i, firm_cell::Picture, row.Value, row.Error);
  }
}

void IndexRows(LayerCache& c) {
  if (c.Indexed) return;
  std::vector<NumberedBox> boxes;
  boxes.reserve(c.Rows.size());
  c.BadRows.clear();
  c.MaxValue = 0;
  for (size_t i = 0; i < c.Rows.size(); ++i) {
    const CachedRow& r = c.Rows[i];
    const auto row = static_cast<int32_t>(i);
    if (r.Error >= 0 || r.PointError >= 0) c.BadRows.push_back(row);
    if (r.Count > 0) boxes.push_back({PointBox{r.MinX, r.MinY, r.MaxX, r.MaxY}, row});
    c.MaxValue = std::max(c.MaxValue, r.Value < 0 ? -int64_t{r.Value} : int64_t{r.Value});
  }
  c.MaxTextLength = 0;
  for (const QString& text : c.Texts) c.MaxTextLength = std::max<int64_t>(c.MaxTextLength, text.size());
  c.Index = BoxIndex(std::move(boxes));
  c.Indexed = true;
}

namespace {

// More runs than this, and the draw list is walked whole (RedrawView.cpp).
constexpr size_t kMaxDrawRuns = 64;

int LayerRank(const MapLayer* layer) {
  const auto layers = MapLayers();
  return static_cast<int>(std::find(layers.begin(), layers.end(), layer) - layers.begin());
}

// Splits the entries into runs: a run ends where the layer changes, the row
// does not grow, or an entry names no layer or no row.
void FindRuns(DrawListCache& c) {
  c.Runs.clear();
  c.BadItems.clear();
  for (size_t i = 0; i < c.Items.size(); ++i) {
    const DrawItem& item = c.Items[i];
    const auto pos = static_cast<int32_t>(i);
    if (item.Error >= 0) c.BadItems.push_back(pos);
    if (item.Error >= 0 || !item.Layer) continue;
    DrawRun* run = c.Runs.empty() ? nullptr : &c.Runs.back();
    if (run && run->Layer == item.Layer && run->Last == pos - 1 && c.Items[static_cast<size_t>(run->Last)].Index < item.Index)
      run->Last = pos;
    else
      c.Runs.push_back({item.Layer, pos, pos});
  }
  c.LayerOrder = c.Runs.size() <= kMaxDrawRuns;
  for (size_t k = 1; k < c.Runs.size() && c.LayerOrder; ++k)
    c.LayerOrder = LayerRank(c.Runs[k - 1].Layer) <= LayerRank(c.Runs[k].Layer);
}

}  // namespace

const DrawListCache& DrawItems(RenderCache& cache, const CityTables& tables) {
  DrawListCache& c = cache.DrawList;
  const LayerTable& t = tables.DrawListView;
  if (c.Revision == t.Revision() && c.RowCount == t.Count()) return c;
  c.Revision = t.Revision();
  c.RowCount = t.Count();
  c.Items.assign(static_cast<size_t>(t.Count()), DrawItem{});
  c.Errors.clear();
  for (int i = 0; i < t.Count(); ++i) {
    DrawItem& item = c.Items[static_cast<size_t>(i)];
    const std::optional<DrawCode> code = DrawCodeOf(t[i].Cell(draw_list_cell::Code));
    if (code) item.Layer = &LayerOf(*code);
    if (!ParseDecimalInt(t[i].Cell(draw_list_cell::Row), item.Index)) {
      c.Errors.push_back(BadIntegerMessage(t, i, draw_list_cell::Row));
      item.Error = static_cast<int32_t>(c.Errors.size() - 1);
    }
  }
  FindRuns(c);
  return c;
}
