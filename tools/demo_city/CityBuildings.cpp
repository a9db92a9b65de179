// Buildings: rows of houses along the streets around every block, a few
// courtyard buildings with names (schools, kindergartens, clinics), large
// works in the industrial zone, the buildings of the special blocks, and the
// private houses of the settlement.  House numbers are given afterwards, per
// street: odd on one side, even on the other, rising along the street.
#include <algorithm>
#include <cmath>
#include <map>

#include "CityLayout.h"

namespace {

// Which street a building faces and where along it, for the numbering.
struct Facing {
  size_t Index;
  std::string Street;
  bool Even;
  int Position;
};

struct Builder {
  City& Target;
  Random& Rng;
  std::vector<Facing> Facings;
  int Schools = 0, Kindergartens = 0, Clinics = 0;

  void Add(std::vector<Point> outline, const std::string& street, bool even, int position, const std::string& name = " ") {
    Facings.push_back({Target.Buildings.size(), street, even, position});
    Target.Buildings.push_back({street, "", name, std::move(outline)});
  }
};

std::vector<Point> Rectangle(int x0, int y0, int x1, int y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

// A rectangle with one corner cut away: an L-shaped house.
std::vector<Point> LShape(int x0, int y0, int x1, int y1, int corner) {
  const int cx = (x1 - x0) / 2, cy = (y1 - y0) / 2;
  switch (corner % 4) {
    case 0: return {{x0, y0}, {x1 - cx, y0}, {x1 - cx, y0 + cy}, {x1, y0 + cy}, {x1, y1}, {x0, y1}};
    case 1: return {{x0, y0}, {x1, y0}, {x1, y1 - cy}, {x1 - cx, y1 - cy}, {x1 - cx, y1}, {x0, y1}};
    case 2: return {{x0 + cx, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0 + cy}, {x0 + cx, y0 + cy}};
    default: return {{x0, y0}, {x1, y0}, {x1, y1}, {x0 + cx, y1}, {x0 + cx, y1 - cy}, {x0, y1 - cy}};
  }
}

std::vector<Point> House(Random& rng, int x0, int y0, int x1, int y1) {
  if (x1 - x0 >= 30 && rng.Chance(30)) return LShape(x0, y0, x1, y1, rng.Between(0, 3));
  return Rectangle(x0, y0, x1, y1);
}

std::vector<Point> Oval(int cx, int cy, int rx, int ry, int points) {
  std::vector<Point> outline;
  for (int k = 0; k < points; ++k) {
    const double a = 2 * 3.14159265358979 * k / points;
    outline.push_back({cx + static_cast<int>(std::lround(rx * std::cos(a))), cy + static_cast<int>(std::lround(ry * std::sin(a)))});
  }
  return outline;
}

// A row of houses along a horizontal street, from x0 to x1, between y0 and y0 + depth.
void HouseRow(Builder& b, int x0, int x1, int y0, int depth, int minWidth, int maxWidth, const std::string& street, bool even) {
  int x = x0;
  while (x1 - x >= minWidth) {
    int w = b.Rng.Between(minWidth, maxWidth);
    if (x1 - x - w < minWidth) w = x1 - x;
    const int d = depth - b.Rng.Between(0, depth / 5);
    const int y = even ? y0 : y0 + depth - d;
    b.Add(House(b.Rng, x, y, x + w, y + d), street, even, x + w / 2);
    x += w + b.Rng.Between(minWidth / 5 + 2, minWidth / 3 + 4);
  }
}

std::string NextCourtyardName(Builder& b) {
  switch (b.Rng.Between(0, 5)) {
    case 0:
    case 1: return "Школа №" + std::to_string(++b.Schools);
    case 2:
    case 3: return "Детский сад №" + std::to_string(++b.Kindergartens);
    case 4: return "Поликлиника №" + std::to_string(++b.Clinics);
    default: return b.Rng.Chance(50) ? "Библиотека" : "Дом культуры";
  }
}

void ResidentialBlock(Builder& b, const Block& k) {
  const int m = 14, depth = 24;
  HouseRow(b, k.Left + m, k.Right - m, k.Top + m, depth, 26, 44, k.TopStreet, true);
  HouseRow(b, k.Left + m, k.Right - m, k.Bottom - m - depth, depth, 26, 44, k.BottomStreet, false);
  const int top = k.Top + m + depth + 8, bottom = k.Bottom - m - depth - 8;
  if (bottom - top >= 20) {
    b.Add(Rectangle(k.Left + m, top, k.Left + m + 20, bottom), k.LeftStreet, true, (top + bottom) / 2);
    b.Add(Rectangle(k.Right - m - 20, top, k.Right - m, bottom), k.RightStreet, false, (top + bottom) / 2);
  }
  const int innerLeft = k.Left + m + 28, innerRight = k.Right - m - 28;
  if (bottom - top >= 24 && innerRight - innerLeft >= 44 && b.Rng.Chance(35)) {
    const int cx = (innerLeft + innerRight) / 2;
    b.Add(Rectangle(cx - 22, top + 2, cx + 22, bottom - 2), k.TopStreet, true, cx, NextCourtyardName(b));
  }
}

void IndustrialBlock(Builder& b, const Block& k) {
  static const char* kWorks[] = {"Завод «Прогресс»", "Склад №1",          "Котельная",  "Автобаза",
                                 "Хлебозавод",       "Мебельная фабрика", "Типография", "Склад №2",
                                 "Механический завод", "Овощебаза",       "Депо",       "Молокозавод"};
  const int m = 16;
  int x = k.Left + m;
  while (k.Right - m - x >= 40) {
    int w = std::min(b.Rng.Between(40, 80), k.Right - m - x);
    const bool named = b.Rng.Chance(50);
    b.Add(Rectangle(x, k.Top + m, x + w, k.Top + m + 40), k.TopStreet, true, x + w / 2,
          named ? kWorks[b.Rng.Between(0, 11)] : " ");
    x += w + b.Rng.Between(10, 20);
  }
  const int w = std::min(100, k.Right - k.Left - 2 * m);
  b.Add(LShape(k.Left + m, k.Bottom - m - 46, k.Left + m + w, k.Bottom - m, b.Rng.Between(0, 3)), k.BottomStreet, false,
        k.Left + m + w / 2, kWorks[b.Rng.Between(0, 11)]);
}

void SpecialBlockBuildings(Builder& b, const Block& k) {
  const int cx = (k.Left + k.Right) / 2, cy = (k.Top + k.Bottom) / 2;
  switch (k.Use) {
    case BlockUse::Square:
      b.Add(Rectangle(cx - 40, k.Top + 14, cx + 40, k.Top + 44), k.TopStreet, true, cx, "Администрация города");
      break;
    case BlockUse::Market:
      b.Add(Rectangle(cx - 45, cy - 20, cx + 45, cy + 25), k.TopStreet, true, cx, k.Name);
      for (int x = k.Left + 16; x + 14 <= k.Right - 16; x += 20)
        b.Add(Rectangle(x, k.Top + 14, x + 14, k.Top + 26), k.TopStreet, true, x + 7);
      break;
    case BlockUse::Stadium:
      b.Add(Oval(cx, cy, (k.Right - k.Left) / 2 - 18, (k.Bottom - k.Top) / 2 - 16, 24), k.TopStreet, true, cx, k.Name);
      break;
    case BlockUse::Park:
      b.Add(Oval(cx, cy, 16, 12, 12), k.TopStreet, true, cx, "Летняя эстрада");
      break;
    default: break;
  }
}

void SettlementBlock(Builder& b, const Block& k) {
  const int m = 10;
  HouseRow(b, k.Left + m, k.Right - m, k.Top + m, 16, 14, 18, k.TopStreet, true);
  HouseRow(b, k.Left + m, k.Right - m, k.Bottom - m - 16, 16, 14, 18, k.BottomStreet, false);
}

void AddStation(Builder& b, const CityPlan& plan, const Layout& layout) {
  const int x = layout.Xs[plan.AvenueColumns.front()] + plan.StepX / 2;
  b.Add(Rectangle(x - 50, plan.Y0 - 52, x + 50, plan.Y0 - 16), plan.HorizontalNames[0], false, x, "Железнодорожный вокзал");
}

// Odd numbers on one side of a street, even on the other, rising along it.
void NumberHouses(Builder& b) {
  std::map<std::pair<std::string, bool>, std::vector<const Facing*>> sides;
  for (const Facing& f : b.Facings) sides[{f.Street, f.Even}].push_back(&f);
  for (auto& [key, facings] : sides) {
    std::stable_sort(facings.begin(), facings.end(), [](const Facing* a, const Facing* c) { return a->Position < c->Position; });
    int number = key.second ? 2 : 1;
    for (const Facing* f : facings) {
      b.Target.Buildings[f->Index].Number = std::to_string(number);
      number += 2;
    }
  }
}

}  // namespace

void AddBuildings(const CityPlan& plan, const Layout& layout, Random& random, City& city) {
  Builder builder{city, random, {}};
  AddStation(builder, plan, layout);
  for (const Block& block : layout.Blocks) {
    switch (block.Use) {
      case BlockUse::Residential: ResidentialBlock(builder, block); break;
      case BlockUse::Industrial: IndustrialBlock(builder, block); break;
      case BlockUse::Settlement: SettlementBlock(builder, block); break;
      default: SpecialBlockBuildings(builder, block); break;
    }
  }
  NumberHouses(builder);
}
