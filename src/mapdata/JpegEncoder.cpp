#include "mapdata/JpegEncoder.h"

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
