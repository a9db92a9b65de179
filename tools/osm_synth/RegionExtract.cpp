#include "RegionExtract.h"

#include <osmium/io/any_output.hpp>
#include <osmium/io/writer.hpp>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "SyntheticEmitter.h"
#include "mapdata/NativeName.h"

namespace {

using synth::Emitter;
using synth::Tags;

enum class Boundary { Complete, Broken, None };

struct Settlement {
  std::string Place, Name, RussianName;
  int64_t Population = 0;
  int Blocks = 1;
  Boundary Outline = Boundary::Complete;
  bool Capital = false;
};

std::string Numbered(const std::string& name, size_t round) {
  return round == 0 ? name : name + " " + std::to_string(round + 1);
}

std::string TownName(int k) {
  static const char* kNames[] = {"Светлогорск", "Каменск", "Лесной", "Приозёрный", "Октябрьский",
                                 "Южный",       "Северск", "Горный", "Степной",    "Красноармейск"};
  constexpr int kCount = sizeof kNames / sizeof *kNames;
  return Numbered(kNames[k % kCount], k / kCount);
}

std::string VillageName(int k) {
  static const char* kStems[] = {"Ивановка",  "Петровка",   "Сосновка",  "Берёзовка", "Михайловка", "Александровка",
                                 "Васильевка", "Николаевка", "Дубровка",  "Каменка",   "Ольховка",   "Липовка",
                                 "Рябиновка", "Ключёвка",   "Садовка",   "Вишнёвка",  "Озерка",     "Полянка",
                                 "Луговка",   "Грязновка",  "Ягодновка", "Марьевка",  "Андреевка",  "Сергеевка"};
  static const char* kPrefixes[] = {"", "Новая ", "Старая ", "Большая ", "Малая ", "Верхняя ", "Нижняя "};
  constexpr int kStemCount = sizeof kStems / sizeof *kStems, kPrefixCount = sizeof kPrefixes / sizeof *kPrefixes;
  const int stem = k % kStemCount, prefix = (k / kStemCount) % kPrefixCount;
  return Numbered(std::string(kPrefixes[prefix]) + kStems[stem], k / (kStemCount * kPrefixCount));
}

// What the index-th settlement is (RegionExtract.h lists the first ones).
Settlement SettlementAt(int index, int cityBlocks) {
  const int townBlocks = std::max(2, cityBlocks / 3), villageBlocks = std::max(1, cityBlocks / 10);
  switch (index) {
    case 0: return {"city", "Новоозёрск", "Новоозёрск", 250000, cityBlocks, Boundary::Complete, true};
    case 1: return {"town", "Әлмәт", "Альметьевск", 48000, townBlocks, Boundary::Complete};
    case 2: return {"town", "Заречный", "Заречный", 31000, townBlocks, Boundary::Broken};
    case 3: return {"town", "Луговой", "Луговой", 22000, townBlocks, Boundary::None};
    case 4: return {"village", "Покровка", "", 900, villageBlocks, Boundary::Complete};
    case 5: return {"village", "Покровка", "", 450, villageBlocks, Boundary::Complete};
  }
  const int64_t spread = (static_cast<int64_t>(index) * 7919) % 1000;
  if (index % 20 == 10) {
    const std::string name = TownName(index / 20);
    return {"town", name, name, 12000 + spread * 20, townBlocks, Boundary::Complete};
  }
  if (index % 7 == 0) return {"hamlet", VillageName(index), "", 20 + spread / 20, 1, Boundary::None};
  return {"village", VillageName(index), "", 150 + spread * 2, villageBlocks, Boundary::Complete};
}

struct Rect {
  double X0, Y0, X1, Y1;
};

// A closed ring around `r` as four ways, one a side, each with a node every
// `step` metres or so; the last side left out of the extract when `broken`.
std::vector<int64_t> RingWays(Emitter& e, const Rect& r, double step, const Tags& tags, bool broken) {
  const std::pair<double, double> corners[] = {{r.X0, r.Y0}, {r.X1, r.Y0}, {r.X1, r.Y1}, {r.X0, r.Y1}};
  int64_t corner[4];
  for (int k = 0; k < 4; ++k) corner[k] = e.Node(corners[k].first, corners[k].second);
  std::vector<int64_t> ways;
  for (int k = 0; k < 4; ++k) {
    if (broken && k == 3) {
      ways.push_back(e.MissingWay());
      break;
    }
    const auto [ax, ay] = corners[k];
    const auto [bx, by] = corners[(k + 1) % 4];
    const int parts = std::clamp(static_cast<int>(std::hypot(bx - ax, by - ay) / step), 1, 1000);
    std::vector<int64_t> nodes{corner[k]};
    for (int p = 1; p < parts; ++p) nodes.push_back(e.Node(ax + (bx - ax) * p / parts, ay + (by - ay) * p / parts));
    nodes.push_back(corner[(k + 1) % 4]);
    ways.push_back(e.Way(nodes, tags));
  }
  return ways;
}

void BoundaryRelation(Emitter& e, const std::vector<int64_t>& ways, int64_t centre, const std::string& level,
                      const std::string& name) {
  std::vector<synth::Member> members;
  for (int64_t way : ways) members.push_back({osmium::item_type::way, way, "outer"});
  if (centre) members.push_back({osmium::item_type::node, centre, "admin_centre"});
  e.Relation(members, {{"type", "boundary"}, {"boundary", "administrative"}, {"admin_level", level}, {"name", name}});
}

struct Placed {
  int64_t Corner = 0;  // the town's south-west crossing, where roads meet it
  double X = 0, Y = 0;
};

// The settlement in the cells (cellX, cellY) to (cellX + span, cellY + span).
Placed PlaceSettlement(Emitter& e, int index, const Settlement& s, const RegionLayout& layout, int cellX, int cellY,
                       int span) {
  const double width = synth::TownWidth(s.Blocks), height = synth::TownHeight(s.Blocks), room = span * layout.Cell;
  const double x0 = cellX * layout.Cell + (room - width) / 2 + Emitter::Scatter(index * 31 + 1) * (room - width) / 6;
  const double y0 = cellY * layout.Cell + (room - height) / 2 + Emitter::Scatter(index * 37 + 2) * (room - height) / 6;
  const int64_t corner = synth::Town(e, s.Blocks, x0, y0);
  Tags tags{{"place", s.Place}, {"name", s.Name}, {"population", std::to_string(s.Population)}};
  if (!s.RussianName.empty()) tags.push_back({"name:ru", s.RussianName});
  if (s.Name != s.RussianName && !s.RussianName.empty()) tags.push_back({"name:tt", s.Name});
  if (s.Capital) tags.push_back({"capital", "4"});
  const int64_t centre = e.Node(x0 + width / 2 + 20, y0 + height / 2 + 15, tags);
  if (s.Outline != Boundary::None) {
    const double margin = std::min(std::max(500.0, 0.15 * std::max(width, height)), (room - width) / 3);
    const Rect r{x0 - margin, y0 - margin, x0 + width + margin, y0 + height + margin};
    const auto ways = RingWays(e, r, 400, {{"boundary", "administrative"}, {"admin_level", "8"}},
                               s.Outline == Boundary::Broken);
    BoundaryRelation(e, ways, centre, "8", s.Name);
  }
  return {corner, x0, y0};
}

// A road from `a` to `b` with a node every 500 m.
void Road(Emitter& e, const Placed& a, const Placed& b, bool major, int number) {
  const int parts = std::clamp(static_cast<int>(std::hypot(b.X - a.X, b.Y - a.Y) / 500), 1, 1900);
  std::vector<int64_t> nodes{a.Corner};
  for (int p = 1; p < parts; ++p)
    nodes.push_back(e.Node(a.X + (b.X - a.X) * p / parts + Emitter::Scatter(number * 101 + p) * 40,
                           a.Y + (b.Y - a.Y) * p / parts + Emitter::Scatter(number * 103 + p) * 40));
  nodes.push_back(b.Corner);
  e.Way(nodes, {{"highway", major ? "secondary" : "tertiary"}, {"ref", "14К-" + std::to_string(number)}});
}

// Which settlement each cell holds (-1: none, or the city's beyond its first).
std::vector<int> SettlementsOfCells(const RegionSize& size, const RegionLayout& layout) {
  std::vector<int> cells(static_cast<size_t>(layout.Side) * layout.Side, -1);
  int next = 0;
  for (size_t c = 0; c < cells.size() && next < size.Settlements; ++c) {
    const int x = static_cast<int>(c % layout.Side), y = static_cast<int>(c / layout.Side);
    if (c == 0 || x >= layout.CityCells || y >= layout.CityCells) cells[c] = next++;
  }
  return cells;
}

void Generate(Emitter& e, const RegionSize& size) {
  const RegionLayout layout = LayoutOf(size);
  const std::vector<int> cells = SettlementsOfCells(size, layout);
  std::vector<Placed> placed(size.Settlements);
  std::vector<bool> major(size.Settlements);
  for (size_t c = 0; c < cells.size(); ++c) {
    const int i = cells[c];
    if (i < 0) continue;
    const Settlement s = SettlementAt(i, size.CityBlocks);
    placed[i] = PlaceSettlement(e, i, s, layout, static_cast<int>(c % layout.Side), static_cast<int>(c / layout.Side),
                                i == 0 ? layout.CityCells : 1);
    major[i] = s.Place == "city" || s.Place == "town";
  }
  // Each settlement joined to the nearest ones east and north of it; the city
  // to those along its edges.
  int number = 0;
  const auto join = [&](int a, size_t cell) {
    if (cell < cells.size() && cells[cell] > 0 && cells[cell] != a)
      Road(e, placed[a], placed[cells[cell]], major[a] && major[cells[cell]], ++number);
  };
  for (size_t c = 0; c < cells.size(); ++c) {
    const int x = static_cast<int>(c % layout.Side);
    if (c == 0) {
      join(0, layout.CityCells);
      join(0, static_cast<size_t>(layout.CityCells) * layout.Side);
    } else if (cells[c] >= 0) {
      if (x + 1 < layout.Side) join(cells[c], c + 1);
      join(cells[c], c + layout.Side);
    }
  }
  int rows = 0;
  for (size_t c = 0; c < cells.size(); ++c)
    if (cells[c] >= 0) rows = static_cast<int>(c / layout.Side) + 1;
  rows = std::max(rows, layout.CityCells);
  const Rect region{-2000, -2000, layout.Side * layout.Cell + 2000, rows * layout.Cell + 2000};
  const auto ways = RingWays(e, region, 2000, {{"boundary", "administrative"}, {"admin_level", "4"}}, false);
  BoundaryRelation(e, ways, 0, "4", "Озёрская область");
}

}  // namespace

RegionLayout LayoutOf(const RegionSize& size) {
  RegionLayout layout;
  const int settlements = std::max(1, size.Settlements);
  const int townBlocks = SettlementAt(1, size.CityBlocks).Blocks;
  const auto sideFor = [](int cells) { return static_cast<int>(std::ceil(std::sqrt(static_cast<double>(cells)))); };
  // A few hundred kilometres across, with room in each cell for a town and its boundary.
  const double across = std::clamp(sideFor(settlements) * 25000.0, 60000.0, 400000.0);
  layout.Cell = std::max(across / sideFor(settlements), 1.5 * synth::TownWidth(townBlocks));
  layout.CityCells = static_cast<int>(std::ceil(1.5 * synth::TownWidth(size.CityBlocks) / layout.Cell));
  layout.Side = std::max(layout.CityCells, sideFor(settlements + layout.CityCells * layout.CityCells - 1));
  return layout;
}

void GenerateRegionExtract(const RegionSize& size, const std::function<void(osmium::memory::Buffer&&)>& sink) {
  for (synth::Pass pass : {synth::Pass::Nodes, synth::Pass::Ways, synth::Pass::Relations}) {
    Emitter emitter(pass, sink);
    Generate(emitter, size);
  }
}

void WriteRegionExtract(const RegionSize& size, const std::filesystem::path& file) {
  osmium::io::Header header;
  header.set("generator", "tellurin-osm-synth");
  osmium::io::Writer writer{NativeString(file), header, osmium::io::overwrite::allow};
  GenerateRegionExtract(size, [&writer](osmium::memory::Buffer&& buffer) { writer(std::move(buffer)); });
  writer.close();
}
