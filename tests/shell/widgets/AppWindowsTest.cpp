// The five windows created together: the map window opens the picture window
// with the selected firm's picture.
#include <QBuffer>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "mapdata/Cp1251.h"
#include "shell/widgets/AppWindows.h"
#include "shell/widgets/ShellWindowsFixture.h"
#include "shell/widgets/SidePanels.h"
#include "mapdata/NativeName.h"

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
  EXPECT_FALSE(w.Form2.isVisible());
  EXPECT_FALSE(w.Form3.isVisible());
  MapCore& core = w.Form2.Core();
  core.Selection.SelFirmPicture1 = NativeString(file);
  core.Info.FirmPicEnabled[0] = true;
  core.Info.Visible = true;
  w.Form2.SyncFromCore();
  w.Form2.show();
  ASSERT_TRUE(w.Form2.InfoPanel->FirmPic[0]->isEnabled());
  EXPECT_FALSE(w.Form2.InfoPanel->FirmPic[1]->isEnabled());
  // A greyed button of a shown firm says why.
  core.Selection.FirmSelected = true;
  core.Info.Memo1 = {cp1251::FromUtf8("Нет сведений")};
  w.Form2.SyncFromCore();
  EXPECT_EQ(w.Form2.InfoPanel->FirmPic[0]->toolTip(), QString::fromUtf8("Картинка объекта №1"));
  EXPECT_EQ(w.Form2.InfoPanel->FirmPic[1]->toolTip(),
            QString::fromUtf8("Картинка объекта №2: у объекта нет этой картинки"));
  EXPECT_EQ(w.Form2.InfoPanel->Memo1->toPlainText(), QString::fromUtf8("Нет сведений"));
  w.Form2.InfoPanel->FirmPic[0]->click();
  EXPECT_TRUE(w.Form3.isVisible());
  EXPECT_EQ(w.Form3.Image1()->pixmap().size(), QSize(64, 48));
  // Sized to the picture, just left of the information panel, level with its top.
  EXPECT_EQ(w.Form3.size(), QSize(64, 48));
  const QPoint panel = w.Form2.InfoPanel->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(w.Form3.y(), panel.y());
  EXPECT_LT(w.Form3.frameGeometry().right(), panel.x());
  EXPECT_GT(w.Form3.frameGeometry().right(), panel.x() - 40);
  // Moved by the user, it stays there for the next picture.
  w.Form3.move(20, 30);
  w.Form2.InfoPanel->FirmPic[0]->click();
  EXPECT_EQ(w.Form3.pos(), QPoint(20, 30));
}
