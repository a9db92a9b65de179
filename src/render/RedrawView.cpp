#include "render/RedrawView.h"

#include <stdexcept>

#include "info/Selection.h"
#include "interaction/HoverHint.h"
#include "render/Canvas.h"
#include "render/CellNumbers.h"
#include "render/LayerDrawers.h"
#include "render/MapStyle.h"
#include "render/RenderCache.h"
#include "shell/MapCore.h"

void SizeMapPicture(MapCore& core) {
  core.Map = QImage(2 * core.View.ScreenWidth, 2 * core.View.ScreenHeight, QImage::Format_RGB32);
  core.Map.fill(mapstyle::BackgroundColor);
}

namespace {

void ClearPicture(Canvas& canvas) {
  CanvasState& st = canvas.State();
  st.PenWidth = 1;
  st.PenColor = st.BrushColor = mapstyle::BackgroundColor;
  canvas.FillRect(canvas.Image().rect());
  st.PenWidth = 1;
}

bool LegibleLabel(MapCore& core, int row) {
  const LayerCache& labels = LabelCache(core.Render.Cache, core.Tables);
  if (row < 0 || static_cast<size_t>(row) >= labels.Rows.size())
    throw std::out_of_range("ListOfTexts: строки " + std::to_string(row) + " нет в таблице.");
  const CachedRow& r = labels.Rows[static_cast<size_t>(row)];
  labels.ThrowIfBad(r);
  return LabelLegible(r.Value, core.View.Scale);
}

void DrawListedRows(MapCore& core, Canvas& canvas) {
  const LayerFlags& f = core.Flags;
  const float scale = core.View.Scale;
  const DrawListCache& list = DrawItems(core.Render.Cache, core.Tables);
  for (const DrawItem& item : list.Items) {
    if (item.Error >= 0) throw std::runtime_error(list.Errors[static_cast<size_t>(item.Error)]);
    const int i = item.Index;
    switch (item.Code) {
      case '1': if (f.ShowStreets) DrawStreet(core, canvas, i); break;
      case '2': if (f.ShowBuildings && scale >= 2.0f) DrawBuilding(core, canvas, i); break;
      case '3': if (f.ShowRegions) DrawRegion(core, canvas, i); break;
      case '4': if (f.ShowTexts && LegibleLabel(core, i)) DrawTextLabel(core, canvas, i); break;
      case '5': if (f.ShowObjects) DrawObjectIcon(core, canvas, i); break;
      case '7': if (f.ShowRoutes) DrawRoute(core, canvas, i); break;
      default: break;  // firms are drawn from the found-firm list only
    }
  }
}

void DrawFoundFirms(MapCore& core, Canvas& canvas) {
  const LayerTable& found = core.Search.ListView2;
  for (int k = 0; k < found.Count(); ++k) DrawFoundFirmIcon(core, canvas, CellInt(found, k, -1));
}

}  // namespace

void RedrawView(MapCore& core) {
  UpdateSelectionOverlay(core);
  ForgetHintOfOtherView(core);
  if (core.Map.isNull()) return;  // no city loaded yet: no picture to draw on
  Canvas canvas(core.Map, core.Render.Canvas);
  ClearPicture(canvas);
  DrawListedRows(core, canvas);
  if (core.Flags.ShowFoundFirms) DrawFoundFirms(core, canvas);
}
