#pragma once
// Which part of the data makes the city.  An extract may hold what lies far
// from the city (a street in another region, a way drawn to the pole), and a
// city may lie across the antimeridian, where its longitudes jump from 180
// to -180.  The city's centre is therefore the median of its points, the
// longitudes taken around the globe from the widest gap between them; every
// longitude is unwrapped around that centre, so that the city is one piece;
// and what has no point within the map's reach of it is left out, counted
// and named in the summary.
#include <string>
#include <vector>

#include "importer/Features.h"
#include "importer/GeoBox.h"

// How far from the centre the map reaches: beyond it a transverse Mercator
// bends the map too much, and the coordinates grow past what the viewer draws.
constexpr double kMapReachMetres = 1000e3;
// Longitude a map reaches either side of its centre at most: near the poles
// the reach is cut short here, where the fixed-point degrees of a longitude
// unwrapped around the centre still fit.
constexpr double kMaxReachDegrees = 34;

// The latitude north and south where the viewer's map ends.
constexpr double kMaxMapLatitude = 85;

// The box of unwrapped degrees within the map's reach of `centre`, up to
// kMaxMapLatitude.
GeoBox ReachAround(GeoPoint centre);

// Why the data of `points` (those the centre is found from, not empty)
// cannot be mapped, naming the latitudes they span: their median, which the
// centre is found around, lies at or beyond kMaxMapLatitude, so nothing
// would be within reach.  "" when they can be mapped.
std::string BeyondMapLatitude(const std::vector<GeoPoint>& points);

// The middle of the main body of `points` (not empty, in the valid range):
// the middle of the box of the points within reach of their median.
GeoPoint MainBodyCentre(std::vector<GeoPoint> points);

// `p` moved by whole turns of longitude to lie within half a turn of
// `centreX` (a point more than 214 degrees out, which only a point far beyond
// the map's reach can be, stops there: the fixed-point form holds no more).
GeoPoint Unwrapped(GeoPoint p, int32_t centreX);

// Unwraps every point of the features around `centreX` and leaves out, as
// kFarFromTheData, each feature none of whose points lies in `reach`
// (unwrapped degrees).
void KeepWithinReach(Features& features, int32_t centreX, const GeoBox& reach);
