// The map as a picture file and on a printed page.
#include "shell/MapExport.h"

#include <QPainter>
#include <gtest/gtest.h>

#include "mapdata/Cp1251.h"
#include "mapdata/NativeName.h"
#include "mapdata/PictureLoader.h"
#include "shell/CityAbout.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "support/TempDir.h"

namespace {

TEST(MapExport, OfferedNameIsTheTitleAndTheScale) {
  RecordingHost host;
  MapCore core(host, "/nonexistent-data-root");
  core.CurrentCity = cp1251::FromUtf8("Озёрск");
  core.View.Scale = 2.5f;
  struct Case {
    const char* Title;
    PictureFormat Format;
    const char* Name;
  };
  for (const Case& c : {Case{"Светлогорск", PictureFormat::Png, "Светлогорск 250%.png"},
                        Case{"Север/Юг: \"1\"", PictureFormat::Jpeg, "Север_Юг_ _1_ 250%.jpg"},
                        Case{" ", PictureFormat::Png, "Озёрск 250%.png"}}) {
    core.Caption = cp1251::FromUtf8(c.Title);
    EXPECT_EQ(PictureFileName(core, c.Format), c.Name) << c.Title;
  }
  EXPECT_EQ(WithPictureExtension("/tmp/a.JPEG", PictureFormat::Png), fs::path("/tmp/a.JPEG"));
  EXPECT_EQ(WithPictureExtension("/tmp/a", PictureFormat::Jpeg), fs::path("/tmp/a.jpg"));
  EXPECT_EQ(WithPictureExtension("/tmp/a.map", PictureFormat::Png), fs::path("/tmp/a.map.png"));
  EXPECT_EQ(PictureFormatOf("x.Jpg"), PictureFormat::Jpeg);
  EXPECT_EQ(PictureFormatOf("x.png"), PictureFormat::Png);
}

// PNG keeps every pixel, JPEG the size; a failure names the file and the
// reason and leaves nothing behind.
TEST(MapExport, SavedPictureIsWholeOrAbsent) {
  TempDir dir;
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(QColor(240, 230, 230));
  picture.setPixel(5, 7, qRgb(0, 0, 255));
  std::string message;
  ASSERT_TRUE(SaveMapPicture(picture, dir.Path() / "map.png", message)) << message;
  EXPECT_EQ(QImage(QString::fromStdString(NativeString(dir.Path() / "map.png"))).convertToFormat(QImage::Format_RGB32),
            picture);
  ASSERT_TRUE(SaveMapPicture(picture, dir.Path() / "map.jpeg", message)) << message;
  RegisterStandardPictureDecoders();
  QImage read;
  ASSERT_TRUE(DecodePicture("jpg", ReadBytes(dir.Path() / "map.jpeg"), read));
  EXPECT_EQ(read.size(), picture.size());

  const fs::path nowhere = dir.Path() / "missing" / "map.png";
  EXPECT_FALSE(SaveMapPicture(picture, nowhere, message));
  EXPECT_EQ(message.rfind("Не удалось сохранить изображение в файл \"" + NativeString(nowhere) + "\": папка не найдена", 0),
            0u)
      << message;
  EXPECT_FALSE(fs::exists(nowhere.parent_path()));
  EXPECT_FALSE(SaveMapPicture(QImage(), dir.Path() / "empty.png", message));
  EXPECT_FALSE(fs::exists(dir.Path() / "empty.png"));
}

// A link planted where the picture or a temporary file of the old kind goes is
// replaced or passed by, never written through.
TEST(MapExport, PlantedLinksAreNotWrittenThrough) {
#ifdef _WIN32
  GTEST_SKIP() << "making links takes an administrator's rights on Windows";
#endif
  TempDir dir;
  QImage picture(20, 10, QImage::Format_RGB32);
  picture.fill(QColor(10, 20, 30));
  for (const char* planted : {"map.png.tmp", "map.png"}) {
    SCOPED_TRACE(planted);
    const fs::path target = dir.Path() / (std::string("target-") + planted);
    WriteBytes(target, "keep");
    fs::remove(dir.Path() / "map.png");
    fs::create_symlink(target, dir.Path() / planted);
    std::string message;
    ASSERT_TRUE(SaveMapPicture(picture, dir.Path() / "map.png", message)) << message;
    EXPECT_EQ(ReadBytes(target), "keep");
    EXPECT_FALSE(fs::is_symlink(dir.Path() / "map.png"));
    EXPECT_EQ(QImage(QString::fromStdString(NativeString(dir.Path() / "map.png"))).convertToFormat(QImage::Format_RGB32),
              picture);
  }
}

TEST(MapExport, AttributionIsTheLineWithTheCopyrightSign) {
  CityAbout about = ParseCityAbout(cp1251::FromUtf8("Город\r\nКарта по данным.\r\n© участники, ODbL\r\nЕщё\r\n"));
  EXPECT_EQ(AttributionLine(about), cp1251::FromUtf8("© участники, ODbL"));
  about.Description.erase(about.Description.begin() + 1);
  EXPECT_EQ(AttributionLine(about), "");
}

// The map fills the page's width in proportion, the texts stand under it.
TEST(MapExport, PageHoldsTheFittedMapAndTheTextsUnderIt) {
  QImage map(200, 100, QImage::Format_RGB32);
  const QRgb quarters[4] = {qRgb(255, 0, 0), qRgb(0, 160, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
  for (int q = 0; q < 4; ++q)
    QPainter(&map).fillRect(QRect((q % 2) * 100, (q / 2) * 50, 100, 50), QColor(quarters[q]));
  QImage page(400, 400, QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QPainter painter(&page);
    PaintMapPage(painter, QRect(0, 0, 400, 400), map,
                 {QString::fromUtf8("Светлогорск"), QString::fromUtf8("Масштаб 100%"), QString::fromUtf8("© участники")});
  }
  for (int q = 0; q < 4; ++q)
    EXPECT_EQ(page.pixel(100 + (q % 2) * 200, 50 + (q / 2) * 100), quarters[q]) << q;
  auto darkRows = [&](int top, int bottom) {
    int rows = 0;
    for (int y = top; y < bottom; ++y) {
      bool dark = false;
      for (int x = 0; x < 400; ++x) dark = dark || QColor(page.pixel(x, y)).value() < 100;
      rows += dark ? 1 : 0;
    }
    return rows;
  };
  EXPECT_GT(darkRows(200, 400), 10);  // the title and the attribution
  EXPECT_EQ(darkRows(0, 200), 0);     // nothing dark on the map
  EXPECT_EQ(page.pixel(399, 399), qRgb(255, 255, 255));
}

}  // namespace
