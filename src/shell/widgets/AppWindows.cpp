#include "shell/widgets/AppWindows.h"

#include "shell/widgets/SidePanels.h"

AppWindows::AppWindows(const std::vector<fs::path>& dataRoots, QSettings* settings)
    : DataRoots(dataRoots),
      CityChooser(dataRoots), Map(dataRoots.empty() ? DefaultDataRoot() : dataRoots.front()) {
  CityChooser.SetMapWindow(&Map);
  Map.SetCityWindow(&CityChooser);
  Map.ShowPictureWindow = [this](const std::string& path) {
    const QWidget* panel = Map.InfoPanel;
    FirmPicture.ShowPicture(path, QRect(panel->mapToGlobal(QPoint(0, 0)), panel->size()));
  };
  // A picture belongs to the city it was opened from.
  Map.CityLeft = [this] { FirmPicture.hide(); };
  Map.ShowAboutWindow = [this] { About.exec(); };
  Map.ShowHelpWindow = [this] { Help.exec(); };
  Map.RememberIn(settings);
  CityChooser.SelectCity(Map.RememberedCity());
}
