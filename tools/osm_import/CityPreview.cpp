#include "CityPreview.h"

#include <algorithm>
#include <exception>

#include "mapdata/PictureLoader.h"
#include "render/RedrawView.h"
#include "render/ViewTransform.h"
#include "shell/LoadCity.h"
#include "shell/MapCore.h"
#include "shell/RecordingHost.h"

bool RenderCityPreview(const std::filesystem::path& dataRoot, const std::string& cityDirName,
                       const AssembledCity& city, QImage& picture, std::string& error) {
  RegisterStandardPictureDecoders();
  // The map picture is twice the screen: a screen of half the preview.
  RecordingHost host(kPreviewWidth / 2, kPreviewHeight / 2);
  MapCore core(host, dataRoot);
  try {
    if (!LoadCity(core, cityDirName, city.Map.Title) || !host.Messages.empty()) {
      error = "the city written does not load cleanly: " +
              (host.Messages.empty() ? std::string("its drawing failed") : host.Messages.front());
      return false;
    }
    core.Flags.ShowObjects = false;  // icons would hide a whole city
    core.Flags.ShowTexts = false;
    const double width = std::max(1, city.MaxX - city.MinX), height = std::max(1, city.MaxY - city.MinY);
    core.View.Scale = static_cast<float>(std::min(kPreviewWidth / width, kPreviewHeight / height) * 0.95);
    core.View.CenterX = city.MinX + (city.MaxX - city.MinX) / 2;
    core.View.CenterY = city.MinY + (city.MaxY - city.MinY) / 2;
    RecentreOffsets(core.View);
    RedrawView(core);
  } catch (const std::exception& e) {
    error = std::string("the city written cannot be drawn: ") + e.what();
    return false;
  }
  picture = core.Map.copy();
  return true;
}
