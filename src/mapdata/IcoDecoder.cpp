// Windows icon files: an ICONDIR header, one ICONDIRENTRY per image, and each
// image either a BMP without its file header (a DIB whose height counts the
// colour rows and the AND-mask rows together) or a whole PNG file.  Every
// offset and length is checked against the file before a byte is read.
#include <QByteArray>

#include <algorithm>
#include <climits>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "mapdata/PictureDecoders.h"

namespace {

constexpr int kPreferredSide = 20;
constexpr int kMaxIconSide = 1024;

// Bounds-checked little-endian reads over the whole file.
class ByteView {
 public:
  explicit ByteView(const std::string& bytes) : bytes_(bytes) {}
  size_t Size() const { return bytes_.size(); }
  bool Has(uint64_t offset, uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }
  uint8_t U8(uint64_t at) const { return static_cast<uint8_t>(bytes_[at]); }
  uint16_t U16(uint64_t at) const { return static_cast<uint16_t>(U8(at) | (U8(at + 1) << 8)); }
  uint32_t U32(uint64_t at) const { return U16(at) | (static_cast<uint32_t>(U16(at + 2)) << 16); }
  int32_t S32(uint64_t at) const { return static_cast<int32_t>(U32(at)); }
  const char* Data(uint64_t at) const { return bytes_.data() + at; }

 private:
  const std::string& bytes_;
};

struct IconEntry {
  int Width = 0;  // as the directory states it (0 means 256)
  int Height = 0;
  int BitCount = 0;
  uint32_t Length = 0;
  uint32_t Offset = 0;
};

bool ReadDirectory(const ByteView& file, std::vector<IconEntry>& entries, std::string& error) {
  if (!file.Has(0, 6)) {
    error = "файл значка короче своего заголовка";
    return false;
  }
  if (file.U16(0) != 0 || file.U16(2) != 1) {
    error = "это не файл значка (неверный заголовок)";
    return false;
  }
  const int count = file.U16(4);
  if (count == 0) {
    error = "в файле значка нет ни одного изображения";
    return false;
  }
  if (!file.Has(6, 16ULL * count)) {
    error = "список изображений значка (" + std::to_string(count) + " шт.) выходит за конец файла";
    return false;
  }
  for (int i = 0; i < count; ++i) {
    const uint64_t at = 6 + 16ULL * i;
    IconEntry entry;
    entry.Width = file.U8(at) == 0 ? 256 : file.U8(at);
    entry.Height = file.U8(at + 1) == 0 ? 256 : file.U8(at + 1);
    entry.BitCount = file.U16(at + 6);
    entry.Length = file.U32(at + 8);
    entry.Offset = file.U32(at + 12);
    entries.push_back(entry);
  }
  return true;
}

// Closest to the size of the image lists; on a tie the larger, then the deeper.
const IconEntry& ChooseEntry(const std::vector<IconEntry>& entries) {
  const IconEntry* best = &entries.front();
  auto distance = [](const IconEntry& e) {
    return std::abs(e.Width - kPreferredSide) + std::abs(e.Height - kPreferredSide);
  };
  for (const IconEntry& e : entries) {
    const int d = distance(e), bestD = distance(*best);
    if (d < bestD || (d == bestD && (e.Width * e.Height > best->Width * best->Height ||
                                     (e.Width * e.Height == best->Width * best->Height && e.BitCount > best->BitCount))))
      best = &e;
  }
  return *best;
}

bool IsPng(const ByteView& file, const IconEntry& entry) {
  static const char kSignature[] = "\x89PNG\r\n\x1a\n";
  return entry.Length >= 8 && std::equal(kSignature, kSignature + 8, file.Data(entry.Offset));
}

bool DecodePng(const ByteView& file, const IconEntry& entry, QImage& out, std::string& error) {
  const QImage png = QImage::fromData(QByteArray(file.Data(entry.Offset), static_cast<qsizetype>(entry.Length)), "PNG");
  if (png.isNull()) {
    error = "изображение PNG внутри значка не читается";
    return false;
  }
  if (png.width() > kMaxIconSide || png.height() > kMaxIconSide) {
    error = "изображение PNG внутри значка слишком велико";
    return false;
  }
  out = png.convertToFormat(QImage::Format_ARGB32);
  return true;
}

struct DibLayout {
  int Width = 0;
  int Height = 0;  // colour rows, half of the DIB's stated height
  bool TopDown = false;
  int BitCount = 0;
  uint64_t Palette = 0;
  uint32_t PaletteSize = 0;
  uint64_t Pixels = 0;
  uint64_t Stride = 0;
  uint64_t Mask = 0;
  uint64_t MaskStride = 0;
  bool HasMask = false;
};

bool ReadDibLayout(const ByteView& file, const IconEntry& entry, DibLayout& dib, std::string& error) {
  const uint64_t start = entry.Offset, end = start + entry.Length;
  if (!file.Has(start, 40) || entry.Length < 40) {
    error = "заголовок изображения значка выходит за конец файла";
    return false;
  }
  const uint32_t headerSize = file.U32(start);
  const int32_t width = file.S32(start + 4), doubledHeight = file.S32(start + 8);
  dib.BitCount = file.U16(start + 14);
  const uint32_t compression = file.U32(start + 16);
  const uint32_t colorsUsed = file.U32(start + 32);
  if (headerSize < 40 || headerSize > entry.Length) {
    error = "неверный размер заголовка изображения значка (" + std::to_string(headerSize) + ")";
    return false;
  }
  if (compression != 0 && !(compression == 3 && dib.BitCount == 32)) {
    error = "сжатые изображения значков не поддерживаются (сжатие " + std::to_string(compression) + ")";
    return false;
  }
  const int height = doubledHeight == INT32_MIN ? 0 : std::abs(doubledHeight) / 2;
  if (width <= 0 || width > kMaxIconSide || height <= 0 || height > kMaxIconSide) {
    error = "неверные размеры изображения значка (" + std::to_string(width) + " x " + std::to_string(doubledHeight) + ")";
    return false;
  }
  dib.Width = width;
  dib.Height = height;
  dib.TopDown = doubledHeight < 0;
  switch (dib.BitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default:
      error = "глубина цвета изображения значка " + std::to_string(dib.BitCount) + " бит не поддерживается";
      return false;
  }
  dib.Palette = start + headerSize + (compression == 3 && headerSize == 40 ? 12 : 0);
  if (dib.BitCount <= 8) {
    const uint32_t full = 1u << dib.BitCount;
    dib.PaletteSize = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
  }
  dib.Pixels = dib.Palette + 4ULL * dib.PaletteSize;
  dib.Stride = ((static_cast<uint64_t>(width) * dib.BitCount + 31) / 32) * 4;
  dib.Mask = dib.Pixels + dib.Stride * height;
  dib.MaskStride = ((static_cast<uint64_t>(width) + 31) / 32) * 4;
  if (dib.Mask > end || !file.Has(start, dib.Mask - start)) {
    error = "данные изображения значка выходят за конец файла";
    return false;
  }
  // Some writers leave the AND mask out of 32-bit images; alpha suffices there.
  dib.HasMask = dib.Mask + dib.MaskStride * height <= end && file.Has(dib.Mask, dib.MaskStride * height);
  if (!dib.HasMask && dib.BitCount != 32) {
    error = "маска изображения значка выходит за конец файла";
    return false;
  }
  return true;
}

QRgb PaletteColour(const ByteView& file, const DibLayout& dib, uint32_t index) {
  if (index >= dib.PaletteSize) return qRgb(0, 0, 0);
  const uint64_t at = dib.Palette + 4ULL * index;
  return qRgb(file.U8(at + 2), file.U8(at + 1), file.U8(at));
}

QRgb PixelAt(const ByteView& file, const DibLayout& dib, uint64_t row, int x) {
  switch (dib.BitCount) {
    case 1: return PaletteColour(file, dib, (file.U8(row + x / 8) >> (7 - x % 8)) & 1);
    case 4: return PaletteColour(file, dib, (file.U8(row + x / 2) >> (x % 2 ? 0 : 4)) & 15);
    case 8: return PaletteColour(file, dib, file.U8(row + x));
    case 16: {
      const uint16_t v = file.U16(row + 2ULL * x);
      return qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31, (v & 31) * 255 / 31);
    }
    case 24: {
      const uint64_t at = row + 3ULL * x;
      return qRgb(file.U8(at + 2), file.U8(at + 1), file.U8(at));
    }
    default: {
      const uint64_t at = row + 4ULL * x;
      return qRgba(file.U8(at + 2), file.U8(at + 1), file.U8(at), file.U8(at + 3));
    }
  }
}

void DecodeDibPixels(const ByteView& file, const DibLayout& dib, QImage& out) {
  out = QImage(dib.Width, dib.Height, QImage::Format_ARGB32);
  bool anyAlpha = false;
  for (int y = 0; y < dib.Height; ++y) {
    const uint64_t fileRow = dib.TopDown ? y : dib.Height - 1 - y;
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < dib.Width; ++x) {
      QRgb c = PixelAt(file, dib, dib.Pixels + fileRow * dib.Stride, x);
      if (dib.BitCount == 32) anyAlpha = anyAlpha || qAlpha(c) != 0;
      else c |= 0xFF000000u;
      line[x] = c;
    }
  }
  // Old 32-bit icons carry no alpha at all: their AND mask alone says what shows.
  const bool useMask = dib.HasMask && (dib.BitCount != 32 || !anyAlpha);
  for (int y = 0; y < dib.Height; ++y) {
    const uint64_t fileRow = dib.TopDown ? y : dib.Height - 1 - y;
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < dib.Width; ++x) {
      if (dib.BitCount == 32 && !anyAlpha) line[x] |= 0xFF000000u;
      if (useMask && (file.U8(dib.Mask + fileRow * dib.MaskStride + x / 8) >> (7 - x % 8)) & 1) line[x] = qRgba(0, 0, 0, 0);
    }
  }
}

}  // namespace

bool DecodeIco(const std::string& bytes, QImage& out, std::string& error) {
  const ByteView file(bytes);
  std::vector<IconEntry> entries;
  if (!ReadDirectory(file, entries, error)) return false;
  const IconEntry& entry = ChooseEntry(entries);
  if (!file.Has(entry.Offset, entry.Length) || entry.Length == 0) {
    error = "изображение значка (смещение " + std::to_string(entry.Offset) + ", длина " +
            std::to_string(entry.Length) + ") лежит вне файла длиной " + std::to_string(file.Size()) + " байт";
    return false;
  }
  if (IsPng(file, entry)) return DecodePng(file, entry, out, error);
  DibLayout dib;
  if (!ReadDibLayout(file, entry, dib, error)) return false;
  DecodeDibPixels(file, dib, out);
  return true;
}
