#pragma once
// Addresses mapped as points: a node with a house number (or building=*)
// rather than tags on the footprint.  So that every address of the data can
// be searched, the footprint around such a node that has no address takes
// it, and a node with no footprint around it becomes a small building.
#include "importer/Features.h"

void PlaceAddressPoints(Features& features);
