// The five windows created together: the map window opens the picture window
// with the selected firm's picture, and closes it with its city.
#include <QBuffer>
#include <QLabel>
#include <QPixmap>
#include <QAction>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include <QPlainTextEdit>

#include "mapdata/Cp1251.h"
#include "shell/widgets/AppWindows.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/SidePanels.h"
#include "mapdata/NativeName.h"
#include "support/CityBuilder.h"

TEST(AppWindows, PictureButtonOpensTheFirmPictureInThePictureWindow) {
  TempDir root;
  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "JPG");
  const auto file = root.Path() / "Base" / "City" / "Firms" / "f1.jpg";
  WriteBytes(file, bytes.toStdString());

  AppWindows w({root.Path() / "Base"});
  EXPECT_FALSE(w.Map.isVisible());
  EXPECT_FALSE(w.FirmPicture.isVisible());
  MapCore& core = w.Map.Core();
  core.Selection.SelFirmPicture1 = NativeString(file);
  core.Info.FirmPicEnabled[0] = true;
  core.Info.Visible = true;
  w.Map.SyncFromCore();
  w.Map.show();
  ASSERT_TRUE(w.Map.InfoPanel->FirmPic[0]->isEnabled());
  EXPECT_FALSE(w.Map.InfoPanel->FirmPic[1]->isEnabled());
  // A greyed button of a shown firm says why.
  core.Selection.FirmSelected = true;
  core.Info.FirmTextLines = {cp1251::FromUtf8("Нет сведений")};
  w.Map.SyncFromCore();
  EXPECT_EQ(w.Map.InfoPanel->FirmPic[0]->toolTip(), QString::fromUtf8("Картинка объекта №1"));
  EXPECT_EQ(w.Map.InfoPanel->FirmPic[1]->toolTip(),
            QString::fromUtf8("Картинка объекта №2: у объекта нет этой картинки"));
  EXPECT_EQ(w.Map.InfoPanel->FirmText->toPlainText(), QString::fromUtf8("Нет сведений"));
  w.Map.InfoPanel->FirmPic[0]->click();
  EXPECT_TRUE(w.FirmPicture.isVisible());
  EXPECT_EQ(w.FirmPicture.PictureLabel()->pixmap().size(), QSize(64, 48));
  // Sized to the picture, just left of the information panel, level with its top.
  EXPECT_EQ(w.FirmPicture.size(), QSize(64, 48));
  const QPoint panel = w.Map.InfoPanel->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(w.FirmPicture.y(), panel.y());
  EXPECT_LT(w.FirmPicture.frameGeometry().right(), panel.x());
  EXPECT_GT(w.FirmPicture.frameGeometry().right(), panel.x() - 40);
  // Moved by the user, it stays there for the next picture.
  w.FirmPicture.move(20, 30);
  w.Map.InfoPanel->FirmPic[0]->click();
  EXPECT_EQ(w.FirmPicture.pos(), QPoint(20, 30));
}

// A picture belongs to its city: «Главное меню» closes the picture window, and
// so does the load of another city while it is open.
TEST(AppWindows, PictureWindowClosesWhenItsCityIsLeft) {
  CityBuilder town("Town"), village("Village");
  town.About("Городок");
  village.About("Село");
  QImage picture(32, 24, QImage::Format_RGB32);
  picture.fill(Qt::red);
  town.Folder("Firms");
  const fs::path file = town.PathOf("Firms/f1.jpg");
  ASSERT_TRUE(picture.save(QString::fromStdWString(file.wstring()), "JPG"));

  AppWindows w({town.DataRoot()});
  w.Map.MessageSink = [](const std::string& message) { ADD_FAILURE() << message; };
  const std::pair<const char*, std::function<void()>> leaves[] = {
      {"«Главное меню»", [&] { w.Map.MenuItem("N19")->trigger(); }},
      {"another city loaded", [&] { w.Map.LoadCity(CityLocation{village.DataRoot(), "Village"}, W("Село")); }},
  };
  for (const auto& [what, leave] : leaves) {
    ASSERT_TRUE(w.Map.LoadCity(CityLocation{town.DataRoot(), "Town"}, W("Городок")));
    w.Map.show();
    w.Map.ShowPictureWindow(NativeString(file));
    ASSERT_TRUE(w.FirmPicture.isVisible()) << what;
    leave();
    EXPECT_FALSE(w.FirmPicture.isVisible()) << what;
  }
}
