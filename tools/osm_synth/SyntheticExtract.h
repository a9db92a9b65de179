#pragma once
// A made-up city as OpenStreetMap data, for measuring the importer on an
// extract of any size (no real extract can be downloaded here): a grid of
// blocks with named streets split at every crossing, houses with addresses
// along the block edges, land use, parks, a forest with a clearing every few
// blocks, shops and stops, bus routes along the rows, with the metadata
// (version, time, user) that real extracts carry.  The same size always
// gives the same data.
#include <osmium/memory/buffer.hpp>

#include <cstddef>
#include <filesystem>
#include <functional>

struct SyntheticSize {
  int Blocks = 10;  // the city is Blocks x Blocks blocks of 150 x 120 m
  // One-way rows, pedestrian and private stretches, footways and steps
  // across blocks (for directions); without it every street is two-way.
  bool MixedRoads = false;
};

// Hands the data to `sink` in buffers: all nodes, then ways, then relations,
// each by ascending id, as extracts are sorted.
void GenerateSyntheticExtract(const SyntheticSize& size, const std::function<void(osmium::memory::Buffer&&)>& sink);

// Writes the data as a file whose format libosmium takes from its name
// (.osm.pbf, .osm, ...).  Throws on failure.
void WriteSyntheticExtract(const SyntheticSize& size, const std::filesystem::path& file);
