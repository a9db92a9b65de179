#pragma once
// A city as the tools build it (the demo generator, the OpenStreetMap
// importer), before CityWriter writes it out.  Text is UTF-8 here; the writer
// converts it to Windows-1251 for the data files.
#include <cstdint>
#include <string>
#include <vector>

#include <QColor>

struct Point {
  int X = 0;
  int Y = 0;
};

struct Street {
  std::string Name;
  std::string Type;  // "улица", "проспект", "переулок", "РЕКА", "ЖД", "МОСТ", "ТРАССА", "ГРАНИЦА"
  int Width = 1;
  std::vector<Point> Points;
};

struct Building {
  std::string Street;
  std::string Number;
  std::string Name;  // " " when the building has no name of its own
  std::vector<Point> Outline;
};

struct Region {
  std::string Type;  // one of the region types the map colours
  std::vector<Point> Outline;
};

struct Label {
  std::string Text;
  int Size = 9;
  Point At;
};

struct MapObject {
  std::string Kind;
  std::string Street;
  std::string Number;
  std::string Name;
  Point At;
  int Icon = 0;
};

struct Route {
  std::string Type;  // "Автобус", "Троллейбус", "Трамвай", "Маршрутное такси", ...
  std::string Name;
  std::string Comment;
  std::vector<Point> Points;
};

// One kind of object: its chooser caption, the colours and glyph of its icon.
struct ObjectKind {
  std::string Name;
  QColor Colour;
  std::string Glyph;  // one or two letters drawn on the icon
};

struct Firm {
  std::string Base;  // file name without extension
  std::string Name;
  std::string Street;
  std::string Number;
  std::string Keywords;
  Point At;
  std::vector<std::string> Info;  // lines of the ".inf" text
  int Pictures = 0;               // how many of "1.jpg".."3.jpg" it has (WriteOptions::FirmPicture)
  QColor Colour;                  // of its marker
  std::string Glyph;
};

struct City {
  std::string DirName;
  std::string Title;
  std::vector<std::string> About;  // description lines after the title
  int Width = 0;                   // map size, for the demo's pictures
  int Height = 0;
  std::vector<Street> Streets;
  std::vector<Building> Buildings;
  std::vector<Region> Regions;
  std::vector<Label> Labels;
  std::vector<MapObject> Objects;
  std::vector<Route> Routes;
  std::vector<ObjectKind> Kinds;
  std::vector<Firm> Firms;
  std::vector<std::string> Keywords;
};
