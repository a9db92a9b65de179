#pragma once
// The steps that turn a plan into a city, in the order BuildCity runs them.
#include <vector>

#include "citywriter/CityModel.h"
#include "route/RoadGraph.h"
#include "CityPlan.h"
#include "Random.h"

// A city block between four streets (their centre lines) and what it is used for.
struct Block {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  BlockUse Use = BlockUse::Residential;
  std::string Name;  // of a special block
  std::string TopStreet, BottomStreet, LeftStreet, RightStreet;
};

struct Layout {
  std::vector<int> Xs, Ys;            // the north grid's street lines
  std::vector<int> SouthXs, SouthYs;  // the settlement's
  int RiverMid = 0;
  int SouthBank = 0;  // y of the first settlement street
  std::vector<Block> Blocks;
  std::vector<Point> Outskirts;  // free corner east of the settlement
};

// Course of the river and of its embankment at a given x.
int RiverY(const CityPlan& plan, const Layout& layout, int x);
int EmbankmentY(const CityPlan& plan, const Layout& layout, int x);

Layout LayOutStreets(const CityPlan& plan, City& city);
void AddRegions(const CityPlan& plan, const Layout& layout, City& city);
void AddBuildings(const CityPlan& plan, const Layout& layout, Random& random, City& city);
void AddLabels(const CityPlan& plan, const Layout& layout, City& city);
void AddObjects(Random& random, City& city);
void AddRoutes(const CityPlan& plan, const Layout& layout, City& city);
void AddFirms(Random& random, City& city);

// Metres per map unit of the demo cities, for the lengths of their roads.
constexpr double kDemoUnitMetres = 2;
// The road graph of the city's streets (Data/Roads.gr).
RoadGraph DemoRoadGraph(const City& city);

// The whole city from its plan; the same plan always gives the same city.
City BuildCity(const CityPlan& plan);
