// The picture window: one window, sized to its picture, closed by Escape.
#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

#include "info/widgets/FirmPictureWindow.h"
#include "mapdata/PictureLoader.h"
#include "citywriter/PictureWriters.h"
#include "support/TempDir.h"
#include "mapdata/NativeName.h"

namespace {

std::string JpegOf(int w, int h, QColor colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  std::string bytes, error;
  EXPECT_TRUE(EncodeJpeg(image, 95, bytes, error)) << error;
  return bytes;
}

std::string WriteJpeg(const TempDir& dir, const std::string& name, int w, int h, QColor colour) {
  WriteBytes(dir.Path() / name, JpegOf(w, h, colour));
  return NativeString(dir.Path() / name);
}

class PictureWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterStandardPictureDecoders();
    form.SetMessageSink([this](const QString& text) { messages << text; });
  }
  TempDir dir;
  FirmPictureWindow form;
  QStringList messages;
};

TEST_F(PictureWindow, StartsHiddenWithItsCaption) {
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Изображение"));
  EXPECT_EQ(form.size(), QSize(115, 105));
}

TEST_F(PictureWindow, ShowsThePictureAtItsSizeWithoutBeingModal) {
  ASSERT_TRUE(form.ShowPicture(WriteJpeg(dir, "bank1.jpg", 120, 80, Qt::green)));
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.isModal());
  EXPECT_EQ(form.size(), QSize(120, 80));
  EXPECT_EQ(form.PictureLabel()->geometry(), QRect(0, 0, 120, 80));
  const QImage shown = form.PictureLabel()->pixmap().toImage();
  ASSERT_EQ(shown.size(), QSize(120, 80));
  EXPECT_GT(shown.pixelColor(60, 40).green(), 200);
  EXPECT_LT(shown.pixelColor(60, 40).red(), 60);
  EXPECT_EQ(form.pos(), QPoint(192, 114));
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PictureWindow, SecondPictureReplacesTheFirstAndResizesTheSameWindow) {
  ASSERT_TRUE(form.ShowPicture(WriteJpeg(dir, "bank1.jpg", 120, 80, Qt::green)));
  const int windows = QApplication::topLevelWidgets().size();
  ASSERT_TRUE(form.ShowPicture(WriteJpeg(dir, "bank2.jpg", 300, 200, Qt::blue)));
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
  EXPECT_EQ(form.size(), QSize(300, 200));
  EXPECT_GT(form.PictureLabel()->pixmap().toImage().pixelColor(150, 100).blue(), 200);
}

TEST_F(PictureWindow, PictureLargerThanTheScreenIsNotScaledDown) {
  ASSERT_TRUE(form.ShowPicture(WriteJpeg(dir, "big.jpg", 1400, 1000, Qt::gray)));
  EXPECT_EQ(form.size(), QSize(1400, 1000));  // the offscreen screen is smaller
}

TEST_F(PictureWindow, EscapeClosesAndTheNextPictureReopens) {
  ASSERT_TRUE(form.ShowPicture(WriteJpeg(dir, "bank1.jpg", 120, 80, Qt::green)));
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  ASSERT_TRUE(form.ShowPicture(WriteJpeg(dir, "bank3.jpg", 50, 60, Qt::red)));
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.size(), QSize(50, 60));
}

TEST_F(PictureWindow, OtherKeysLeaveItOpen) {
  ASSERT_TRUE(form.ShowPicture(WriteJpeg(dir, "bank1.jpg", 120, 80, Qt::green)));
  QTest::keyClick(&form, Qt::Key_A);
  QTest::keyClick(&form, Qt::Key_Return);
  EXPECT_TRUE(form.isVisible());
}

TEST_F(PictureWindow, UndecodablePictureIsReportedAndTheOldOneStays) {
  ASSERT_TRUE(form.ShowPicture(WriteJpeg(dir, "bank1.jpg", 120, 80, Qt::green)));
  WriteBytes(dir.Path() / "broken.jpg", "definitely not a JPEG");
  EXPECT_FALSE(form.ShowPicture(NativeString(dir.Path() / "broken.jpg")));
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("broken.jpg")) << messages[0].toStdString();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.size(), QSize(120, 80));
  EXPECT_GT(form.PictureLabel()->pixmap().toImage().pixelColor(60, 40).green(), 200);
}

// Whatever is wrong with the file, the message is Russian and names the file.
TEST_F(PictureWindow, EveryMessageIsRussianAndNamesTheFile) {
  const std::string jpeg = JpegOf(200, 150, Qt::green);
  const std::pair<const char*, std::string> files[] = {
      {"text.jpg", "this is not a picture at all"},
      {"cut.jpg", jpeg.substr(0, jpeg.size() / 2)},
      {"empty.jpg", ""},
      {"photo.png", jpeg},
      {"icon.ico", "not an icon"},
      {"absent.jpg", {}},
  };
  for (const auto& [name, bytes] : files) {
    const QString path = QString::fromStdString(NativeString(dir.Path() / name));
    if (std::string(name) != "absent.jpg") WriteBytes(dir.Path() / name, bytes);
    messages.clear();
    EXPECT_FALSE(form.ShowPicture(path.toStdString())) << name;
    ASSERT_EQ(messages.size(), 1) << name;
    QString words = messages[0];
    EXPECT_TRUE(words.contains(path)) << words.toStdString();
    words.remove(path).remove(QRegularExpression(QString::fromUtf8("«[^»]*»")));  // the file and its type
    EXPECT_FALSE(words.contains(QRegularExpression("[a-z]{2,}"))) << words.toStdString();
    EXPECT_TRUE(words.contains(QRegularExpression(QString::fromUtf8("[а-яё]{4,}")))) << words.toStdString();
  }
}

TEST_F(PictureWindow, MissingPictureIsReported) {
  EXPECT_FALSE(form.ShowPicture(NativeString(dir.Path() / "absent.jpg")));
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("absent.jpg"));
  EXPECT_EQ(form.size(), QSize(115, 105));
}

}  // namespace
