#include "citywriter/PictureWriters.h"

#include <cstdint>

namespace {

void AppendU16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void AppendU32(std::string& out, uint32_t v) {
  AppendU16(out, v & 0xFFFF);
  AppendU16(out, v >> 16);
}

}  // namespace

std::string IcoBytes(const QImage& image) {
  QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  if (argb.width() > 256 || argb.height() > 256)
    argb = argb.scaled(256, 256, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  const int w = argb.width(), h = argb.height();
  const uint32_t maskStride = ((w + 31) / 32) * 4;
  const uint32_t imageBytes = 40 + 4u * w * h + maskStride * h;
  std::string out;
  AppendU16(out, 0);  // ICONDIR
  AppendU16(out, 1);
  AppendU16(out, 1);
  out.push_back(static_cast<char>(w == 256 ? 0 : w));  // ICONDIRENTRY
  out.push_back(static_cast<char>(h == 256 ? 0 : h));
  out.push_back(0);
  out.push_back(0);
  AppendU16(out, 1);
  AppendU16(out, 32);
  AppendU32(out, imageBytes);
  AppendU32(out, 6 + 16);
  AppendU32(out, 40);  // BITMAPINFOHEADER
  AppendU32(out, static_cast<uint32_t>(w));
  AppendU32(out, static_cast<uint32_t>(2 * h));
  AppendU16(out, 1);
  AppendU16(out, 32);
  AppendU32(out, 0);
  AppendU32(out, 4u * w * h + maskStride * h);
  for (int i = 0; i < 4; ++i) AppendU32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      out.push_back(static_cast<char>(qBlue(line[x])));
      out.push_back(static_cast<char>(qGreen(line[x])));
      out.push_back(static_cast<char>(qRed(line[x])));
      out.push_back(static_cast<char>(qAlpha(line[x])));
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    std::string row(maskStride, '\0');
    for (int x = 0; x < w; ++x)
      if (qAlpha(line[x]) == 0) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    out += row;
  }
  return out;
}
