// Areas: one region per block by its use, the forest beyond the railway, the
// boulevard along the embankment, the river's water, the outskirts east of
// the settlement (cemetery, gardens, fields, a wood) and the lake over them.
#include <cmath>

#include "CityLayout.h"

namespace {

std::vector<Point> Box(int x0, int y0, int x1, int y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

std::vector<Point> Ellipse(Point centre, int rx, int ry, int points, double wobble) {
  std::vector<Point> outline;
  for (int k = 0; k < points; ++k) {
    const double a = 2 * 3.14159265358979 * k / points;
    const double r = 1.0 + wobble * std::sin(3 * a) + wobble / 2 * std::cos(5 * a);
    outline.push_back({centre.X + static_cast<int>(std::lround(rx * r * std::cos(a))),
                       centre.Y + static_cast<int>(std::lround(ry * r * std::sin(a)))});
  }
  return outline;
}

// A park inside a block: rounded corners, so it does not look like a housing block.
std::vector<Point> ParkOutline(const Block& k) {
  const int m = 8, c = 14;
  return {{k.Left + m + c, k.Top + m},     {k.Right - m - c, k.Top + m},     {k.Right - m, k.Top + m + c},
          {k.Right - m, k.Bottom - m - c}, {k.Right - m - c, k.Bottom - m},  {k.Left + m + c, k.Bottom - m},
          {k.Left + m, k.Bottom - m - c},  {k.Left + m, k.Top + m + c}};
}

const char* RegionTypeOf(BlockUse use) {
  switch (use) {
    case BlockUse::Residential: return "Жилая зона";
    case BlockUse::Industrial: return "Промышленная и хозяйственная";
    case BlockUse::Park: return "Леса, парки";
    case BlockUse::Square: return "Площади";
    case BlockUse::Market: return "Рынки";
    case BlockUse::Stadium: return "Спортивные площадки";
    case BlockUse::Settlement: return "В поселках жилого типа";
    case BlockUse::Garden: return "Сады, виноградники";
    case BlockUse::Field: return "Технические культуры";
    case BlockUse::Cemetery: return "Кладбища";
  }
  return "Жилая зона";
}

void AddBlockRegions(const Layout& layout, City& city) {
  for (const Block& k : layout.Blocks) {
    const int m = k.Use == BlockUse::Settlement || k.Use == BlockUse::Garden ? 5 : 6;
    city.Regions.push_back({RegionTypeOf(k.Use), k.Use == BlockUse::Park ? ParkOutline(k)
                                                                          : Box(k.Left + m, k.Top + m, k.Right - m, k.Bottom - m)});
  }
}

void AddForestStrip(const CityPlan& plan, const City& city, City& out) {
  const int bottom = plan.Y0 - 75 - 40;
  out.Regions.push_back({"Леса, парки", {{20, 18}, {city.Width - 20, 18}, {city.Width - 20, bottom - 20},
                                         {city.Width * 2 / 3, bottom}, {city.Width / 3, bottom + 6}, {20, bottom + 30}}});
}

void AddBoulevard(const CityPlan& plan, const Layout& layout, City& city) {
  Region boulevard{"Леса, парки", {}};
  for (int x = layout.Xs.front(); x <= layout.Xs.back(); x += 80) boulevard.Outline.push_back({x, layout.Ys.back() + 8});
  for (int x = layout.Xs.back(); x >= layout.Xs.front(); x -= 40)
    boulevard.Outline.push_back({x, EmbankmentY(plan, layout, x) - 7});
  city.Regions.push_back(boulevard);
}

void AddWater(const CityPlan& plan, const Layout& layout, City& city) {
  Region water{"Водоемы", {}};
  for (int x = 0; x <= city.Width; x += 80) water.Outline.push_back({x, RiverY(plan, layout, x) - 22});
  for (int x = city.Width / 80 * 80; x >= 0; x -= 80) water.Outline.push_back({x, RiverY(plan, layout, x) + 22});
  city.Regions.push_back(water);
}

void AddOutskirts(const CityPlan& plan, const Layout& layout, City& city) {
  const Point a = layout.Outskirts[0], b = layout.Outskirts[1];
  const int midX = (a.X + b.X) / 2, midY = (a.Y + b.Y) / 2;
  city.Regions.push_back({"Кладбища", Box(a.X, a.Y, midX - 10, midY - 10)});
  city.Regions.push_back({"Сады, виноградники", Box(midX + 10, a.Y, b.X, midY - 10)});
  city.Regions.push_back({"Технические культуры", {{a.X, midY + 10}, {midX - 20, midY + 10}, {midX - 40, b.Y}, {a.X, b.Y}}});
  city.Regions.push_back({"Леса, парки", {{midX, midY + 10}, {b.X, midY + 10}, {b.X, b.Y}, {midX - 20, b.Y}}});
  // West of the settlement, along the highway: more fields.
  city.Regions.push_back({"Технические культуры", Box(plan.X0 - 40, layout.SouthBank + 20, plan.X0 - 8, city.Height - 40)});
  if (plan.LakeRadiusX > 0)
    city.Regions.push_back({"Водоемы", Ellipse(plan.LakeCentre, plan.LakeRadiusX, plan.LakeRadiusY, 28, 0.06)});
}

}  // namespace

void AddRegions(const CityPlan& plan, const Layout& layout, City& city) {
  AddForestStrip(plan, city, city);
  AddBlockRegions(layout, city);
  AddBoulevard(plan, layout, city);
  AddOutskirts(plan, layout, city);
  AddWater(plan, layout, city);
}
