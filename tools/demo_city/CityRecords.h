#pragma once
// The demo city's records as the fields of the data files (Windows-1251).
#include <string>
#include <vector>

#include "CityModel.h"
#include "mapdata/LayerWriter.h"

// The largest point list a record may hold, and the longest plain field.
constexpr size_t kMaxPoints = 150;
constexpr size_t kMaxPlainField = 10239;
constexpr size_t kMaxLayerBody = 102400;
constexpr size_t kMaxFirmBody = 10240;

std::string PointText(const std::vector<Point>& points);

std::vector<LayerRecord> StreetRecords(const City& city);
std::vector<LayerRecord> BuildingRecords(const City& city);
std::vector<LayerRecord> RegionRecords(const City& city);
std::vector<LayerRecord> LabelRecords(const City& city);
std::vector<LayerRecord> ObjectRecords(const City& city);
std::vector<LayerRecord> RouteRecords(const City& city);
LayerRecord FirmRecord(const Firm& firm);

// Empty when every field keeps the rules of the plain grammar (not empty, no
// CR or LF, at most kMaxPlainField bytes); otherwise what is wrong and where.
std::string CheckFields(const std::vector<LayerRecord>& records, const std::string& what);
