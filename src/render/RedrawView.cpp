#include "render/RedrawView.h"

#include <stdexcept>

#include "render/Canvas.h"
#include "render/CellNumbers.h"
#include "render/LayerDrawers.h"
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
                    core.Interaction.Mode == "StreetSelect"};
}

namespace {

void ClearPicture(Canvas& canvas) {
  CanvasState& st = canvas.State();
  st.PenWidth = 1;
  st.PenColor = st.BrushColor = mapstyle::BackgroundColor;
  canvas.FillRect(canvas.Image().rect());
  st.PenWidth = 1;
}

bool LegibleLabel(MapDrawing& d, int row) {
  const LayerCache& labels = LabelCache(d.Cache, d.Tables);
  if (row < 0 || static_cast<size_t>(row) >= labels.Rows.size())
    throw std::out_of_range("ListOfTexts: строки " + std::to_string(row) + " нет в таблице.");
  const CachedRow& r = labels.Rows[static_cast<size_t>(row)];
  labels.ThrowIfBad(r);
  return LabelLegible(r.Value, d.View.Scale);
}

void DrawListedRows(MapDrawing& d) {
  const LayerFlags& f = d.Switches;
  const float scale = d.View.Scale;
  const DrawListCache& list = DrawItems(d.Cache, d.Tables);
  for (const DrawItem& item : list.Items) {
    if (item.Error >= 0) throw std::runtime_error(list.Errors[static_cast<size_t>(item.Error)]);
    const int i = item.Index;
    switch (item.Code) {
      case '1': if (f.ShowStreets) DrawStreet(d, i); break;
      case '2': if (f.ShowBuildings && scale >= 2.0f) DrawBuilding(d, i); break;
      case '3': if (f.ShowRegions) DrawRegion(d, i); break;
      case '4': if (f.ShowTexts && LegibleLabel(d, i)) DrawTextLabel(d, i); break;
      case '5': if (f.ShowObjects) DrawObjectIcon(d, i); break;
      case '7': if (f.ShowRoutes) DrawRoute(d, i); break;
      default: break;  // firms are drawn from the found-firm list only
    }
  }
}

// A hover hint describes what lay under the mouse in the view it was found in;
// once the view has changed (by whatever route: a drag, a zoom, a selection
// that centres), it is hidden for good.
void ForgetHintOfOtherView(MapCore& core) {
  InteractionState& i = core.Interaction;
  if (i.HintPlace != PlaceOf(core.View)) i.HintVisible = false;
}

void DrawFoundFirms(MapDrawing& d, const LayerTable& found) {
  for (int k = 0; k < found.Count(); ++k) DrawFoundFirmIcon(d, CellInt(found, k, found_firm_cell::FirmRow));
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
  if (core.Flags.ShowFoundFirms) DrawFoundFirms(drawing, core.Search.ListView2);
}
