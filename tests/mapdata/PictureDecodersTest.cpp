// The JPEG and icon decoders, driven through the picture loader on real files
// made by our encoders or assembled byte by byte here.
#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "mapdata/PictureDecoders.h"
#include "mapdata/PictureLoader.h"
#include "citywriter/PictureWriters.h"
#include "support/TempDir.h"

namespace {

class PictureDecodersTest : public ::testing::Test {
 protected:
  void SetUp() override { RegisterStandardPictureDecoders(); }

  // Writes the bytes to a file of that name and loads it through the loader.
  bool Load(const std::string& name, const std::string& bytes, QImage& image, std::string& error) {
    const auto file = dir_.Path() / name;
    WriteBytes(file, bytes);
    return LoadPicture(file, image, &error);
  }

  TempDir dir_;
};

bool Near(QRgb actual, QRgb expected, int tolerance = 12) {
  return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
         std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
         std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

// Four flat quadrants: red, green / blue, white.
QImage Quadrants(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(0, 0, w / 2, h / 2, QColor(220, 20, 20));
  p.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(20, 200, 40));
  p.fillRect(0, h / 2, w / 2, h - h / 2, QColor(30, 40, 210));
  p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(255, 255, 255));
  return image;
}

std::string JpegOf(const QImage& image, int quality = 95) {
  std::string bytes, error;
  EXPECT_TRUE(EncodeJpeg(image, quality, bytes, error)) << error;
  return bytes;
}

// --- JPEG ---

TEST_F(PictureDecodersTest, JpegWrittenByOurEncoderDecodesWithItsColours) {
  QImage image;
  std::string error;
  ASSERT_TRUE(Load("Picture.jpg", JpegOf(Quadrants(96, 64)), image, error)) << error;
  ASSERT_EQ(image.size(), QSize(96, 64));
  EXPECT_TRUE(Near(image.pixel(20, 15), qRgb(220, 20, 20)));
  EXPECT_TRUE(Near(image.pixel(75, 15), qRgb(20, 200, 40)));
  EXPECT_TRUE(Near(image.pixel(20, 50), qRgb(30, 40, 210)));
  EXPECT_TRUE(Near(image.pixel(75, 50), qRgb(255, 255, 255)));
}

TEST_F(PictureDecodersTest, UpperCaseExtensionUsesTheJpegDecoderToo) {
  QImage image;
  std::string error;
  ASSERT_TRUE(Load("1.JPG", JpegOf(Quadrants(20, 20)), image, error)) << error;
  EXPECT_EQ(image.size(), QSize(20, 20));
}

TEST_F(PictureDecodersTest, TruncatedJpegIsRefusedWithAMessageNamingTheFile) {
  const std::string whole = JpegOf(Quadrants(200, 150));
  QImage image;
  std::string error;
  EXPECT_FALSE(Load("cut.jpg", whole.substr(0, whole.size() / 2), image, error));
  EXPECT_NE(error.find("cut.jpg"), std::string::npos) << error;
  EXPECT_NE(error.find("обрывается"), std::string::npos) << error;
  EXPECT_TRUE(image.isNull());
}

TEST_F(PictureDecodersTest, EveryPrefixOfAJpegFailsCleanly) {
  const std::string whole = JpegOf(Quadrants(40, 30));
  for (size_t n = 0; n + 2 < whole.size(); n += 7) {
    QImage image;
    std::string error;
    EXPECT_FALSE(DecodeJpeg(whole.substr(0, n), image, error)) << n;
    EXPECT_FALSE(error.empty()) << n;
  }
}

TEST_F(PictureDecodersTest, GarbageAndEmptyFilesAreRefused) {
  QImage image;
  std::string error;
  EXPECT_FALSE(Load("empty.jpg", "", image, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(Load("text.jpg", "this is not a picture at all", image, error));
  EXPECT_NE(error.find("text.jpg"), std::string::npos);
}

TEST_F(PictureDecodersTest, CorruptedScanDataNeverCrashes) {
  const std::string whole = JpegOf(Quadrants(64, 64));
  std::srand(7);
  for (int round = 0; round < 200; ++round) {
    std::string bytes = whole;
    for (int k = 0; k < 8; ++k) bytes[std::rand() % bytes.size()] = static_cast<char>(std::rand());
    QImage image;
    std::string error;
    if (DecodeJpeg(bytes, image, error)) {
      EXPECT_FALSE(image.isNull());
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
}

// Rewrites the frame header's declared size (SOF0 marker FFC0).
std::string WithDeclaredSize(std::string bytes, int width, int height) {
  const size_t sof = bytes.find("\xFF\xC0");
  EXPECT_NE(sof, std::string::npos);
  bytes[sof + 5] = static_cast<char>(height >> 8);
  bytes[sof + 6] = static_cast<char>(height & 0xFF);
  bytes[sof + 7] = static_cast<char>(width >> 8);
  bytes[sof + 8] = static_cast<char>(width & 0xFF);
  return bytes;
}

TEST_F(PictureDecodersTest, HugeDeclaredJpegIsRefusedBeforeDecoding) {
  const std::string small = JpegOf(Quadrants(16, 16));
  QImage image;
  std::string error;
  EXPECT_FALSE(Load("wide.jpg", WithDeclaredSize(small, 20000, 16), image, error));
  EXPECT_NE(error.find("слишком велика"), std::string::npos) << error;
  EXPECT_FALSE(Load("big.jpg", WithDeclaredSize(small, 10000, 10000), image, error));
  EXPECT_NE(error.find("слишком велика"), std::string::npos) << error;
}

// --- Icons ---

QImage Blank(int side) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(qRgba(10, 20, 30, 255));
  return image;
}

// A hand-made icon image: a palette (for 1..8 bpp), the colour rows as pixel
// values top-down, and the AND mask (true = transparent).
struct HandIcon {
  int Width = 0, Height = 0, Bits = 0;
  std::vector<QRgb> Palette;
  std::vector<uint32_t> Values;  // index, or 0xRRGGBB / 0xAARRGGBB
  std::vector<bool> Transparent;
};

void PutU16(std::string& s, uint32_t v) {
  s.push_back(static_cast<char>(v & 0xFF));
  s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void PutU32(std::string& s, uint32_t v) {
  PutU16(s, v & 0xFFFF);
  PutU16(s, v >> 16);
}

std::string DibOf(const HandIcon& icon) {
  std::string dib;
  PutU32(dib, 40);
  PutU32(dib, icon.Width);
  PutU32(dib, 2 * icon.Height);
  PutU16(dib, 1);
  PutU16(dib, icon.Bits);
  for (int i = 0; i < 6; ++i) PutU32(dib, 0);
  for (QRgb c : icon.Palette) {
    dib.push_back(static_cast<char>(qBlue(c)));
    dib.push_back(static_cast<char>(qGreen(c)));
    dib.push_back(static_cast<char>(qRed(c)));
    dib.push_back(0);
  }
  const size_t stride = ((icon.Width * icon.Bits + 31) / 32) * 4;
  for (int y = icon.Height - 1; y >= 0; --y) {
    std::string row(stride, '\0');
    for (int x = 0; x < icon.Width; ++x) {
      const uint32_t v = icon.Values[y * icon.Width + x];
      switch (icon.Bits) {
        case 1: row[x / 8] = static_cast<char>(row[x / 8] | (v << (7 - x % 8))); break;
        case 4: row[x / 2] = static_cast<char>(row[x / 2] | (v << (x % 2 ? 0 : 4))); break;
        case 8: row[x] = static_cast<char>(v); break;
        default:
          for (int b = 0; b < icon.Bits / 8; ++b) row[x * (icon.Bits / 8) + b] = static_cast<char>(v >> (8 * b));
      }
    }
    dib += row;
  }
  const size_t maskStride = ((icon.Width + 31) / 32) * 4;
  for (int y = icon.Height - 1; y >= 0; --y) {
    std::string row(maskStride, '\0');
    for (int x = 0; x < icon.Width; ++x)
      if (icon.Transparent[y * icon.Width + x]) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    dib += row;
  }
  return dib;
}

struct IconImage {
  int Width, Height, Bits;
  std::string Payload;
};

std::string IcoFile(const std::vector<IconImage>& images) {
  std::string file;
  PutU16(file, 0);
  PutU16(file, 1);
  PutU16(file, static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (const IconImage& image : images) {
    file.push_back(static_cast<char>(image.Width == 256 ? 0 : image.Width));
    file.push_back(static_cast<char>(image.Height == 256 ? 0 : image.Height));
    file.push_back(0);
    file.push_back(0);
    PutU16(file, 1);
    PutU16(file, image.Bits);
    PutU32(file, static_cast<uint32_t>(image.Payload.size()));
    PutU32(file, offset);
    offset += static_cast<uint32_t>(image.Payload.size());
  }
  for (const IconImage& image : images) file += image.Payload;
  return file;
}

// A 20 x 20 icon: a diagonal cross of value `ink` over `paper`, the top-left
// 3 x 3 corner transparent.
HandIcon CrossIcon(int bits, std::vector<QRgb> palette, uint32_t paper, uint32_t ink) {
  HandIcon icon{20, 20, bits, std::move(palette), {}, {}};
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      icon.Values.push_back(x == y || x == 19 - y ? ink : paper);
      icon.Transparent.push_back(x < 3 && y < 3);
    }
  return icon;
}

void ExpectCross(const QImage& image, QRgb paper, QRgb ink) {
  ASSERT_EQ(image.size(), QSize(20, 20));
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(image.pixel(2, 2)), 0);
  EXPECT_EQ(image.pixel(5, 5), ink);
  EXPECT_EQ(image.pixel(19, 0), ink);
  EXPECT_EQ(image.pixel(10, 3), paper);
  EXPECT_EQ(image.pixel(19, 10), paper);
  EXPECT_EQ(image.pixel(0, 19), ink);
}

TEST_F(PictureDecodersTest, OneBitIconWithMask) {
  const QRgb paper = qRgb(255, 255, 255), ink = qRgb(0, 0, 128);
  const HandIcon icon = CrossIcon(1, {paper, ink}, 0, 1);
  QImage image;
  std::string error;
  ASSERT_TRUE(Load("0.ico", IcoFile({{20, 20, 1, DibOf(icon)}}), image, error)) << error;
  ExpectCross(image, paper, ink);
}

TEST_F(PictureDecodersTest, FourBitIconWithMask) {
  std::vector<QRgb> palette(16, qRgb(0, 0, 0));
  palette[9] = qRgb(200, 30, 30);
  palette[14] = qRgb(250, 240, 100);
  const HandIcon icon = CrossIcon(4, palette, 14, 9);
  QImage image;
  std::string error;
  ASSERT_TRUE(Load("1.ico", IcoFile({{20, 20, 4, DibOf(icon)}}), image, error)) << error;
  ExpectCross(image, palette[14], palette[9]);
}

TEST_F(PictureDecodersTest, EightBitIconWithMask) {
  std::vector<QRgb> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = qRgb(i, 255 - i, (i * 7) % 256);
  const HandIcon icon = CrossIcon(8, palette, 17, 201);
  QImage image;
  std::string error;
  ASSERT_TRUE(Load("2.ico", IcoFile({{20, 20, 8, DibOf(icon)}}), image, error)) << error;
  ExpectCross(image, palette[17], palette[201]);
}

TEST_F(PictureDecodersTest, TwentyFourBitIconWithMask) {
  const HandIcon icon = CrossIcon(24, {}, 0x10C020, 0x8040F0);
  QImage image;
  std::string error;
  ASSERT_TRUE(Load("3.ico", IcoFile({{20, 20, 24, DibOf(icon)}}), image, error)) << error;
  ExpectCross(image, qRgb(0x10, 0xC0, 0x20), qRgb(0x80, 0x40, 0xF0));
}

TEST_F(PictureDecodersTest, ThirtyTwoBitIconKeepsItsAlpha) {
  HandIcon icon = CrossIcon(32, {}, 0xFFFFFFFF, 0xFF102030);
  icon.Values[10 * 20 + 3] = 0x80FF0000;  // half-transparent red
  icon.Values[0] = 0x00000000;             // clear, whatever the mask says
  icon.Transparent[19 * 20 + 19] = true;   // opaque by its alpha: the mask is ignored
  QImage image;
  std::string error;
  ASSERT_TRUE(Load("4.ico", IcoFile({{20, 20, 32, DibOf(icon)}}), image, error)) << error;
  EXPECT_EQ(image.pixel(5, 5), qRgba(0x10, 0x20, 0x30, 255));
  EXPECT_EQ(image.pixel(3, 10), qRgba(255, 0, 0, 0x80));
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  EXPECT_EQ(image.pixel(19, 19), qRgba(0x10, 0x20, 0x30, 255));
}

TEST_F(PictureDecodersTest, ThirtyTwoBitIconWithoutAlphaUsesItsMask) {
  const HandIcon icon = CrossIcon(32, {}, 0x00FFFFFF, 0x00102030);
  QImage image;
  std::string error;
  ASSERT_TRUE(Load("5.ico", IcoFile({{20, 20, 32, DibOf(icon)}}), image, error)) << error;
  ExpectCross(image, qRgb(255, 255, 255), qRgb(0x10, 0x20, 0x30));
}

TEST_F(PictureDecodersTest, IconWrittenByOurWriterDecodesToTheSamePixels) {
  QImage drawn(20, 20, QImage::Format_ARGB32);
  drawn.fill(Qt::transparent);
  QPainter p(&drawn);
  p.fillRect(4, 4, 12, 12, QColor(0, 128, 255));
  p.end();
  QImage image;
  std::string error;
  ASSERT_TRUE(Load("Empt.ico", IcoBytes(drawn), image, error)) << error;
  ASSERT_EQ(image.size(), QSize(20, 20));
  EXPECT_EQ(image.pixel(10, 10), qRgb(0, 128, 255));
  EXPECT_EQ(qAlpha(image.pixel(1, 1)), 0);
  EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32), drawn);
}

TEST_F(PictureDecodersTest, PngPayloadInsideAnIcon) {
  QImage drawn(20, 20, QImage::Format_ARGB32);
  drawn.fill(qRgba(0, 0, 0, 0));
  for (int x = 0; x < 20; ++x) drawn.setPixel(x, 7, qRgb(250, 100, 0));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(drawn.save(&buffer, "PNG"));
  QImage image;
  std::string error;
  ASSERT_TRUE(Load("6.ico", IcoFile({{20, 20, 32, png.toStdString()}}), image, error)) << error;
  EXPECT_EQ(image.pixel(12, 7), qRgb(250, 100, 0));
  EXPECT_EQ(qAlpha(image.pixel(12, 8)), 0);
}

TEST_F(PictureDecodersTest, TheImageClosestToTwentyPixelsIsChosen) {
  auto flat = [](int side, uint32_t colour) {
    HandIcon icon{side, side, 24, {}, std::vector<uint32_t>(side * side, colour), std::vector<bool>(side * side, false)};
    return IconImage{side, side, 24, DibOf(icon)};
  };
  QImage image;
  std::string error;
  ASSERT_TRUE(Load("a.ico", IcoFile({flat(16, 0x0000FF), flat(20, 0x00FF00), flat(32, 0xFF0000)}), image, error));
  EXPECT_EQ(image.size(), QSize(20, 20));
  EXPECT_EQ(image.pixel(3, 3), qRgb(0, 255, 0));
  // Equally far: the larger one.
  ASSERT_TRUE(Load("b.ico", IcoFile({flat(16, 0x0000FF), flat(24, 0xFF0000)}), image, error));
  EXPECT_EQ(image.size(), QSize(24, 24));
  ASSERT_TRUE(Load("c.ico", IcoFile({flat(48, 0x0000FF), flat(32, 0xFF0000)}), image, error));
  EXPECT_EQ(image.size(), QSize(32, 32));
}

TEST_F(PictureDecodersTest, EveryTruncationOfAnIconFailsWithAMessage) {
  std::vector<QRgb> palette(256, qRgb(1, 2, 3));
  const std::string whole = IcoFile({{20, 20, 8, DibOf(CrossIcon(8, palette, 0, 5))}});
  for (size_t n = 0; n < whole.size(); ++n) {
    QImage image;
    std::string error;
    EXPECT_FALSE(DecodeIco(whole.substr(0, n), image, error)) << n;
    EXPECT_FALSE(error.empty()) << n;
  }
  QImage image;
  std::string error;
  EXPECT_TRUE(DecodeIco(whole, image, error)) << error;
}

TEST_F(PictureDecodersTest, IconOffsetsOutsideTheFileAreRefused) {
  std::string bytes = IcoBytes(Blank(20));
  std::string farOffset = bytes;
  farOffset[18] = '\x7F';  // image offset high byte
  QImage image;
  std::string error;
  EXPECT_FALSE(Load("far.ico", farOffset, image, error));
  EXPECT_NE(error.find("far.ico"), std::string::npos);
  std::string longLength = bytes;
  longLength[17] = '\x40';  // declared length ~16 MB
  EXPECT_FALSE(Load("long.ico", longLength, image, error));
  std::string manyEntries = bytes;
  manyEntries[4] = '\xFF';
  EXPECT_FALSE(Load("many.ico", manyEntries, image, error));
  EXPECT_FALSE(Load("notico.ico", "\x01\x02\x03\x04\x05\x06\x07", image, error));
}

TEST_F(PictureDecodersTest, IconWithHugeDeclaredImageIsRefused) {
  std::string bytes = IcoBytes(Blank(20));
  bytes[22 + 4 + 3] = '\x40';  // DIB width ~1 G
  QImage image;
  std::string error;
  EXPECT_FALSE(DecodeIco(bytes, image, error));
  EXPECT_NE(error.find("неверные размеры"), std::string::npos) << error;
}

TEST_F(PictureDecodersTest, RandomlyDamagedIconsNeverCrash) {
  std::vector<QRgb> palette(16, qRgb(9, 9, 9));
  const std::string whole = IcoFile({{20, 20, 4, DibOf(CrossIcon(4, palette, 0, 3))}, {32, 32, 32, IcoBytes(Blank(32)).substr(22)}});
  std::srand(11);
  for (int round = 0; round < 500; ++round) {
    std::string bytes = whole;
    for (int k = 0; k < 4; ++k) bytes[std::rand() % 70] = static_cast<char>(std::rand());
    QImage image;
    std::string error;
    if (!DecodeIco(bytes, image, error)) {
      EXPECT_FALSE(error.empty());
    }
  }
}

}  // namespace
