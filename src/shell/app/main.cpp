#include <QApplication>
#include <QFont>
#include <QMessageBox>
#include <QSettings>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <string_view>

#include "mapdata/GeoUri.h"
#include "render/BundledFonts.h"
#include "shell/AppIdentity.h"
#include "shell/widgets/AppWindows.h"
#include "shell/widgets/ApplicationIcon.h"
#include "shell/widgets/HandlerGuard.h"
#include "shell/widgets/QtTranslations.h"

int main(int argc, char** argv) {
  // Answered before anything needs a display.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("tellurin %s\n", app_identity::kVersion);
    return 0;
  }
  QApplication app(argc, argv);
  SetApplicationIdentity();
  if (UseBundledFonts()) QApplication::setFont(QFont(kMapFontFamily, 9));
  InstallRussianQtTexts(app);
  QApplication::setWindowIcon(ApplicationIcon());
  // The windows end the program themselves (closing the city window or the map
  // window); hiding one to show the other must not.
  QApplication::setQuitOnLastWindowClosed(false);
  // The platform's own place for what the viewer remembers between runs.
  QSettings settings;
  try {
    AppWindows windows(StandardDataRoots(), &settings);
    windows.CityChooser.show();
    // A geo: URI (the desktop's handler of such links) opens the city that holds it.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 2 && IsGeoUri(arguments[1].toStdString())) windows.OpenGeoLink(arguments[1].toStdString());
    // Any other single argument is an OpenStreetMap file to add a city from.
    else if (arguments.size() == 2 && !arguments[1].startsWith('-')) windows.OpenOsmFile(arguments[1]);
    return app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, "Tellurin", QString::fromUtf8(UserErrorText(e.what())));
    return 1;
  }
}
