#include "importer/FileBounds.h"
#include "importer/OsmInputFile.h"

#include <osmium/io/any_input.hpp>

#include <exception>

std::optional<GeoBox> ReadFileBounds(const std::filesystem::path& input) {
  try {
    // Without entity kinds the reader reads the header alone.
    osmium::io::Reader reader{OsmInputFile(input), osmium::osm_entity_bits::nothing};
    const osmium::Box box = reader.header().box();
    reader.close();
    if (!box.valid()) return std::nullopt;
    GeoBox bounds;
    bounds.Add(GeoPoint{box.bottom_left().x(), box.bottom_left().y()});
    bounds.Add(GeoPoint{box.top_right().x(), box.top_right().y()});
    return bounds;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}
