// The viewer started with an OpenStreetMap file (a path, or a file: URL as a
// desktop hands it over): the import window opens over the city window on
// that file, no dialog asking for it, and lists the file's settlements.
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSettings>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>

#include "shell/widgets/AppWindows.h"
#include "shell/widgets/CityImportWindow.h"
#include "shell/widgets/ShellWindowsFixture.h"

namespace {

bool RunUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 12000 && !done(); ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(5);
  }
  return done();
}

}  // namespace

TEST(OsmFileStart, OpensTheImportWindowOnTheFile) {
  const fs::path places = fs::path(TELLURIN_TEST_DATA_DIR) / "osm" / "places.osm";
  const QString path = QDir::toNativeSeparators(PathToQString(places));  // as the window shows it
  for (const QString& argument : {path, QUrl::fromLocalFile(QDir::fromNativeSeparators(path)).toString()}) {
    SCOPED_TRACE(argument.toStdString());
    TempDir root, config;
    QSettings settings(PathToQString(config.Path() / "Tellurin.conf"), QSettings::IniFormat);
    AppWindows windows({root.Path()}, &settings);
    bool asked = false;
    windows.CityChooser.AskOsmFile = [&] {
      asked = true;
      return QString();
    };
    windows.CityChooser.show();
    windows.OpenOsmFile(argument);
    QPointer<CityImportWindow> window = windows.CityChooser.ImportWindow();
    ASSERT_TRUE(window);
    EXPECT_FALSE(asked);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->parentWidget(), &windows.CityChooser);
    EXPECT_EQ(window->FileLabel->text(), QString::fromUtf8("Файл: ") + path);
    ASSERT_TRUE(RunUntil([window] { return !window || !window->Working(); }));
    ASSERT_TRUE(window);
    EXPECT_EQ(window->CityNameField->text(), QString::fromUtf8("Светлоград"));
    window->reject();
    EXPECT_TRUE(RunUntil([&] { return windows.CityChooser.ImportWindow() == nullptr; }));
  }
}
