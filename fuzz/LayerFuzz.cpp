// One layer file of a city, in the variant the first input byte chooses (low
// bit 0: plain ".txt", 1: scrambled ".crpt"), the rest of the input written as
// the file.  The whole load sequence runs on the city, as the load button runs
// it: every loader, the search list, the draw list and the drawing of the map.
// Built once per layer with TELLURIN_FUZZ_LAYER naming its file.
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <string>

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

struct LayerCase {
  const LayerReading& (*Reading)();  // the layer's files, as the load reads them
  // Selects row 0 of the layer, centring the view on it (none: labels, regions).
  void (*SelectFirst)(MapCore& core);
};

const LayerCase kLayers[] = {
    {StreetsReading, [](MapCore& core) { SelectStreet(core, 0, true); }},
    {BuildingsReading, [](MapCore& core) { SelectBuilding(core, 0, true); }},
    {RoutesReading, [](MapCore& core) { SelectRoute(core, 0, true); }},
    {LabelsReading, nullptr},
    {RegionsReading, nullptr},
    {ObjectsReading, [](MapCore& core) { SelectObject(core, 0, true); }},
};

void PaintWindow(MapCore& core) {
  QImage window(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
  QPainter painter(&window);
  PaintMapArea(core, painter);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
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
  const LayerCase& layer = kLayers[TELLURIN_FUZZ_LAYER];
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
