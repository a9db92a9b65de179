#pragma once
// How long each step of the last city load took, in the order the steps ran:
// what a city costs to load, for the people who keep data sets.
#include <string>
#include <vector>

struct LoadStepTime {
  const char* Step;  // the operation: "LoadBuildings", "RedrawView"
  double Milliseconds;
};

struct LoadTimes {
  std::vector<LoadStepTime> Steps;
  void Clear() { Steps.clear(); }
};
