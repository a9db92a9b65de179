#pragma once
// A map core with a small city filled into its tables, the way the loaders lay
// out their rows.  Texts are given in UTF-8 and stored as Windows-1251.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mapdata/Cp1251.h"
#include "shell/MapCore.h"
#include "shell/RecordingHost.h"
#include "support/CityBuilder.h"
#include "support/TempDir.h"

// W (UTF-8 to Windows-1251) comes with the city builder.
inline std::string U(const std::string& cp1251Text) { return cp1251::ToUtf8(cp1251Text); }

// Column `column` (0 = caption) of every row of a result list, in UTF-8.
inline std::vector<std::string> Column(const LayerTable& table, int column) {
  std::vector<std::string> out;
  for (const LayerRow& r : table.Rows()) out.push_back(U(column == 0 ? r.Caption : r.Cell(column - 1)));
  return out;
}

class SearchFixture : public ::testing::Test {
 protected:
  SearchFixture() : core(host, dir.Path() / "Base") {}

  void AddStreet(const std::string& name, const std::string& type) {
    LayerRow& r = core.Tables.ListOfStreets.Add(W(name));
    r.SubItems = {W(type), "2", "2", "0 0 10 10", "Streets.txt", "", "", "0", "0", "10", "10"};
  }
  void AddBuilding(const std::string& street, const std::string& number, const std::string& name) {
    LayerRow& r = core.Tables.ListOfBuildings.Add(W(street));
    r.SubItems = {W(number), W(name), "4", "0 0 1 0 1 1 0 1", "Buildings.txt", "0", "0", "1", "1"};
  }
  void AddFirm(const std::string& name, const std::string& street, const std::string& number,
               const std::string& keywords = "") {
    LayerTable& t = core.Tables.ListOfFirms;
    LayerRow& r = t.Add(W(name));
    r.SubItems = {W(street), W(number), "5 5", "firm" + std::to_string(t.Count()), "5", "5", W(keywords),
                  std::to_string(t.Count() - 1)};
  }
  void AddObject(const std::string& kind, const std::string& street, const std::string& number,
                 const std::string& name) {
    LayerRow& r = core.Tables.ListOfObjects.Add(W(kind));
    r.SubItems = {W(street), W(number), W(name), "7 7", "Objects.txt", "0", "7", "7"};
  }

  TempDir dir;
  RecordingHost host;
  MapCore core;
};
