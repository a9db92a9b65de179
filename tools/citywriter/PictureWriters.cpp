#include "citywriter/PictureWriters.h"

#include <cstdint>
#include <cstdlib>

#include "mapdata/JpegErrors.h"

namespace {

// Runs between jpeg_create_compress and jpeg_finish_compress; plain data only,
// so a long jump out of libjpeg skips no destructor.
void CompressRows(jpeg_compress_struct& cinfo, const QImage& rgb, int quality, JpegLayout layout) {
  cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (layout == JpegLayout::ProgressiveOptimized) {
    jpeg_simple_progression(&cinfo);
    cinfo.optimize_coding = TRUE;
  }
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
}

void AppendU16(std::string& out, uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void AppendU32(std::string& out, uint32_t v) {
  AppendU16(out, v & 0xFFFF);
  AppendU16(out, v >> 16);
}

}  // namespace

bool EncodeJpeg(const QImage& image, int quality, std::string& out, std::string& error, JpegLayout layout) {
  if (image.isNull()) {
    error = "no picture to encode";
    return false;
  }
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct cinfo;
  JpegErrors errors;
  cinfo.err = UseJpegErrors(errors);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(errors.Jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    error = std::string("JPEG error: ") + errors.Message;
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &buffer, &size);
  CompressRows(cinfo, rgb, quality < 1 ? 1 : quality > 100 ? 100 : quality, layout);
  out.assign(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&cinfo);
  std::free(buffer);
  return true;
}

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
