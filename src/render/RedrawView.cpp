#include "render/RedrawView.h"

#include <stdexcept>

#include "render/Canvas.h"
#include "render/CellNumbers.h"
#include "render/LayerDrawers.h"
#include "render/MapLayers.h"
#include "render/MapStyle.h"
#include "render/RenderCache.h"
#include "render/SelectionOverlay.h"
#include "shell/MapCore.h"

void SizeMapPicture(MapCore& core) {
  core.Map = QImage(2 * core.View.ScreenWidth, 2 * core.View.ScreenHeight, QImage::Format_RGB32);
  core.Map.fill(mapstyle::BackgroundColor);
}

MapDrawing DrawingOf(MapCore& core, Canvas& canvas) {
  return MapDrawing{core.View, core.Tables, core.Flags, canvas, core.Render.Cache,
                    core.Interaction.Mode == InteractionMode::StreetSelect};
}

namespace {

void ClearPicture(Canvas& canvas) {
  CanvasState& st = canvas.State();
  st.PenWidth = 1;
  st.PenColor = st.BrushColor = mapstyle::BackgroundColor;
  canvas.FillRect(canvas.Image().rect());
  st.PenWidth = 1;
}

// Every listed row of a layer drawn from the draw list, while its switch is on
// and from the scale it is drawn from, in the order of the list.
void DrawListedRows(MapDrawing& d) {
  const float scale = d.View.Scale;
  const DrawListCache& list = DrawItems(d.Cache, d.Tables);
  for (const DrawItem& item : list.Items) {
    if (item.Error >= 0) throw std::runtime_error(list.Errors[static_cast<size_t>(item.Error)]);
    const MapLayer* layer = item.Layer;
    if (!layer || layer->Source != DrawnFrom::DrawList) continue;  // not a layer code, or found firms
    if (!LayerShown(d.Switches, *layer) || scale < layer->Scales.DrawnFrom) continue;
    if (layer->Drawable && !layer->Drawable(d, *layer, item.Index)) continue;
    layer->Draw(d, *layer, item.Index);
  }
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


}  // namespace

void RedrawView(MapCore& core) {
  UpdateSelectionOverlay(core);
  ForgetHintOfOtherView(core);
  if (core.Map.isNull()) return;  // no city loaded yet: no picture to draw on
  Canvas canvas(core.Map, core.Render.Canvas);
  ClearPicture(canvas);
  MapDrawing drawing = DrawingOf(core, canvas);
  DrawListedRows(drawing);
  DrawFoundRows(drawing, core.Search.ListView2);
}
