#pragma once
// Encoders for the pictures the tools write (demo cities, artwork, tests): the
// core's JPEG encoder and the Windows icon.
#include <QImage>

#include <string>

#include "mapdata/JpegEncoder.h"

// A Windows icon file holding one 32-bit BMP image (BGRA rows bottom-up and an
// AND mask that marks the fully transparent pixels).  Sides of 1..256 pixels;
// larger images are scaled down to 256.
std::string IcoBytes(const QImage& image);
