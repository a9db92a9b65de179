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
#include "mapdata/PictureWriters.h"
#include "render/FormPaint.h"
#include "shell/LoadCity.h"

namespace {

const char* const kLayerFiles[] = {"Streets", "Buildings", "Path", "Texts", "Regions", "Objects"};
constexpr int kObjectKinds = 4;

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
  const std::string layer = kLayerFiles[TELLURIN_FUZZ_LAYER];
  const bool scrambled = data[0] & 1;
  const std::string plain = "Data/" + layer + ".txt";
  const std::string packed = "Data/" + layer + ".crpt";
  FuzzCity& city = FuzzCity::Instance();
  city.Remove(scrambled ? plain : packed);
  city.Write(scrambled ? packed : plain, data + 1, size - 1);

  FuzzCore run(320, 240);
  const bool drawn = LoadCity(run.Core, city.Name(), "City");
  // A bad file is refused with one message; the drawing never fails.
  if (!drawn || run.Host.Messages.size() > 1) __builtin_trap();
  QImage window(320, 240, QImage::Format_RGB32);
  QPainter painter(&window);
  FormPaint(run.Core, painter);
  return 0;
}
