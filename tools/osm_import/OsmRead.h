#pragma once
// Reads an OpenStreetMap file (XML, also gzip or bzip2 compressed, or PBF)
// with libosmium in two passes: the relations first, then everything with the
// node locations kept in a flex index (sparse for an extract, dense when the
// data covers its id range densely), areas assembled by the multipolygon
// manager and fed with the nodes and ways to the FeatureCollector.
#include <filesystem>
#include <optional>

#include "Features.h"
#include "GeoBox.h"
#include "ImportControl.h"

// Throws std::exception with the reason (in libosmium's words) when the file
// cannot be read or is not OpenStreetMap data, and ImportStopped when the
// control asks it to stop.
Features ReadFeatures(const std::filesystem::path& input, std::optional<GeoBox> box,
                      const ImportControl& control = UnwatchedImport());

// Hands every buffer of `reader` to `each`, reporting the share of the file
// read as `step` and stopping (ImportStopped) when the control asks.
template <typename Reader, typename Each>
void ReadWatched(Reader& reader, size_t fileSize, ImportStep step, const ImportControl& control, Each&& each) {
  control.Report(step, 0);
  while (auto buffer = reader.read()) {
    control.ThrowIfStopped();
    control.ReportBytes(step, reader.offset(), fileSize);
    each(buffer);
  }
  control.Report(step, 1);
}

// The size of the input in bytes for the shares of progress, 0 when unknown.
size_t InputSize(const std::filesystem::path& input);

// The formats by the name's ending: ".osm", ".osm.gz", ".osm.bz2", ".osm.pbf", ".pbf".
bool IsOsmFileName(const std::filesystem::path& input);
