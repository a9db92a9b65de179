#include "support/PictureFiles.h"

#include <QBuffer>

#include "mapdata/PictureLoader.h"

namespace {

void Put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

void Put32(std::string& out, uint32_t v) {
  for (int s = 0; s < 32; s += 8) out.push_back(static_cast<char>((v >> s) & 0xFF));
}

}  // namespace

QImage SolidImage(int width, int height, QColor colour) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

std::string IcoBytes(const QImage& source) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  const uint32_t maskRow = static_cast<uint32_t>(((w + 31) / 32) * 4);
  const uint32_t pixels = static_cast<uint32_t>(w * h * 4);
  const uint32_t size = 40 + pixels + maskRow * static_cast<uint32_t>(h);
  std::string out;
  Put16(out, 0); Put16(out, 1); Put16(out, 1);
  out.push_back(static_cast<char>(w >= 256 ? 0 : w));
  out.push_back(static_cast<char>(h >= 256 ? 0 : h));
  out.push_back(0); out.push_back(0);
  Put16(out, 1); Put16(out, 32); Put32(out, size); Put32(out, 22);
  Put32(out, 40); Put32(out, static_cast<uint32_t>(w)); Put32(out, static_cast<uint32_t>(2 * h));
  Put16(out, 1); Put16(out, 32); Put32(out, 0); Put32(out, pixels + maskRow * static_cast<uint32_t>(h));
  Put32(out, 0); Put32(out, 0); Put32(out, 0); Put32(out, 0);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      const QRgb p = image.pixel(x, y);
      out.push_back(static_cast<char>(qBlue(p)));
      out.push_back(static_cast<char>(qGreen(p)));
      out.push_back(static_cast<char>(qRed(p)));
      out.push_back(static_cast<char>(qAlpha(p)));
    }
  out.append(maskRow * static_cast<uint32_t>(h), '\0');
  return out;
}

std::string JpegBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPG", 100);
  return bytes.toStdString();
}

void UsePictureDecoders() {
  const PictureDecoder viaQt = [](const std::string& bytes, QImage& out, std::string& error) {
    out = QImage::fromData(QByteArray::fromStdString(bytes));
    if (out.isNull()) error = "not a picture";
    return !out.isNull();
  };
  RegisterPictureDecoder("ico", "Windows icon", viaQt);
  RegisterPictureDecoder("jpg", "JPEG", viaQt);
}
