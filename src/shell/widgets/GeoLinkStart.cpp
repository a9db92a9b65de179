// The viewer started with a geo: URI, as the desktop hands one over.
#include <cmath>
#include <exception>

#include "mapdata/GeoUri.h"
#include "shell/CityList.h"
#include "shell/GeoLinkCity.h"
#include "shell/widgets/AppWindows.h"
#include "shell/widgets/HandlerGuard.h"

bool AppWindows::OpenGeoLink(const std::string& uri) {
  GeoLink link;
  std::string problem;
  if (!ParseGeoUri(uri, link, problem)) {
    CityChooser.Report(GeoUriProblemMessage(uri, problem));
    return false;
  }
  std::optional<CityAtPoint> found;
  const bool searched = RunGuarded(
      QString::fromUtf8("Открыть ссылку geo:"),
      [&] { found = FindCityHolding(FindCities(DataRoots), Map.RememberedCity(), link.At); },
      [this](const std::string& message) { CityChooser.Report(message); });
  if (!searched) return false;
  if (!found) {
    CityChooser.Report(NoCityHoldsMessage(link.At));
    return false;
  }
  CityChooser.SelectCity(found->City.CityName);
  CityChooser.OnLoadClicked();
  if (!Map.isVisible()) return false;
  const float scale = link.Zoom ? ScaleOfZoomLevel(*link.Zoom, link.At.Latitude, found->Unit) : Map.Core().View.Scale;
  return Map.ShowView(CityView{static_cast<int32_t>(std::lround(found->At.X)),
                               static_cast<int32_t>(std::lround(found->At.Y)), scale, Map.Core().Flags.ObjectFilter});
}
