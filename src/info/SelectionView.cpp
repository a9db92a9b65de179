#include "info/SelectionView.h"

#include "info/RecordCells.h"
#include "shell/MapCore.h"

PixelSize ScreenSize(const MapCore& core) { return {core.View.ScreenWidth, core.View.ScreenHeight}; }

PixelSize WindowOuterSize(const MapCore& core) {
  return {core.Host.WindowOuterWidth(), core.Host.WindowOuterHeight()};
}

void CentreOnSelection(MapCore& core, IntPoint point, bool move, PixelSize size) {
  ViewState& v = core.View;
  v.CenterX = point.X;
  v.CenterY = point.Y;
  if (!move) return;
  if (core.Ui.N8ZoomOnSelect) v.Scale = 4.0f;
  const long double scale = v.Scale;
  v.OffsetX = TruncToInt32(v.CenterX * scale - size.Width);
  v.OffsetY = TruncToInt32(v.CenterY * scale - size.Height);
}
