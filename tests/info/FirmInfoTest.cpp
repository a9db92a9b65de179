// Selecting a firm fills the information panel from the firm's files.
#include <gtest/gtest.h>

#include "SelectionFixture.h"
#include "info/InfoPanel.h"
#include "info/Selection.h"
#include "mapdata/NativeName.h"

using namespace selection_test;

namespace {

class FirmInfo : public ::testing::Test, public City {
 protected:
  void SetUp() override { EnsureJpegDecoder(); }
};

TEST_F(FirmInfo, FirmWithoutFilesShowsNameAndAddressOnly) {
  const int row = AddFirm("Аптека", "Ленина", "7", 120, 340, "apteka", 3);
  ShowObjectInfo(core, row, false);
  const InfoPanelState& info = core.Info;
  const SelectionState& s = core.Selection;
  EXPECT_TRUE(s.FirmSelected);
  EXPECT_TRUE(info.Visible);
  EXPECT_EQ(info.ObjNameLabel, W("Аптека"));
  EXPECT_EQ(info.ObjAdressLabel, W("Ленина 7"));
  EXPECT_EQ(info.FirmTextLines, std::vector<std::string>{W("Нет сведений")});
  EXPECT_FALSE(info.FirmPicEnabled[0]);
  EXPECT_FALSE(info.FirmPicEnabled[1]);
  EXPECT_FALSE(info.FirmPicEnabled[2]);
  EXPECT_FALSE(info.InfoImageVisible);
  EXPECT_EQ(s.SelFirmPicture1, "");
  EXPECT_EQ(s.SelFirmRow, row);
  EXPECT_EQ(s.SelFirmIcon, 3);
  EXPECT_EQ(s.SelFirmFile, "apteka");
  EXPECT_EQ(s.StatusText0, "");
  EXPECT_EQ(s.StatusText1, W("Аптека"));
  EXPECT_EQ(s.StatusText2, W("Ленина 7"));
  EXPECT_EQ(s.SelFirmPoint.X, 120);
  EXPECT_EQ(core.View.CenterY, 340);
  EXPECT_EQ(host.MapPaints, 1);  // redrawn and painted at once
  EXPECT_TRUE(host.Messages.empty());
}

TEST_F(FirmInfo, HeaderPictureComesBackForTheNextFirmThatHasOne) {
  const int bare = AddFirm("Аптека", "Ленина", "7", 1, 1, "apteka", 0);
  const int pictured = AddFirm("Банк", "Мира", "2", 2, 2, "bank", 1);
  WriteFirmFile("bank.jpg", JpegBytes(20, 20, Qt::blue));
  ShowObjectInfo(core, bare, false);
  EXPECT_FALSE(core.Info.InfoImageVisible);
  ShowObjectInfo(core, pictured, false);
  EXPECT_TRUE(core.Info.InfoImageVisible);
  EXPECT_EQ(core.Info.InfoImage.size(), QSize(20, 20));
  const QColor centre = core.Info.InfoImage.pixelColor(10, 10);
  EXPECT_GT(centre.blue(), 200);
  EXPECT_LT(centre.red(), 60);
  ShowObjectInfo(core, bare, false);
  EXPECT_FALSE(core.Info.InfoImageVisible);
}

TEST_F(FirmInfo, OnlyTheSecondPictureEnablesOnlyItsButton) {
  const int row = AddFirm("Банк", "Мира", "2", 2, 2, "bank", 1);
  WriteFirmFile("bank2.jpg", JpegBytes(40, 30));
  ShowObjectInfo(core, row, false);
  EXPECT_FALSE(core.Info.FirmPicEnabled[0]);
  EXPECT_TRUE(core.Info.FirmPicEnabled[1]);
  EXPECT_FALSE(core.Info.FirmPicEnabled[2]);
  EXPECT_EQ(core.Selection.SelFirmPicture2, NativeString(FirmsDir() / "bank2.jpg"));
  EXPECT_EQ(FirmPicturePath(core, 2), NativeString(FirmsDir() / "bank2.jpg"));
  EXPECT_EQ(FirmPicturePath(core, 1), "");
  EXPECT_EQ(FirmPicturePath(core, 3), "");
}

TEST_F(FirmInfo, FirmFilesAreFoundWhateverTheCaseOfTheirNames) {
  const int row = AddFirm("Банк", "Мира", "2", 2, 2, "Bank", 1);
  WriteFirmFile("BANK1.JPG", JpegBytes(10, 10));
  WriteFirmFile("bank.INF", "text\r\n");
  ShowObjectInfo(core, row, false);
  EXPECT_TRUE(core.Info.FirmPicEnabled[0]);
  ASSERT_EQ(core.Info.FirmTextLines.size(), 1u);
}

TEST_F(FirmInfo, InfoTextLinesAreReadAsWindows1251Lines) {
  const int row = AddFirm("Банк", "Мира", "2", 2, 2, "bank", 1);
  WriteFirmFile("bank.inf", W("Работаем с 9 до 18\r\nБез выходных\n\r\nТел. 22-33-44\r\n"));
  ShowObjectInfo(core, row, false);
  ASSERT_EQ(core.Info.FirmTextLines.size(), 4u);
  EXPECT_EQ(core.Info.FirmTextLines[0], W("Работаем с 9 до 18"));
  EXPECT_EQ(core.Info.FirmTextLines[1], W("Без выходных"));
  EXPECT_EQ(core.Info.FirmTextLines[2], "");
  EXPECT_EQ(core.Info.FirmTextLines[3], W("Тел. 22-33-44"));

  // The next firm without a text says it has none.
  ShowObjectInfo(core, AddFirm("Вокзал", "Мира", "1", 3, 3, "vokzal", 2), false);
  EXPECT_EQ(core.Info.FirmTextLines, std::vector<std::string>{W("Нет сведений")});
}

TEST_F(FirmInfo, WithoutShowInformationThePanelHidesButTheFirmIsSelected) {
  const int row = AddFirm("Банк", "Мира", "2", 2, 2, "bank", 1);
  ToggleFirmInfo(core);
  EXPECT_FALSE(core.Ui.ShowFirmInfo);
  core.Info.Visible = true;
  ShowObjectInfo(core, row, false);
  EXPECT_FALSE(core.Info.Visible);
  EXPECT_TRUE(core.Selection.FirmSelected);
  EXPECT_EQ(core.Selection.StatusText1, W("Банк"));
  ToggleFirmInfo(core);
  ShowObjectInfo(core, row, false);
  EXPECT_TRUE(core.Info.Visible);
  HideInfoPanel(core);
  EXPECT_FALSE(core.Info.Visible);
}

TEST_F(FirmInfo, UndecodableHeaderPictureIsLeftOut) {
  const int row = AddFirm("Банк", "Мира", "2", 2, 2, "bank", 1);
  WriteFirmFile("bank.jpg", "this is no picture");
  ShowObjectInfo(core, row, false);
  EXPECT_FALSE(core.Info.InfoImageVisible);
  EXPECT_TRUE(host.Messages.empty());
}

TEST_F(FirmInfo, RowsOutsideTheFirmTableAreIgnored) {
  AddFirm("Банк", "Мира", "2", 2, 2, "bank", 1);
  ShowObjectInfo(core, 1, true);
  ShowObjectInfo(core, -1, true);
  EXPECT_FALSE(core.Selection.FirmSelected);
  EXPECT_FALSE(core.Info.Visible);
  EXPECT_EQ(host.MapPaints, 0);
  EXPECT_FLOAT_EQ(core.View.Scale, 1.0f);
}

TEST_F(FirmInfo, CentredFirmComesToTheMiddleOfTheVisibleMap) {
  const int row = AddFirm("Банк", "Мира", "2", 300, 200, "bank", 1);
  ShowObjectInfo(core, row, true);
  EXPECT_FLOAT_EQ(core.View.Scale, 4.0f);
  // Window pixel (511, 383) shows picture pixel (1023, 767).
  EXPECT_EQ(core.View.OffsetX, 1200 - 1023);
  EXPECT_EQ(core.View.OffsetY, 800 - 767);
  EXPECT_EQ(core.Ui.ZoomSliderPosition, 8);  // the track bar follows the scale
}

TEST_F(FirmInfo, FirmAddsToAnObjectSelection) {
  SelectObject(core, AddObject("Школа", "Ленина", "5", "Школа", 3, 4, 0), false);
  ShowObjectInfo(core, AddFirm("Банк", "Мира", "2", 2, 2, "bank", 1), false);
  EXPECT_TRUE(core.Selection.ObjectSelected);
  EXPECT_TRUE(core.Selection.FirmSelected);
  EXPECT_EQ(core.Selection.StatusText0, "");
}

}  // namespace
