// tellurin-demo-city: writes the bundled demo cities (and, on request, a big
// tiled city for benchmarks and the viewer's own artwork).
#include <QGuiApplication>

#include <cstdio>
#include <filesystem>

#include "CityLayout.h"
#include "CityPictures.h"
#include "CityTiling.h"
#include "Options.h"
#include "citywriter/CityWriter.h"
#include "mapdata/NativeName.h"
#include "mapdata/ScrambleMask.h"
#include "route/RoadGraph.h"
#include "render/BundledFonts.h"

namespace {

void Report(const City& city, const RecordCounts& c, bool scrambled) {
  std::printf("%s (%s): streets %zu, buildings %zu, regions %zu, labels %zu, objects %zu, routes %zu, firms %zu, icons %zu\n",
              city.DirName.c_str(), scrambled ? "scrambled" : "plain", c.Streets, c.Buildings, c.Regions, c.Labels,
              c.Objects, c.Routes, c.Firms, c.Icons);
}

// The city's folder under the data root, written afresh: a rewrite must not
// leave files of the other variant behind.
bool WriteCity(const City& city, const Options& options, const WriteOptions& how, RecordCounts& counts,
               std::string& error) {
  const std::filesystem::path dir = NativePath(options.Out) / NativePath(city.DirName);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return WriteCityData(city, dir, how, counts, error) &&
         WriteFileBytes(dir / kRoadGraphFile, RoadGraphBytes(DemoRoadGraph(city)), error) &&
         WriteCityInfo(city, dir, CityPicture(city), error);
}

bool Write(const City& city, const Options& options, bool scrambled, bool firmPictures) {
  RecordCounts counts;
  std::string error;
  WriteOptions how;
  how.Scrambled = scrambled;
  how.Mask = options.Mask;
  if (firmPictures) how.FirmPicture = FirmPicture;
  if (!WriteCity(city, options, how, counts, error)) {
    std::fprintf(stderr, "tellurin-demo-city: %s: %s\n", city.DirName.c_str(), error.c_str());
    return false;
  }
  Report(city, counts, scrambled);
  return true;
}

// The splash picture and the logo, for the viewer's resources.
bool WriteArtwork(const City& city, const std::filesystem::path& dir, std::string& error) {
  if (!WriteJpegFile(dir / "splash.jpg", SplashPicture(city), error)) return false;
  if (!LogoPicture().save(QString::fromStdString(NativeString(dir / "logo.png")), "PNG")) {
    error = NativeString(dir / "logo.png") + ": cannot be written";
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const Utf8Arguments utf8Arguments(argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the pictures
  UseBundledFonts();
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, kScrambleMask, options, error)) {
    std::fprintf(stderr, "tellurin-demo-city: %s\n\n%s", error.c_str(), UsageText());
    return 2;
  }
  if (options.Help) {
    std::fputs(UsageText(), stdout);
    return 0;
  }
  const City plain = BuildCity(SvetlogorskPlan());
  bool ok = true;
  if (!options.Out.empty()) {
    if (options.Plain) ok = Write(plain, options, false, true) && ok;
    if (options.Scrambled) ok = Write(BuildCity(OzerskPlan()), options, true, true) && ok;
    if (options.Scale > 0) ok = Write(TileCity(plain, options.Scale, options.ScaleName), options, false, false) && ok;
  }
  if (!options.Artwork.empty()) {
    if (WriteArtwork(plain, options.Artwork, error)) {
      std::printf("artwork: %s/splash.jpg, %s/logo.png\n", options.Artwork.c_str(), options.Artwork.c_str());
    } else {
      std::fprintf(stderr, "tellurin-demo-city: %s\n", error.c_str());
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
