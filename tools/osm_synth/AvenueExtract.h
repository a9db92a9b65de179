#pragma once
// A city avenue of about 16 km as OpenStreetMap maps one: two one-way
// carriageways, each split into short ways at every crossing, change of
// lanes and bridge (the bridges named by bridge:name), broken by unnamed
// roundabouts, the name missing on some ways; the streets crossing it are
// named as locals write them ("Богенбай Батыра ул.", "Назарбаева даңғылы"),
// and districts are named beside it.  The same call always gives the same
// data.
#include <filesystem>
#include <vector>

// Where "проспект Абая" runs, in metres east and north of the data's centre,
// so that a test can follow it, and a location in those metres.
struct AvenuePoint {
  double X = 0, Y = 0;
};
std::vector<AvenuePoint> AvenueCentreLine();
AvenuePoint AvenueMetres(double latitude, double longitude);

// Writes the data as OSM XML.  Throws on failure.
void WriteAvenueExtract(const std::filesystem::path& file);
