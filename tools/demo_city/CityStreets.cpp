// The line features of a demo city: the river, the border, the railway, the
// highway, the street grid north of the river, the embankment, the settlement
// across the river and the bridges.  Their order in the file is their drawing
// order, so the bridges come last, over the river.
#include <cmath>

#include "CityLayout.h"

namespace {

constexpr int kRiverWidth = 14;
constexpr int kRiverStep = 80;

// A street of the plan as the street table holds it: the type word its name
// starts or ends with ("улица Гагарина", "Вокзальная улица", "Набережная
// Быстрой") in the type, the name without it, so that the status bar, which
// joins the two, says the type once.
struct TypedName {
  std::string Type;
  std::string Name;
};

TypedName SplitStreetName(const std::string& written) {
  static const std::pair<const char*, const char*> kWords[] = {
      {"улица", "улица"}, {"проспект", "проспект"}, {"переулок", "переулок"}, {"Набережная", "набережная"}};
  for (const auto& [word, type] : kWords) {
    const std::string front = std::string(word) + " ", behind = " " + std::string(word);
    if (written.rfind(front, 0) == 0) return {type, written.substr(front.size())};
    if (written.size() > behind.size() && written.compare(written.size() - behind.size(), behind.size(), behind) == 0)
      return {type, written.substr(0, written.size() - behind.size())};
  }
  return {"улица", written};
}

Street StreetOf(const std::string& written, int width) {
  const TypedName typed = SplitStreetName(written);
  return Street{typed.Name, typed.Type, width, {}};
}

bool Contains(const std::vector<int>& list, int value) {
  for (int v : list)
    if (v == value) return true;
  return false;
}

int MapWidth(const CityPlan& plan) { return plan.X0 + (plan.Columns - 1) * plan.StepX + 160; }

void AddRiver(const CityPlan& plan, const Layout& layout, int width, City& city) {
  Street river{plan.RiverName, "РЕКА", kRiverWidth, {}};
  for (int x = 0; x < width; x += kRiverStep) river.Points.push_back({x, RiverY(plan, layout, x)});
  river.Points.push_back({width, RiverY(plan, layout, width)});
  city.Streets.push_back(river);
}

void AddBorder(int width, int height, City& city) {
  const int w = width - 10, h = height - 10;
  city.Streets.push_back({"Граница города", "ГРАНИЦА", 2,
                          {{10, 10}, {w / 3, 14}, {2 * w / 3, 8}, {w, 10}, {w - 4, h / 2}, {w, h},
                           {w / 2, h - 6}, {10, h}, {14, h / 2}, {10, 10}}});
}

void AddRailway(const CityPlan& plan, int width, City& city) {
  const int y = plan.Y0 - 75;
  city.Streets.push_back({"Железная дорога", "ЖД", 3,
                          {{0, y + 30}, {width / 5, y + 4}, {width / 3, y}, {2 * width / 3, y}, {4 * width / 5, y - 6},
                           {width, y - 30}}});
}

void AddHighway(const CityPlan& plan, int height, City& city) {
  const int x = plan.X0 - 55;
  city.Streets.push_back({"Объездная дорога", "ТРАССА", 4, {{x, 20}, {x + 6, height / 3}, {x, 2 * height / 3}, {x - 8, height - 20}}});
}

void AddNorthGrid(const CityPlan& plan, const Layout& layout, City& city) {
  for (int i = 0; i < plan.Columns; ++i) {
    const bool avenue = Contains(plan.AvenueColumns, i);
    Street street = StreetOf(plan.VerticalNames[i], avenue ? (i == plan.AvenueColumns.front() ? 6 : 5) : (i % 4 == 0 ? 4 : 3));
    for (int y : layout.Ys) street.Points.push_back({layout.Xs[i], y});
    if (Contains(plan.BridgeColumns, i))
      street.Points.push_back({layout.Xs[i], EmbankmentY(plan, layout, layout.Xs[i])});
    city.Streets.push_back(street);
  }
  for (int j = 0; j < plan.Rows; ++j) {
    Street street = StreetOf(plan.HorizontalNames[j], Contains(plan.AvenueRows, j) ? 6 : (j == 0 ? 4 : 3));
    for (int x : layout.Xs) street.Points.push_back({x, layout.Ys[j]});
    city.Streets.push_back(street);
  }
}

void AddEmbankment(const CityPlan& plan, const Layout& layout, City& city) {
  Street embankment = StreetOf(plan.EmbankmentName, 3);
  for (int x = layout.Xs.front(); x < layout.Xs.back(); x += 40)
    embankment.Points.push_back({x, EmbankmentY(plan, layout, x)});
  embankment.Points.push_back({layout.Xs.back(), EmbankmentY(plan, layout, layout.Xs.back())});
  city.Streets.push_back(embankment);
}

void AddSettlement(const CityPlan& plan, const Layout& layout, City& city) {
  for (size_t r = 0; r < layout.SouthYs.size(); ++r) {
    Street street = StreetOf(plan.SouthHorizontalNames[r], r == 0 ? 3 : 2);
    for (int x : layout.SouthXs) street.Points.push_back({x, layout.SouthYs[r]});
    city.Streets.push_back(street);
  }
  for (size_t k = 0; k < layout.SouthXs.size(); ++k) {
    Street lane = StreetOf(plan.SouthVerticalNames[k], 1);
    for (int y : layout.SouthYs) lane.Points.push_back({layout.SouthXs[k], y});
    city.Streets.push_back(lane);
  }
  // The avenues that cross the river run on through the settlement.
  for (int c : plan.BridgeColumns) {
    const int x = layout.Xs[c];
    Street street = StreetOf(plan.VerticalNames[c], 4);
    street.Points = {{x, layout.SouthBank}, {x, layout.SouthYs.back()}, {x, layout.SouthYs.back() + 50}};
    city.Streets.push_back(street);
  }
}

void AddBridges(const CityPlan& plan, const Layout& layout, City& city) {
  static const char* kNames[] = {"Центральный мост", "Новый мост", "Старый мост"};
  for (size_t b = 0; b < plan.BridgeColumns.size(); ++b) {
    const int x = layout.Xs[plan.BridgeColumns[b]];
    city.Streets.push_back({kNames[b % 3], "МОСТ", 5, {{x, EmbankmentY(plan, layout, x)}, {x, layout.SouthBank}}});
  }
  const int x = plan.X0 - 55 + 3;
  const int y = RiverY(plan, layout, x);
  city.Streets.push_back({"Объездной мост", "МОСТ", 4, {{x, y - 30}, {x, y + 30}}});
}

void AddBlocks(const CityPlan& plan, Layout& layout) {
  for (int j = 0; j + 1 < plan.Rows; ++j)
    for (int i = 0; i + 1 < plan.Columns; ++i) {
      Block block{layout.Xs[i], layout.Ys[j], layout.Xs[i + 1], layout.Ys[j + 1], BlockUse::Residential, "",
                  plan.HorizontalNames[j], plan.HorizontalNames[j + 1], plan.VerticalNames[i], plan.VerticalNames[i + 1]};
      if (i + 1 >= plan.Columns - plan.IndustrialColumns) block.Use = BlockUse::Industrial;
      for (const SpecialBlock& special : plan.Specials)
        if (special.Column == i && special.Row == j) {
          block.Use = special.Use;
          block.Name = special.Name;
        }
      layout.Blocks.push_back(block);
    }
  for (size_t r = 0; r + 1 < layout.SouthYs.size(); ++r)
    for (size_t k = 0; k + 1 < layout.SouthXs.size(); ++k)
      layout.Blocks.push_back({layout.SouthXs[k], layout.SouthYs[r], layout.SouthXs[k + 1], layout.SouthYs[r + 1],
                               (k + 3 * r) % 7 == 3 ? BlockUse::Garden : BlockUse::Settlement, "",
                               plan.SouthHorizontalNames[r], plan.SouthHorizontalNames[r + 1],
                               plan.SouthVerticalNames[k], plan.SouthVerticalNames[k + 1]});
}

}  // namespace

int RiverY(const CityPlan& plan, const Layout& layout, int x) {
  return layout.RiverMid + static_cast<int>(std::lround(plan.RiverAmplitude * std::sin(x / 260.0 + plan.Seed % 7)));
}

int EmbankmentY(const CityPlan& plan, const Layout& layout, int x) { return RiverY(plan, layout, x) - 45; }

Layout LayOutStreets(const CityPlan& plan, City& city) {
  Layout layout;
  for (int i = 0; i < plan.Columns; ++i) layout.Xs.push_back(plan.X0 + i * plan.StepX);
  for (int j = 0; j < plan.Rows; ++j) layout.Ys.push_back(plan.Y0 + j * plan.StepY);
  layout.RiverMid = layout.Ys.back() + 60 + plan.RiverAmplitude + 45;
  layout.SouthBank = layout.RiverMid + plan.RiverAmplitude + 55;
  for (int k = 0; k < plan.SouthColumns; ++k) layout.SouthXs.push_back(plan.X0 + k * plan.SouthStepX);
  for (int r = 0; r < plan.SouthRows; ++r) layout.SouthYs.push_back(layout.SouthBank + r * plan.SouthStepY);
  city.Width = MapWidth(plan);
  city.Height = layout.SouthYs.back() + 90;

  AddRiver(plan, layout, city.Width, city);
  AddBorder(city.Width, city.Height, city);
  AddRailway(plan, city.Width, city);
  AddHighway(plan, city.Height, city);
  AddNorthGrid(plan, layout, city);
  AddEmbankment(plan, layout, city);
  AddSettlement(plan, layout, city);
  AddBridges(plan, layout, city);
  AddBlocks(plan, layout);
  layout.Outskirts = {{layout.SouthXs.back() + 40, layout.SouthBank - 10}, {city.Width - 30, city.Height - 30}};
  return layout;
}
