#include "shell/CityList.h"
#include "mapdata/NativeName.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace {

// Names of the folders of `root` that hold Info/about.inf (its name in any case).
// A hidden folder is never a city, whatever it holds: the importer builds a
// city under a hidden name before it takes its place.
std::vector<std::string> CitiesIn(const fs::path& root) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_directory(typeError)) continue;
    std::string name = NativeString(it->path().filename());
    if (name.starts_with('.')) continue;
    if (FileExists(CityLocation{root, name}.File("Info/about.inf"))) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

// The file system lists a folder in no stable order of its own: the cities are
// sorted by name, so the list reads the same on every machine.
std::vector<CityLocation> FindCities(const std::vector<fs::path>& dataRoots) {
  std::vector<CityLocation> cities;
  std::set<std::string> seen;
  for (const fs::path& root : dataRoots)
    for (std::string& name : CitiesIn(root))
      if (seen.insert(name).second) cities.push_back(CityLocation{root, std::move(name)});
  std::sort(cities.begin(), cities.end(),
            [](const CityLocation& a, const CityLocation& b) { return a.CityName < b.CityName; });
  return cities;
}
