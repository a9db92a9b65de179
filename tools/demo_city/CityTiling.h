#pragma once
// A big city for benchmarks: the demo city repeated on a grid of tiles.
#include <string>

#include "citywriter/CityModel.h"

// `factor` copies of the city side by side (as square a grid as fits), every
// record shifted to its tile; firms get their own files per tile.
City TileCity(const City& base, int factor, const std::string& dirName);
