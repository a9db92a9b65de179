#pragma once
// One drawer per layer, each drawing one table row onto the map picture's
// canvas at the current view.  The canvas state each leaves behind is part of
// the drawing: later rows are drawn with it.
class Canvas;
struct MapCore;

// Streets: white, or by their type (railway, river, bridge, border, highway).
// Leaves the pen width as last set; pen and brush colours restored.
void DrawStreet(MapCore& core, Canvas& canvas, int row);
// Buildings: filled polygon, outline in the pen colour left by earlier rows;
// house number from scale 4.  Leaves font colour black and size 8.
void DrawBuilding(MapCore& core, Canvas& canvas, int row);
// Regions: filled in their type's colour.  Leaves brush white, pen black, width 1.
void DrawRegion(MapCore& core, Canvas& canvas, int row);
// Text labels on an opaque box; pen left black, font and brush restored.
void DrawTextLabel(MapCore& core, Canvas& canvas, int row);
// Object icons centred on their point, subject to the object-kind filter.
void DrawObjectIcon(MapCore& core, Canvas& canvas, int row);
// Routes: red inside grey; leaves pen width trunc(Scale).
void DrawRoute(MapCore& core, Canvas& canvas, int row);
// Icon of a found firm (a row of ListOfFirms) centred on its point.
void DrawFoundFirmIcon(MapCore& core, Canvas& canvas, int row);

// The label tests on the size in 'Размер': legible for the redraw, and
// highlighted while Ctrl is held.
bool LabelLegible(int size, float scale);
bool LabelHighlightable(int size, float scale);
