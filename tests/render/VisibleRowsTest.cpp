// A redraw visits only the rows whose boxes meet the picture, found through a
// spatial index over each layer's boxes: the index finds exactly what a scan of
// the boxes finds, and the picture is the one that handing every listed row to
// its drawer gives.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <stdexcept>
#include <string>

#include "mapdata/PictureLoader.h"
#include "render/MapLayers.h"
#include "render/RenderFixture.h"
#include "render/ViewTransform.h"
#include "shell/LoadCity.h"
#include "support/DemoCities.h"
#include "support/TempDir.h"
#include "mapdata/NativeName.h"

namespace {

class DemoCityViews : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new TempDir;
    const GeneratorRun run = RunDemoGenerator({"--out", QString::fromStdString(NativeString(root_->Path()))});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    RegisterStandardPictureDecoders();
  }
  static void TearDownTestSuite() { delete root_; }

  // A demo city loaded on a 320 x 240 screen (a 640 x 480 picture).
  struct LoadedCity {
    RecordingHost host{320, 240};
    MapCore core;
    explicit LoadedCity(const std::string& name) : core(host, root_->Path()) {
      EXPECT_TRUE(LoadCity(core, name, name));
    }
  };

  static TempDir* root_;
};

TempDir* DemoCityViews::root_ = nullptr;

// The rows with points whose boxes meet `area`, by looking at every one.
std::vector<int32_t> ScanOfBoxes(const LayerCache& cache, const PointBox& area) {
  std::vector<int32_t> rows;
  for (size_t i = 0; i < cache.Rows.size(); ++i) {
    const CachedRow& r = cache.Rows[i];
    const bool meets = r.MinX <= area.MaxX && r.MaxX >= area.MinX && r.MinY <= area.MaxY && r.MaxY >= area.MinY;
    if (r.Count > 0 && meets) rows.push_back(static_cast<int32_t>(i));
  }
  return rows;
}

TEST_F(DemoCityViews, IndexFindsWhatAScanOfTheBoxesFinds) {
  LoadedCity city(kPlainDemoCity);
  MapCore& core = city.core;
  const PointBox e = core.Extents.Box();
  std::mt19937 random(15);
  auto within = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(random); };
  for (const MapLayer* layer : MapLayers()) {
    SCOPED_TRACE(layer->Name);
    const LayerCache& cache = CacheOf(core.Render.Cache, core.Tables, *layer);
    ASSERT_FALSE(cache.Rows.empty());
    size_t found = 0;
    for (int k = 0; k < 300; ++k) {
      PointBox area;
      if (k % 3 == 0) {
        // Edges on a row's own edges: touching counts.
        const CachedRow& r = cache.Rows[static_cast<size_t>(within(0, static_cast<int32_t>(cache.Rows.size()) - 1))];
        area = {r.MaxX, r.MaxY, r.MaxX + within(0, 50), r.MaxY + within(0, 50)};
        if (k % 2) area = {r.MinX - within(0, 50), r.MinY - within(0, 50), r.MinX, r.MinY};
      } else {
        const int32_t x = within(e.MinX - 200, e.MaxX + 200), y = within(e.MinY - 200, e.MaxY + 200);
        const int32_t half = k % 3 == 1 ? within(0, 30) : within(0, 1000);
        area = {x - half, y - within(0, half), x + within(0, half), y + half};
      }
      const std::vector<int32_t> expected = ScanOfBoxes(cache, area);
      found += expected.size();
      ASSERT_EQ(RowsMeeting(core.Render.Cache, core.Tables, *layer, area), expected)
          << "box " << area.MinX << " " << area.MinY << " " << area.MaxX << " " << area.MaxY;
    }
    EXPECT_GT(found, 300u) << "the boxes found rows";
  }
}

QImage PictureOf(MapCore& core, void (*redraw)(MapCore&), const CanvasState& start) {
  core.Render.Canvas = start;
  redraw(core);
  return core.Map.copy();
}

// Random views over both demo cities, near and far, at every kind of scale,
// with every switch, the object filter and "Все значки": the picture drawn from the rows
// that can show is the picture of every listed row.
TEST_F(DemoCityViews, PictureIsTheOneOfEveryListedRow) {
  const float scales[] = {0.25f, 0.5f, 0.7f, 1.0f, 1.5f, 2.0f, 3.5f, 4.0f, 7.5f, 15.0f};
  std::mt19937 random(12);
  auto chance = [&] { return std::uniform_int_distribution<int>(0, 1)(random) == 1; };
  for (const std::string& name : {kPlainDemoCity, kScrambledDemoCity}) {
    LoadedCity city(name);
    MapCore& core = city.core;
    for (int k = 0; k < 10; ++k) core.Search.FoundFirms.AddCells(found_firm_cell::kCells).At(found_firm_cell::FirmRow) =
        std::to_string(k * 3);
    const PointBox e = core.Extents.Box();
    for (int k = 0; k < 40; ++k) {
      ViewState& v = core.View;
      v.Scale = scales[static_cast<size_t>(k) % std::size(scales)];
      v.CenterX = std::uniform_int_distribution<int32_t>(e.MinX - 400, e.MaxX + 400)(random);
      v.CenterY = std::uniform_int_distribution<int32_t>(e.MinY - 400, e.MaxY + 400)(random);
      RecentreOffsets(v);
      core.Flags.SetShown(DrawCode::Label, chance());
      core.Flags.SetShown(DrawCode::Object, chance());
      core.Flags.SetShown(DrawCode::Route, chance());
      core.Flags.SetShown(DrawCode::Firm, chance());
      core.Flags.ObjectFilter = chance() ? -1 : std::uniform_int_distribution<int32_t>(0, 5)(random);
      core.Flags.AllIcons = chance();
      core.Interaction.Mode = chance() ? InteractionMode::StreetSelect : InteractionMode::Normal;
      const CanvasState start = core.Render.Canvas;
      const QImage every = PictureOf(core, RedrawEveryListedRow, start);
      ASSERT_EQ(PictureOf(core, RedrawView, start), every)
          << name << " at " << v.Scale << " centred on " << v.CenterX << ", " << v.CenterY;
    }
  }
}

// Scenes where what lies outside the picture still matters: the canvas state
// rows leave behind, rows that cannot be drawn, draw lists not made by
// BuildDrawList.  Both redraws give the same picture and stop with the same
// message at the same row.
struct Scene {
  const char* Name;
  std::function<void(MapCore&)> Fill;    // rows, then the draw list
  std::function<void(MapCore&)> Change;  // after the draw list is built
};

void PrintTo(const Scene& scene, std::ostream* out) { *out << scene.Name; }

void AddListEntry(MapCore& core, DrawCode code, const std::string& row) {
  RowDraft& entry = core.Tables.DrawListView.AddCells(draw_list_cell::kCells);
  entry.At(draw_list_cell::Code) = DrawCodeText(code);
  entry.At(draw_list_cell::Row) = row;
}

const Scene kScenes[] = {
    {"a first region of no known type out of the picture leaves the colours of later ones",
     [](MapCore& core) {
       AddRegionRow(core, "Пустырь", {{-900, -900}, {-800, -900}, {-800, -800}});
       AddRegionRow(core, "Пустырь", {{10, 10}, {100, 10}, {100, 100}, {10, 100}});
       AddBuildingRow(core, "Мира", "1", {{120, 120}, {160, 120}, {160, 160}});
     },
     nullptr},
    {"a row that cannot be drawn out of the picture stops the drawing there",
     [](MapCore& core) {
       AddStreetRow(core, "Мира", "Улица", 2, {{10, 50}, {190, 50}});
       AddStreetRow(core, "Далёкая", "Улица", 2, {{5000, 50}, {5100, 50}});
       AddStreetRow(core, "Ленина", "Улица", 2, {{10, 90}, {190, 90}});
     },
     [](MapCore& core) {
       core.Tables.ListOfStreets.SetCell(1, street_cell::PointCount, "3");
     }},
    {"an entry of a row the table no longer holds",
     [](MapCore& core) {
       AddLabelRow(core, "Мира", 12, 20, 20);
       AddLabelRow(core, "Ленина", 12, 20, 60);
     },
     [](MapCore& core) {
       core.Tables.ListOfTexts.Clear();
       AddLabelRow(core, "Мира", 12, 20, 20);
     }},
    {"an entry whose row is no number",
     [](MapCore& core) {
       AddRegionRow(core, "Рынки", {{10, 10}, {100, 10}, {100, 100}});
       AddStreetRow(core, "Мира", "Улица", 2, {{10, 50}, {190, 50}});
     },
     [](MapCore& core) { core.Tables.DrawListView.SetCell(1, draw_list_cell::Row, "x"); }},
    {"a draw list out of the layers' order, a row listed twice",
     [](MapCore& core) {
       AddRegionRow(core, "Рынки", {{10, 10}, {100, 10}, {100, 100}});
       AddStreetRow(core, "Мира", "Река", 6, {{10, 50}, {190, 50}});
       AddLabelRow(core, "Мира", 12, 20, 40);
     },
     [](MapCore& core) {
       core.Tables.DrawListView.Clear();
       AddListEntry(core, DrawCode::Label, "0");
       AddListEntry(core, DrawCode::Street, "0");
       AddListEntry(core, DrawCode::Region, "0");
       AddListEntry(core, DrawCode::Street, "0");
     }},
    {"rows listed twice in the layers' order",
     [](MapCore& core) {
       AddRegionRow(core, "Рынки", {{10, 10}, {100, 10}, {100, 100}});
       AddRegionRow(core, "Водоемы", {{50, 50}, {150, 50}, {150, 150}});
     },
     [](MapCore& core) {
       AddListEntry(core, DrawCode::Region, "0");
       AddListEntry(core, DrawCode::Region, "1");
       AddListEntry(core, DrawCode::Street, "0");  // no such street
     }},
};

class SceneRedraw : public RenderFixture, public ::testing::WithParamInterface<Scene> {
 protected:
  // The picture and the message the redraw stopped with, if any.
  std::pair<QImage, std::string> Redrawn(void (*redraw)(MapCore&), const CanvasState& start) {
    core.Render.Canvas = start;
    std::string stopped;
    try {
      redraw(core);
    } catch (const std::exception& e) {
      stopped = e.what();
    }
    return {core.Map.copy(), stopped};
  }
};

TEST_P(SceneRedraw, SameAsEveryListedRow) {
  const Scene& scene = GetParam();
  SCOPED_TRACE(scene.Name);
  scene.Fill(core);
  BuildDrawList(core.Tables, core.View, core.Extents.Box());
  if (scene.Change) scene.Change(core);
  SetView(2.0f);
  const CanvasState start = core.Render.Canvas;
  const auto every = Redrawn(RedrawEveryListedRow, start);
  const auto visible = Redrawn(RedrawView, start);
  EXPECT_EQ(visible.second, every.second);
  EXPECT_EQ(visible.first, every.first);
}

INSTANTIATE_TEST_SUITE_P(Scenes, SceneRedraw, ::testing::ValuesIn(kScenes),
                         [](const auto& info) { return "Scene" + std::to_string(info.index); });

}  // namespace
