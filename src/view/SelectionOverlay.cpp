// Turns the stored map points of every selection kind into picture pixels for
// the paint, and sizes the status bar panels.
#include "view/SelectionOverlay.h"

#include "render/ViewTransform.h"
#include "state/MapCore.h"

namespace {

PicturePixel ToPicture(const ViewState& v, MapPoint p) { return MapToPictureExact(v, p.X, p.Y); }

void ToPicture(const ViewState& v, const PointArray& points, int32_t count, PixelArray& pixels) {
  if (count > kMaxPointsPerRecord) count = kMaxPointsPerRecord;
  for (int32_t i = 0; i < count; ++i) pixels[static_cast<size_t>(i)] = ToPicture(v, points[static_cast<size_t>(i)]);
}

// A status panel is 8 pixels wide per character (one byte a character).
int32_t PanelWidth(const std::string& text) { return static_cast<int32_t>(8 * text.size()); }

}  // namespace

void UpdateSelectionOverlay(MapCore& core) {
  const ViewState& v = core.View;
  SelectionState& s = core.Selection;

  s.SelObjectPixel = ToPicture(v, s.SelObjectPoint);
  ToPicture(v, s.SelStreetPoints, s.SelStreetCount, s.SelStreetPixels);
  ToPicture(v, s.SelBuildingPoints, s.SelBuildingCount, s.SelBuildingPixels);
  s.SelFirmPixel = ToPicture(v, s.SelFirmPoint);
  ToPicture(v, s.SelRoutePoints, s.SelRouteCount, s.SelRoutePixels);

  s.StatusWidth1 = PanelWidth(s.StatusText1);
  s.StatusWidth2 = PanelWidth(s.StatusText2);
  s.StatusWidth0 = PanelWidth(s.StatusText0);
}
