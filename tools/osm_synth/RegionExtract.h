#pragma once
// A made-up region as OpenStreetMap data, for choosing a city out of a region
// and for measuring the importer on region-sized files: settlements spread
// over a few hundred kilometres, each a town of blocks (SyntheticExtract.h)
// sized by its kind, with its place node (name, population; name:ru on the
// city and towns), roads between neighbours, the region's administrative
// boundary (admin_level 4) and one per settlement (admin_level 8) for most of
// them.  The same size always gives the same data, written as it is made (a
// file of any size takes little memory).
//
// The first settlements are always these, in this order (the tests rely on
// them):
//   0  city "Новоозёрск", the region's capital, with a complete boundary;
//   1  town "Әлмәт" (name:ru "Альметьевск"), complete boundary;
//   2  town "Заречный", whose boundary lacks a member way (left out of the
//      extract);
//   3  town "Луговой", without a boundary;
//   4, 5  two villages "Покровка", each with a complete boundary.
// Further ones are villages (a town every 20th, a hamlet without a boundary
// every 7th), named uniquely.
#include <osmium/memory/buffer.hpp>

#include <filesystem>
#include <functional>
#include <string>

// About 590 bytes of PBF a block, so --region 2000 --blocks 250 makes about
// 1 GB, --region 3000 --blocks 285 about 2 GB (the region then spans some
// hundreds of kilometres more, each cell holding a town a third of the city).
struct RegionSize {
  int Settlements = 6;  // 1..5000
  int CityBlocks = 10;  // the city's blocks a side; a town has a third, a village a tenth (at least 1)
};

// The region is a grid of square cells, a settlement in each; the city takes
// the CityCells x CityCells cells of the south-west corner.
struct RegionLayout {
  int Side = 1;       // cells a side
  double Cell = 0;    // metres
  int CityCells = 1;  // a side
};
RegionLayout LayoutOf(const RegionSize& size);

// Hands the data to `sink` in buffers: all nodes, then ways, then relations,
// each by ascending id.
void GenerateRegionExtract(const RegionSize& size, const std::function<void(osmium::memory::Buffer&&)>& sink);

// Writes the data as a file whose format libosmium takes from its name.
// Throws on failure.
void WriteRegionExtract(const RegionSize& size, const std::filesystem::path& file);
