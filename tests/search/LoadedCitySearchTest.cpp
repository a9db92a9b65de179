// The searches over a city read from its files by the loaders.
#include <gtest/gtest.h>

#include "search/FirmSearch.h"
#include "search/ListSearch.h"
#include "search/SearchFixture.h"
#include "shell/LoadCity.h"

namespace {

using Texts = std::vector<std::string>;

// Streets, buildings, objects and three firms (files in name order Яблоко,
// Аптека, Банк; the loader sorts them by name).
void WriteTown(const CityBuilder& city) {
  city.About("Городок");
  city.Plain("Data/Streets.txt", {StreetRecord("Ленина", "0 0 100 0", 2, "3", "улица"),
                                  StreetRecord(" ", "0 10 100 10", 2, "3", "улица"),
                                  StreetRecord("Мира", "0 20 100 20", 2, "3", "проспект")});
  city.Plain("Data/Buildings.txt", {{W("Ленина"), "5", W("Почта"), "4", "10 10 20 10 20 20 10 20"},
                                    {" ", "7", W("Склад"), "4", "30 10 40 10 40 20 30 20"}});
  city.Plain("Data/Objects.txt", {{W("Школа"), W("Мира"), "2", W("Гимназия"), "50 50", "0"},
                                  {" ", W("Мира"), "4", W("Пусто"), "60 60", "0"}});
  city.Raw("Firms/c.txt", PlainFirmBytes({W("Яблоко"), W("Мира"), "9", "70 70", W("фрукты")}));
  city.Raw("Firms/a.txt", PlainFirmBytes({W("Аптека"), W("Мира"), "3", "80 80", W("лекарства")}));
  city.Raw("Firms/b.txt", PlainFirmBytes({W("Банк"), W("Ленина"), "12", "90 90", W("кредит")}));
}

class LoadedCitySearch : public ::testing::Test {
 protected:
  LoadedCitySearch() : fixture(city.DataRoot()) {
    WriteTown(city);
    LoadCity(core, city.Name(), W("Городок"));
  }
  CityBuilder city;
  CoreFixture fixture;
  MapCore& core = fixture.Core;
};

TEST_F(LoadedCitySearch, AfterTheLoadTheListHoldsEveryNamedRecord) {
  EXPECT_TRUE(fixture.Host.Messages.empty());
  const LayerTable& list = core.Search.FoundRecords;
  Texts rows;
  for (const LayerRow& r : list.Rows())
    rows.push_back(U(r.Cell(found_cell::Address)) + "|" + U(r.Cell(found_cell::Kind)) + "|" + U(r.Cell(found_cell::Name)) + "|" +
                   std::string(r.Cell(found_cell::Code)) + "|" + std::string(r.Cell(found_cell::Row)));
  EXPECT_EQ(rows, (Texts{"Ленина|улица||1|0", "Мира|проспект||1|2", "Ленина 5|Здание|Почта|2|0",
                         "Мира 3|Объект|Аптека|3|0", "Ленина 12|Объект|Банк|3|1", "Мира 9|Объект|Яблоко|3|2",
                         "Мира 2|Школа|Гимназия|5|0"}));
  EXPECT_EQ(core.Search.ListCountText, "7");
  EXPECT_EQ(core.Search.SearchListView.Count(), 7);
}

TEST_F(LoadedCitySearch, ClickingAFirmResultShowsThatFirm) {
  FillSearchList(core, W("банк"));
  ASSERT_EQ(core.Search.FoundRecords.Count(), 1);
  SelectFoundRow(core, 0, false);
  EXPECT_TRUE(core.Selection.FirmSelected);
  EXPECT_EQ(U(core.Selection.SelFirmName), "Банк");
  EXPECT_EQ(U(core.Selection.StatusText2), "Ленина 12");
}

TEST_F(LoadedCitySearch, FirmSearchListsSortedRowsWithTheirAddresses) {
  SearchFirms(core, W("мира"));
  EXPECT_EQ(Column(core.Search.SearchFirmListView, 0), (Texts{"Аптека", "Яблоко"}));
  EXPECT_EQ(Column(core.Search.SearchFirmListView, 1), (Texts{"Мира 3", "Мира 9"}));
  EXPECT_EQ(Column(core.Search.FoundFirms, 0), (Texts{"0", "2"}));
  SearchFirms(core, W("ленина12"));
  EXPECT_EQ(Column(core.Search.FoundFirms, 0), (Texts{"1"}));
  SearchFirms(core, W("кредит"));
  FirmResultSelected(core, 0, false);
  EXPECT_EQ(U(core.Selection.SelFirmName), "Банк");
}

TEST_F(LoadedCitySearch, ANewLoadReplacesTheFirmResults) {
  SearchFirms(core, W("мира"));
  LoadCity(core, city.Name(), W("Городок"));
  EXPECT_EQ(core.Search.FoundFirms.Count(), 0);
  EXPECT_EQ(core.Search.SearchFirmListView.Count(), 0);
}

}  // namespace
