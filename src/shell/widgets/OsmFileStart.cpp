// The viewer started with an OpenStreetMap file, as a file manager or
// Explorer hands one over.
#include <QUrl>

#include "shell/widgets/AppWindows.h"

namespace {

// A desktop entry's %u may give a local file as a file: URL.
QString LocalFileOf(const QString& argument) {
  const QUrl url(argument);
  return url.isLocalFile() ? url.toLocalFile() : argument;
}

}  // namespace

void AppWindows::OpenOsmFile(const QString& argument) {
  CityChooser.AddCityFromFile(&CityChooser, LocalFileOf(argument));
}
