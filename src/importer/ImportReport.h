#pragma once
// What an import did besides writing records: what it left out and what it
// changed, each counted by reason.  Printed as the import's summary.
#include <cstddef>
#include <map>
#include <string>
#include <vector>

// Reasons whose summary also names the first few of what they left out.
inline const std::string kOutsideValidRange = "coordinates outside the valid range";
inline const std::string kFarFromTheData = "far from the rest of the data";

struct ImportReport {
  static constexpr size_t kIdsNamed = 5;

  std::map<std::string, size_t> Skipped;  // reason -> count
  std::map<std::string, size_t> Changed;
  std::map<std::string, std::vector<std::string>> SkippedIds;  // reason -> the first kIdsNamed ids
  // Where the map is centred, and how that place was found ("town
  // Берёзовка", "densest buildings").
  std::string CentreHow;
  double CentreLatitude = 0, CentreLongitude = 0;
  // Out of a region: the settlement's area ("boundary relation 12",
  // "radius 5 km"); empty otherwise.
  std::string Area;

  void Skip(const std::string& reason, size_t n = 1) { Skipped[reason] += n; }
  // Left out and named by its id ("n12", "w34", "r5").
  void SkipNamed(const std::string& reason, const std::string& id) {
    Skip(reason);
    std::vector<std::string>& ids = SkippedIds[reason];
    if (ids.size() < kIdsNamed) ids.push_back(id);
  }
  void Change(const std::string& reason, size_t n = 1) { Changed[reason] += n; }
};
