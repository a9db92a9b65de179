#include <gtest/gtest.h>

#include "search/ListSearch.h"
#include "search/SearchFixture.h"

namespace {

using Texts = std::vector<std::string>;

class ListSearch : public SearchFixture {
 protected:
  void FillSmallCity() {
    AddStreet("Ленина", "улица");
    AddStreet(" ", "улица");  // no name: never listed
    AddStreet("Мира", "проспект");
    AddBuilding("Ленина", "5", "Почта");
    AddBuilding(" ", "7", "Склад");  // no street: never listed
    AddFirm("Аптека", "Мира", "3");
    AddFirm(" ", "Ленина", "9");  // no name: never listed
    AddFirm("Пицца", "Ленина", "1");
    AddObject("Школа", "Ленина", "2", "Гимназия №1");
    AddObject(" ", "Мира", "4", "Пусто");  // no kind: never listed
  }
  const LayerTable& Hidden() { return core.Search.FoundRecords; }
  const LayerTable& Visible() { return core.Search.SearchListView; }
};

TEST_F(ListSearch, EmptyKeyListsEveryNamedRecordInSourceOrder) {
  FillSmallCity();
  FillSearchList(core, "");
  EXPECT_EQ(Column(Hidden(), 0),
            (Texts{"Ленина", "Мира", "Ленина 5", "Мира 3", "Ленина 1", "Ленина 2"}));
  EXPECT_EQ(Column(Hidden(), 1), (Texts{"улица", "проспект", "Здание", "Объект", "Объект", "Школа"}));
  EXPECT_EQ(Column(Hidden(), 2), (Texts{"", "", "Почта", "Аптека", "Пицца", "Гимназия №1"}));
  EXPECT_EQ(Column(Hidden(), 3), (Texts{"1", "1", "2", "3", "3", "5"}));
  EXPECT_EQ(Column(Hidden(), 4), (Texts{"0", "2", "0", "0", "2", "0"}));
  EXPECT_EQ(core.Search.ListCountText, "6");
}

TEST_F(ListSearch, VisibleListHoldsTheSameThreeTextsRowForRow) {
  FillSmallCity();
  FillSearchList(core, "");
  ASSERT_EQ(Visible().Count(), Hidden().Count());
  for (int c = 0; c < 3; ++c) EXPECT_EQ(Column(Visible(), c), Column(Hidden(), c));
  for (const LayerRow& r : Visible().Rows()) EXPECT_EQ(r.CellCount(), 2);
}

TEST_F(ListSearch, KindTextsAreWindows1251) {
  AddBuilding("Ленина", "5", "");
  AddFirm("Аптека", "Мира", "3");
  FillSearchList(core, "");
  EXPECT_EQ(Hidden()[0].Cell(found_cell::Kind), "\xC7\xE4\xE0\xED\xE8\xE5");      // "Здание"
  EXPECT_EQ(Hidden()[1].Cell(found_cell::Kind), "\xCE\xE1\xFA\xE5\xEA\xF2");      // "Объект"
}

TEST_F(ListSearch, KeyFindsNamesOfAnyCase) {
  AddStreet("Ленина", "улица");
  AddStreet("ЛЕНИНА", "переулок");
  AddStreet("Мира", "улица");
  FillSearchList(core, W("ленина"));
  EXPECT_EQ(Column(Hidden(), 0), (Texts{"Ленина", "ЛЕНИНА"}));
  EXPECT_EQ(core.Search.ListCountText, "2");
}

TEST_F(ListSearch, StreetTypeIsSearchedAndEachStreetListedOnce) {
  AddStreet("Мира", "проспект");
  AddStreet("Ленина", "улица");
  AddStreet("Просвещения", "проспект");  // matches in name and type
  FillSearchList(core, W("просп"));
  EXPECT_EQ(Column(Hidden(), 0), (Texts{"Мира", "Просвещения"}));
}

TEST_F(ListSearch, KeyNeverMatchesAcrossTheJoinOfTheParts) {
  AddStreet("Мира", "улица");
  AddObject("Школа", "Мира", "1", "Гимназия");
  AddBuilding("Ленина", "5", "Почта");
  for (const char* key : {"мираул", "лагим", "5поч"}) {
    FillSearchList(core, W(key));
    EXPECT_EQ(Hidden().Count(), 0) << key;
    EXPECT_EQ(core.Search.ListCountText, "0");
  }
}

TEST_F(ListSearch, BuildingStreetAndNumberAreJoinedWithOneSpace) {
  AddBuilding("Ленина", "5", "Почта");
  FillSearchList(core, W("ленина 5"));
  EXPECT_EQ(Column(Hidden(), 0), (Texts{"Ленина 5"}));
  FillSearchList(core, W("ленина5"), MatchReach::AsTyped);
  EXPECT_EQ(Hidden().Count(), 0);
  FillSearchList(core, W("почт"));  // the building's name
  EXPECT_EQ(Hidden().Count(), 1);
}

TEST_F(ListSearch, FirmsAreFoundByNameOnly) {
  AddFirm("Аптека", "Ленина", "3", "лекарства");
  FillSearchList(core, W("ленина"));
  EXPECT_EQ(Hidden().Count(), 0);
  FillSearchList(core, W("лекар"));
  EXPECT_EQ(Hidden().Count(), 0);
  FillSearchList(core, W("птек"));
  EXPECT_EQ(Column(Hidden(), 0), (Texts{"Ленина 3"}));
}

TEST_F(ListSearch, ObjectsAreFoundByKindAndName) {
  AddObject("Школа", "Мира", "4", "Гимназия");
  FillSearchList(core, W("школ"));
  EXPECT_EQ(Hidden().Count(), 1);
  FillSearchList(core, W("гимн"));
  EXPECT_EQ(Hidden().Count(), 1);
  FillSearchList(core, W("мира"));  // the address is not searched
  EXPECT_EQ(Hidden().Count(), 0);
}

TEST_F(ListSearch, OneCharacterKeyMissesTheLastLetterOfAFirmName) {
  AddFirm("Пицца", "Мира", "1");
  AddFirm("Аптека", "Мира", "2");
  FillSearchList(core, W("а"));
  EXPECT_EQ(Column(Hidden(), 2), (Texts{"Аптека"}));
}

TEST_F(ListSearch, RecordsWithTextsShorterThanTwoCharactersAreNotListed) {
  AddFirm("Я", "Мира", "1");      // searched text "Я": one character
  AddStreet("Б", "");             // "Б" + CR: two characters, listed
  AddObject("К", "Мира", "2", "");  // "К" + CR, listed
  FillSearchList(core, "");
  EXPECT_EQ(Column(Hidden(), 3), (Texts{"1", "5"}));
}

TEST_F(ListSearch, SkipsOnlyCellsThatAreExactlyOneSpace) {
  AddStreet("  ", "улица");  // two spaces: a name like any other
  AddStreet("", "улица");    // empty: listed through its type
  FillSearchList(core, "");
  EXPECT_EQ(Hidden().Count(), 2);
}

TEST_F(ListSearch, ANewSearchReplacesTheResults) {
  FillSmallCity();
  FillSearchList(core, "");
  FillSearchList(core, W("мира"));
  EXPECT_EQ(Column(Hidden(), 0), (Texts{"Мира"}));
  EXPECT_EQ(Visible().Count(), 1);
  FillSearchList(core, W("нет такого"));
  EXPECT_EQ(Hidden().Count(), 0);
  EXPECT_EQ(Visible().Count(), 0);
  EXPECT_EQ(core.Search.ListCountText, "0");
}

TEST_F(ListSearch, EmptyTablesGiveNoResults) {
  FillSearchList(core, "");
  EXPECT_EQ(Hidden().Count(), 0);
  EXPECT_EQ(core.Search.ListCountText, "0");
}

TEST_F(ListSearch, ShowingARowOutsideTheListChangesNothing) {
  FillSmallCity();
  FillSearchList(core, W("мира"));
  core.Selection.StreetSelected = true;
  ShowSearchResult(core, 5, false);
  ShowSearchResult(core, -1, true);
  SelectFoundRow(core, -1, false);
  EXPECT_TRUE(core.Selection.StreetSelected);
  EXPECT_EQ(host.MapPaints, 0);
}

}  // namespace
