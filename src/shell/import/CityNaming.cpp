#include "shell/import/CityNaming.h"

#include <algorithm>
#include <system_error>

#include "mapdata/NativeName.h"
#include "shell/CityList.h"

fs::path ImportDataRoot(const std::vector<fs::path>& listedRoots, const fs::path& userRoot) {
  if (listedRoots.empty() || std::find(listedRoots.begin(), listedRoots.end(), userRoot) != listedRoots.end())
    return userRoot;
  return listedRoots.front();
}

CityNameUse UseOfCityName(const std::vector<fs::path>& listedRoots, const fs::path& importRoot,
                          const std::string& name) {
  if (!IsCityFolderName(name)) return CityNameUse::NotAFolderName;
  const auto importAt = std::find(listedRoots.begin(), listedRoots.end(), importRoot);
  for (const CityLocation& city : FindCities({listedRoots.begin(), importAt}))
    if (city.CityName == name) return CityNameUse::Hidden;
  std::error_code ec;
  return fs::exists(fs::symlink_status(importRoot / NativePath(name), ec)) ? CityNameUse::Taken : CityNameUse::Free;
}

ImportOptions WindowImportOptions(const fs::path& input, const std::string& settlementId, const std::string& name,
                                  const fs::path& dataRoot, bool replace) {
  ImportOptions options;
  options.Input = input;
  options.DataRoot = dataRoot;
  options.Name = name;
  options.CityId = settlementId;
  options.Replace = replace;
  return options;
}
