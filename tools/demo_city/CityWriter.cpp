#include "CityWriter.h"

#include <fstream>

#include "CityPictures.h"
#include "CityRecords.h"
#include "mapdata/Cp1251.h"
#include "mapdata/PictureWriters.h"

namespace fs = std::filesystem;

namespace {

constexpr int kJpegQuality = 90;

bool WriteFile(const fs::path& file, const std::string& bytes, std::string& error) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    error = file.string() + ": cannot be written";
    return false;
  }
  return true;
}

// Lines of text in Windows-1251, each ending CR LF.
std::string TextLines(const std::vector<std::string>& utf8Lines) {
  std::string text;
  for (const std::string& line : utf8Lines) text += cp1251::FromUtf8(line) + "\r\n";
  return text;
}

bool WriteJpeg(const fs::path& file, const QImage& image, std::string& error) {
  std::string bytes;
  if (!EncodeJpeg(image, kJpegQuality, bytes, error)) {
    error = file.string() + ": " + error;
    return false;
  }
  return WriteFile(file, bytes, error);
}

template <typename Record>
bool CheckPointCounts(const std::vector<Record>& records, std::vector<Point> Record::*points, const std::string& what,
                      std::string& error) {
  for (size_t r = 0; r < records.size(); ++r)
    if ((records[r].*points).size() > kMaxPoints) {
      error = what + ", record " + std::to_string(r + 1) + ": " + std::to_string((records[r].*points).size()) +
              " points, more than " + std::to_string(kMaxPoints);
      return false;
    }
  return true;
}

bool CheckCity(const City& city, std::string& error) {
  return CheckPointCounts(city.Streets, &Street::Points, "Streets", error) &&
         CheckPointCounts(city.Buildings, &Building::Outline, "Buildings", error) &&
         CheckPointCounts(city.Regions, &Region::Outline, "Regions", error) &&
         CheckPointCounts(city.Routes, &Route::Points, "Path", error);
}

bool WriteLayer(const fs::path& data, const std::string& name, const std::vector<LayerRecord>& records,
                const WriteOptions& options, std::string& error) {
  error = CheckFields(records, name);
  if (!error.empty()) return false;
  if (!options.Scrambled) return WriteFile(data / (name + ".txt"), PlainLayerBytes(records), error);
  const std::string bytes = ScrambledLayerBytes(records, options.Mask);
  if (bytes.size() - 8 > kMaxLayerBody) {
    error = name + ".crpt: body of " + std::to_string(bytes.size() - 8) + " bytes, more than " +
            std::to_string(kMaxLayerBody) + " (write this city plain)";
    return false;
  }
  return WriteFile(data / (name + ".crpt"), bytes, error);
}

bool WriteLayers(const City& city, const fs::path& dir, const WriteOptions& options, RecordCounts& counts, std::string& error) {
  const fs::path data = dir / "Data";
  counts.Streets = city.Streets.size();
  counts.Buildings = city.Buildings.size();
  counts.Regions = city.Regions.size();
  counts.Labels = city.Labels.size();
  counts.Objects = city.Objects.size();
  counts.Routes = city.Routes.size();
  return WriteLayer(data, "Streets", StreetRecords(city), options, error) &&
         WriteLayer(data, "Buildings", BuildingRecords(city), options, error) &&
         WriteLayer(data, "Regions", RegionRecords(city), options, error) &&
         WriteLayer(data, "Texts", LabelRecords(city), options, error) &&
         WriteLayer(data, "Objects", ObjectRecords(city), options, error) &&
         WriteLayer(data, "Path", RouteRecords(city), options, error);
}

bool WriteIcons(const City& city, const fs::path& dir, RecordCounts& counts, std::string& error) {
  const fs::path icons = dir / "Icons";
  for (size_t k = 0; k < city.Kinds.size(); ++k)
    if (!WriteFile(icons / (std::to_string(k) + ".ico"), IcoBytes(KindIcon(city.Kinds[k])), error)) return false;
  counts.Icons = city.Kinds.size() + 1;
  return WriteFile(icons / "Empt.ico", IcoBytes(PlaceholderIcon()), error);
}

bool WriteFirm(const Firm& firm, const fs::path& firms, const WriteOptions& options, std::string& error) {
  const LayerRecord record = FirmRecord(firm);
  error = CheckFields({record}, "Firm " + firm.Base);
  if (!error.empty()) return false;
  if (options.Scrambled) {
    const std::string bytes = ScrambledFirmBytes(record, options.Mask);
    if (bytes.size() - 4 > kMaxFirmBody) {
      error = firm.Base + ".crpt: body longer than " + std::to_string(kMaxFirmBody) + " bytes";
      return false;
    }
    if (!WriteFile(firms / (firm.Base + ".crpt"), bytes, error)) return false;
  } else if (!WriteFile(firms / (firm.Base + ".txt"), PlainFirmBytes(record), error)) {
    return false;
  }
  if (!WriteJpeg(firms / (firm.Base + ".jpg"), FirmMarker(firm), error)) return false;
  if (!WriteFile(firms / (firm.Base + ".inf"), TextLines(firm.Info), error)) return false;
  for (int k = 1; options.FirmPictures && k <= firm.Pictures; ++k)
    if (!WriteJpeg(firms / (firm.Base + std::to_string(k) + ".jpg"), FirmPicture(firm, k), error)) return false;
  return true;
}

bool WriteFirms(const City& city, const fs::path& dir, const WriteOptions& options, RecordCounts& counts, std::string& error) {
  for (const Firm& firm : city.Firms)
    if (!WriteFirm(firm, dir / "Firms", options, error)) return false;
  counts.Firms = city.Firms.size();
  return true;
}

bool WriteInfo(const City& city, const fs::path& dir, std::string& error) {
  std::vector<std::string> about{city.Title};
  about.insert(about.end(), city.About.begin(), city.About.end());
  return WriteFile(dir / "Info" / "about.inf", TextLines(about), error) &&
         WriteJpeg(dir / "Info" / "Picture.jpg", CityPicture(city), error);
}

}  // namespace

bool WriteCity(const City& city, const fs::path& root, const WriteOptions& options, RecordCounts& counts, std::string& error) {
  if (!CheckCity(city, error)) return false;
  const fs::path dir = root / city.DirName;
  std::error_code ec;
  fs::remove_all(dir, ec);  // a rewrite must not leave files of the other variant behind
  return WriteInfo(city, dir, error) && WriteLayers(city, dir, options, counts, error) &&
         WriteIcons(city, dir, counts, error) && WriteFirms(city, dir, options, counts, error) &&
         WriteFile(dir / "Kw.map", TextLines(city.Keywords), error);
}

bool WriteArtwork(const City& city, const fs::path& dir, std::string& error) {
  if (!WriteJpeg(dir / "splash.jpg", SplashPicture(city), error)) return false;
  if (!LogoPicture().save(QString::fromStdString((dir / "logo.png").string()), "PNG")) {
    error = (dir / "logo.png").string() + ": cannot be written";
    return false;
  }
  return true;
}
