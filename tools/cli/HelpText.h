#pragma once
// The parts of the commands' help that list what the registry holds (the
// tables a city's files fill, the steps that read its layers), built from it
// and wrapped as the rest of the help is, so that a new layer joins them.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// The width the help's paragraphs are wrapped to.
inline constexpr std::size_t kHelpWidth = 78;

// `text`'s words (split at single spaces, so a double space stays) as lines of
// at most kHelpWidth characters, the first starting with `first`, the others
// with `indent`, each ended by '\n'.  A word longer than a line stands alone.
std::string WrapWords(std::string_view text, std::string_view first, std::string_view indent);

// "A, B, C": the names joined by commas.
std::string CommaList(const std::vector<std::string>& names);

// The names of the tables a city's files fill (CityTables::DataTables), in order.
std::vector<std::string> DataTableNames();
// The load's steps that read the layer files (LayerReadings), in order.
std::vector<std::string> LayerStepNames();

}  // namespace cli
