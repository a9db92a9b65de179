#pragma once
// A map core with a small city filled into its tables, the way the loaders lay
// out their rows.  Texts are given in UTF-8 and stored as Windows-1251.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mapdata/Cp1251.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "support/CityBuilder.h"
#include "support/TableRows.h"
#include "support/TempDir.h"

// W (UTF-8 to Windows-1251) comes with the city builder.
inline std::string U(std::string_view cp1251Text) { return cp1251::ToUtf8(cp1251Text); }

// Column `column` (0 = caption) of every row of a result list, in UTF-8.
inline std::vector<std::string> Column(const LayerTable& table, int column) {
  std::vector<std::string> out;
  for (const LayerRow& r : table.Rows()) out.push_back(U(r.Cell(column - 1)));
  return out;
}

class SearchFixture : public ::testing::Test {
 protected:
  SearchFixture() : core(host, dir.Path() / "Base") {}

  // Rows laid out as the loaders lay them out, through the tables' own helpers.
  void AddStreet(const std::string& name, const std::string& type) {
    AddStreetRow(core, name, type, 2, {{0, 0}, {10, 10}});
  }
  void AddBuilding(const std::string& street, const std::string& number, const std::string& name) {
    using namespace building_cell;
    AddBuildingRow(core, street, number, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    core.Tables.ListOfBuildings.Last().At(Name) = W(name);
  }
  void AddFirm(const std::string& name, const std::string& street, const std::string& number,
               const std::string& keywords = "") {
    using namespace firm_cell;
    AddFirmRow(core, name, 5, 5);
    RowDraft& r = core.Tables.ListOfFirms.Last();
    r.At(Street) = W(street);
    r.At(Number) = W(number);
    r.At(File) = "firm" + std::to_string(core.Tables.ListOfFirms.Count());
    r.At(Keywords) = W(keywords);
  }
  void AddObject(const std::string& kind, const std::string& street, const std::string& number,
                 const std::string& name) {
    using namespace object_cell;
    AddObjectRow(core, kind, name, 0, 7, 7);
    RowDraft& r = core.Tables.ListOfObjects.Last();
    r.At(Street) = W(street);
    r.At(Number) = W(number);
  }

  TempDir dir;
  RecordingHost host;
  MapCore core;
};
