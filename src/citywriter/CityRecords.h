#pragma once
// A city's records as the fields of the data files (Windows-1251).
#include <string>
#include <unordered_map>
#include <vector>

#include "citywriter/CityModel.h"
#include "citywriter/LayerWriter.h"
#include "mapdata/FieldReaders.h"
#include "mapdata/PointList.h"

// The limits the readers hold a city's files to: the largest point list a
// record may hold, the longest plain field, the longest scrambled bodies.
constexpr size_t kMaxPoints = kMaxPointsPerRecord;
constexpr size_t kMaxPlainField = kReadBlockBytes - 1;
constexpr size_t kMaxLayerBody = kLayerBodyLimit;
constexpr size_t kMaxFirmBody = kFirmBodyLimit;

// UTF-8 text of the model to Windows-1251 bytes.  A big city repeats its
// street names thousands of times: each distinct text is converted once.
class Cp1251Encoder {
 public:
  const std::string& operator()(const std::string& utf8);

 private:
  std::unordered_map<std::string, std::string> converted_;
};

std::string PointText(const std::vector<Point>& points);

LayerRecord StreetRecord(const Street& street, Cp1251Encoder& w);
LayerRecord BuildingRecord(const Building& building, Cp1251Encoder& w);
LayerRecord RegionRecord(const Region& region, Cp1251Encoder& w);
LayerRecord LabelRecord(const Label& label, Cp1251Encoder& w);
LayerRecord ObjectRecord(const MapObject& object, Cp1251Encoder& w);
LayerRecord RouteRecord(const Route& route, Cp1251Encoder& w);
LayerRecord FirmRecord(const Firm& firm, Cp1251Encoder& w);

// Empty when every field of the record keeps the rules of the plain grammar
// (not empty, no CR or LF, at most kMaxPlainField bytes); otherwise what is
// wrong and where (`number` counts the records from 1).
std::string CheckRecord(const LayerRecord& record, const std::string& what, size_t number);
