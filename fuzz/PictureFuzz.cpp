// The picture loader's decoders on any bytes: a city picture, a firm picture or
// an object icon may be damaged or not a picture at all.  Built twice: with
// TELLURIN_FUZZ_ICO for "ico", without for "jpg".
#include <cstddef>
#include <cstdint>
#include <string>

#include "mapdata/PictureDecoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  QImage image;
  std::string error;
#ifdef TELLURIN_FUZZ_ICO
  const bool ok = DecodeIco(bytes, image, error);
#else
  const bool ok = DecodeJpeg(bytes, image, error);
#endif
  // A refusal says why; an accepted picture is a real one.
  if (!ok && error.empty()) __builtin_trap();
  if (ok && image.isNull()) __builtin_trap();
  return 0;
}
