#pragma once
// What makes one demo city different from another: its names, the size of its
// street grid, the course of its river and where its special blocks lie.  The
// geometry and the content are then built from the plan by the same code.
#include <cstdint>
#include <string>
#include <vector>

#include "citywriter/CityModel.h"

enum class BlockUse { Residential, Industrial, Park, Square, Market, Stadium, Settlement, Garden, Field, Cemetery };

struct SpecialBlock {
  int Column;
  int Row;
  BlockUse Use;
  std::string Name;  // its label on the map and the name of its main building
};

struct CityPlan {
  std::string DirName;
  std::string Title;
  std::vector<std::string> About;
  uint32_t Seed = 1;
  // The city grid north of the river: vertical streets at X0 + i * StepX, horizontal at Y0 + j * StepY.
  int X0 = 100, StepX = 160, Columns = 11;
  int Y0 = 180, StepY = 130, Rows = 7;
  std::vector<std::string> VerticalNames;    // Columns names, with their kind ("проспект Мира")
  std::vector<std::string> HorizontalNames;  // Rows names
  std::vector<int> AvenueColumns;            // vertical streets that are avenues
  std::vector<int> AvenueRows;               // horizontal ones
  std::vector<SpecialBlock> Specials;
  int IndustrialColumns = 2;  // the easternmost block columns are the industrial zone
  // The river south of the grid.
  std::string RiverName;
  std::string EmbankmentName;
  int RiverAmplitude = 30;
  std::vector<int> BridgeColumns;  // avenues that cross the river
  // The settlement across the river: small blocks of private houses.
  int SouthStepX = 110, SouthStepY = 90, SouthColumns = 12, SouthRows = 4;
  std::vector<std::string> SouthVerticalNames;
  std::vector<std::string> SouthHorizontalNames;
  // A lake: centre and radii (0 for none).
  Point LakeCentre;
  int LakeRadiusX = 0, LakeRadiusY = 0;
  std::string LakeName;
  std::vector<std::string> DistrictNames;  // centre, industrial zone, settlement, north
};

CityPlan SvetlogorskPlan();
CityPlan OzerskPlan();
