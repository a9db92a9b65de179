// The windows' icon: the icon theme's "tellurin" where the desktop has one,
// else the pictures built into the program.
#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

#include "shell/widgets/ApplicationIcon.h"
#include "support/TempDir.h"
#include "mapdata/NativeName.h"

namespace fs = std::filesystem;

namespace {

// Points Qt's icon lookup at one theme folder for the life of the object.
class ScopedIconTheme {
 public:
  explicit ScopedIconTheme(const fs::path& searchPath)
      : paths_(QIcon::themeSearchPaths()), name_(QIcon::themeName()) {
    QIcon::setThemeSearchPaths({QString::fromStdString(NativeString(searchPath))});
    QIcon::setThemeName("hicolor");
  }
  ~ScopedIconTheme() {
    QIcon::setThemeSearchPaths(paths_);
    QIcon::setThemeName(name_);
  }

 private:
  QStringList paths_;
  QString name_;
};

QColor MiddleOf(const QIcon& icon, int size) {
  const QImage image = icon.pixmap(size, size).toImage();
  return image.pixelColor(image.width() / 2, image.height() / 2);
}

}  // namespace

TEST(ApplicationIcon, BuiltInPicturesWhenTheThemeLacksTheIcon) {
  TempDir empty;
  ScopedIconTheme theme(empty.Path());
  const QIcon icon = ApplicationIcon();
  ASSERT_FALSE(icon.isNull());
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    // Pixmaps hold premultiplied colours: compare in that form.
    const auto premultiplied = [](const QImage& image) {
      return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const QImage built(QString(":/tellurin/icons/%1x%1.png").arg(size));
    ASSERT_EQ(built.size(), QSize(size, size));
    EXPECT_EQ(premultiplied(icon.pixmap(size, size).toImage()), premultiplied(built)) << size;
  }
}

TEST(ApplicationIcon, TheThemesIconWhenTheDesktopHasIt) {
  TempDir themes;
  const fs::path hicolor = themes.Path() / "hicolor";
  WriteBytes(hicolor / "index.theme",
             "[Icon Theme]\nName=Hicolor\nDirectories=48x48/apps\n\n[48x48/apps]\nSize=48\nType=Fixed\n");
  QImage green(48, 48, QImage::Format_ARGB32);
  green.fill(Qt::green);
  fs::create_directories(hicolor / "48x48" / "apps");
  ASSERT_TRUE(green.save(QString::fromStdString(NativeString(hicolor / "48x48" / "apps" / "tellurin.png"))));
  ScopedIconTheme theme(themes.Path());
  EXPECT_EQ(MiddleOf(ApplicationIcon(), 48), QColor(Qt::green));
}
