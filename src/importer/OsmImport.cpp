#include "importer/OsmImport.h"

#include <QImage>

#include <exception>

#include "importer/CityAssembly.h"
#include "importer/CityPreview.h"
#include "importer/FileBounds.h"
#include "importer/InputCheck.h"
#include "importer/ObjectLimits.h"
#include "importer/OsmRead.h"
#include "importer/OutputFolder.h"
#include "importer/PlaceList.h"
#include "importer/SettlementArea.h"
#include "importer/SettlementChoice.h"
#include "mapdata/NativeName.h"

namespace fs = std::filesystem;

namespace {

using Outcome = ImportResult::Outcome;

ImportResult Fail(Outcome outcome, std::string error, ImportReport report = {}) {
  ImportResult result;
  result.Result = outcome;
  result.Error = std::move(error);
  result.Report = std::move(report);
  return result;
}

bool CheckCall(const ImportOptions& o, std::string& error) {
  if (!IsCityFolderName(o.Name)) {
    error = "--name \"" + o.Name + "\" is not a folder name for a city";
  } else if (!(o.Unit >= kMinUnit && o.Unit <= kMaxUnit)) {
    error = "--unit must lie between 0.1 and 100 metres";
  } else if (!IsOsmFileName(o.Input)) {
    error = NativeString(o.Input) + ": not an OpenStreetMap file name (.osm, .osm.gz, .osm.bz2, .osm.pbf)";
  } else if ((!o.City.empty() || !o.CityId.empty()) && o.Box) {
    error = "--city and --bbox do not go together: the settlement's area is the cut";
  } else if (std::error_code ec; fs::exists(fs::symlink_status(o.DataRoot / NativePath(o.Name), ec)) && !o.Replace) {
    error = NativeString(o.DataRoot / NativePath(o.Name)) + " already exists (--replace replaces it)";
  }
  return error.empty();
}

void ForgetRecords(City& city) {
  City kept;
  kept.DirName = std::move(city.DirName);
  kept.Title = std::move(city.Title);
  kept.About = std::move(city.About);
  city = std::move(kept);
}

}  // namespace

bool IsCityFolderName(const std::string& name) {
  if (name.empty() || name.size() > 200 || name.front() == '.' || name.back() == ' ' || name.back() == '.') return false;
  for (unsigned char c : name)
    if (c < 0x20 || std::string_view("/\\<>:\"|?*").find(static_cast<char>(c)) != std::string_view::npos) return false;
  return true;
}

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string NoSuchSettlement(const ImportOptions& o, const SettlementChoice& choice) {
  std::string text = NativeString(o.Input) + ": no settlement ";
  text += o.CityId.empty() ? "called " + Quoted(o.City) : "with the id " + o.CityId;
  for (size_t k = 0; k < choice.Nearest.size(); ++k) text += (k == 0 ? "; the nearest: " : ", ") + Quoted(choice.Nearest[k]);
  return text;
}

// Out of a region: the area of the settlement the options name, the box the
// import cuts, the names the centre is found by and the area's lines of the
// summary.  A result to return instead when there is no such settlement.
std::optional<ImportResult> FindRegionCut(const ImportOptions& o, const ImportControl& control,
                                          std::optional<GeoBox>& box, std::vector<CityName>& names,
                                          ImportReport& report) {
  const RegionMap region = ReadRegion(o.Input, control);
  const SettlementChoice choice = ChooseSettlement(region.Settlements, o.City, o.CityId);
  if (!choice.Chosen && choice.Called.size() > 1) {
    ImportResult ambiguous = Fail(Outcome::Ambiguous, NativeString(o.Input) + ": " +
                                                          std::to_string(choice.Called.size()) +
                                                          " settlements are called " + Quoted(o.City));
    for (const SettlementFeature* s : choice.Called) ambiguous.Called.push_back(*s);
    return ambiguous;
  }
  if (!choice.Chosen) return Fail(Outcome::BadInput, NoSuchSettlement(o, choice));
  const SettlementArea area = AreaOf(region, *choice.Chosen);
  box = area.Cut;
  names.insert(names.begin(), CityName{choice.Chosen->Names.front(), false});
  report.Area = area.How;
  if (area.BrokenBoundaries > 0) report.Skip(kBrokenBoundary, area.BrokenBoundaries);
  return std::nullopt;
}

ImportResult ImportWatched(const ImportOptions& o, const ImportControl& control) {
  std::string error;
  if (!CheckCall(o, error)) return Fail(Outcome::BadCall, error);
  if (!CheckRegularFile(o.Input, error)) return Fail(Outcome::BadInput, error);

  Features features;
  std::optional<GeoBox> box = o.Box;
  std::vector<CityName> names{{o.Name, false}, {FileNameOfCity(o.Input), true}};
  ImportReport areaReport;
  try {
    if (!CheckInput(o.Input, error)) return Fail(Outcome::BadInput, error);
    if (!o.City.empty() || !o.CityId.empty())
      if (auto refused = FindRegionCut(o, control, box, names, areaReport)) return std::move(*refused);
    features = ReadFeatures(o.Input, box, control);
  } catch (const ImportStopped&) {
    throw;
  } catch (const OversizeRecord& e) {
    return Fail(Outcome::BadInput, NativeString(o.Input) + ": " + e.what());
  } catch (const std::exception& e) {
    return Fail(Outcome::BadInput, NativeString(o.Input) + ": not OpenStreetMap data: " + e.what());
  }
  features.Report.Area = areaReport.Area;
  for (const auto& [reason, n] : areaReport.Skipped) features.Report.Skip(reason, n);
  control.At(ImportStep::Assembling, 0);
  AssembledCity city;
  try {
    if (!AssembleCity(features, {o.Name, o.Unit, box, ReadFileBounds(o.Input), names, &control}, city, error))
      return Fail(Outcome::BadInput, NativeString(o.Input) + ": " + error, features.Report);
  } catch (const ImportStopped&) {
    throw;
  } catch (const std::exception& e) {
    return Fail(Outcome::Failed, e.what(), features.Report);
  }

  ImportResult result;
  result.Report = std::move(features.Report);
  features = {};  // the records hold everything now

  OutputFolder folder(o.DataRoot, o.Name);
  WriteOptions how;
  how.Scrambled = o.Scrambled;
  how.Mask = o.Mask;
  how.PlainWhenTooLong = true;
  how.Between = [&control](double share) { control.At(ImportStep::Writing, share); };
  control.At(ImportStep::Writing, 0);
  if (!folder.Create(error, control)) return Fail(Outcome::Failed, error, std::move(result.Report));
  // Under the lock again: another import of the name may have put its city there meanwhile.
  if (!CheckCall(o, error)) return Fail(Outcome::BadCall, error, std::move(result.Report));
  const bool written = WriteCityData(city.Map, folder.Temporary(), how, result.Counts, error);
  ForgetRecords(city.Map);  // the picture reads the city from its files
  QImage picture;
  // Publishing is the last moment to stop: once the folder is swapped in,
  // the new city stays.
  const auto step = [&control](ImportStep next) {
    control.At(next, 0);
    return true;
  };
  if (!written || !step(ImportStep::Drawing) || !RenderCityPreview(folder.Temporary(), city, picture, error) ||
      !WriteFileBytes(folder.Temporary() / kGeoReferenceFile, GeoReferenceText(city.Geo), error) ||
      !WriteFileBytes(folder.Temporary() / kRoadGraphFile, RoadGraphBytes(city.Roads), error) ||
      !WriteCityInfo(city.Map, folder.Temporary(), picture, error) || !step(ImportStep::Publishing) ||
      !folder.Publish(o.Replace, error)) {
    result.Result = Outcome::Failed;
    result.Error = error;
    return result;
  }
  result.Result = Outcome::Imported;
  result.CityDir = folder.Target();
  control.Report(ImportStep::Publishing, 1);
  return result;
}

}  // namespace

ImportResult ImportOsm(const ImportOptions& o, const ImportControl& control) {
  try {
    return ImportWatched(o, control);
  } catch (const ImportStopped&) {
    return Fail(Outcome::Cancelled, NativeString(o.Input) + ": " + ImportStopped().what());
  }
}
