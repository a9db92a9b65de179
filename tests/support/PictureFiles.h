#pragma once
// Real picture files for tests, and the program's decoders registered for them.
#include <QColor>
#include <QImage>

#include <string>

#include "citywriter/PictureWriters.h"

// A one-colour picture.
QImage SolidImage(int width, int height, QColor colour);
// A JPEG file at the best quality, so that solid colours survive.
std::string JpegBytes(const QImage& image);
// Registers the program's own decoders with the picture loader.
void UsePictureDecoders();
