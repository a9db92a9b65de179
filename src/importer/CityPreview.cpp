#include "importer/CityPreview.h"

#include <algorithm>
#include <exception>

#include "mapdata/NativeName.h"
#include "mapdata/PictureLoader.h"
#include "render/MapLayers.h"
#include "render/ViewTransform.h"
#include "shell/LoadCity.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPreviewCity = ".preview";

// A city folder inside cityDir holding its regions and streets only (links
// to the files written, or copies where the file system has no links).
bool MakePreviewCity(const fs::path& cityDir, std::string& error) {
  for (const char* layer : {"Regions", "Streets"})
    for (const char* ending : {".txt", ".crpt"}) {
      const fs::path file = cityDir / "Data" / (std::string(layer) + ending);
      if (!fs::exists(file)) continue;
      const fs::path link = cityDir / kPreviewCity / "Data" / file.filename();
      std::error_code ec;
      fs::create_directories(link.parent_path(), ec);
      fs::create_hard_link(file, link, ec);
      if (ec) fs::copy_file(file, link, ec);
      if (ec) {
        error = NativeString(link) + ": cannot be written (" + ec.message() + ")";
        return false;
      }
    }
  return true;
}

bool Draw(const fs::path& cityDir, const AssembledCity& city, QImage& picture, std::string& error) {
  // The map picture is twice the screen: a screen of half the preview.
  RecordingHost host(kPreviewWidth / 2, kPreviewHeight / 2);
  MapCore core(host, cityDir);
  if (!LoadCity(core, kPreviewCity, city.Map.Title) || !host.Messages.empty()) {
    error = "the city written does not load cleanly: " +
            (host.Messages.empty() ? std::string("its drawing failed") : host.Messages.front());
    return false;
  }
  SetLayerShown(core.Flags, LayerOf(DrawCode::Object), false);
  SetLayerShown(core.Flags, LayerOf(DrawCode::Label), false);
  const double width = std::max(1, city.MaxX - city.MinX), height = std::max(1, city.MaxY - city.MinY);
  core.View.Scale = static_cast<float>(std::min(kPreviewWidth / width, kPreviewHeight / height) * 0.95);
  core.View.CenterX = city.MinX + (city.MaxX - city.MinX) / 2;
  core.View.CenterY = city.MinY + (city.MaxY - city.MinY) / 2;
  RecentreOffsets(core.View);
  RedrawView(core);
  picture = core.Map.copy();
  return true;
}

}  // namespace

bool RenderCityPreview(const fs::path& cityDir, const AssembledCity& city, QImage& picture, std::string& error) {
  RegisterStandardPictureDecoders();
  bool drawn = false;
  try {
    drawn = MakePreviewCity(cityDir, error) && Draw(cityDir, city, picture, error);
  } catch (const std::exception& e) {
    error = std::string("the city written cannot be drawn: ") + e.what();
  }
  std::error_code ec;
  fs::remove_all(cityDir / kPreviewCity, ec);
  return drawn;
}
