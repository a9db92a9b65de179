#pragma once
// What the importer makes of OpenStreetMap tags: the tables behind every
// layer (street classes, region kinds, object kinds, firm kinds, route types,
// place labels).  The README shows the same tables to the user.
#include <osmium/osm/tag.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A highway=* value that makes streets: the width the street rules draw it
// with, the size class of its name label and its place in the drawing order.
struct StreetClass {
  const char* Highway;
  int Width;      // "Ширина" of the record
  int LabelSize;  // 9: legible from scale 0.7; 8: from 3.5
  int Rank;       // drawn after lower ranks
  bool Motorway;  // "ТРАССА"
};

// Nullptr when ways of that highway value are not streets (paths, steps, ...).
const StreetClass* FindStreetClass(std::string_view highway);
// The width a street of that class is drawn with (1..3 map units), which a
// bridge keeps, since the rules draw "МОСТ" at its full width.
int DrawnWidth(const StreetClass& street);
bool IsBridge(const osmium::TagList& tags);

// railway=* lines drawn as "ЖД" and waterway=* lines drawn as "РЕКА", with
// their width in metres; 0 when the value is not drawn.
double RailwayWidthMetres(const osmium::TagList& tags);
double RiverWidthMetres(const osmium::TagList& tags);
// type=boundary relations whose ways are drawn as "ГРАНИЦА".
bool IsDrawnBoundary(const osmium::TagList& tags);

// The region kind ("Жилая зона", ...) of an area's tags; nullptr for none.
const char* RegionKind(const osmium::TagList& tags);

// Points of interest: the kinds of the object chooser, in icon order.
struct ObjectKindIcon {
  const char* Name;   // the chooser's caption ("Школы")
  const char* Glyph;  // lettering of its icon
  int Red, Green, Blue;
};
const std::vector<ObjectKindIcon>& ObjectKindIcons();
// Index into ObjectKindIcons(), or -1.
int ObjectKindOf(const osmium::TagList& tags);
// Why a point of interest of kind `kind` is too minor for an icon (an
// unnamed swimming pool, a private one, a private gym or fuel station: the
// many pools of gardens would heap up over them), or nullptr.
const char* MinorObjectReason(const osmium::TagList& tags, int kind);

// Firms: a named shop, office, craft, café, restaurant, amenity, ...
struct FirmKinds {
  std::string Title;               // the first kind in Russian ("кафе")
  std::vector<std::string> Words;  // every kind in Russian, then the raw values
  int Category = 0;                // marker colour, FirmCategoryColour
};
// False when the tags name no kind of firm.
bool FindFirmKinds(const osmium::TagList& tags, FirmKinds& kinds);
// Adds a keyword unless the firm has it already, in capitals or small
// letters ("Нефтьойл" as brand and as brand:ru).
void AddKeyword(std::vector<std::string>& keywords, const std::string& word);
void FirmCategoryColour(int category, int& red, int& green, int& blue);
// cuisine=a;b in Russian words ("пицца", "японская кухня").
std::vector<std::string> CuisineWords(std::string_view cuisine);
// Keywords from yes/no tags: "доставка", "на вынос", "wi-fi", ...
std::vector<std::string> ServiceWords(const osmium::TagList& tags);
// opening_hours with the day names in Russian ("Пн-Пт 09:00-18:00").
std::string OpeningHoursText(std::string_view openingHours);

// route=* of the transport routes imported: "Автобус", ...; nullptr for others.
const char* RouteType(std::string_view route);

// The label size of a place=* name by its rank, 0 for none: a capital
// (national or regional) 16, city 15, town 14, suburb and district 12,
// village 11, quarter, neighbourhood, hamlet and square 10; street names are
// 9 and 8.
int PlaceLabelSize(const osmium::TagList& tags);
// Named areas whose name is written on the map: parks and squares.
int AreaLabelSize(const osmium::TagList& tags);

// place=city, town, village, hamlet or suburb: a settlement the map may be
// centred on.
bool IsSettlement(std::string_view place);
// The admin level of capital=* ("yes" is a country's: 2), 0 for none.
int CapitalLevel(std::string_view capital);
// population=* as written ("12 345", "12,345"), 0 when it is no number.
int64_t Population(std::string_view population);
