#pragma once
// Where the names of streets go.  The viewer writes a label right and down
// from its anchor in a font of fixed pixel size, so only an anchor on the
// street keeps the text beside its street at every scale: the label is put on
// a stretch that runs close to horizontal, the text running along it below.
// Carriageways and pieces of one name lying together are one street, named
// near its middle and again wherever more of it lies beyond 750 m of its
// labels, so that a view holding 1.5 km of it shows its name; a label that
// would cover another of the same or a larger size, where it first shows, is
// moved along its street, or left out.
#include <functional>
#include <string>
#include <vector>

#include "citywriter/CityModel.h"

// The viewer's label font: about 6 pixels a letter and 12 high, whatever the
// scale; a map unit is `scale` pixels.
constexpr double kLetterPixels = 6, kLinePixels = 12;

// A street line of the map with its name label's text (as written, fitted to
// the code page) and size; `Inside` tells, point by point, whether the point
// lies where labels may go (inside --bbox).
struct NamedLine {
  std::string Text;
  size_t Letters = 0;
  int Size = 8;
  std::vector<Point> Points;
  std::vector<bool> Inside;
};

// A label already on the map, that street names keep clear of.
struct PlacedLabel {
  Point At;
  int Size = 8;
  size_t Letters = 0;
};

// The scale from which the viewer shows a label of this size.
double FirstLegibleScale(int size);

// The street labels, biggest size and longest street first.  `unitMetres` is
// the metres of a map unit; `kept` are the labels placed before (place names);
// `leftOut` counts the streets whose name found no free place.  `between`,
// if given, is called before each street (a big city has tens of thousands):
// it may throw to stop.
std::vector<Label> PlaceStreetLabels(std::vector<NamedLine> lines, double unitMetres,
                                     const std::vector<PlacedLabel>& kept, size_t& leftOut,
                                     const std::function<void()>& between = {});
