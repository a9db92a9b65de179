#include "CityTiling.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kTileGap = 100;

std::vector<Point> Shifted(const std::vector<Point>& points, Point by) {
  std::vector<Point> out;
  out.reserve(points.size());
  for (const Point& p : points) out.push_back({p.X + by.X, p.Y + by.Y});
  return out;
}

Point Shifted(Point p, Point by) { return {p.X + by.X, p.Y + by.Y}; }

// Fixed-width tile and firm numbers keep "<base>1.jpg" of one firm apart from
// the marker "<base>.jpg" of another.
std::string TileFirmBase(int tile, size_t firm) {
  char text[48];
  std::snprintf(text, sizeof text, "firm_%04d_%03zu", tile + 1, firm + 1);
  return text;
}

void AppendTile(const City& base, int tile, Point by, City& out) {
  for (const Street& s : base.Streets) out.Streets.push_back({s.Name, s.Type, s.Width, Shifted(s.Points, by)});
  for (const Building& b : base.Buildings) out.Buildings.push_back({b.Street, b.Number, b.Name, Shifted(b.Outline, by)});
  for (const Region& r : base.Regions) out.Regions.push_back({r.Type, Shifted(r.Outline, by)});
  for (const Label& l : base.Labels) out.Labels.push_back({l.Text, l.Size, Shifted(l.At, by)});
  for (MapObject o : base.Objects) {
    o.At = Shifted(o.At, by);
    out.Objects.push_back(o);
  }
  for (Route r : base.Routes) {
    r.Points = Shifted(r.Points, by);
    out.Routes.push_back(r);
  }
  for (size_t f = 0; f < base.Firms.size(); ++f) {
    Firm firm = base.Firms[f];
    firm.Base = TileFirmBase(tile, f);
    firm.At = Shifted(firm.At, by);
    firm.Pictures = 0;
    out.Firms.push_back(firm);
  }
}

}  // namespace

City TileCity(const City& base, int factor, const std::string& dirName) {
  City city;
  city.DirName = dirName;
  city.Title = dirName;
  const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(factor))));
  const int rows = (factor + columns - 1) / columns;
  city.About = {"Большой город для проверки скорости: город «" + base.Title + "», размноженный",
                "сеткой " + std::to_string(columns) + " на " + std::to_string(rows) + " (копий: " + std::to_string(factor) + ").",
                "Все слои хранятся в открытом текстовом виде; у фирм нет фотографий."};
  city.Kinds = base.Kinds;
  city.Keywords = base.Keywords;
  city.Width = columns * (base.Width + kTileGap);
  city.Height = rows * (base.Height + kTileGap);
  const size_t n = static_cast<size_t>(factor);
  city.Streets.reserve(base.Streets.size() * n);
  city.Buildings.reserve(base.Buildings.size() * n);
  city.Regions.reserve(base.Regions.size() * n);
  city.Labels.reserve(base.Labels.size() * n);
  for (int t = 0; t < factor; ++t)
    AppendTile(base, t, {(t % columns) * (base.Width + kTileGap), (t / columns) * (base.Height + kTileGap)}, city);
  return city;
}
