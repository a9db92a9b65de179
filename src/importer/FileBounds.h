#pragma once
// The box an OpenStreetMap file says it covers: the <bounds> of an XML export,
// the header box of a PBF extract.  An export holds every way that touches
// its box whole, so the data may reach far beyond it; the box is where the
// city is.
#include <filesystem>
#include <optional>

#include "importer/GeoBox.h"

// None when the file gives no box (or its header cannot be read).
std::optional<GeoBox> ReadFileBounds(const std::filesystem::path& input);
