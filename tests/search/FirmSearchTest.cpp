#include <gtest/gtest.h>

#include "search/FirmSearch.h"
#include "search/SearchFixture.h"

namespace {

using Texts = std::vector<std::string>;

class FirmSearch : public SearchFixture {
 protected:
  void FillFirms() {
    AddFirm("Аптека", "Мира", "3", "лекарства витамины");
    AddFirm(" ", "Ленина", "12", "аптека");  // no name: never found
    AddFirm("Банк", "Ленина", "12", "деньги кредит");
    AddFirm("Вокзал", "Привокзальная", "1", "поезда");
  }
  void Ticks(bool name, bool address, bool keywords) {
    core.Search.SearchFirmNames = name;
    core.Search.SearchFirmAddresses = address;
    core.Search.SearchFirmKeywords = keywords;
  }
  Texts Found() { return Column(core.Search.SearchFirmListView, 0); }
  Texts FoundRows() { return Column(core.Search.FoundFirms, 0); }
};

TEST_F(FirmSearch, ListsNameAndAddressWithRowIndexInTheHiddenList) {
  FillFirms();
  SearchFirms(core, W("банк"));
  EXPECT_EQ(Found(), (Texts{"Банк"}));
  EXPECT_EQ(Column(core.Search.SearchFirmListView, 1), (Texts{"Ленина 12"}));
  EXPECT_EQ(FoundRows(), (Texts{"2"}));
  EXPECT_EQ(core.Search.FirmCountText, "1");
}

TEST_F(FirmSearch, AddressIsSearchedWithoutASpaceBetweenStreetAndNumber) {
  FillFirms();
  SearchFirms(core, W("ленина12"));
  EXPECT_EQ(Found(), (Texts{"Банк"}));
  SearchFirms(core, W("ленина 12"), MatchReach::AsTyped);
  EXPECT_EQ(Found(), Texts{});
  EXPECT_EQ(core.Search.FirmCountText, "0");
  SearchFirms(core, W("ленина 12"));  // word by word
  EXPECT_EQ(Found(), (Texts{"Банк"}));
}

TEST_F(FirmSearch, WithAllBoxesTickedAKeyRunsFromNameIntoStreet) {
  FillFirms();
  SearchFirms(core, W("каМи"));
  EXPECT_EQ(Found(), (Texts{"Аптека"}));
  Ticks(true, false, true);
  SearchFirms(core, W("каМи"));
  EXPECT_EQ(Found(), Texts{});
}

TEST_F(FirmSearch, EachBoxChoosesItsPart) {
  FillFirms();
  Ticks(true, false, false);
  SearchFirms(core, W("поезд"));
  EXPECT_EQ(Found(), Texts{});
  SearchFirms(core, W("вокзал"));
  EXPECT_EQ(Found(), (Texts{"Вокзал"}));

  Ticks(false, true, false);
  SearchFirms(core, W("вокзал"));  // "Привокзальная"
  EXPECT_EQ(Found(), (Texts{"Вокзал"}));
  SearchFirms(core, W("банк"));
  EXPECT_EQ(Found(), Texts{});

  Ticks(false, false, true);
  SearchFirms(core, W("кредит"));
  EXPECT_EQ(Found(), (Texts{"Банк"}));
  SearchFirms(core, W("ленина"));
  EXPECT_EQ(Found(), Texts{});
}

TEST_F(FirmSearch, WithNoBoxTickedNothingIsFound) {
  FillFirms();
  Ticks(false, false, false);
  SearchFirms(core, W("а"));
  EXPECT_EQ(Found(), Texts{});
  EXPECT_EQ(core.Search.FirmCountText, "0");
}

TEST_F(FirmSearch, EmptyKeyAndOneSpaceListNothing) {
  FillFirms();
  SearchFirms(core, W("банк"));
  SearchFirms(core, "");
  EXPECT_EQ(Found(), Texts{});
  EXPECT_EQ(FoundRows(), Texts{});
  EXPECT_EQ(core.Search.FirmCountText, "0");
  SearchFirms(core, W("банк"));
  SearchFirms(core, " ");
  EXPECT_EQ(Found(), Texts{});
  EXPECT_EQ(core.Search.FirmCountText, "0");
  // Two spaces are an ordinary key.
  SearchFirms(core, "  ");
  EXPECT_EQ(Found(), Texts{});
  SearchFirms(core, W("а в"), MatchReach::AsTyped);  // "лекарства витамины"
  EXPECT_EQ(Found(), (Texts{"Аптека"}));
}

TEST_F(FirmSearch, EnterOnAnEmptyFieldSearchesForOneSpace) {
  FillFirms();
  SearchFirms(core, W("банк"));
  SearchFirmsFromField(core, "");
  EXPECT_EQ(Found(), Texts{});
  EXPECT_EQ(core.Search.FirmCountText, "0");
  SearchFirmsFromField(core, W("вокз"));
  EXPECT_EQ(Found(), (Texts{"Вокзал"}));
}

TEST_F(FirmSearch, FirmNamedOneSpaceIsNeverFound) {
  FillFirms();
  SearchFirms(core, W("аптека"));  // the keyword of the nameless firm
  EXPECT_EQ(FoundRows(), (Texts{"0"}));
  SearchFirms(core, W("ленина"));
  EXPECT_EQ(FoundRows(), (Texts{"2"}));
}

TEST_F(FirmSearch, AFirmIsListedOnceInTableOrder) {
  AddFirm("Аптека", "Аптечная", "1", "аптека");
  AddFirm("Бар", "Мира", "2", "");
  AddFirm("Сити аптека", "Мира", "3", "");
  SearchFirms(core, W("аптек"));
  EXPECT_EQ(FoundRows(), (Texts{"0", "2"}));
  EXPECT_EQ(core.Search.FirmCountText, "2");
}

TEST_F(FirmSearch, RedrawsAndPaintsOnlyWhenFoundFirmsAreShown) {
  FillFirms();
  SearchFirms(core, W("банк"));
  EXPECT_EQ(host.MapPaints, 0);
  core.Flags.SetShown(DrawCode::Firm, true);
  SearchFirms(core, W("банк"));
  EXPECT_EQ(host.MapPaints, 1);
  SearchFirms(core, "");  // also when nothing is found: the old icons go
  EXPECT_EQ(host.MapPaints, 2);
}

TEST_F(FirmSearch, LeavesTheSelectionAsItWas) {
  FillFirms();
  core.Selection.FirmSelected = true;
  core.Selection.SelFirmRow = 3;
  SearchFirms(core, W("банк"));
  EXPECT_TRUE(core.Selection.FirmSelected);
  EXPECT_EQ(core.Selection.SelFirmRow, 3);
}

TEST_F(FirmSearch, SelectingARowOutsideTheListDoesNothing) {
  FillFirms();
  SearchFirms(core, W("банк"));
  core.Selection.FirmSelected = false;
  FirmResultSelected(core, 1, false);
  FirmResultSelected(core, -1, true);
  EXPECT_FALSE(core.Selection.FirmSelected);
  // A caption that is no row of the firms table is not shown.
  core.Search.FoundFirms.SetCell(0, kCaption, "99");
  FirmResultSelected(core, 0, true);
  EXPECT_FALSE(core.Selection.FirmSelected);
}

}  // namespace
