#include <gtest/gtest.h>

#include "info/Selection.h"
#include "mapdata/Cp1251.h"
#include "mapdata/FirmMarker.h"
#include "mapdata/Loaders.h"
#include "shell/LoadCity.h"
#include "support/CityBuilder.h"
#include "support/PictureFiles.h"
#include "mapdata/NativeName.h"

namespace {

class Firms : public ::testing::Test {
 protected:
  void SetUp() override { UsePictureDecoders(); }

  LayerRecord Firm(const std::string& name, const std::string& point = "1 2") const {
    return {W(name), W("Ленина"), "5", point, W("еда кафе")};
  }

  std::vector<std::string> Names(const MapCore& core) const {
    std::vector<std::string> out;
    for (const LayerRow& r : core.Tables.ListOfFirms.Rows()) out.push_back(cp1251::ToUtf8(r.Cell(kCaption)));
    return out;
  }

  CityBuilder city;
};

}  // namespace

TEST_F(Firms, ScrambledFirmFillsEveryCell) {
  city.Raw("Firms/cafe.crpt", ScrambledFirmBytes(Firm("Кафе", "10 -20 30 40")));
  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  const LayerTable& t = f.Core.Tables.ListOfFirms;
  ASSERT_EQ(t.Count(), 1);
  EXPECT_EQ(t[0].Cell(kCaption), W("Кафе"));
  EXPECT_EQ(t[0].SubItems(), (std::vector<std::string>{W("Ленина"), "5", "10 -20 30 40", "cafe", "10", "-20",
                                                      W("еда кафе"), "0"}));
  EXPECT_EQ(f.Core.Extents.MapMinY, -20);
  EXPECT_EQ(f.Core.Extents.MapMaxX, 10);
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST_F(Firms, ScrambledBeatsPlainEvenWithTheSameBaseName) {
  city.Raw("Firms/a.crpt", ScrambledFirmBytes(Firm("Scrambled")));
  city.Raw("Firms/a.txt", PlainFirmBytes(Firm("Plain")));
  city.Raw("Firms/b.txt", PlainFirmBytes(Firm("Other plain")));
  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  EXPECT_EQ(Names(f.Core), (std::vector<std::string>{"Scrambled"}));
  EXPECT_EQ(f.Core.Tables.FirmsImageList.size(), 1u);
}

TEST_F(Firms, PlainFilesAreReadWhenNoScrambledOneGaveARow) {
  city.Raw("Firms/broken.crpt", std::string("\x05\x00", 2));
  city.Raw("Firms/p.txt", PlainFirmBytes(Firm("Plain")));
  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  EXPECT_EQ(Names(f.Core), (std::vector<std::string>{"Plain"}));
  EXPECT_EQ(f.Core.Tables.ListOfFirms[0].Cell(firm_cell::File), "p");
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0],
            "Файл " + NativeString(city.PathOf("Firms/broken.crpt")) + ": заголовок короче 4 байт (в файле 2 байт).");
}

TEST_F(Firms, LatinCaseIsFoldedForTheSortAndCell7KeepsThePictureIndex) {
  city.Raw("Firms/1.crpt", ScrambledFirmBytes(Firm("beta")));
  city.Raw("Firms/2.crpt", ScrambledFirmBytes(Firm("Alpha")));
  city.Raw("Firms/3.crpt", ScrambledFirmBytes(Firm("alpha2")));
  city.Raw("Firms/4.crpt", ScrambledFirmBytes(Firm("б")));
  city.Raw("Firms/5.crpt", ScrambledFirmBytes(Firm("Б")));
  city.Raw("Firms/2.jpg", JpegBytes(SolidImage(20, 20, Qt::blue)));
  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  // Cyrillic letters are not folded: "Б" (0xC1) sorts before "б" (0xE1).
  EXPECT_EQ(Names(f.Core), (std::vector<std::string>{"Alpha", "alpha2", "beta", "Б", "б"}));
  const LayerTable& t = f.Core.Tables.ListOfFirms;
  EXPECT_EQ(t[0].Cell(firm_cell::Picture), "1");
  EXPECT_EQ(t[1].Cell(firm_cell::Picture), "2");
  EXPECT_EQ(t[2].Cell(firm_cell::Picture), "0");
  EXPECT_EQ(t[0].Cell(firm_cell::File), "2");
  const QImage& alphaMarker = f.Core.Tables.FirmsImageList[1];
  const QColor c = alphaMarker.pixelColor(10, 10);
  EXPECT_LT(c.red(), 30);
  EXPECT_GT(c.blue(), 220);
}

TEST_F(Firms, FirmWithoutPictureGetsTheDefaultMarker) {
  city.Raw("Firms/x.crpt", ScrambledFirmBytes(Firm("X")));
  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  ASSERT_EQ(f.Core.Tables.FirmsImageList.size(), 1u);
  EXPECT_EQ(f.Core.Tables.FirmsImageList[0], DefaultFirmMarker());
  EXPECT_EQ(DefaultFirmMarker().size(), QSize(20, 20));
  EXPECT_GT(qAlpha(DefaultFirmMarker().pixel(10, 6)), 200);  // the pin's head is drawn
  EXPECT_EQ(qAlpha(DefaultFirmMarker().pixel(0, 19)), 0);    // its corner is clear
}

TEST_F(Firms, APictureIsDrawnOneToOneAndCut) {
  QImage big = SolidImage(40, 40, Qt::red);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      if (x >= 10) big.setPixelColor(x, y, Qt::green);
  city.Raw("Firms/x.txt", PlainFirmBytes(Firm("X")));
  city.Raw("Firms/x.jpg", JpegBytes(big));
  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  ASSERT_EQ(f.Core.Tables.FirmsImageList.size(), 1u);
  const QImage& marker = f.Core.Tables.FirmsImageList[0];
  EXPECT_EQ(marker.size(), QSize(20, 20));
  EXPECT_GT(marker.pixelColor(3, 3).red(), 200);     // not scaled: the red part is 10 pixels wide
  EXPECT_GT(marker.pixelColor(17, 3).green(), 200);
}

// A picture is decoded when its marker is first asked for: one that cannot be
// decoded gives the built-in marker then, as it did at load, with no message,
// and does not keep its neighbours' pictures from showing.
TEST_F(Firms, APictureThatCannotBeDecodedGivesTheBuiltInMarkerWhenShown) {
  const std::string jpeg = JpegBytes(SolidImage(20, 20, Qt::blue));
  const struct {
    const char* what;
    std::string bytes;
  } pictures[] = {
      {"not a picture", "not a JPEG at all"},
      {"cut short", jpeg.substr(0, jpeg.size() / 3)},
      {"empty", ""},
  };
  for (const auto& c : pictures) {
    SCOPED_TRACE(c.what);
    CityBuilder damaged;
    damaged.Raw("Firms/a.txt", PlainFirmBytes(Firm("A")));
    damaged.Raw("Firms/a.jpg", c.bytes);
    damaged.Raw("Firms/b.txt", PlainFirmBytes(Firm("B")));
    damaged.Raw("Firms/b.jpg", jpeg);
    CoreFixture f(damaged.DataRoot());
    LoadFirms(f.Core.Loading(damaged.Name()));
    ASSERT_EQ(f.Core.Tables.FirmsImageList.size(), 2u);
    EXPECT_EQ(f.Core.Tables.FirmsImageList[0], DefaultFirmMarker());
    EXPECT_GT(f.Core.Tables.FirmsImageList[1].pixelColor(10, 10).blue(), 220);
    EXPECT_TRUE(f.Host.Messages.empty()) << f.Host.Messages.front();
  }
}

TEST_F(Firms, CrBeforeLfStaysInScrambledFieldsAndPlainFieldsAreClean) {
  city.Raw("Firms/a.crpt", ScrambledFirmBytes(Firm("Crlf"), kScrambleMask, /*crlf=*/true));
  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  ASSERT_EQ(f.Core.Tables.ListOfFirms.Count(), 1);
  const LayerRow& row = f.Core.Tables.ListOfFirms[0];
  EXPECT_EQ(row.Cell(kCaption), "Crlf\r");
  EXPECT_EQ(row.Cell(firm_cell::Points), "1 2\r");
  EXPECT_EQ(row.Cell(firm_cell::X), "1");  // a CR ends y
  EXPECT_EQ(row.Cell(firm_cell::Y), "2");
  EXPECT_EQ(row.Cell(firm_cell::Keywords), W("еда кафе") + "\r");
}

TEST_F(Firms, SeveralPointsPlaceTheFirmAtItsFirst) {
  city.Raw("Firms/a.txt", PlainFirmBytes(Firm("A", "7 8 100 200")));
  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  ASSERT_EQ(f.Core.Tables.ListOfFirms.Count(), 1);
  EXPECT_EQ(f.Core.Tables.ListOfFirms[0].Cell(firm_cell::X), "7");
  EXPECT_EQ(f.Core.Tables.ListOfFirms[0].Cell(firm_cell::Y), "8");
  EXPECT_EQ(f.Core.Extents.MapMaxX, 7);
}

TEST_F(Firms, BadCoordinatesSkipTheFirmAndItsPictureWithAMessage) {
  city.Raw("Firms/a.crpt", ScrambledFirmBytes(Firm("Bad", "x y")));
  city.Raw("Firms/a.jpg", JpegBytes(SolidImage(20, 20, Qt::blue)));
  city.Raw("Firms/b.crpt", ScrambledFirmBytes(Firm("Good")));
  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  EXPECT_EQ(Names(f.Core), (std::vector<std::string>{"Good"}));
  ASSERT_EQ(f.Core.Tables.FirmsImageList.size(), 1u);
  EXPECT_EQ(f.Core.Tables.FirmsImageList[0], DefaultFirmMarker());  // b has no picture; a's is not taken
  EXPECT_EQ(f.Core.Tables.ListOfFirms[0].Cell(firm_cell::Picture), "0");
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0], "Файл " + NativeString(city.PathOf("Firms/a.crpt")) +
                                    ", запись 1: координата «x» в списке точек не является целым числом.");
}

TEST_F(Firms, FieldsBeyondTheLimitsSkipTheFirm) {
  city.Raw("Firms/long.txt", PlainFirmBytes({std::string(10240, 'n'), "s", "1", "1 2", "k"}));
  city.Raw("Firms/short.txt", PlainFirmBytes({"only", "two"}));
  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  EXPECT_TRUE(f.Core.Tables.ListOfFirms.Empty());
  ASSERT_EQ(f.Host.Messages.size(), 2u);
  EXPECT_EQ(f.Host.Messages[0],
            "Файл " + NativeString(city.PathOf("Firms/long.txt")) + ", запись 1: поле 1 (название) длиннее 10239 байт.");
  EXPECT_EQ(f.Host.Messages[1], "Файл " + NativeString(city.PathOf("Firms/short.txt")) +
                                    ", запись 1: файл кончается посреди записи: нет поля 3 (номер).");
}

TEST_F(Firms, FoldersBearingFirmNamesGiveTheFileMessages) {
  city.Folder("Firms/dir.crpt");
  CoreFixture f(city.DataRoot());
  LoadFirms(f.Core.Loading(city.Name()));
  EXPECT_EQ(f.Host.Messages, (std::vector<std::string>{"Отсутствует файл!"}));

  CityBuilder other;
  other.Folder("Firms/dir.txt");
  CoreFixture g(other.DataRoot());
  LoadFirms(g.Core.Loading(other.Name()));
  EXPECT_EQ(g.Host.Messages, (std::vector<std::string>{"Открываемого файла не существует."}));
}

TEST_F(Firms, NoFirmsFolderNoRowsNoMessage) {
  CoreFixture f(city.DataRoot());
  f.Core.Tables.ListOfFirms.Add("old");
  f.Core.Tables.FirmsImageList.push_back(QImage());
  LoadFirms(f.Core.Loading(city.Name()));
  EXPECT_TRUE(f.Core.Tables.ListOfFirms.Empty());
  EXPECT_TRUE(f.Core.Tables.FirmsImageList.empty());
  EXPECT_TRUE(f.Host.Messages.empty());
}

// Data sets unpacked from Windows archives keep Windows-1251 bytes in file names.
// The 'Файл' cell shows the name in Windows-1251 either way; every file of the
// firm is found under its name exactly as on disk, and a name the system cannot
// read as UTF-8 never stands in for another firm's.
TEST_F(Firms, NamesInWindows1251BytesShowConvertedAndFindTheFirmsOwnFiles) {
#ifdef _WIN32
  // Windows names are UTF-16: the files bear the letters, the cells their bytes.
  const std::string kafeFile = "Кафе", pivoFile = "Пиво";
#else
  const std::string kafeFile = W("Кафе"), pivoFile = W("Пиво");  // bytes that are no UTF-8
#endif
  const std::string kafe = W("Кафе"), pivo = W("Пиво");
  city.Raw("Firms/" + kafeFile + ".crpt", ScrambledFirmBytes(Firm("Кафе", "10 20")));
  city.Raw("Firms/" + kafeFile + ".jpg", JpegBytes(SolidImage(20, 20, Qt::blue)));
  city.Raw("Firms/" + kafeFile + ".inf", W("Открыто до полуночи") + "\r\n");
  city.Raw("Firms/" + kafeFile + "2.jpg", JpegBytes(SolidImage(40, 30, Qt::green)));
  city.Raw("Firms/" + pivoFile + ".crpt", ScrambledFirmBytes(Firm("Пиво")));
  city.Raw("Firms/Бар.crpt", ScrambledFirmBytes(Firm("Бар")));  // a UTF-8 name
  city.Raw("Firms/Бар.inf", W("Живая музыка") + "\r\n");
  CoreFixture f(city.DataRoot());
  LoadCity(f.Core, city.Name(), "Town");
  EXPECT_TRUE(f.Host.Messages.empty()) << f.Host.Messages[0];
  const LayerTable& t = f.Core.Tables.ListOfFirms;
  ASSERT_EQ(Names(f.Core), (std::vector<std::string>{"Бар", "Кафе", "Пиво"}));
  EXPECT_EQ(t[0].Cell(firm_cell::File), W("Бар"));
  EXPECT_EQ(t[1].Cell(firm_cell::File), kafe);
  EXPECT_EQ(t[2].Cell(firm_cell::File), pivo);
  const QImage& marker = f.Core.Tables.FirmsImageList[static_cast<size_t>(std::stoi(std::string(t[1].Cell(firm_cell::Picture))))];
  EXPECT_GT(marker.pixelColor(10, 10).blue(), 200);

  struct Expected {
    int row;
    std::vector<std::string> memo;
    bool pictures[3];
    bool header;
  };
  for (const Expected& e : {Expected{0, {W("Живая музыка")}, {false, false, false}, false},
                            Expected{1, {W("Открыто до полуночи")}, {false, true, false}, true},
                            Expected{2, {W("Нет сведений")}, {false, false, false}, false}}) {
    ShowObjectInfo(f.Core, e.row, false);
    const InfoPanelState& info = f.Core.Info;
    EXPECT_EQ(info.FirmTextLines, e.memo) << e.row;
    for (int k = 0; k < 3; ++k) EXPECT_EQ(info.FirmPicEnabled[k], e.pictures[k]) << e.row << " picture " << k + 1;
    EXPECT_EQ(info.InfoImageVisible, e.header) << e.row;
  }
  EXPECT_EQ(f.Core.Selection.SelFirmPicture2, "");
  ShowObjectInfo(f.Core, 1, false);
  EXPECT_EQ(f.Core.Selection.SelFirmPicture2, NativeString(city.PathOf("Firms/" + kafeFile + "2.jpg")));
}
