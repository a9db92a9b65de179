#pragma once
#include <cstddef>

// The layer codes of DrawListView: the table holds them as the text "1".."7";
// this is the code's typed view of that text.  Each map layer has one
// (MapLayers.h), and what is kept per layer (its draw cache, its switch) is
// kept in the order of the codes.
enum class DrawCode : char {
  Street = '1',
  Building = '2',
  Region = '3',
  Label = '4',
  Object = '5',
  Firm = '6',
  Route = '7',
};

inline constexpr std::size_t kDrawCodeCount = 7;
// The place of a layer's own state in an array of kDrawCodeCount: the codes
// run from '1' without a gap.
constexpr std::size_t DrawCodeSlot(DrawCode code) { return static_cast<std::size_t>(static_cast<char>(code) - '1'); }
