#pragma once
// tellurin-cli import-osm: an OpenStreetMap extract becomes a city folder
// that the viewer loads like any other.  Reading (OsmRead.h), mapping
// (FeatureCollector.h, LineRelations.h, CityAssembly.h), writing
// (citywriter/CityWriter.h), the city's picture (CityPreview.h) and the safe
// replacement of the folder (OutputFolder.h) run in this order.  Needs a
// QGuiApplication (the icons, markers and picture are drawn).
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "citywriter/CityWriter.h"
#include "importer/Features.h"
#include "importer/GeoBox.h"
#include "importer/ImportControl.h"
#include "importer/ImportReport.h"

// Metres per map unit unless --unit says otherwise.  The street rules draw a
// street 1, 2 or 3 units wide; at 4 metres a unit that is one lane for a
// service road, two for an ordinary street and four for a main street, about
// as wide as they are, while a house of 12 by 16 metres is still 3 by 4 units.
constexpr double kDefaultUnit = 4.0;
constexpr double kMinUnit = 0.1;
constexpr double kMaxUnit = 100.0;

struct ImportOptions {
  std::filesystem::path Input;
  std::filesystem::path DataRoot;
  std::string Name;  // the city's folder and title, UTF-8
  double Unit = kDefaultUnit;
  bool Scrambled = false;
  unsigned char Mask = 0;
  std::optional<GeoBox> Box;
  // Out of a region: the settlement whose area is imported, by a name it is
  // known by (--city) or by its node's id as ListSettlements gives it ("n123",
  // as the window chooses it).  Empty: the whole file (or Box).
  std::string City;
  std::string CityId;
  bool Replace = false;
};

struct ImportResult {
  enum class Outcome {
    Imported,
    BadCall,   // the options make no sense (exit 2)
    BadInput,  // the input cannot be read or holds no map (exit 1)
    Failed,    // the city cannot be written (exit 1)
    Cancelled,  // the control asked it to stop; nothing was written
    Ambiguous,  // more than one settlement has the name City (exit 2): Called lists them
  };
  Outcome Result = Outcome::Failed;
  std::string Error;  // what went wrong, naming the file
  std::filesystem::path CityDir;
  RecordCounts Counts;
  ImportReport Report;
  std::vector<SettlementFeature> Called;  // Ambiguous: the settlements of that name
};

// Runs on the calling thread; `control` watches it and may stop it from
// another thread.
ImportResult ImportOsm(const ImportOptions& options, const ImportControl& control = UnwatchedImport());

// A name the viewer can list as a city folder on every system: not empty, no
// path separator, no leading dot, none of the characters Windows forbids.
bool IsCityFolderName(const std::string& name);
