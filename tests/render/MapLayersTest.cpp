// The layer table: every layer is registered whole, and each part of its
// description is the one the drawing uses.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "render/MapLayers.h"
#include "render/RenderFixture.h"

namespace {

// One row of the layer's table, in the middle of the picture at scale 2.
void AddRowOf(MapCore& core, DrawCode code) {
  switch (code) {
    case DrawCode::Street: return AddStreetRow(core, "Ленина", "улица", 5, {{20, 30}, {80, 30}});
    case DrawCode::Building: return AddBuildingRow(core, "Ленина", "1", {{20, 20}, {60, 20}, {60, 60}, {20, 60}});
    case DrawCode::Region: return AddRegionRow(core, "Рынки", {{10, 10}, {90, 10}, {90, 90}, {10, 90}});
    case DrawCode::Label: return AddLabelRow(core, "Центр", 10, 30, 40);
    case DrawCode::Object: return AddObjectRow(core, "Школа", "Школа 1", 0, 50, 50);
    case DrawCode::Firm:
      AddFirmRow(core, "Аптека", 50, 50);
      core.Search.FoundFirms.AddCells(found_firm_cell::kCells).At(found_firm_cell::FirmRow) = "0";
      return;
    case DrawCode::Route: return AddRouteRow(core, "Автобус", "1", {{10, 70}, {90, 70}});
  }
}

// The layer switches as the viewer starts, as the documents list them: on at
// first or not, and whether no control turns them off.
struct StartSwitch {
  bool On;
  bool AlwaysShown;
};
const std::map<DrawCode, StartSwitch> kStartSwitches{
    {DrawCode::Street, {true, true}},   {DrawCode::Building, {true, true}}, {DrawCode::Region, {true, true}},
    {DrawCode::Label, {true, false}},   {DrawCode::Object, {true, false}},  {DrawCode::Route, {false, false}},
    {DrawCode::Firm, {false, false}}};

StartSwitch StartSwitchOf(DrawCode code) {
  const auto found = kStartSwitches.find(code);
  if (found != kStartSwitches.end()) return found->second;
  ADD_FAILURE() << "no documented start switch for draw code " << static_cast<char>(code);
  return {};
}

using MapLayersTest = RenderFixture;

}  // namespace

TEST(MapLayers, EveryLayerIsRegisteredWholeOnceInDrawingOrder) {
  const std::vector<DrawCode> drawingOrder{DrawCode::Region, DrawCode::Street, DrawCode::Route, DrawCode::Building,
                                           DrawCode::Object, DrawCode::Label,  DrawCode::Firm};
  std::vector<DrawCode> codes;
  std::set<std::string> names;
  std::set<std::string> tables;
  const CityTables city;
  RenderCache cache;
  std::set<const LayerCache*> caches;
  for (const MapLayer* layer : MapLayers()) {
    SCOPED_TRACE(layer->Name);
    codes.push_back(layer->Code);
    EXPECT_TRUE(names.insert(layer->Name).second) << "a name of its own";
    EXPECT_TRUE(tables.insert(TableOf(city, *layer).Name()).second) << "a table of its own";
    const auto listed = city.DataTables();
    EXPECT_NE(std::find(listed.begin(), listed.end(), &TableOf(city, *layer)), listed.end())
        << layer->Name << ": its table " << TableOf(city, *layer).Name() << " is missing from CityTables::DataTables()";
    EXPECT_NE(layer->Load, nullptr) << "a loader";
    EXPECT_NE(layer->BuildCache, nullptr) << "a cache builder";
    EXPECT_TRUE(caches.insert(&CacheOf(cache, city, *layer)).second) << "a draw cache of its own";
    EXPECT_NE(layer->Draw, nullptr) << "a drawer";
    const StartSwitch start = StartSwitchOf(layer->Code);
    EXPECT_EQ(LayerFlags{}.Shown(layer->Code), start.On) << "a switch, on at first as documented";
    EXPECT_EQ(layer->AlwaysShown, start.AlwaysShown) << "always shown as documented";
    EXPECT_NE(layer->Style, nullptr) << "a style";
    EXPECT_NE(layer->Reach, nullptr) << "a reach beyond its box";
    EXPECT_EQ(layer->Hit.Shape == HitShape::None, layer->Hit.Word == nullptr) << "a word for what is here";
    EXPECT_EQ(layer->Hit.Shape == HitShape::Line, layer->Hit.LineWidth != nullptr) << "a drawn width";
    EXPECT_EQ(&LayerOf(layer->Code), layer);
    EXPECT_EQ(DrawCodeOf(DrawCodeText(layer->Code)), layer->Code);
  }
  EXPECT_EQ(codes, drawingOrder);
  for (const char* notACode : {"", "0", "8", "12", "a"}) EXPECT_FALSE(DrawCodeOf(notACode)) << notACode;
}

// A row of every layer is listed, converted and drawn through its own
// description, and its switch takes it off the picture (unless the layer is
// always shown).
TEST_F(MapLayersTest, EachLayersRowIsDrawnWhileItsSwitchIsOn) {
  for (const MapLayer* layer : MapLayers()) {
    SCOPED_TRACE(layer->Name);
    // A fresh city: new tables start their revisions anew, so the caches go too.
    core.Tables = CityTables{};
    core.Render.Cache = RenderCache{};
    core.Tables.ImageListObject.push_back(SolidIcon(qRgb(0, 0, 255)));
    core.Tables.FirmsImageList.push_back(SolidIcon(qRgb(0, 0, 255)));
    core.Search.FoundFirms.Clear();
    core.Flags = LayerFlags{};
    AddRowOf(core, layer->Code);
    ASSERT_EQ(TableOf(core.Tables, *layer).Count(), 1);
    SetLayerShown(core.Flags, *layer, true);
    SetView(2.0f);
    Draw();
    ASSERT_EQ(core.Tables.DrawListView.Count(), 1);
    EXPECT_EQ(core.Tables.DrawListView[0].Cell(draw_list_cell::Code), DrawCodeText(layer->Code));
    const QRect drawn(0, 0, 200, 200);
    EXPECT_LT(CountPixels(drawn, kBackground), drawn.width() * drawn.height());
    SetLayerShown(core.Flags, *layer, false);
    Draw();
    EXPECT_EQ(LayerShown(core.Flags, *layer), StartSwitchOf(layer->Code).AlwaysShown);
    if (!layer->AlwaysShown) {
      EXPECT_EQ(CountPixels(core.Map.rect(), kBackground), 400 * 300);
    }
  }
}
