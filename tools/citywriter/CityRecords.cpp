#include "citywriter/CityRecords.h"

#include "mapdata/Cp1251.h"

namespace {

bool IsAscii(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string Count(const std::vector<Point>& points) { return std::to_string(points.size()); }

}  // namespace

const std::string& Cp1251Encoder::operator()(const std::string& utf8) {
  if (IsAscii(utf8)) return utf8;  // the same bytes in both
  auto it = converted_.find(utf8);
  if (it == converted_.end()) it = converted_.emplace(utf8, cp1251::FromUtf8(utf8)).first;
  return it->second;
}

std::string PointText(const std::vector<Point>& points) {
  std::string text;
  text.reserve(points.size() * 10);
  for (const Point& p : points) {
    if (!text.empty()) text += ' ';
    text += std::to_string(p.X);
    text += ' ';
    text += std::to_string(p.Y);
  }
  return text;
}

std::vector<LayerRecord> StreetRecords(const City& city, Cp1251Encoder& w) {
  std::vector<LayerRecord> records;
  records.reserve(city.Streets.size());
  for (const Street& s : city.Streets)
    records.push_back({w(s.Name), w(s.Type), std::to_string(s.Width), Count(s.Points), PointText(s.Points)});
  return records;
}

std::vector<LayerRecord> BuildingRecords(const City& city, Cp1251Encoder& w) {
  std::vector<LayerRecord> records;
  records.reserve(city.Buildings.size());
  for (const Building& b : city.Buildings)
    records.push_back({w(b.Street), w(b.Number), w(b.Name), Count(b.Outline), PointText(b.Outline)});
  return records;
}

std::vector<LayerRecord> RegionRecords(const City& city, Cp1251Encoder& w) {
  std::vector<LayerRecord> records;
  records.reserve(city.Regions.size());
  // No house-number positions: a count of 0 and the empty value.
  for (const Region& r : city.Regions) records.push_back({w(r.Type), Count(r.Outline), PointText(r.Outline), "0", " "});
  return records;
}

std::vector<LayerRecord> LabelRecords(const City& city, Cp1251Encoder& w) {
  std::vector<LayerRecord> records;
  records.reserve(city.Labels.size());
  for (const Label& l : city.Labels) records.push_back({w(l.Text), std::to_string(l.Size), PointText({l.At})});
  return records;
}

std::vector<LayerRecord> ObjectRecords(const City& city, Cp1251Encoder& w) {
  std::vector<LayerRecord> records;
  records.reserve(city.Objects.size());
  for (const MapObject& o : city.Objects)
    records.push_back({w(o.Kind), w(o.Street), w(o.Number), w(o.Name), PointText({o.At}), std::to_string(o.Icon)});
  return records;
}

std::vector<LayerRecord> RouteRecords(const City& city, Cp1251Encoder& w) {
  std::vector<LayerRecord> records;
  records.reserve(city.Routes.size());
  for (const Route& r : city.Routes) records.push_back({w(r.Type), w(r.Name), w(r.Comment), Count(r.Points), PointText(r.Points)});
  return records;
}

LayerRecord FirmRecord(const Firm& firm, Cp1251Encoder& w) {
  return {w(firm.Name), w(firm.Street), w(firm.Number), PointText({firm.At}), w(firm.Keywords)};
}

std::string CheckFields(const std::vector<LayerRecord>& records, const std::string& what) {
  for (size_t r = 0; r < records.size(); ++r)
    for (size_t f = 0; f < records[r].size(); ++f) {
      const std::string& field = records[r][f];
      const std::string where = what + ", record " + std::to_string(r + 1) + ", field " + std::to_string(f + 1);
      if (field.empty()) return where + ": empty field (write a single space instead)";
      if (field.find_first_of("\r\n") != std::string::npos) return where + ": line break inside a field";
      if (field.size() > kMaxPlainField) return where + ": " + std::to_string(field.size()) + " bytes, more than one read block";
    }
  return {};
}
