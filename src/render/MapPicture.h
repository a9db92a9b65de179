#pragma once
// The map's off-screen picture: four times the screen's pixels, tens of
// megabytes for a large screen, redrawn whole on every move of the view.
#include <QImage>

// An RGB32 picture of the size, its pixels not yet set.  Where the system
// offers it, the pixels lie in large memory pages: a redraw writes the
// picture row by row through rectangles and lines, and with small pages
// nearly every row of them is another page for the processor to look up.
QImage NewMapPicture(int width, int height);

// The picture for a view `width` x `height` pixels large on a screen of
// `ratio` device pixels per view pixel: the device's pixels, its ratio set,
// so that a painter on it draws in view pixels at the device's resolution.
// Ratio 1 is the picture above.
QImage NewMapPicture(int width, int height, double ratio);
// Device pixels for `length` view pixels: whole pixels, the last one partly
// covered counted.
int DevicePixels(int length, double ratio);
// The picture's rectangle in view pixels, from (0, 0).
QRect ViewFrame(const QImage& picture);
