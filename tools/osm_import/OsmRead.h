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

// Throws std::exception with the reason (in libosmium's words) when the file
// cannot be read or is not OpenStreetMap data.
Features ReadFeatures(const std::filesystem::path& input, std::optional<GeoBox> box);

// The formats by the name's ending: ".osm", ".osm.gz", ".osm.bz2", ".osm.pbf", ".pbf".
bool IsOsmFileName(const std::filesystem::path& input);
