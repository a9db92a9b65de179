// One layer file of a city, in the variant the first input byte chooses (low
// bit 0: plain ".txt", 1: scrambled ".crpt"), the rest of the input written as
// the file.  The whole load sequence runs on the city, as the load button runs
// it: every loader, the search list, the draw list and the drawing of the map.
// Built once per row of kLayers, as fuzz_<name> with TELLURIN_FUZZ_LAYER=<name>
// (fuzz/CMakeLists.txt reads the names from the table below).
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzCity.h"
#include "citywriter/PictureWriters.h"
#include "info/Selection.h"
#include "interaction/ClickSelect.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "shell/LoadCity.h"
#include "view/PaintMapArea.h"
#include "view/RedrawView.h"

namespace {

constexpr int kObjectKinds = 4;
constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;

#define TELLURIN_TEXT_OF(name) #name
#define TELLURIN_TEXT(name) TELLURIN_TEXT_OF(name)
constexpr std::string_view kTargetLayer = TELLURIN_TEXT(TELLURIN_FUZZ_LAYER);

// One row a line, `{"name", ...Reading, ...}`: the build and tools/fuzz.sh read them so.
struct LayerCase {
  const char* Name;                  // the target is fuzz_<Name>
  const LayerReading& (*Reading)();  // the layer's files, as the load reads them
  // Selects row 0 of the layer, centring the view on it (none: labels, regions).
  void (*SelectFirst)(MapCore& core);
};

const LayerCase kLayers[] = {
    {"streets", StreetsReading, [](MapCore& core) { SelectStreet(core, 0, true); }},
    {"buildings", BuildingsReading, [](MapCore& core) { SelectBuilding(core, 0, true); }},
    {"routes", RoutesReading, [](MapCore& core) { SelectRoute(core, 0, true); }},
    {"labels", LabelsReading, nullptr},
    {"regions", RegionsReading, nullptr},
    {"objects", ObjectsReading, [](MapCore& core) { SelectObject(core, 0, true); }},
};

const LayerCase* CaseNamed(std::string_view name) {
  for (const LayerCase& layer : kLayers)
    if (name == layer.Name) return &layer;
  return nullptr;
}

// Every layer the city load reads has a row here; a missing one is named.
void CheckEveryLayerHasACase() {
  for (const LayerReading* reading : LayerReadings()) {
    bool found = false;
    for (const LayerCase& layer : kLayers) found = found || &layer.Reading() == reading;
    if (found) continue;
    std::fprintf(stderr, "fuzz/LayerFuzz.cpp: no row of kLayers for the layer of %s\n", reading->Files.Plain);
    std::abort();
  }
}

const LayerCase& TargetCase() {
  static const LayerCase* const layer = CaseNamed(kTargetLayer);
  return *layer;
}

void PaintWindow(MapCore& core) {
  QImage window(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
  QPainter painter(&window);
  PaintMapArea(core, painter);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  CheckEveryLayerHasACase();
  if (!CaseNamed(kTargetLayer)) {
    std::fprintf(stderr, "fuzz/LayerFuzz.cpp: no row of kLayers named %s\n", std::string(kTargetLayer).c_str());
    std::abort();
  }
  // tools/fuzz.sh asks each layer target for its plain file, to seed it with the demo cities' ones.
  if (std::getenv("TELLURIN_FUZZ_SHOW_LAYER_FILE")) {
    std::printf("%s\n", TargetCase().Reading().Files.Plain);
    std::exit(0);
  }
  EnsureGuiApplication();  // the map is drawn with text
  // A few object icons, so that object kinds have chooser entries to name.
  QImage icon(20, 20, QImage::Format_ARGB32);
  icon.fill(Qt::red);
  const std::string bytes = IcoBytes(icon);
  for (int i = 0; i < kObjectKinds; ++i)
    FuzzCity::Instance().Write("Icons/" + std::to_string(i) + ".ico", reinterpret_cast<const uint8_t*>(bytes.data()),
                               bytes.size());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const LayerCase& layer = TargetCase();
  const bool scrambled = data[0] & 1;
  const LayerFiles& files = layer.Reading().Files;
  const std::string plain = files.Plain;
  const std::string packed = files.Scrambled;
  FuzzCity& city = FuzzCity::Instance();
  city.Remove(scrambled ? plain : packed);
  city.Write(scrambled ? packed : plain, data + 1, size - 1);

  FuzzCore run(kScreenWidth, kScreenHeight);
  MapCore& core = run.Core;
  const bool drawn = LoadCity(core, city.Name(), "City");
  // A bad file is refused with one message; the drawing never fails.
  if (!drawn || run.Host.Messages.size() > 1) __builtin_trap();
  PaintWindow(core);
  // What the user does next with the records read: a click in the middle of
  // the map, and the first record chosen from the lists, centred.
  SelectAtPoint(core, kScreenWidth / 2, kScreenHeight / 2, false);
  if (layer.SelectFirst) layer.SelectFirst(core);
  RedrawView(core);
  PaintWindow(core);
  return 0;
}
