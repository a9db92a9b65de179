// A header or count line may declare anything: two billion records, a body
// longer than the file, a firm body of two gigabytes.  The readers refuse what
// the file cannot hold with one message naming the file and what is wrong, and
// never allocate what was declared: memory follows the bytes actually there.
#include <gtest/gtest.h>

#include <QImage>

#include <cstring>
#include <functional>

#include "citywriter/PictureWriters.h"
#include "mapdata/Loaders.h"
#include "mapdata/PictureDecoders.h"
#include "support/AllocationLimit.h"
#include "support/CityBuilder.h"
#include "mapdata/NativeName.h"

namespace {

// Far below what any of the declared sizes would take, far above what reading
// a small file needs.
constexpr size_t kBudget = 32u << 20;

using CityLoad = void (*)(const LayerLoad&);
using PictureDecoder = bool (*)(const std::string&, QImage&, std::string&);

// Loading the city again on a fresh core, with allocations capped at the budget.
AllocationCheck LoadUnderBudget(const CityBuilder& city, const CityLoad& load) {
  return RunWithAllocationLimit(kBudget, [&] {
    CoreFixture g(city.DataRoot());
    load(g.Core.Loading(city.Name()));
  });
}

// Decoding the bytes again, with allocations capped at the budget.
AllocationCheck DecodeUnderBudget(PictureDecoder decode, const std::string& bytes) {
  return RunWithAllocationLimit(kBudget, [&] {
    QImage image;
    std::string why;
    decode(bytes, image, why);
  });
}

struct LayerCase {
  const char* Name;  // file name under Data/, without extension
  LayerRecord Record;
  CityLoad Load;
};

std::vector<LayerCase> Layers() {
  return {
      {"Streets", {W("Ленина"), W("Улица"), "3", "1", "1 2"}, LoadStreets},
      {"Buildings", {W("Ленина"), "1", W("Дом"), "1", "1 2"}, LoadBuildings},
      {"Path", {W("Автобус"), "1", W("Маршрут"), "1", "1 2"}, LoadRoutes},
      {"Texts", {W("Парк"), "10", "1 2"}, LoadLabels},
      {"Regions", {W("Лес"), "1", "1 2", "0", " "}, LoadRegions},
      {"Objects", {W("Школа"), W("Ленина"), "1", W("Школа 1"), "1 2", "0"}, LoadObjects},
  };
}

void PutLittleEndian(std::string& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Where no limit can be set (Windows), the rest of a case still runs.
void ExpectStayedUnder(const AllocationCheck& check) {
  if (AllocationLimitAvailable()) EXPECT_TRUE(check.StayedUnder) << check.Detail;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(BoundedMemory, TheLimitCatchesAReaderThatReservesWhatIsDeclared) {
  if (!AllocationLimitAvailable()) GTEST_SKIP() << "no allocation limit on this system";
  const AllocationCheck check = RunWithAllocationLimit(kBudget, [] {
    std::string body;
    body.resize(4 * kBudget);
    body[body.size() - 1] = 1;
  });
  EXPECT_FALSE(check.StayedUnder);
}

TEST(BoundedMemory, ScrambledLayerDeclaringTwoBillionRecordsKeepsTheOneThereAndNamesTheFile) {
  for (const LayerCase& layer : Layers()) {
    SCOPED_TRACE(layer.Name);
    CityBuilder city;
    std::string bytes = ScrambledLayerBytes({layer.Record});
    PutLittleEndian(bytes, 0, 2000000000u);
    const fs::path file = city.Raw(std::string("Data/") + layer.Name + ".crpt", bytes);

    CoreFixture f(city.DataRoot());
    layer.Load(f.Core.Loading(city.Name()));
    ASSERT_EQ(f.Host.Messages.size(), 1u);
    EXPECT_EQ(f.Host.Messages[0], "Файл " + NativeString(file) +
                                      ", запись 2: записи нет: файл кончается раньше (указано записей: 2000000000).");

    const AllocationCheck check = LoadUnderBudget(city, layer.Load);
    ExpectStayedUnder(check);
  }
}

TEST(BoundedMemory, PlainCountLineOfTwoBillionReadsOnlyWhatIsThere) {
  CityBuilder city;
  std::string bytes = PlainLayerBytes({Layers()[0].Record});
  bytes.replace(0, 1, "2000000000");
  const fs::path file = city.Raw("Data/Streets.txt", bytes);

  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core.Loading(city.Name()));
  EXPECT_EQ(f.Core.Tables.ListOfStreets.Count(), 1);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_TRUE(Contains(f.Host.Messages[0], "Файл " + NativeString(file) + ", запись 2:")) << f.Host.Messages[0];

  const AllocationCheck check = LoadUnderBudget(city, LoadStreets);
  ExpectStayedUnder(check);
}

TEST(BoundedMemory, BodyLengthOfTwoGigabytesIsRefusedBeforeReading) {
  for (const LayerCase& layer : Layers()) {
    SCOPED_TRACE(layer.Name);
    CityBuilder city;
    std::string bytes = ScrambledLayerBytes({layer.Record});
    PutLittleEndian(bytes, 4, 2000000000u);
    const fs::path file = city.Raw(std::string("Data/") + layer.Name + ".crpt", bytes);

    CoreFixture f(city.DataRoot());
    layer.Load(f.Core.Loading(city.Name()));
    ASSERT_EQ(f.Host.Messages.size(), 1u);
    EXPECT_EQ(f.Host.Messages[0], "Файл " + NativeString(file) + ": длина данных 2000000000 больше допустимой (102400).");

    const AllocationCheck check = LoadUnderBudget(city, layer.Load);
    ExpectStayedUnder(check);
  }
}

TEST(BoundedMemory, BodyLongerThanTheFileOrNegativeIsRefused) {
  CityBuilder city;
  std::string bytes = ScrambledLayerBytes({Layers()[0].Record});
  const size_t bodyThere = bytes.size() - 8;
  PutLittleEndian(bytes, 4, 102400);
  const fs::path file = city.Raw("Data/Streets.crpt", bytes);
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core.Loading(city.Name()));
  EXPECT_TRUE(f.Core.Tables.ListOfStreets.Empty());
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0], "Файл " + NativeString(file) + ": длина данных 102400 больше, чем осталось в файле (" +
                                    std::to_string(bodyThere) + " байт).");

  PutLittleEndian(bytes, 4, 0xFFFFFFFFu);
  city.Raw("Data/Streets.crpt", bytes);
  CoreFixture g(city.DataRoot());
  LoadStreets(g.Core.Loading(city.Name()));
  ASSERT_EQ(g.Host.Messages.size(), 1u);
  EXPECT_EQ(g.Host.Messages[0], "Файл " + NativeString(file) + ": длина данных -1 отрицательна.");
}

TEST(BoundedMemory, FirmBodyOfTwoGigabytesIsRefusedAndTheFirmSkipped) {
  CityBuilder city;
  std::string bytes = ScrambledFirmBytes({W("Аптека"), W("Ленина"), "1", "1 2", W("лекарства")});
  PutLittleEndian(bytes, 0, 2000000000u);
  const fs::path file = city.Raw("Firms/Apteka.crpt", bytes);

  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  EXPECT_TRUE(f.Core.Tables.ListOfFirms.Empty());
  EXPECT_TRUE(f.Core.Tables.FirmsImageList.empty());
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0], "Файл " + NativeString(file) + ": длина данных 2000000000 больше допустимой (10240).");

  const AllocationCheck check = LoadUnderBudget(city, LoadFirms);
  ExpectStayedUnder(check);
}

TEST(BoundedMemory, PointCountOfTwoBillionIsRefusedAtItsRecord) {
  CityBuilder city;
  LayerRecord record = Layers()[0].Record;
  record[3] = "2000000000";
  const fs::path file = city.Plain("Data/Streets.txt", {record});
  CoreFixture f(city.DataRoot());
  LoadStreets(f.Core.Loading(city.Name()));
  EXPECT_TRUE(f.Core.Tables.ListOfStreets.Empty());
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0],
            "Файл " + NativeString(file) + ", запись 1: количество точек 2000000000 вне пределов от 0 до 150.");

  const AllocationCheck check = LoadUnderBudget(city, LoadStreets);
  ExpectStayedUnder(check);
}

// A real JPEG of `small` whose frame header then claims width x height.
std::string JpegClaimingSize(const QImage& small, int width, int height) {
  std::string jpeg, error;
  EXPECT_TRUE(EncodeJpeg(small, 90, jpeg, error)) << error;
  const size_t sof = jpeg.find("\xFF\xC0", 0, 2);
  EXPECT_NE(sof, std::string::npos);
  if (sof == std::string::npos) return jpeg;
  jpeg[sof + 5] = static_cast<char>(height >> 8);  // big-endian height, then width
  jpeg[sof + 6] = static_cast<char>(height & 0xFF);
  jpeg[sof + 7] = static_cast<char>(width >> 8);
  jpeg[sof + 8] = static_cast<char>(width & 0xFF);
  return jpeg;
}

TEST(BoundedMemory, JpegDeclaringMorePixelsThanItsBytesCanHoldIsRefusedUnallocated) {
  // Within the size limit (64,000,000 pixels), but 8000 x 8000 needs at least
  // 125,000 bytes of coded data and the file has a few hundred.
  QImage small(8, 8, QImage::Format_RGB32);
  small.fill(Qt::blue);
  const std::string jpeg = JpegClaimingSize(small, 8000, 8000);
  QImage out;
  std::string error;
  EXPECT_FALSE(DecodeJpeg(jpeg, out, error));
  EXPECT_EQ(error, "файл короче, чем нужно для его картинки (8000 x 8000 точек)");
  EXPECT_TRUE(out.isNull());
  const AllocationCheck check = DecodeUnderBudget(DecodeJpeg, jpeg);
  ExpectStayedUnder(check);
}

TEST(BoundedMemory, FlatJpegsCodedAsTightlyAsLibjpegCanStillDecode) {
  // One colour is the least data a picture can need; fitted tables in
  // progressive scans make the smallest file libjpeg writes for it.
  QImage flat(4096, 2048, QImage::Format_RGB32);
  flat.fill(QColor(200, 30, 40));
  for (JpegLayout layout : {JpegLayout::Baseline, JpegLayout::ProgressiveOptimized}) {
    std::string jpeg, error;
    ASSERT_TRUE(EncodeJpeg(flat, 75, jpeg, error, layout)) << error;
    QImage out;
    ASSERT_TRUE(DecodeJpeg(jpeg, out, error)) << error << " (" << jpeg.size() << " bytes)";
    EXPECT_EQ(out.size(), flat.size());
    const QColor middle = out.pixelColor(2048, 1024);
    EXPECT_NEAR(middle.red(), 200, 4);
    EXPECT_NEAR(middle.green(), 30, 4);
    EXPECT_NEAR(middle.blue(), 40, 4);
  }
}

TEST(BoundedMemory, PicturesDeclaringHugeSizesAreRefusedWithoutAllocatingThem) {
  QImage small(8, 8, QImage::Format_RGB32);
  small.fill(Qt::blue);
  const std::string jpeg = JpegClaimingSize(small, 65000, 65000);
  std::string error;
  QImage out;
  EXPECT_FALSE(DecodeJpeg(jpeg, out, error));
  EXPECT_EQ(error, "картинка слишком велика (65000 x 65000 точек)");
  ExpectStayedUnder(DecodeUnderBudget(DecodeJpeg, jpeg));

  // An icon whose directory entry points its 2 GB image far beyond the file.
  std::string ico = IcoBytes(small);
  PutLittleEndian(ico, 6 + 8, 2000000000u);  // bytes in resource
  EXPECT_FALSE(DecodeIco(ico, out, error));
  EXPECT_FALSE(error.empty());
  ExpectStayedUnder(DecodeUnderBudget(DecodeIco, ico));
}
