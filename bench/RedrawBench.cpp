// Speed of a full redraw of the map picture at 1920 x 1080 (a 3840 x 2160
// picture; on a screen at 200% a 7680 x 4320 one), next to a plain fill of the
// same picture, on a city of demo size and on one a hundred times larger.
//
// With TELLURIN_BENCH_CITY=/path/to/Base/City the large city is loaded from
// disk as the viewer loads it (for example the hundredfold demo city,
// `tellurin-demo-city --scale 100`), and with TELLURIN_BENCH_DEMO_CITY the
// small one (a demo city); otherwise
// synthetic cities are built in memory, laid out as a grid of blocks: per
// block one region, four street segments, eight buildings, a label and an
// object.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "mapdata/Cp1251.h"
#include "render/DrawList.h"
#include "render/MapLayers.h"
#include "render/MapPicture.h"
#include "render/MapStyle.h"
#include "render/ViewTransform.h"
#include "shell/LoadCity.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "view/PictureRatio.h"
#include "view/RedrawView.h"

namespace {

constexpr int kScreenW = 1920, kScreenH = 1080;
constexpr int kBlock = 100;  // map units per block side

std::string PointText(std::initializer_list<int> v) {
  std::string s;
  for (int n : v) s += (s.empty() ? "" : " ") + std::to_string(n);
  return s;
}

void Box(RowDraft& row, const CellBox& box, int minX, int minY, int maxX, int maxY) {
  row.At(box.MinX) = std::to_string(minX);
  row.At(box.MinY) = std::to_string(minY);
  row.At(box.MaxX) = std::to_string(maxX);
  row.At(box.MaxY) = std::to_string(maxY);
}

void AddBlock(MapCore& core, int bx, int by, int n) {
  CityTables& t = core.Tables;
  const int x = bx * kBlock, y = by * kBlock;
  static const std::string regions[] = {cp1251::FromUtf8("Жилая зона"), cp1251::FromUtf8("Леса, парки"),
                                        cp1251::FromUtf8("Промышленная и хозяйственная")};
  RowDraft& region = t.ListOfRegions.AddCells(region_cell::kCells);
  region.At(region_cell::Type) = regions[n % 3];
  region.At(region_cell::PointCount) = "4";
  region.At(region_cell::Points) = PointText({x + 5, y + 5, x + 95, y + 5, x + 95, y + 95, x + 5, y + 95});
  region.At(region_cell::NumberCount) = "0";
  region.At(region_cell::NumberPoints) = " ";
  Box(region, region_cell::kBox, x + 5, y + 5, x + 95, y + 95);

  static const std::string street = cp1251::FromUtf8("улица");
  for (int k = 0; k < 2; ++k) {
    const bool across = k == 0;
    RowDraft& s = t.ListOfStreets.AddCells(street_cell::kCells);
    s.At(street_cell::Name) = cp1251::FromUtf8("Улица ") + std::to_string(n);
    s.At(street_cell::Type) = street;
    s.At(street_cell::Width) = std::to_string(2 + n % 3);
    s.At(street_cell::PointCount) = "3";
    s.At(street_cell::Points) =
        across ? PointText({x, y, x + 50, y, x + 100, y}) : PointText({x, y, x, y + 50, x, y + 100});
    s.At(street_cell::File) = "Streets.txt";
    Box(s, street_cell::kBox, x, y, across ? x + 100 : x, across ? y : y + 100);
  }
  for (int k = 0; k < 8; ++k) {
    const int hx = x + 10 + (k % 4) * 21, hy = y + 10 + (k / 4) * 45;
    RowDraft& b = t.ListOfBuildings.AddCells(building_cell::kCells);
    b.At(building_cell::Street) = street;
    b.At(building_cell::Number) = std::to_string(k + 1);
    b.At(building_cell::Name) = " ";
    b.At(building_cell::PointCount) = "5";
    b.At(building_cell::Points) = PointText({hx, hy, hx + 16, hy, hx + 16, hy + 30, hx, hy + 30, hx, hy});
    b.At(building_cell::File) = "Buildings.txt";
    Box(b, building_cell::kBox, hx, hy, hx + 16, hy + 30);
  }
  RowDraft& label = t.ListOfTexts.AddCells(label_cell::kCells);
  label.At(label_cell::Text) = cp1251::FromUtf8("Квартал ") + std::to_string(n);
  label.At(label_cell::Size) = std::to_string(9 + n % 4);
  label.At(label_cell::Points) = PointText({x + 20, y + 48});
  Box(label, label_cell::kBox, x + 20, y + 48, x + 20, y + 48);
  RowDraft& object = t.ListOfObjects.AddCells(object_cell::kCells);
  object.At(object_cell::Kind) = cp1251::FromUtf8("Аптека");
  object.At(object_cell::Street) = street;
  object.At(object_cell::Number) = "1";
  object.At(object_cell::Name) = " ";
  object.At(object_cell::Points) = PointText({x + 60, y + 60});
  object.At(object_cell::File) = "Objects.txt";
  object.At(object_cell::Icon) = std::to_string(n % 4);
  Box(object, object_cell::kBox, x + 60, y + 60, x + 60, y + 60);
  WidenMapExtents(core.Extents, x, y, x + 100, y + 100);
}

struct City {
  RecordingHost host{kScreenW, kScreenH};
  std::unique_ptr<MapCore> core;
};

// A grid of side x side blocks, loaded as the city load leaves it.
std::unique_ptr<City> SyntheticCity(int side) {
  auto city = std::make_unique<City>();
  city->core = std::make_unique<MapCore>(city->host, std::filesystem::temp_directory_path());
  MapCore& core = *city->core;
  LoadCity(core, "tellurin-bench-no-such-city", "bench");
  for (int i = 0; i < 4; ++i) {
    QImage icon(20, 20, QImage::Format_ARGB32);
    icon.fill(QColor::fromHsv(i * 90, 200, 220));
    core.Tables.ImageListObject.push_back(icon);
  }
  for (int by = 0; by < side; ++by)
    for (int bx = 0; bx < side; ++bx) AddBlock(core, bx, by, by * side + bx);
  const MapExtents& e = core.Extents;
  BuildDrawList(core.Tables, core.View, e.Box());
  return city;
}

std::unique_ptr<City> DiskCity(const char* dir) {
  auto city = std::make_unique<City>();
  const std::filesystem::path path = std::filesystem::absolute(dir).lexically_normal();
  city->core = std::make_unique<MapCore>(city->host, path.parent_path());
  LoadCity(*city->core, path.filename().string(), "bench");
  return city;
}

// Demo size: 20 x 20 blocks (800 streets, 3 200 buildings); hundredfold:
// 200 x 200 blocks (80 000 streets, 320 000 buildings).
City& CityOfSize(int size) {
  static std::unique_ptr<City> cities[2];
  const int k = size == 100 ? 1 : 0;
  if (!cities[k]) {
    const char* disk = std::getenv(k == 1 ? "TELLURIN_BENCH_CITY" : "TELLURIN_BENCH_DEMO_CITY");
    cities[k] = disk ? DiskCity(disk) : SyntheticCity(k == 1 ? 200 : 20);
  }
  return *cities[k];
}

void SetView(MapCore& core, float scale) {
  const MapExtents& e = core.Extents;
  core.View.Scale = scale;
  core.View.CenterX = (e.MapMinX + e.MapMaxX) / 2;
  core.View.CenterY = (e.MapMinY + e.MapMaxY) / 2;
  RecentreOffsets(core.View);
}

// range(0): 1 demo size, 100 hundredfold; range(1): scale x 10.
void BM_RedrawView(benchmark::State& state) {
  MapCore& core = *CityOfSize(static_cast<int>(state.range(0))).core;
  SetView(core, state.range(1) / 10.0f);
  RedrawView(core);  // converts the tables once
  for (auto _ : state) {
    RedrawView(core);
    benchmark::DoNotOptimize(core.Map.constBits());
  }
  state.counters["listed"] = core.Tables.DrawListView.Count();
  for (const MapLayer* layer : MapLayers()) {
    const std::string code = DrawCodeText(layer->Code);
    int rows = 0;
    for (const LayerRow& entry : core.Tables.DrawListView.Rows()) rows += entry.Cell(draw_list_cell::Code) == code;
    state.counters[layer->Name] = rows;
  }
}
BENCHMARK(BM_RedrawView)
    ->Args({1, 5})->Args({1, 10})->Args({1, 20})->Args({1, 40})
    ->Args({100, 5})->Args({100, 10})->Args({100, 20})->Args({100, 40})
    ->Unit(benchmark::kMillisecond);

// The same view on a screen at 100% and at 200% (the picture's device pixels
// four times as many), side by side; range(2): the ratio in percent.
void BM_RedrawAtRatio(benchmark::State& state) {
  MapCore& core = *CityOfSize(static_cast<int>(state.range(0))).core;
  SetPictureRatio(core, state.range(2) / 100.0);
  SetView(core, state.range(1) / 10.0f);
  RedrawView(core);
  for (auto _ : state) {
    RedrawView(core);
    benchmark::DoNotOptimize(core.Map.constBits());
  }
  state.counters["device_pixels"] = static_cast<double>(core.Map.width()) * core.Map.height();
  SetPictureRatio(core, 1.0);
}
BENCHMARK(BM_RedrawAtRatio)
    ->Args({1, 10, 100})->Args({1, 10, 200})->Args({1, 40, 100})->Args({1, 40, 200})
    ->Args({100, 10, 100})->Args({100, 10, 200})->Args({100, 40, 100})->Args({100, 40, 200})
    ->Args({1, 10, 150})->Args({100, 10, 150})
    ->Unit(benchmark::kMillisecond);

// The first redraw after a load, which also converts the tables.
void BM_FirstRedrawAfterLoad(benchmark::State& state) {
  MapCore& core = *CityOfSize(static_cast<int>(state.range(0))).core;
  SetView(core, 1.0f);
  for (auto _ : state) {
    core.Render.Cache = RenderCache{};
    RedrawView(core);
  }
}
BENCHMARK(BM_FirstRedrawAfterLoad)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

// The floor: one fill of a picture of the same size; range(0): 1 the map's
// own picture (NewMapPicture), 0 one as QImage makes it.
void BM_PlainFill(benchmark::State& state) {
  QImage picture = state.range(0) ? NewMapPicture(2 * kScreenW, 2 * kScreenH)
                                  : QImage(2 * kScreenW, 2 * kScreenH, QImage::Format_RGB32);
  for (auto _ : state) {
    picture.fill(mapstyle::BackgroundColor);
    benchmark::DoNotOptimize(picture.constBits());
  }
}
BENCHMARK(BM_PlainFill)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
