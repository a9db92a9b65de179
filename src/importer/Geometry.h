#pragma once
// Geometry of the import: in the data's degrees (clipping, joining lines,
// points inside areas) and in map units (the point limit of a record:
// simplifying outlines, splitting lines, holes kept in a single outline).
#include <cstddef>
#include <vector>

#include "citywriter/CityModel.h"
#include "importer/Features.h"
#include "importer/GeoBox.h"

// --- In degrees ---

// Area of a ring in squared fixed-point degrees (not signed).
double RingArea(const GeoRing& ring);
bool RingContains(const GeoRing& ring, GeoPoint p);
// A point inside the ring: its centroid when that lies inside, else the
// middle of the first stretch of the ring's inside on the centroid's row.
GeoPoint InteriorPoint(const GeoRing& ring);

// The parts of a line inside the box, each cut where it crosses the edge.
std::vector<std::vector<GeoPoint>> ClipLine(const std::vector<GeoPoint>& line, const GeoBox& box);
// The ring cut to the box (its edges run along the box where it was cut);
// empty when nothing of it lies inside.
GeoRing ClipRing(const GeoRing& ring, const GeoBox& box);

// Lines joined end to end where they meet at a node (by node id), each chain
// as long as it goes without a choice; lines that meet nothing stay alone.
std::vector<GeoLine> JoinLines(std::vector<GeoLine> lines);
// Ways joined in the order given, each turned round where its end meets the
// line so far; a way that meets nothing is joined by its nearer end (counted
// in gaps).
std::vector<GeoPoint> JoinInOrder(const std::vector<GeoLine>& ways, size_t& gaps);

// --- In map units ---

// Area of an outline (a ring without its closing point), not signed.
double OutlineArea(const std::vector<Point>& ring);
// Consecutive repeated points dropped (and a ring's closing point).
std::vector<Point> WithoutRepeats(const std::vector<Point>& points, bool ring);
// At most maxPoints points, dropping first the points whose triangle with
// their neighbours is smallest; a line keeps its ends.
std::vector<Point> Simplified(const std::vector<Point>& points, size_t maxPoints, bool ring);
// Consecutive pieces of at most maxPoints points; each starts where the one
// before ends.
std::vector<std::vector<Point>> Pieces(const std::vector<Point>& line, size_t maxPoints);
// One outline that keeps the holes: each hole is entered from the nearest
// corner of the outer ring and left the same way.  Filled even-odd, as the
// map fills polygons, the holes stay open.
std::vector<Point> Keyhole(const std::vector<Point>& outer, const std::vector<std::vector<Point>>& holes);
// An outer ring and its holes (rings without their closing point) in at most
// maxPoints points of Keyhole: simplified, dropping the smallest holes first
// when the rings cannot share the points otherwise.  False when it had to
// change anything.
bool FitOutline(std::vector<Point>& outer, std::vector<std::vector<Point>>& holes, size_t maxPoints);
