#include "render/DrawList.h"

#include <gtest/gtest.h>

#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "support/TableRows.h"
#include "view/RedrawView.h"

namespace {

class DrawListTest : public ::testing::Test {
 protected:
  DrawListTest() : core(host, "/nonexistent-data-root") {}

  std::vector<std::string> Entries() const {
    std::vector<std::string> out;
    const LayerTable& list = core.Tables.DrawListView;
    for (int i = 0; i < list.Count(); ++i) out.push_back(std::string(list[i].Cell(draw_list_cell::Code)) + ":" + std::string(list[i].Cell(draw_list_cell::Row)));
    return out;
  }

  RecordingHost host;
  MapCore core;
};

TEST_F(DrawListTest, ListsEveryTableInDrawingOrder) {
  AddFirmRow(core, "Фирма", 5, 5);
  AddLabelRow(core, "Надпись", 9, 5, 5);
  AddObjectRow(core, "Аптека", "Аптека 1", 0, 5, 5);
  AddBuildingRow(core, "Ленина", "1", {{0, 0}, {10, 0}, {10, 10}});
  AddRouteRow(core, "Автобус", "1", {{0, 0}, {10, 10}});
  AddStreetRow(core, "Ленина", "Улица", 3, {{0, 0}, {10, 0}});
  AddStreetRow(core, "Мира", "Улица", 2, {{0, 5}, {10, 5}});
  AddRegionRow(core, "Жилая зона", {{0, 0}, {10, 0}, {10, 10}});
  AddRegionRow(core, "Рынки", {{1, 1}, {9, 1}, {9, 9}});

  BuildDrawList(core.Tables, core.View, {0, 0, 10, 10});
  EXPECT_EQ(Entries(), (std::vector<std::string>{"3:0", "3:1", "1:0", "1:1", "7:0", "2:0", "5:0", "4:0", "6:0"}));
}

TEST_F(DrawListTest, BoxTestIsInclusiveOnEveryEdge) {
  AddRegionRow(core, "Рынки", {{100, 0}, {120, 20}});   // touches the right edge
  AddRegionRow(core, "Рынки", {{-20, 0}, {0, 20}});     // touches the left edge
  AddRegionRow(core, "Рынки", {{101, 0}, {120, 20}});   // one unit beyond
  AddRegionRow(core, "Рынки", {{0, -30}, {10, -1}});    // one unit above
  AddRegionRow(core, "Рынки", {{0, 50}, {10, 60}});     // touches the bottom
  AddLabelRow(core, "Точка", 9, 100, 50);               // on the corner
  AddLabelRow(core, "Мимо", 9, 100, 51);

  BuildDrawList(core.Tables, core.View, {0, 0, 100, 50});
  EXPECT_EQ(Entries(), (std::vector<std::string>{"3:0", "3:1", "3:4", "4:0"}));
}

TEST_F(DrawListTest, ThinStreetsNeedScaleOneAtBuildTime) {
  AddStreetRow(core, "Узкая", "Улица", 1, {{0, 0}, {10, 0}});
  AddStreetRow(core, "Средняя", "Улица", 2, {{0, 0}, {10, 0}});
  AddStreetRow(core, "Широкая", "Улица", 3, {{0, 0}, {10, 0}});
  core.View.Scale = 0.5f;
  BuildDrawList(core.Tables, core.View, {0, 0, 10, 10});
  EXPECT_EQ(Entries(), (std::vector<std::string>{"1:2"}));
  core.View.Scale = 1.0f;
  BuildDrawList(core.Tables, core.View, {0, 0, 10, 10});
  EXPECT_EQ(Entries(), (std::vector<std::string>{"1:0", "1:1", "1:2"}));
}

TEST_F(DrawListTest, RoutesAreAdmittedByTheirBoxAlone) {
  // A route whose leftmost x is 2 or less is listed at scale 1 all the same.
  AddRouteRow(core, "Автобус", "1", {{-5, 0}, {10, 10}});
  AddRouteRow(core, "Автобус", "2", {{2, 0}, {10, 10}});
  BuildDrawList(core.Tables, core.View, {-10, -10, 10, 10});
  EXPECT_EQ(Entries(), (std::vector<std::string>{"7:0", "7:1"}));
}

TEST_F(DrawListTest, EmptyTablesGiveAnEmptyListAndEachBuildStartsAfresh) {
  BuildDrawList(core.Tables, core.View, {0, 0, 0, 0});
  EXPECT_TRUE(Entries().empty());
  AddLabelRow(core, "А", 9, 0, 0);
  BuildDrawList(core.Tables, core.View, {0, 0, 0, 0});
  BuildDrawList(core.Tables, core.View, {0, 0, 0, 0});
  EXPECT_EQ(Entries(), (std::vector<std::string>{"4:0"}));
}

TEST_F(DrawListTest, ACellThatIsNoIntegerStopsTheBuildWithItsPlace) {
  AddStreetRow(core, "Ленина", "Улица", 3, {{0, 0}, {10, 0}});
  core.Tables.ListOfStreets.SetCell(0, street_cell::MinX, "1O");
  try {
    BuildDrawList(core.Tables, core.View, {0, 0, 10, 10});
    FAIL() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("ListOfStreets, строка 0, столбец «MinX»: «1O»"), std::string::npos)
        << e.what();
  }
}

}  // namespace
