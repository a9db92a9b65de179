// JPEG decoding through libjpeg.  A fatal error of libjpeg jumps back to the
// decode call (JpegErrors.h), which then returns false with a message of its
// own for libjpeg's error code (libjpeg's texts are English).  The source
// manager treats running out of bytes as an error, so a truncated file is
// refused rather than shown half grey.
#include <cstring>

#include "mapdata/JpegErrors.h"
#include "mapdata/PictureDecoders.h"

#include <jerror.h>

namespace {

// What a libjpeg error code means to the user.
std::string JpegErrorText(int code) {
  switch (code) {
    case JERR_NO_SOI:
      return "это не JPEG-файл";
    case JERR_INPUT_EOF:
    case JERR_INPUT_EMPTY:
      return "файл обрывается раньше конца картинки";
    case JERR_OUT_OF_MEMORY:
      return "не хватает памяти для картинки";
    default:
      return "данные JPEG повреждены или не поддерживаются (код ошибки " + std::to_string(code) + ")";
  }
}

// Warnings (slightly damaged but readable data) are not worth a message box.
void IgnoreMessage(j_common_ptr, int) {}

// A memory source that fails on end of data instead of inventing an EOI marker.
void InitSource(j_decompress_ptr) {}
boolean FillInputBuffer(j_decompress_ptr cinfo) {
  ERREXIT(cinfo, JERR_INPUT_EOF);
  return FALSE;
}
void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* src = cinfo->src;
  if (static_cast<size_t>(count) > src->bytes_in_buffer) ERREXIT(cinfo, JERR_INPUT_EOF);
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<size_t>(count);
}
void TermSource(j_decompress_ptr) {}

void UseStrictMemorySource(j_decompress_ptr cinfo, jpeg_source_mgr& src, const std::string& bytes) {
  src.init_source = InitSource;
  src.fill_input_buffer = FillInputBuffer;
  src.skip_input_data = SkipInputData;
  src.resync_to_restart = jpeg_resync_to_restart;
  src.term_source = TermSource;
  src.next_input_byte = reinterpret_cast<const JOCTET*>(bytes.data());
  src.bytes_in_buffer = bytes.size();
  cinfo->src = &src;
}

// Adobe writes CMYK JPEGs inverted; both kinds reach us as "saturated" values.
QRgb CmykToRgb(const JSAMPLE* p) {
  const int k = p[3];
  return qRgb(p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
}

std::string SizeText(long long width, long long height) {
  return std::to_string(width) + " x " + std::to_string(height) + " точек";
}

// Huffman-coded data spends at least one bit on every 8 x 8 block of the
// full-resolution component, so a file holding fewer bytes than that cannot
// contain the picture its header declares.  Checked before the picture is
// allocated, so that a few bytes never cost the memory of a huge picture.
// (Arithmetic coding can spend less than a bit on a block and is not checked.)
bool DataCanHoldPicture(const jpeg_decompress_struct& cinfo, size_t fileBytes) {
  if (cinfo.arith_code) return true;
  const long long blocks = static_cast<long long>(cinfo.image_width) * cinfo.image_height / 64;
  return static_cast<long long>(fileBytes) * 8 >= blocks;
}

// The part between jpeg_read_header and jpeg_finish_decompress.  Only plain
// data lives in this frame and its callees, so the long jump skips no
// destructor; `out` is owned by the caller.
bool DecodeInto(jpeg_decompress_struct& cinfo, size_t fileBytes, QImage& out, std::string& error) {
  jpeg_read_header(&cinfo, TRUE);
  const long long width = cinfo.image_width, height = cinfo.image_height;
  if (width <= 0 || height <= 0 || width > kMaxJpegSide || height > kMaxJpegSide ||
      width * height > kMaxJpegPixels) {
    error = "картинка слишком велика (" + SizeText(width, height) + ")";
    return false;
  }
  if (!DataCanHoldPicture(cinfo, fileBytes)) {
    error = "файл короче, чем нужно для его картинки (" + SizeText(width, height) + ")";
    return false;
  }
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  const bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
  cinfo.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  out = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
               grey ? QImage::Format_Grayscale8 : cmyk ? QImage::Format_RGB32 : QImage::Format_RGB888);
  if (out.isNull()) {
    error = "не хватает памяти для картинки";
    return false;
  }
  JSAMPLE cmykRow[4 * kMaxJpegSide];
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    if (cmyk) {
      JSAMPROW row = cmykRow;
      jpeg_read_scanlines(&cinfo, &row, 1);
      auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
      for (JDIMENSION x = 0; x < cinfo.output_width; ++x) line[x] = CmykToRgb(cmykRow + 4 * x);
    } else {
      JSAMPROW row = out.scanLine(y);
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
  }
  jpeg_finish_decompress(&cinfo);
  return true;
}

}  // namespace

bool DecodeJpeg(const std::string& bytes, QImage& out, std::string& error) {
  jpeg_decompress_struct cinfo;
  JpegErrors errors;
  jpeg_source_mgr source;
  cinfo.err = UseJpegErrors(errors);
  errors.Base.emit_message = IgnoreMessage;
  QImage decoded;
  if (setjmp(errors.Jump)) {
    jpeg_destroy_decompress(&cinfo);
    error = JpegErrorText(errors.Base.msg_code);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  UseStrictMemorySource(&cinfo, source, bytes);
  const bool ok = DecodeInto(cinfo, bytes.size(), decoded, error);
  jpeg_destroy_decompress(&cinfo);
  if (!ok) return false;
  out = decoded.format() == QImage::Format_RGB32 ? std::move(decoded) : decoded.convertToFormat(QImage::Format_RGB32);
  return true;
}
