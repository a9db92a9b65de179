#pragma once
// Changing the scale of the view.  Every change of scale by the zoom controls,
// the city load and a selection that zooms ends here: the view is recentred on
// (CenterX, CenterY), the hover hint hidden, the picture redrawn and the window
// painted (MapHost::PaintMapWindow).
struct MapCore;

// The scale becomes `scale`, then recentre, redraw, paint.
void SetViewScale(MapCore& core, float scale);

// The track bar: sets the position (clamped to 1..30); runs TrackBar1Change
// only when the position really changes.
void SetTrackBarPosition(MapCore& core, int position);
// Scale = half the track bar position, then recentre, redraw, paint.
void TrackBar1Change(MapCore& core);

// The track bar's range.
constexpr int kTrackBarMin = 1;
constexpr int kTrackBarMax = 30;
