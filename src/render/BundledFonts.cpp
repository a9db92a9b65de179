#include "render/BundledFonts.h"

#include <QFontDatabase>

#include <system_error>

#include "mapdata/CityLocation.h"
#include "mapdata/NativeName.h"

bool UseBundledFonts() {
  bool any = false;
  std::error_code ec;
  for (fs::directory_iterator it(ExecutableDir() / "fonts", ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().extension() != ".ttf") continue;
    any |= QFontDatabase::addApplicationFont(PathToQString(it->path())) >= 0;
  }
  return any;
}
