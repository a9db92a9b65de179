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

LayerRecord StreetRecord(const Street& s, Cp1251Encoder& w) {
  return {w(s.Name), w(s.Type), std::to_string(s.Width), Count(s.Points), PointText(s.Points)};
}

LayerRecord BuildingRecord(const Building& b, Cp1251Encoder& w) {
  return {w(b.Street), w(b.Number), w(b.Name), Count(b.Outline), PointText(b.Outline)};
}

// No house-number positions: a count of 0 and the empty value.
LayerRecord RegionRecord(const Region& r, Cp1251Encoder& w) {
  return {w(r.Type), Count(r.Outline), PointText(r.Outline), "0", " "};
}

LayerRecord LabelRecord(const Label& l, Cp1251Encoder& w) {
  return {w(l.Text), std::to_string(l.Size), PointText({l.At})};
}

LayerRecord ObjectRecord(const MapObject& o, Cp1251Encoder& w) {
  return {w(o.Kind), w(o.Street), w(o.Number), w(o.Name), PointText({o.At}), std::to_string(o.Icon)};
}

LayerRecord RouteRecord(const Route& r, Cp1251Encoder& w) {
  return {w(r.Type), w(r.Name), w(r.Comment), Count(r.Points), PointText(r.Points)};
}

LayerRecord FirmRecord(const Firm& firm, Cp1251Encoder& w) {
  return {w(firm.Name), w(firm.Street), w(firm.Number), PointText({firm.At}), w(firm.Keywords)};
}

std::string CheckRecord(const LayerRecord& record, const std::string& what, size_t number) {
  for (size_t f = 0; f < record.size(); ++f) {
    const std::string& field = record[f];
    const auto where = [&] { return what + ", record " + std::to_string(number) + ", field " + std::to_string(f + 1); };
    if (field.empty()) return where() + ": empty field (write a single space instead)";
    if (field.find_first_of("\r\n") != std::string::npos) return where() + ": line break inside a field";
    if (field.size() > kMaxPlainField)
      return where() + ": " + std::to_string(field.size()) + " bytes, more than one read block";
  }
  return {};
}
