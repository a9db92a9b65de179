// One layer file of a city, in the variant the first input byte chooses (low
// bit 0: plain ".txt", 1: scrambled ".crpt"), the rest of the input written as
// the file and read through the layer's real loader.  Built once per layer with
// TELLURIN_FUZZ_LAYER naming it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCity.h"
#include "mapdata/Loaders.h"

namespace {

struct LayerCase {
  const char* File;  // under Data/, without the extension
  void (*Load)(MapCore& core, const std::string& city, bool scrambled);
};

// The load sequence's own way into each layer.
const LayerCase kLayers[] = {
    {"Streets", [](MapCore& core, const std::string& city, bool) { LoadStreets(core, city); }},
    {"Buildings", [](MapCore& core, const std::string& city, bool) { LoadBuildings(core, city); }},
    {"Path",
     [](MapCore& core, const std::string& city, bool scrambled) {
       scrambled ? ReadRoutesScrambled(core, city) : ReadRoutesText(core, city);
     }},
    {"Texts",
     [](MapCore& core, const std::string& city, bool scrambled) {
       scrambled ? ReadLabelsScrambled(core, city) : ReadLabelsText(core, city);
     }},
    {"Regions",
     [](MapCore& core, const std::string& city, bool scrambled) {
       scrambled ? ReadRegionsScrambled(core, city) : ReadRegionsText(core, city);
     }},
    {"Objects", [](MapCore& core, const std::string& city, bool) { LoadObjects(core, city); }},
};

constexpr int kObjectKinds = 4;

// The object kinds as the icons step leaves them: icon i, entry "***", and the
// last entry for all kinds.
void GiveObjectIcons(MapCore& core) {
  for (int i = 0; i < kObjectKinds; ++i) {
    core.Tables.ImageListObject.emplace_back(20, 20, QImage::Format_ARGB32_Premultiplied);
    core.Tables.ObjectComboBox.push_back({"***", i});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const LayerCase& layer = kLayers[TELLURIN_FUZZ_LAYER];
  const bool scrambled = data[0] & 1;
  const std::string plain = std::string("Data/") + layer.File + ".txt";
  const std::string packed = std::string("Data/") + layer.File + ".crpt";
  FuzzCity& city = FuzzCity::Instance();
  city.Remove(scrambled ? plain : packed);
  city.Write(scrambled ? packed : plain, data + 1, size - 1);

  FuzzCore run;
  GiveObjectIcons(run.Core);
  layer.Load(run.Core, city.Name(), scrambled);
  // Refusing the file is fine; more than one message for one file is not.
  if (run.Host.Messages.size() > 1) __builtin_trap();
  return 0;
}
