// One firm file, plain (first input byte's low bit 0) or scrambled (1), read
// by the firms step of the load from the city's Firms folder.
#include <cstddef>
#include <cstdint>

#include "FuzzCity.h"
#include "info/Selection.h"
#include "mapdata/Loaders.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnsureGuiApplication();  // the firm's marker is drawn with QPainter
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool scrambled = data[0] & 1;
  FuzzCity& city = FuzzCity::Instance();
  city.Remove(scrambled ? "Firms/Firm.txt" : "Firms/Firm.crpt");
  city.Write(scrambled ? "Firms/Firm.crpt" : "Firms/Firm.txt", data + 1, size - 1);

  FuzzCore run(320, 240);
  LoadFirms(run.Core.Loading(city.Name()));
  const CityTables& tables = run.Core.Tables;
  // Every row has its own marker; one file gives at most one row or one message.
  if (tables.FirmsImageList.size() != static_cast<size_t>(tables.ListOfFirms.Count())) __builtin_trap();
  if (tables.ListOfFirms.Count() + run.Host.Messages.size() > 1) __builtin_trap();
  // The firm chosen and centred, as a firm search result is.
  if (tables.ListOfFirms.Count() == 1) ShowObjectInfo(run.Core, 0, true);
  return 0;
}
