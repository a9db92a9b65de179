#include "support/PictureFiles.h"

#include <stdexcept>

#include "mapdata/PictureLoader.h"

QImage SolidImage(int width, int height, QColor colour) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

std::string JpegBytes(const QImage& image) {
  std::string out, error;
  if (!EncodeJpeg(image, 100, out, error)) throw std::runtime_error("JPEG encoding failed: " + error);
  return out;
}

void UsePictureDecoders() { RegisterStandardPictureDecoders(); }
