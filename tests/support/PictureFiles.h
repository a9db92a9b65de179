#pragma once
// Real picture files for tests: Windows icons and JPEGs, and decoders for them.
#include <QColor>
#include <QImage>

#include <string>

// A one-colour picture.
QImage SolidImage(int width, int height, QColor colour);
// A Windows icon file (32-bit BMP entry with an all-opaque mask).
std::string IcoBytes(const QImage& image);
// A JPEG file (high quality, so that solid colours survive).
std::string JpegBytes(const QImage& image);
// Makes sure "ico" and "jpg" files can be loaded by LoadPicture.
void UsePictureDecoders();
