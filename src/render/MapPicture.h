#pragma once
// The map's off-screen picture: four times the screen's pixels, tens of
// megabytes for a large screen, redrawn whole on every move of the view.
#include <QImage>

// An RGB32 picture of the size, its pixels not yet set.  Where the system
// offers it, the pixels lie in large memory pages: a redraw writes the
// picture row by row through rectangles and lines, and with small pages
// nearly every row of them is another page for the processor to look up.
QImage NewMapPicture(int width, int height);
