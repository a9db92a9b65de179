#include <gtest/gtest.h>

#include "shell/LoadCity.h"
#include "support/CityBuilder.h"

TEST(CityLoad, ACityWithoutDataFilesLoadsSilently) {
  CityBuilder city;
  city.About("Пусто");
  CoreFixture f(city.DataRoot());
  LoadCity(f.Core, city.Name(), W("Пусто"));
  EXPECT_TRUE(f.Host.Messages.empty());
  const MapExtents& e = f.Core.Extents;
  EXPECT_EQ(e.MapMinX, 0);
  EXPECT_EQ(e.MapMinY, 0);
  EXPECT_EQ(e.MapMaxX, 0);
  EXPECT_EQ(e.MapMaxY, 0);
  EXPECT_EQ(f.Core.Progress.Progress2Position, 10);
  const CityTables& t = f.Core.Tables;
  for (const LayerTable* table : {&t.ListOfStreets, &t.ListOfBuildings, &t.ListOfRegions, &t.ListOfTexts,
                                  &t.ListOfObjects, &t.ListOfFirms, &t.ListOfPath1, &t.ListOfPath2})
    EXPECT_TRUE(table->Empty()) << table->Name();
}

TEST(CityLoad, ASecondCityLeavesNoRowOfTheFirst) {
  CityBuilder first("First");
  first.Plain("Data/Streets.txt", {StreetRecord("Old", "100 100", 1)});
  first.Plain("Data/Path.txt", {{"T", "N", "C", "1", "1 1"}});
  first.Plain("Data/Texts.txt", {{"L", "1", "1 1"}});
  first.Plain("Data/Regions.txt", {{"R", "1", "1 1", " ", " "}});
  CoreFixture f(first.DataRoot());
  LoadCity(f.Core, first.Name(), "First");
  EXPECT_EQ(f.Core.Tables.ListOfStreets.Count(), 1);
  EXPECT_EQ(f.Core.Extents.MapMaxX, 100);

  const fs::path second = f.Core.DataRoot / "Second";
  fs::create_directories(second);
  LoadCity(f.Core, "Second", "Second");
  const CityTables& t = f.Core.Tables;
  for (const LayerTable* table : {&t.ListOfStreets, &t.ListOfBuildings, &t.ListOfRegions, &t.ListOfTexts,
                                  &t.ListOfObjects, &t.ListOfFirms, &t.ListOfPath1, &t.ListOfPath2})
    EXPECT_TRUE(table->Empty()) << table->Name();
  EXPECT_EQ(f.Core.Extents.MapMaxX, 0);
}
