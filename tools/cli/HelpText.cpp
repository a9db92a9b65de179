#include "HelpText.h"

#include "mapdata/CityTables.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace cli {

std::string WrapWords(std::string_view text, std::string_view first, std::string_view indent) {
  std::string wrapped;
  std::string line(first);
  bool lineHasWord = false;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find(' ', start), text.size());
    const std::string_view word = text.substr(start, end - start);
    if (!lineHasWord) {
      line += word;
    } else if (line.size() + 1 + word.size() > kHelpWidth) {
      wrapped += line + '\n';
      line = std::string(indent) + std::string(word);
    } else {
      line += ' ';
      line += word;
    }
    lineHasWord = true;
    start = end + 1;
  }
  return wrapped + line + '\n';
}

std::string CommaList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return list;
}

std::vector<std::string> DataTableNames() {
  // The tables must outlive the loop: the list points into them.
  const CityTables tables;
  std::vector<std::string> names;
  for (const LayerTable* table : tables.DataTables()) names.push_back(table->Name());
  return names;
}

std::vector<std::string> LayerStepNames() {
  std::vector<std::string> names;
  for (const LayerReading* reading : LayerReadings()) names.push_back(reading->Timed);
  return names;
}

}  // namespace cli
