// A city's "Info/about.inf" read as the city-selection window reads it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCity.h"
#include "shell/CityAbout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzCity& city = FuzzCity::Instance();
  city.Write("Info/about.inf", data, size);
  CityAbout about;
  std::string error;
  if (!ReadCityAbout(city.DataRoot() / city.Name() / "Info" / "about.inf", about, error)) __builtin_trap();
  // No line holds a line end, and no byte of the file is lost but the line ends.
  size_t kept = about.Title.size();
  for (const std::string& line : about.Description) kept += line.size();
  size_t textBytes = 0;
  for (size_t i = 0; i < size; ++i) textBytes += data[i] != '\r' && data[i] != '\n';
  if (kept != textBytes) __builtin_trap();
  return 0;
}
