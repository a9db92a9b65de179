// An OpenStreetMap XML file through the whole import (read, mapped, written,
// its picture drawn from the city loaded back) into a city folder under the
// fuzzing process's scratch folder.  Whatever the input, the import ends with
// a city that the check finds clean or with the input refused.
#include <cstddef>
#include <cstdint>

#include "FuzzCity.h"
#include "importer/OsmImport.h"
#include "mapdata/CityCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnsureGuiApplication();
  FuzzCity& scratch = FuzzCity::Instance();
  scratch.Write("extract.osm", data, size);
  ImportOptions options;
  options.Input = scratch.DataRoot() / scratch.Name() / "extract.osm";
  options.DataRoot = scratch.DataRoot().parent_path() / "Imported";
  options.Name = "Город";
  options.Replace = true;
  const ImportResult result = ImportOsm(options);
  if (result.Result == ImportResult::Outcome::BadCall) __builtin_trap();  // the call is a good one
  if (result.Result == ImportResult::Outcome::Imported && !CheckCity({options.DataRoot, options.Name}).empty())
    __builtin_trap();
  return 0;
}
