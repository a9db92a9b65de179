#include "SyntheticExtract.h"
#include "SyntheticEmitter.h"
#include "mapdata/NativeName.h"

#include <osmium/io/any_output.hpp>
#include <osmium/io/writer.hpp>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace synth {

namespace {

constexpr double kBlockWidth = 150, kBlockHeight = 120;  // metres between street axes

std::string StreetName(bool vertical, int k) {
  static const char* kStems[] = {"Садовая", "Лесная", "Школьная", "Полевая", "Речная", "Новая", "Мирная", "Зелёная"};
  const std::string stem = std::string(kStems[k % 8]) + " " + std::to_string(k / 8 + 1) + "-я";
  if (vertical) return k % 5 == 0 ? "проспект " + stem.substr(0, stem.size()) : stem + " линия";
  return stem + " улица";
}

}  // namespace

double TownWidth(int blocks) { return blocks * kBlockWidth; }
double TownHeight(int blocks) { return blocks * kBlockHeight; }

namespace {

// With mixed roads: every third row of streets one-way (alternately along
// and against its nodes), a pedestrian stretch and a private one in a few
// columns, and a footway (steps in some) across every fifth block between
// the middles of its streets.
Tags RowTags(int j, bool mixedRoads) {
  Tags tags{{"highway", j % 6 == 0 ? "secondary" : "residential"}, {"name", StreetName(false, j)}};
  if (mixedRoads && j % 3 == 1) tags.push_back({"oneway", j % 2 ? "yes" : "-1"});
  return tags;
}

Tags ColumnTags(int i, int j, bool mixedRoads) {
  Tags tags{{"highway", i % 5 == 0 ? "primary" : "tertiary"}, {"name", StreetName(true, i)}};
  if (mixedRoads && i % 7 == 3 && j % 4 == 2) tags[0].second = "pedestrian";
  if (mixedRoads && i % 11 == 6 && j % 5 == 1) tags.push_back({"access", "private"});
  return tags;
}

}  // namespace

int64_t Town(Emitter& e, int n, double ox, double oy, bool mixedRoads) {
  const auto node = [&](double x, double y, const Tags& tags = {}) { return e.Node(ox + x, oy + y, tags); };
  const int64_t firstWay = e.NextWay();
  // Street crossings, then each street as one way per block side.
  std::vector<int64_t> crossing((n + 1) * (n + 1)), middle((n + 1) * n);
  for (int j = 0; j <= n; ++j)
    for (int i = 0; i <= n; ++i) crossing[j * (n + 1) + i] = node(i * kBlockWidth, j * kBlockHeight);
  for (int j = 0; j <= n; ++j)
    for (int i = 0; i < n; ++i) {
      const int64_t mid = node(i * kBlockWidth + kBlockWidth / 2, j * kBlockHeight + (i % 3) - 1.0);
      middle[j * n + i] = mid;
      e.Way({crossing[j * (n + 1) + i], mid, crossing[j * (n + 1) + i + 1]}, RowTags(j, mixedRoads));
    }
  for (int i = 0; i <= n; ++i)
    for (int j = 0; j < n; ++j)
      e.Way({crossing[j * (n + 1) + i], crossing[(j + 1) * (n + 1) + i]}, ColumnTags(i, j, mixedRoads));
  // Per block: land use, houses along its edges, a shop in one of them.
  std::vector<std::pair<int64_t, const char*>> forest;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const double x0 = i * kBlockWidth, y0 = j * kBlockHeight;
      const int block = j * n + i;
      const auto ring = [&](double ax, double ay, double bx, double by) {
        const int64_t a = node(ax, ay), b = node(bx, ay), c = node(bx, by), d = node(ax, by);
        return std::vector<int64_t>{a, b, c, d, a};
      };
      const char* use = block % 11 == 3 ? "industrial" : "residential";
      if (block % 7 == 2) {
        e.Way(ring(x0 + 12, y0 + 12, x0 + kBlockWidth - 12, y0 + kBlockHeight - 12),
              {{"leisure", "park"}, {"name", "Парк " + std::to_string(block)}});
        continue;
      }
      if (block % 13 == 5) {
        const int64_t outer = e.Way(ring(x0 + 12, y0 + 12, x0 + kBlockWidth - 12, y0 + kBlockHeight - 12), {});
        const int64_t inner = e.Way(ring(x0 + 50, y0 + 40, x0 + 100, y0 + 80), {});
        e.Relation({{outer, "outer"}, {inner, "inner"}}, {{"type", "multipolygon"}, {"landuse", "forest"}});
        continue;
      }
      e.Way(ring(x0 + 10, y0 + 10, x0 + kBlockWidth - 10, y0 + kBlockHeight - 10), {{"landuse", use}});
      const std::string street = StreetName(false, j);
      for (int h = 0; h < 6; ++h) {
        const double hx = x0 + 16 + h * 21, hy = y0 + 16;
        Tags tags{{"building", h % 3 == 0 ? "apartments" : "yes"},
                  {"addr:street", street},
                  {"addr:housenumber", std::to_string(i * 12 + h * 2 + 1)},
                  {"building:levels", std::to_string(2 + h % 7)}};
        const int64_t a = node(hx, hy), b = node(hx + 16, hy), c = node(hx + 16, hy + 10),
                      d = node(hx + 8, hy + 12), f = node(hx, hy + 10);
        e.Way({a, b, c, d, f, a}, tags);
        const double ty = y0 + kBlockHeight - 30;
        const int64_t p = node(hx, ty), q = node(hx + 16, ty), r = node(hx + 16, ty + 12), s = node(hx, ty + 12);
        e.Way({p, q, r, s, p}, {{"building", "house"}});
      }
      if (block % 3 == 0)
        node(x0 + 24, y0 + 21,
               {{"shop", block % 2 ? "convenience" : "bakery"}, {"name", "Магазин №" + std::to_string(block)},
                {"opening_hours", "Mo-Su 08:00-22:00"}});
      if (block % 4 == 1) node(x0 + 5, y0 + 5, {{"highway", "bus_stop"}, {"name", "Остановка " + std::to_string(block)}});
      if (block % 40 == 7) node(x0 + 75, y0 + 60, {{"amenity", "school"}, {"name", "Школа №" + std::to_string(block)}});
    }
  for (int j = 0; mixedRoads && j < n; ++j)
    for (int i = 0; i < n; ++i)
      if ((j * n + i) % 5 == 1)
        e.Way({middle[j * n + i], node(i * kBlockWidth + kBlockWidth / 2 + 9, j * kBlockHeight + kBlockHeight / 2),
               middle[(j + 1) * n + i]},
              {{"highway", (j * n + i) % 10 == 6 ? "steps" : "footway"}});
  // A bus route along every tenth row of streets.
  for (int j = 0; j <= n; j += 10) {
    std::vector<std::pair<int64_t, const char*>> ways;
    for (int i = 0; i < n; ++i) ways.push_back({firstWay + j * n + i, ""});  // the row's ways, numbered first above
    e.Relation(ways, {{"type", "route"}, {"route", "bus"}, {"ref", std::to_string(j / 10 + 1)},
                      {"name", "Автобус " + std::to_string(j / 10 + 1)}});
  }
  return crossing[0];
}

}  // namespace synth

void GenerateSyntheticExtract(const SyntheticSize& size, const std::function<void(osmium::memory::Buffer&&)>& sink) {
  for (synth::Pass pass : {synth::Pass::Nodes, synth::Pass::Ways, synth::Pass::Relations}) {
    synth::Emitter emitter(pass, sink);
    synth::Town(emitter, size.Blocks, 0, 0, size.MixedRoads);
  }
}

void WriteSyntheticExtract(const SyntheticSize& size, const std::filesystem::path& file) {
  osmium::io::Header header;
  header.set("generator", "tellurin-osm-synth");
  osmium::io::Writer writer{NativeString(file), header, osmium::io::overwrite::allow};
  GenerateSyntheticExtract(size, [&writer](osmium::memory::Buffer&& buffer) { writer(std::move(buffer)); });
  writer.close();
}
