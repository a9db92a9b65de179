// Text labels, objects and transport routes of a demo city, and BuildCity,
// which runs every step in order.
#include <algorithm>

#include <QString>

#include "CityLayout.h"

namespace {

constexpr int kCharWidth = 6;  // of the map's 8-point label font, roughly

int Length(const std::string& utf8) { return static_cast<int>(QString::fromStdString(utf8).size()); }

// A label whose text is centred on x.
Label Centred(const std::string& text, int size, int x, int y) { return {text, size, {x - Length(text) * kCharWidth / 2, y}}; }

void AddStreetLabels(const CityPlan& plan, const Layout& layout, City& city) {
  for (int i = 0; i < plan.Columns; ++i)
    for (int j = 1; j + 1 < plan.Rows; j += 3)
      city.Labels.push_back({plan.VerticalNames[i], 9, {layout.Xs[i] + 5, (layout.Ys[j] + layout.Ys[j + 1]) / 2}});
  for (int j = 0; j < plan.Rows; ++j)
    for (int i = j % 2; i + 1 < plan.Columns; i += 4)
      city.Labels.push_back(Centred(plan.HorizontalNames[j], 9, (layout.Xs[i] + layout.Xs[i + 1]) / 2, layout.Ys[j] - 7));
  for (size_t r = 0; r < layout.SouthYs.size(); ++r)
    for (size_t k = 1; k + 1 < layout.SouthXs.size(); k += 4)
      city.Labels.push_back(Centred(plan.SouthHorizontalNames[r], 8, (layout.SouthXs[k] + layout.SouthXs[k + 1]) / 2,
                                    layout.SouthYs[r] - 6));
  for (size_t k = 0; k < layout.SouthXs.size(); ++k)
    city.Labels.push_back({plan.SouthVerticalNames[k], 8, {layout.SouthXs[k] + 4, layout.SouthYs[1] + 20}});
  const int x = layout.Xs[plan.Columns / 2];
  city.Labels.push_back(Centred(plan.EmbankmentName, 9, x, EmbankmentY(plan, layout, x) - 8));
}

void AddPlaceLabels(const CityPlan& plan, const Layout& layout, City& city) {
  for (const Block& k : layout.Blocks)
    if (!k.Name.empty()) city.Labels.push_back(Centred(k.Name, 10, (k.Left + k.Right) / 2, k.Bottom - 30));
  const int riverX = layout.Xs[1] + plan.StepX / 2;
  city.Labels.push_back(Centred(plan.RiverName, 11, riverX, RiverY(plan, layout, riverX) - 6));
  if (plan.LakeRadiusX > 0) city.Labels.push_back(Centred(plan.LakeName, 11, plan.LakeCentre.X, plan.LakeCentre.Y - 8));
  const std::vector<std::string>& d = plan.DistrictNames;
  city.Labels.push_back(Centred(d[0], 14, layout.Xs[2] + plan.StepX / 2, layout.Ys[1] + plan.StepY / 2 - 8));
  city.Labels.push_back(Centred(d[1], 12, layout.Xs[plan.Columns - 2], layout.Ys[plan.Rows / 2] + plan.StepY / 2 - 8));
  city.Labels.push_back(Centred(d[2], 12, layout.SouthXs[layout.SouthXs.size() / 2], layout.SouthYs[1] + plan.SouthStepY / 2 - 8));
  city.Labels.push_back(Centred(d[3], 11, layout.Xs[plan.Columns / 2] + plan.StepX / 2, plan.Y0 - 65));
  city.Labels.push_back(Centred(plan.Title, 14, layout.Outskirts[0].X + 150, layout.Outskirts[0].Y + 30));
}

struct KindSpec {
  const char* Name;
  QColor Colour;
  const char* Glyph;
  std::vector<const char*> Names;  // names of its objects
};

const std::vector<KindSpec>& KindSpecs() {
  static const std::vector<KindSpec> kinds = {
      {"Аптеки", QColor(20, 150, 60), "+", {"Аптека №1", "Аптека «Здоровье»", "Аптека «Фармация»", "Аптека №7", "Аптека «Вита»"}},
      {"Школы", QColor(230, 130, 20), "Ш", {}},
      {"Банки", QColor(20, 60, 150), "Б", {"Сбербанк", "Банк «Северный»", "Банк «Восток»", "Банкомат"}},
      {"Кафе", QColor(140, 80, 30), "К", {"Кафе «Ромашка»", "Кафе «Уют»", "Пиццерия «Мама»", "Кофейня «Зерно»", "Столовая №2"}},
      {"Больницы", QColor(210, 30, 40), "Н", {"Городская больница", "Травмпункт", "Детская больница"}},
      {"Магазины", QColor(130, 40, 160), "М", {"Продукты", "Универсам «Рассвет»", "Хозтовары", "Книжный магазин", "Магазин «Обувь»", "Гастроном"}},
      {"Почта", QColor(0, 90, 170), "П", {"Почтовое отделение №1", "Почтовое отделение №2", "Почтовое отделение №5"}},
      {"Гостиницы", QColor(0, 130, 130), "Г", {"Гостиница «Центральная»", "Гостиница «Турист»", "Мини-отель «Река»"}},
      {"Автозаправки", QColor(60, 60, 60), "А", {"АЗС №1", "АЗС «Топливо»", "АЗС №3"}},
      {"Театры и кино", QColor(150, 20, 70), "Т", {"Кинотеатр «Октябрь»", "Драматический театр", "Кинотеатр «Мир»"}},
      {"Музеи", QColor(120, 100, 20), "Мз", {"Краеведческий музей", "Картинная галерея", "Музей истории города"}},
      {"Спорт", QColor(30, 140, 200), "С", {"Бассейн «Волна»", "Спортзал «Атлет»", "Теннисный корт", "Лыжная база"}},
  };
  return kinds;
}

Point Centre(const Building& b) {
  int minX = b.Outline[0].X, maxX = minX, minY = b.Outline[0].Y, maxY = minY;
  for (const Point& p : b.Outline) {
    minX = std::min(minX, p.X), maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
  }
  return {(minX + maxX) / 2, (minY + maxY) / 2};
}

// Routes run along the grid, turning at crossings: from each waypoint to the
// next first along the row, then along the column.
std::vector<Point> GridPath(const Layout& layout, const std::vector<std::pair<int, int>>& waypoints) {
  std::vector<Point> path;
  auto at = [&](int c, int r) { path.push_back({layout.Xs[c], layout.Ys[r]}); };
  int c = waypoints[0].first, r = waypoints[0].second;
  at(c, r);
  for (size_t w = 1; w < waypoints.size(); ++w) {
    while (c != waypoints[w].first) at(c += c < waypoints[w].first ? 1 : -1, r);
    while (r != waypoints[w].second) at(c, r += r < waypoints[w].second ? 1 : -1);
  }
  return path;
}

// On from the grid's last row over the bridge of that column into the settlement.
void CrossRiver(const CityPlan& plan, const Layout& layout, int column, std::vector<Point>& path) {
  const int x = layout.Xs[column];
  path.push_back({x, EmbankmentY(plan, layout, x)});
  for (int y : layout.SouthYs) path.push_back({x, y});
}

}  // namespace

void AddLabels(const CityPlan& plan, const Layout& layout, City& city) {
  AddStreetLabels(plan, layout, city);
  AddPlaceLabels(plan, layout, city);
}

void AddObjects(Random& random, City& city) {
  const auto& specs = KindSpecs();
  for (const KindSpec& kind : specs) city.Kinds.push_back({kind.Name, kind.Colour, kind.Glyph});
  std::vector<size_t> free;
  for (size_t i = 0; i < city.Buildings.size(); ++i) {
    const Building& b = city.Buildings[i];
    if (b.Name.rfind("Школа", 0) == 0)
      city.Objects.push_back({"Школы", b.Street, b.Number, b.Name, Centre(b), 1});
    else if (b.Name == " " && b.Outline.size() >= 4 && Centre(b).Y < city.Height * 2 / 3)
      free.push_back(i);
  }
  for (size_t k = 0; k < specs.size(); ++k)
    for (const char* name : specs[k].Names) {
      const size_t pick = static_cast<size_t>(random.Between(0, static_cast<int>(free.size()) - 1));
      const Building& b = city.Buildings[free[pick]];
      city.Objects.push_back({specs[k].Name, b.Street, b.Number, name, Centre(b), static_cast<int>(k)});
      free.erase(free.begin() + static_cast<long>(pick));
    }
}

void AddRoutes(const CityPlan& plan, const Layout& layout, City& city) {
  const int last = plan.Columns - 1, bottom = plan.Rows - 1;
  const int bridge1 = plan.BridgeColumns[0], bridge2 = plan.BridgeColumns.back();
  const std::string south = plan.DistrictNames[2];

  Route r1{"Автобус", "№1", "Вокзал — " + south, GridPath(layout, {{bridge1, 0}, {bridge1, bottom}})};
  CrossRiver(plan, layout, bridge1, r1.Points);
  Route r2{"Троллейбус", "№2", "Через центр города",
           GridPath(layout, {{0, plan.AvenueRows[0]}, {last, plan.AvenueRows[0]}})};
  Route r3{"Трамвай", "№3", "Завод — Рынок", GridPath(layout, {{last - 1, 1}, {last - 1, bottom - 1}, {1, bottom - 1}, {1, 2}})};
  Route r4{"Маршрутное такси", "№15", "Кольцевой маршрут", GridPath(layout, {{1, 1}, {last - 2, 1}, {last - 2, bottom - 1}, {1, bottom - 1}, {1, 1}})};
  Route r5{"Автобус", "№7", "Вокзал — Стадион — " + south, GridPath(layout, {{bridge2, 0}, {bridge2, bottom}})};
  CrossRiver(plan, layout, bridge2, r5.Points);
  Route r6{"Маршрутное такси", "№21", "Промзона — Центр", GridPath(layout, {{last, 0}, {last, 2}, {3, 2}, {3, 4}, {0, 4}})};
  Route r7{"Троллейбус", "№4", "Вокзальная линия", GridPath(layout, {{0, 0}, {last, 0}, {last, 1}})};
  city.Routes = {r1, r2, r3, r4, r5, r6, r7};
}

City BuildCity(const CityPlan& plan) {
  City city;
  city.DirName = plan.DirName;
  city.Title = plan.Title;
  city.About = plan.About;
  Random random(plan.Seed);
  const Layout layout = LayOutStreets(plan, city);
  AddRegions(plan, layout, city);
  AddBuildings(plan, layout, random, city);
  AddLabels(plan, layout, city);
  AddObjects(random, city);
  AddRoutes(plan, layout, city);
  AddFirms(random, city);
  return city;
}
