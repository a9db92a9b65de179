#include "view/RedrawView.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

#include "render/Canvas.h"
#include "render/CellNumbers.h"
#include "render/Crowding.h"
#include "render/LayerDrawers.h"
#include "render/MapLayers.h"
#include "render/MapPicture.h"
#include "render/MapStyle.h"
#include "render/RenderCache.h"
#include "render/ViewTransform.h"
#include "state/MapCore.h"
#include "view/SelectionOverlay.h"
#include "view/ViewScale.h"

void SizeMapPicture(MapCore& core) {
  // At the ratio of the screen the picture was made for (view/PictureRatio.h).
  const double ratio = core.Map.isNull() ? 1.0 : core.Map.devicePixelRatio();
  core.Map = NewMapPicture(2 * core.View.ScreenWidth, 2 * core.View.ScreenHeight, ratio);
  core.Map.fill(mapstyle::BackgroundColor);
}

MapDrawing DrawingOf(MapCore& core, Canvas& canvas) {
  return MapDrawing{core.View, core.Tables, core.Flags, canvas, core.Render.Cache,
                    core.Interaction.Mode == InteractionMode::StreetSelect};
}

namespace {

void ClearPicture(Canvas& canvas) {
  canvas.State().BrushColor = mapstyle::BackgroundColor;
  canvas.FillRect(canvas.Frame());
}

bool DrawnFromList(const MapDrawing& d, const MapLayer& layer) {
  return layer.Source == DrawnFrom::DrawList && LayerShown(d.Switches, layer) &&
         d.View.Scale >= layer.Scales.DrawnFrom;
}

// One entry of the draw list: its row drawn while its layer is shown at the
// view's scale.
void DrawEntry(MapDrawing& d, const DrawListCache& list, const DrawItem& item) {
  if (item.Error >= 0) throw std::runtime_error(list.Errors[static_cast<size_t>(item.Error)]);
  const MapLayer* layer = item.Layer;
  if (!layer || !DrawnFromList(d, *layer)) return;  // not a layer code, found firms, or not shown
  if (layer->Drawable && !layer->Drawable(d, *layer, item.Index)) return;
  layer->Draw(d, *layer, item.Index);
}

// Every entry, in the order of the list.
void DrawEveryEntry(MapDrawing& d, const DrawListCache& list) {
  for (const DrawItem& item : list.Items) DrawEntry(d, list, item);
}

// The positions of a run to visit, ascending: the rows whose boxes meet the
// picture widened by the layer's reach, the rows that cannot be drawn (they
// stop the drawing where they are listed) and the first row the table lacks.
std::vector<int32_t> RunPositionsToVisit(MapDrawing& d, const DrawListCache& list, const DrawRun& run) {
  const MapLayer& layer = *run.Layer;
  const LayerCache& cache = CacheOf(d.Cache, d.Tables, layer);
  const QRect& picture = d.Surface.Frame();
  const std::optional<PointBox> area =
      MapAreaOfPicture(d.View, picture.width(), picture.height(), layer.Reach(d, layer));
  std::vector<int32_t> rows;
  if (area) rows = RowsMeeting(d.Cache, d.Tables, layer, *area);
  const auto shown = static_cast<std::ptrdiff_t>(rows.size());
  rows.insert(rows.end(), cache.BadRows.begin(), cache.BadRows.end());
  std::inplace_merge(rows.begin(), rows.begin() + shown, rows.end());

  // The run lists ascending rows: each is found by bisection.
  const auto begin = list.Items.begin();
  const auto end = begin + run.Last + 1;
  auto at = begin + run.First;
  auto listed = [](const DrawItem& item, int32_t row) { return item.Index < row; };
  std::vector<int32_t> positions;
  for (const int32_t row : rows) {
    at = std::lower_bound(at, end, row, listed);
    if (at == end) break;
    if (at->Index == row) positions.push_back(static_cast<int32_t>(at - begin));
  }
  at = std::lower_bound(at, end, TableOf(d.Tables, layer).Count(), listed);
  if (at != end) positions.push_back(static_cast<int32_t>(at - begin));
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  return positions;
}

// Rows of `layer` the redraw passes by, as far as the rows after them are
// concerned: as if drawn (MapDrawing::RegionDrawn).  A run of labels in the
// layers' order is followed by no row that reads what labels decide.
void PassRowsBefore(MapDrawing& d, const MapLayer& layer) {
  if (layer.Code == DrawCode::Region) d.RegionDrawn = true;
}

// The entries whose rows can show in the picture, in the order of the list,
// drawing the same picture as every entry would: a draw list whose runs of
// rows follow the layers' drawing order (as BuildDrawList makes it) is
// visited through the layers' spatial indexes, any other walked whole.
void DrawListedRows(MapDrawing& d) {
  const DrawListCache& list = DrawItems(d.Cache, d.Tables);
  if (!list.LayerOrder) return DrawEveryEntry(d, list);
  // The first entry whose row is no number stops the drawing there.
  const int32_t stop = list.BadItems.empty() ? INT32_MAX : list.BadItems.front();
  for (const DrawRun& run : list.Runs) {
    if (run.First > stop) break;
    if (!DrawnFromList(d, *run.Layer)) continue;
    for (const int32_t pos : RunPositionsToVisit(d, list, run)) {
      if (pos > stop) break;
      if (pos > run.First) PassRowsBefore(d, *run.Layer);
      DrawEntry(d, list, list.Items[static_cast<size_t>(pos)]);
    }
    PassRowsBefore(d, *run.Layer);
  }
  if (stop != INT32_MAX) DrawEntry(d, list, list.Items[static_cast<size_t>(stop)]);
}

// The layers drawn from the found firms, after the draw list.
void DrawFoundRows(MapDrawing& d, const LayerTable& found) {
  for (const MapLayer* layer : MapLayers()) {
    if (layer->Source != DrawnFrom::FoundFirms || !LayerShown(d.Switches, *layer)) continue;
    for (int k = 0; k < found.Count(); ++k) layer->Draw(d, *layer, CellInt(found, k, found_firm_cell::FirmRow));
  }
}

// A hover hint describes what lay under the mouse in the view it was found in;
// once the view has changed (by whatever route: a drag, a zoom, a selection
// that centres), it is hidden for good.
void ForgetHintOfOtherView(MapCore& core) {
  InteractionState& i = core.Interaction;
  if (i.HintPlace != PlaceOf(core.View)) i.HintVisible = false;
}


// Where house numbers are written, the labels the picture will show are
// marked first: the labels come later in the list, and a number keeps off them.
void MarkLabelsBeforeNumbers(MapDrawing& d) {
  const MapLayer& buildings = LayerOf(DrawCode::Building);
  const MapLayer& labels = LayerOf(DrawCode::Label);
  if (!d.Crowd->GiveWay || !DrawnFromList(d, buildings) || d.View.Scale < buildings.Scales.DetailFrom ||
      !DrawnFromList(d, labels))
    return;
  const QRect& picture = d.Surface.Frame();
  const std::optional<PointBox> area =
      MapAreaOfPicture(d.View, picture.width(), picture.height(), labels.Reach(d, labels));
  if (area) MarkLabelBoxes(d, labels, RowsMeeting(d.Cache, d.Tables, labels, *area));
}

void DrawMap(MapCore& core, Canvas& canvas, void (*drawListed)(MapDrawing&)) {
  ClearPicture(canvas);
  Crowding crowding;
  crowding.GiveWay = !core.Flags.AllIcons;
  MapDrawing drawing = DrawingOf(core, canvas);
  drawing.Crowd = &crowding;
  MarkLabelsBeforeNumbers(drawing);
  drawListed(drawing);
  DrawHeldLabels(drawing, LayerOf(DrawCode::Label));
  DrawFoundRows(drawing, core.Search.FoundFirms);
}

void Redraw(MapCore& core, void (*drawListed)(MapDrawing&)) {
  ShowScaleInZoomControls(core);
  UpdateSelectionOverlay(core);
  ForgetHintOfOtherView(core);
  if (core.Map.isNull()) return;  // no city loaded yet: no picture to draw on
  ++core.Render.Cache.Redraws;
  Canvas canvas(core.Map, core.Render.Canvas);
  DrawMap(core, canvas, drawListed);
}

}  // namespace

void RedrawView(MapCore& core) { Redraw(core, DrawListedRows); }

void DrawMapOn(MapCore& core, Canvas& canvas) { DrawMap(core, canvas, DrawListedRows); }

void RedrawEveryListedRow(MapCore& core) {
  Redraw(core, [](MapDrawing& d) { DrawEveryEntry(d, DrawItems(d.Cache, d.Tables)); });
}
