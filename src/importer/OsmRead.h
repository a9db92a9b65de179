#pragma once
// Reads an OpenStreetMap file (XML, also gzip or bzip2 compressed, or PBF)
// with libosmium in two passes: the relations first, then everything with the
// node locations kept in a flex index (sparse for an extract, dense when the
// data covers its id range densely), areas assembled by the multipolygon
// manager and fed with the nodes and ways to the FeatureCollector.  A cut
// (a box) first finds what its area needs (AreaSelection.h) and keeps the
// locations of those nodes only, so that a city out of a region takes the
// memory of the city.
#include <algorithm>
#include <filesystem>
#include <optional>

#include <osmium/io/any_input.hpp>

#include "importer/Features.h"
#include "importer/GeoBox.h"
#include "importer/ImportControl.h"
#include "importer/ObjectLimits.h"
#include "importer/OsmInputFile.h"

// Throws std::exception with the reason (in libosmium's words) when the file
// cannot be read or is not OpenStreetMap data, and ImportStopped when the
// control asks it to stop.
//
// A cut keeps the locations of the nodes its area needs; `All` keeps every
// node's, as a read of the whole file does (what a cut must give the same
// features as).
enum class CutLocations { OfTheArea, All };
Features ReadFeatures(const std::filesystem::path& input, std::optional<GeoBox> box,
                      const ImportControl& control = UnwatchedImport(),
                      CutLocations locations = CutLocations::OfTheArea);

// Hands every buffer of `reader` to `each`, reporting the share of the file
// read as `step` and stopping (ImportStopped) when the control asks.
// A step of several passes gives each its part of the share, `from` to `to`.
// Every buffer is held to the limits per object first (ObjectLimits.h): what
// lies beyond them is counted in `leftOut` by the one pass that is given it.
template <typename Reader, typename Each>
void ReadWatched(Reader& reader, size_t fileSize, ImportStep step, const ImportControl& control, Each&& each,
                 double from = 0, double to = 1, ImportReport* leftOut = nullptr) {
  control.Report(step, from);
  while (auto buffer = reader.read()) {
    control.ThrowIfStopped();
    const double read = fileSize > 0 ? std::min(1.0, static_cast<double>(reader.offset()) / fileSize) : 0.0;
    control.Report(step, from + (to - from) * read);
    KeepWithinLimits(buffer, leftOut);
    each(buffer);
  }
  control.Report(step, to);
}

// The size of the input in bytes for the shares of progress, 0 when unknown.
size_t InputSize(const std::filesystem::path& input);

// The formats by the name's ending: ".osm", ".osm.gz", ".osm.bz2", ".osm.pbf", ".pbf".
bool IsOsmFileName(const std::filesystem::path& input);

// One pass over `input` reading only `kinds`, every buffer to `each`, as the
// share `from` to `to` of `step`.
template <typename Each>
void ReadFilePass(const std::filesystem::path& input, osmium::osm_entity_bits::type kinds, ImportStep step,
                  const ImportControl& control, double from, double to, Each&& each) {
  osmium::io::Reader reader{OsmInputFile(input), kinds, osmium::io::read_meta::no};
  ReadWatched(reader, InputSize(input), step, control, each, from, to);
  reader.close();
}
