#include "citywriter/CityWriter.h"

#include <fstream>
#include <map>
#include <utility>

#include "citywriter/CityIcons.h"
#include "citywriter/CityRecords.h"
#include "citywriter/PictureWriters.h"
#include "mapdata/NativeName.h"

namespace fs = std::filesystem;

namespace {

constexpr int kJpegQuality = 90;

// Lines of text in Windows-1251, each ending CR LF.
std::string TextLines(const std::vector<std::string>& utf8Lines, Cp1251Encoder& w) {
  std::string text;
  for (const std::string& line : utf8Lines) text += w(line) + "\r\n";
  return text;
}

bool EncodeJpegFor(const fs::path& file, const QImage& image, std::string& bytes, std::string& error) {
  if (EncodeJpeg(image, kJpegQuality, bytes, error)) return true;
  error = NativeString(file) + ": " + error;
  return false;
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

// A layer's records, made one at a time: a big city's layer is never held
// whole in memory, neither as records nor as bytes.
struct LayerSource {
  std::string Name;  // "Streets", ...
  size_t Count;
  std::function<LayerRecord(size_t)> Record;
};

template <typename Item>
LayerSource Source(const std::string& name, const std::vector<Item>& items,
                   LayerRecord (*make)(const Item&, Cp1251Encoder&), Cp1251Encoder& w) {
  return {name, items.size(), [&items, make, &w](size_t i) { return make(items[i], w); }};
}

bool CheckedRecord(const LayerSource& layer, size_t i, LayerRecord& record, std::string& error) {
  record = layer.Record(i);
  error = CheckRecord(record, layer.Name, i + 1);
  return error.empty();
}

bool WritePlainLayer(const fs::path& file, const LayerSource& layer, std::string& error) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  std::string chunk = std::to_string(layer.Count) + "\r\n";
  LayerRecord record;
  for (size_t i = 0; i < layer.Count; ++i) {
    if (!CheckedRecord(layer, i, record, error)) return false;
    AppendRecordLines(chunk, record);
    if (chunk.size() >= (1 << 20)) {
      out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
      chunk.clear();
    }
  }
  out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
  out.close();
  if (!out) {
    error = NativeString(file) + ": cannot be written";
    return false;
  }
  return true;
}

bool WriteLayer(const fs::path& data, const LayerSource& layer, const WriteOptions& options, RecordCounts& counts,
                std::string& error) {
  if (options.Scrambled) {
    std::string body;
    LayerRecord record;
    for (size_t i = 0; i < layer.Count; ++i) {
      if (!CheckedRecord(layer, i, record, error)) return false;
      AppendRecordLines(body, record);
      if (body.size() > kMaxLayerBody && options.PlainWhenTooLong) break;
    }
    if (body.size() <= kMaxLayerBody)
      return WriteFileBytes(data / (layer.Name + ".crpt"),
                            ScrambledLayerOfBody(static_cast<int32_t>(layer.Count), body, options.Mask), error);
    if (!options.PlainWhenTooLong) {
      error = layer.Name + ".crpt: body of " + std::to_string(body.size()) + " bytes, more than " +
              std::to_string(kMaxLayerBody) + " (write this city plain)";
      return false;
    }
    counts.PlainLayers.push_back(layer.Name);
  }
  return WritePlainLayer(data / (layer.Name + ".txt"), layer, error);
}

// The share of the city's records written, told to WriteOptions::Between
// after each layer and each firm.
class WrittenShare {
 public:
  WrittenShare(const City& city, const WriteOptions& options)
      : options_(options),
        total_(city.Streets.size() + city.Buildings.size() + city.Regions.size() + city.Labels.size() +
               city.Objects.size() + city.Routes.size() + city.Firms.size()) {}
  void Add(size_t records) {
    done_ += records;
    if (options_.Between) options_.Between(total_ == 0 ? 1.0 : static_cast<double>(done_) / static_cast<double>(total_));
  }

 private:
  const WriteOptions& options_;
  size_t total_;
  size_t done_ = 0;
};

bool WriteLayers(const City& city, const fs::path& dir, const WriteOptions& options, Cp1251Encoder& w,
                 RecordCounts& counts, WrittenShare& share, std::string& error) {
  const fs::path data = dir / "Data";
  counts.Streets = city.Streets.size();
  counts.Buildings = city.Buildings.size();
  counts.Regions = city.Regions.size();
  counts.Labels = city.Labels.size();
  counts.Objects = city.Objects.size();
  counts.Routes = city.Routes.size();
  for (const LayerSource& layer : {Source("Streets", city.Streets, StreetRecord, w),
                                   Source("Buildings", city.Buildings, BuildingRecord, w),
                                   Source("Regions", city.Regions, RegionRecord, w),
                                   Source("Texts", city.Labels, LabelRecord, w),
                                   Source("Objects", city.Objects, ObjectRecord, w),
                                   Source("Path", city.Routes, RouteRecord, w)}) {
    if (!WriteLayer(data, layer, options, counts, error)) return false;
    share.Add(layer.Count);
  }
  return true;
}

bool WriteIcons(const City& city, const fs::path& dir, RecordCounts& counts, std::string& error) {
  const fs::path icons = dir / "Icons";
  for (size_t k = 0; k < city.Kinds.size(); ++k)
    if (!WriteFileBytes(icons / (std::to_string(k) + ".ico"), IcoBytes(KindIcon(city.Kinds[k])), error)) return false;
  counts.Icons = city.Kinds.size() + 1;
  return WriteFileBytes(icons / "Empt.ico", IcoBytes(PlaceholderIcon()), error);
}

// Firms of one kind share their marker: each distinct one is drawn and
// encoded once.
class MarkerCache {
 public:
  const std::string* Bytes(const Firm& firm, const fs::path& file, std::string& error) {
    const std::pair<QRgb, std::string> key{firm.Colour.rgb(), firm.Glyph};
    auto it = markers_.find(key);
    if (it == markers_.end()) {
      std::string bytes;
      if (!EncodeJpegFor(file, FirmMarker(firm), bytes, error)) return nullptr;
      it = markers_.emplace(key, std::move(bytes)).first;
    }
    return &it->second;
  }

 private:
  std::map<std::pair<QRgb, std::string>, std::string> markers_;
};

bool WriteFirm(const Firm& firm, const fs::path& firms, const WriteOptions& options, Cp1251Encoder& w,
               MarkerCache& markers, std::string& error) {
  const LayerRecord record = FirmRecord(firm, w);
  error = CheckRecord(record, "Firm " + firm.Base, 1);
  if (!error.empty()) return false;
  if (options.Scrambled) {
    const std::string bytes = ScrambledFirmBytes(record, options.Mask);
    if (bytes.size() - 4 > kMaxFirmBody) {
      error = firm.Base + ".crpt: body longer than " + std::to_string(kMaxFirmBody) + " bytes";
      return false;
    }
    if (!WriteFileBytes(firms / NativePath(firm.Base + ".crpt"), bytes, error)) return false;
  } else if (!WriteFileBytes(firms / NativePath(firm.Base + ".txt"), PlainFirmBytes(record), error)) {
    return false;
  }
  const fs::path marker = firms / NativePath(firm.Base + ".jpg");
  const std::string* markerBytes = markers.Bytes(firm, marker, error);
  if (!markerBytes || !WriteFileBytes(marker, *markerBytes, error)) return false;
  if (!WriteFileBytes(firms / NativePath(firm.Base + ".inf"), TextLines(firm.Info, w), error)) return false;
  for (int k = 1; options.FirmPicture && k <= firm.Pictures; ++k)
    if (!WriteJpegFile(firms / NativePath(firm.Base + std::to_string(k) + ".jpg"), options.FirmPicture(firm, k), error))
      return false;
  return true;
}

bool WriteFirms(const City& city, const fs::path& dir, const WriteOptions& options, Cp1251Encoder& w,
                RecordCounts& counts, WrittenShare& share, std::string& error) {
  MarkerCache markers;
  for (const Firm& firm : city.Firms) {
    if (!WriteFirm(firm, dir / "Firms", options, w, markers, error)) return false;
    share.Add(1);
  }
  counts.Firms = city.Firms.size();
  return true;
}

}  // namespace

bool WriteFileBytes(const fs::path& file, const std::string& bytes, std::string& error) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    error = NativeString(file) + ": cannot be written";
    return false;
  }
  return true;
}

bool WriteJpegFile(const fs::path& file, const QImage& image, std::string& error) {
  std::string bytes;
  return EncodeJpegFor(file, image, bytes, error) && WriteFileBytes(file, bytes, error);
}

bool WriteCityData(const City& city, const fs::path& cityDir, const WriteOptions& options, RecordCounts& counts,
                   std::string& error) {
  if (!CheckCity(city, error)) return false;
  Cp1251Encoder w;
  WrittenShare share(city, options);
  return WriteLayers(city, cityDir, options, w, counts, share, error) && WriteIcons(city, cityDir, counts, error) &&
         WriteFirms(city, cityDir, options, w, counts, share, error) &&
         WriteFileBytes(cityDir / "Kw.map", TextLines(city.Keywords, w), error);
}

bool WriteCityInfo(const City& city, const fs::path& cityDir, const QImage& picture, std::string& error) {
  std::vector<std::string> about{city.Title};
  about.insert(about.end(), city.About.begin(), city.About.end());
  Cp1251Encoder w;
  return WriteJpegFile(cityDir / "Info" / "Picture.jpg", picture, error) &&
         WriteFileBytes(cityDir / "Info" / "about.inf", TextLines(about, w), error);
}
