#pragma once
// What the reading pass keeps of the data: every feature that becomes a
// record, with its text (UTF-8, as in the data) and its geometry in the
// data's own fixed-point degrees.  Projection, clipping and the point limit
// come later, when the whole city is known (CityAssembly.h).
#include <cstdint>
#include <string>
#include <vector>

#include "importer/ImportReport.h"

// A location as the data has it: longitude and latitude in 1e-7 degrees.
struct GeoPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const GeoPoint&, const GeoPoint&) = default;
};

// Within -180..180 degrees of longitude and -90..90 of latitude.
inline bool InValidRange(GeoPoint p) {
  return p.X >= -1800000000 && p.X <= 1800000000 && p.Y >= -900000000 && p.Y <= 900000000;
}

using GeoRing = std::vector<GeoPoint>;  // closed: the last point repeats the first

// A line with the ids of the nodes at its ends (0: none), by which lines
// that meet are joined.
struct GeoLine {
  std::vector<GeoPoint> Points;
  int64_t FirstNode = 0;
  int64_t LastNode = 0;
};

// An outer ring and the holes in it.
struct GeoPolygon {
  GeoRing Outer;
  std::vector<GeoRing> Inners;
};

enum class LineKind { Street, Railway, River, Boundary };

struct LineFeature {
  LineKind Kind = LineKind::Street;
  std::string Name;    // "" when it has none
  std::string Type;    // the record's type ("улица", "МОСТ", "ЖД", ...)
  int Width = 1;       // map units for streets
  double WidthMetres = 0;  // railways and rivers: converted by the map unit
  int LabelSize = 0;   // streets: the size class of their name label
  int Rank = 0;        // drawing order within the layer
  GeoLine Line;
  std::string Id;      // "w12": what the summary names it by
  std::string Label;   // streets: the text of their name label, "" for none
};

// Every feature has the id of the object it comes from ("n12", "w34",
// "r5"), by which the summary names what it left out.
struct BuildingFeature {
  std::string Street, Number, Name;
  GeoPolygon Shape;
  std::string Id;
};

// A house known by a node: its address, or building=* on the node.
struct AddressPoint {
  std::string Street, Number, Name;
  GeoPoint At;
  std::string Id;
};

struct RegionFeature {
  const char* Kind = nullptr;
  GeoPolygon Shape;
  std::string Id;
};

struct LabelFeature {
  std::string Text;
  int Size = 10;
  GeoPoint At;
  std::string Id;
};

// A settlement's node (place=city, town, village, hamlet, suburb): where the
// map's centre may be.  Never drawn itself (its name is a LabelFeature).
struct SettlementFeature {
  std::string Place;               // the place=* value
  std::vector<std::string> Names;  // name, name:xx, official_name, alt_name, ...
  int Capital = 0;                 // the admin level of capital=* (yes: 2), 0 for none
  int64_t Population = 0;
  GeoPoint At;
  std::string Id;
  std::string RussianName;  // name:ru, empty when it has none
};

struct ObjectFeature {
  int Kind = 0;  // index into ObjectKindIcons()
  std::string Name, Street, Number;
  GeoPoint At;
  std::string Id;
};

struct FirmFeature {
  std::string Base;  // file name: "n123", "w45", "r6" after the object it comes from
  std::string Name, Street, Number;
  std::string Title;                  // its first kind in Russian
  std::vector<std::string> Keywords;  // kinds, cuisine, brand, services
  std::vector<std::string> Info;      // lines of its information text
  int Category = 0;
  GeoPoint At;
};

struct RouteFeature {
  std::string Type, Name, Comment;
  std::vector<GeoLine> Ways;  // in the relation's order, as the data draws them
  size_t MissingWays = 0;     // members the extract does not hold
  std::string Id;
};

// A highway=* way as the road graph takes it: every node with its id, by
// which ways that share a node meet.
struct RoadWay {
  std::vector<int64_t> Nodes;
  std::vector<GeoPoint> Points;
  std::string Name;  // the street's name as its label reads, UTF-8; "" for none
  uint8_t Class = 0;   // RoadClass
  uint8_t Access = 0;  // road_access bits
};

struct Features {
  std::vector<LineFeature> Lines;
  std::vector<BuildingFeature> Buildings;
  std::vector<AddressPoint> AddressPoints;  // until they are placed (AddressPoints.h)
  std::vector<RegionFeature> Regions;
  std::vector<LabelFeature> Labels;
  std::vector<SettlementFeature> Settlements;
  std::vector<ObjectFeature> Objects;
  std::vector<FirmFeature> Firms;
  std::vector<RouteFeature> Routes;
  std::vector<RoadWay> Roads;
  ImportReport Report;
};
