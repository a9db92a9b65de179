// tellurin-osm-synth --blocks N OUTPUT: writes a made-up city of N x N blocks
// as an OpenStreetMap file (format by the name: .osm.pbf, .osm, ...), for
// measuring the importer on an extract as large as wanted; --mixed-roads
// adds one-way streets, footways, steps and closed stretches for directions.
// tellurin-osm-synth --region N [--blocks B] OUTPUT: a made-up region of N
// settlements, its city B x B blocks (RegionExtract.h).
// tellurin-osm-synth --avenue OUTPUT.osm: a 16 km avenue mapped as real ones are.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "AvenueExtract.h"
#include "RegionExtract.h"
#include "SyntheticExtract.h"
#include "mapdata/NativeName.h"

int main(int argc, char** argv) {
  const Utf8Arguments utf8Arguments(argc, argv);
  SyntheticSize size;
  std::string output;
  bool avenue = false;
  int settlements = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--blocks" && i + 1 < argc) {
      size.Blocks = std::atoi(argv[++i]);
    } else if (arg == "--region" && i + 1 < argc) {
      settlements = std::atoi(argv[++i]);
      if (settlements < 1) output = "--";  // refused below
    } else if (arg == "--mixed-roads") {
      size.MixedRoads = true;
    } else if (arg == "--avenue") {
      avenue = true;
    } else if (output.empty() && arg.rfind("--", 0) != 0) {
      output = arg;
    } else {
      output.clear();
      break;
    }
  }
  if (output.empty() || output == "--" || size.Blocks < 1 || size.Blocks > 2000 || settlements > 5000) {
    std::fprintf(stderr,
                 "usage: tellurin-osm-synth [--blocks N (1..2000, default 10)] [--mixed-roads] OUTPUT.osm.pbf\n"
                 "       tellurin-osm-synth --region N (settlements, 1..5000) [--blocks B (the city's, default 10)] "
                 "OUTPUT.osm.pbf\n"
                 "       tellurin-osm-synth --avenue OUTPUT.osm\n");
    return 2;
  }
  try {
    if (avenue)
      WriteAvenueExtract(output);
    else if (settlements > 0)
      WriteRegionExtract({settlements, size.Blocks}, output);
    else
      WriteSyntheticExtract(size, output);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tellurin-osm-synth: %s: %s\n", output.c_str(), e.what());
    return 1;
  }
  return 0;
}
