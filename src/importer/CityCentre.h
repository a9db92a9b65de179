#pragma once
// Which settlement the map is centred on: the one named like the city (by
// --name or by the file's name), else the most important one in the area.
// A country's or region's node is none of them: it lies wherever its mapper
// put it.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "importer/Features.h"
#include "importer/GeoBox.h"

// A name the city may be called by, and whether a settlement's name may be
// only a run of its words (a file's name: "berlin-latest" calls Berlin).
struct CityName {
  std::string Text;
  bool Part = false;
};

// The file's name without its folder and OpenStreetMap endings.
std::string FileNameOfCity(const std::filesystem::path& input);

// Of the settlements in `area`: the most important one called by the first
// of `names` that calls any (names compared as words, whatever the case,
// accents, ё or е, hyphens and punctuation); else the most important city, town or village
// (a national or regional capital first, then city, town, village, then by
// population); nullptr when there is none.
const SettlementFeature* CentralSettlement(const std::vector<SettlementFeature>& settlements, const GeoBox& area,
                                           const std::vector<CityName>& names);

// Whether `a` comes before `b` among settlements: a national capital, then a
// region's, then by kind (city, town, village, hamlet and suburb) and population.
bool MoreImportant(const SettlementFeature& a, const SettlementFeature& b);

// A name as names are compared: its words (as CentralSettlement compares
// them) joined by single spaces.
std::string ComparableName(std::string_view name);

// "town Берёзовка": a settlement as the summary names it.
std::string SettlementText(const SettlementFeature& settlement);
