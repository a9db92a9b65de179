#include "importer/CityAssembly.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "citywriter/CityRecords.h"
#include "importer/AddressIndex.h"
#include "importer/AddressPoints.h"
#include "importer/CityArea.h"
#include "importer/Cp1251Text.h"
#include "importer/DataReach.h"
#include "importer/Geometry.h"
#include "importer/NearestStreet.h"
#include "importer/Projection.h"
#include "importer/StreetLabels.h"
#include "importer/TagMapping.h"
#include "mapdata/Cp1251.h"
#include "route/RoadGraphBuilder.h"

namespace {

constexpr double kMetresPerDegree = 111320.0;
// The centre is the median of at most about this many points.
constexpr size_t kCentrePoints = 1000000;
// A point of interest without an address takes that of a house this near.
constexpr double kNearHouseMetres = 50;
// Two place names alike closer than this are one place named twice (a node
// and the area around it).
constexpr double kSamePlaceMetres = 3000;

// Lines that join into one record when they meet: same kind, name, type and width.
using LineKey = std::tuple<int, LineKind, std::string, std::string, int, double>;  // rank first: drawing order

LineKey KeyOf(const LineFeature& line) {
  return {line.Rank, line.Kind, line.Name, line.Type, line.Width, line.WidthMetres};
}

bool AnyOutside(const std::vector<GeoPoint>& points, const GeoBox& box) {
  return std::any_of(points.begin(), points.end(), [&](GeoPoint p) { return !box.Contains(p); });
}

template <typename T>
void Release(std::vector<T>& features) {
  std::vector<T>().swap(features);
}

double GeoDistanceMetres(GeoPoint a, GeoPoint b) {
  const double lat = Degrees((a.Y / 2) + (b.Y / 2)) * M_PI / 180;
  const double dx = Degrees(a.X - b.X) * std::cos(lat), dy = Degrees(a.Y - b.Y);
  return std::hypot(dx, dy) * kMetresPerDegree;
}

std::string Capitalised(const std::string& utf8) {
  QString text = QString::fromStdString(utf8);
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text.toStdString();
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
  return text;
}

class CityBuilder {
 public:
  CityBuilder(Features& features, const AssemblyOptions& options, AssembledCity& out)
      : f_(features), o_(options), out_(out), city_(out.Map), report_(features.Report), text_(features.Report) {}

  bool Run(std::string& error) {
    PlaceAddressPoints(f_);
    if (!FindCentre(error)) return false;
    city_.DirName = o_.Name;
    city_.Title = text_.Field(o_.Name, kMaxPlainField);
    // Each kind of feature is let go as soon as it has become records: a big
    // city is never held twice.
    Stage(1);
    AddLabels();
    Stage(2);
    {
      const AddressIndex addresses(f_.Buildings);
      AddressFirms(addresses);  // from the streets too, before they become records
      Stage(3);
      AddLines();
      Release(f_.Lines);
      Stage(4);
      AddObjects(addresses);
      AddFirms();
    }
    Release(f_.Objects);
    Release(f_.Firms);
    Stage(5);
    AddBuildings();
    Release(f_.Buildings);
    Stage(6);
    AddRegions();
    Release(f_.Regions);
    Stage(7);
    AddRoutes();
    Release(f_.Routes);
    AddRoads();
    Release(f_.Roads);
    AddKeywordsAndAbout();
    Stage(8);
    FindCityBox();
    if (city_.Streets.empty() && city_.Buildings.empty() && city_.Regions.empty() && city_.Objects.empty() &&
        city_.Firms.empty() && city_.Routes.empty()) {
      error = "nothing of the data makes a record of the map";
      return false;
    }
    return true;
  }

 private:
  static constexpr int kStages = 8;

  // The share done after `done` of the stages; a stop asked for is taken here.
  void Stage(int done) const {
    if (!o_.Control) return;
    o_.Control->At(ImportStep::Assembling, static_cast<double>(done) / kStages);
  }

  // Within a stage that may take long: a stop asked for is taken here.
  void TakeStop() const {
    if (o_.Control) o_.Control->ThrowIfStopped();
  }

  // The middle of the city: of its streets, buildings and points of interest
  // (borders and routes may run far out of it), else of everything; the
  // middle of the main body of their points, so that what lies far out does
  // not move it (DataReach.h).  What has no point within the map's reach of
  // it is left out, what crosses the reach is cut there.
  bool FindCentre(std::string& error) {
    const std::vector<GeoPoint> core = PointsOf(true), body = core.empty() ? PointsOf(false) : core;
    if (body.empty()) {
      error = o_.Box ? "no map data inside --bbox" : "no map data in the file";
      return false;
    }
    if (error = BeyondMapLatitude(body); !error.empty()) return false;
    GeoPoint centre = MainBodyCentre(body);
    clip_ = ReachAround(centre);
    KeepWithinReach(f_, centre.X, clip_);
    // Without --bbox the city's own area (within that reach) decides where
    // the map is centred and how far it reaches.
    std::optional<CityArea> area;
    std::string how = kMiddleOfTheArea;
    if (!o_.Box) {
      const std::vector<GeoPoint> kept = PointsOf(true);
      GeoBox box;
      box.Add(kept.empty() ? PointsOf(false) : kept);
      area = FindCityArea(f_, box, o_.FileBounds, o_.CityNames);
      centre = area->Centre;
      how = area->CentreHow;
    }
    if (o_.Box) {
      clip_.MinX = std::max(clip_.MinX, o_.Box->MinX);
      clip_.MinY = std::max(clip_.MinY, o_.Box->MinY);
      clip_.MaxX = std::min(clip_.MaxX, o_.Box->MaxX);
      clip_.MaxY = std::min(clip_.MaxY, o_.Box->MaxY);
      // The box is the user's: a settlement in it named like the city (or
      // the most important one) centres the map, else the middle of its data.
      if (const SettlementFeature* s = CentralSettlement(f_.Settlements, clip_, o_.CityNames)) {
        centre = s->At;
        how = SettlementText(*s);
      }
    }
    if (area) KeepCityArea(*area);
    Release(f_.Settlements);
    proj_ = std::make_unique<Projection>(centre, o_.Unit);
    out_.Geo = proj_->Reference();
    report_.CentreHow = how;
    report_.CentreLatitude = out_.Geo.Projection.OriginLatitude;
    report_.CentreLongitude = out_.Geo.Projection.CentralMeridian;
    return true;
  }

  // The points the centre is found from (inside --bbox): of the city's core
  // (streets, buildings, points of interest), else of all the rest; every
  // few of them for a large extract, which gives the same median.
  std::vector<GeoPoint> PointsOf(bool core) const {
    const auto visit = [&](const auto& take) {
      const auto add = [&](GeoPoint p) {
        if (!o_.Box || o_.Box->Contains(p)) take(p);
      };
      if (core) {
        for (const BuildingFeature& b : f_.Buildings)
          for (GeoPoint p : b.Shape.Outer) add(p);
        for (const ObjectFeature& o : f_.Objects) add(o.At);
        for (const FirmFeature& firm : f_.Firms) add(firm.At);
      } else {
        for (const RegionFeature& r : f_.Regions)
          for (GeoPoint p : r.Shape.Outer) add(p);
        for (const LabelFeature& l : f_.Labels) add(l.At);
        for (const RouteFeature& r : f_.Routes)
          for (const GeoLine& w : r.Ways)
            for (GeoPoint p : w.Points) add(p);
      }
      for (const LineFeature& l : f_.Lines)
        if ((l.Kind == LineKind::Street) == core)
          for (GeoPoint p : l.Line.Points) add(p);
    };
    size_t count = 0;
    visit([&](GeoPoint) { ++count; });
    const size_t every = count / kCentrePoints + 1;
    std::vector<GeoPoint> points;
    points.reserve(count / every + 1);
    size_t i = 0;
    visit([&](GeoPoint p) {
      if (i++ % every == 0) points.push_back(p);
    });
    return points;
  }

  // The map cut at the city area's margin; the summary says how many
  // features reached beyond it.
  void KeepCityArea(const CityArea& area) {
    clip_.MinX = std::max(clip_.MinX, area.Kept.MinX);
    clip_.MinY = std::max(clip_.MinY, area.Kept.MinY);
    clip_.MaxX = std::min(clip_.MaxX, area.Kept.MaxX);
    clip_.MaxY = std::min(clip_.MaxY, area.Kept.MaxY);
    const size_t beyond = FeaturesReachingOut(f_, clip_);
    if (beyond > 0) report_.Change("cut at 10% beyond " + area.Source, beyond);
  }

  // The chooser lists only the kinds the city has, in the order of the
  // table; iconOf maps a kind to its place there.
  std::vector<int> AddKinds(const std::vector<bool>& present) {
    const std::vector<ObjectKindIcon>& icons = ObjectKindIcons();
    std::vector<int> iconOf(icons.size(), -1);
    for (size_t k = 0; k < icons.size(); ++k) {
      if (!present[k]) continue;
      iconOf[k] = static_cast<int>(city_.Kinds.size());
      city_.Kinds.push_back({icons[k].Name, QColor(icons[k].Red, icons[k].Green, icons[k].Blue), icons[k].Glyph});
    }
    return iconOf;
  }

  std::string Field(const std::string& utf8) { return text_.Field(utf8, kMaxPlainField); }

  // A place name centred on its place at the scale it is legible from: size 8
  // from scale 3.5 (taken as 4), the others from 1.
  Label LabelAt(const std::string& utf8, int size, GeoPoint at) {
    const std::string text = Field(utf8);
    const double scale = size >= 9 ? 1.0 : 4.0;
    const Point p = proj_->ToMap(at);
    const double letters = static_cast<double>(Cp1251Text::Length(text));
    return {text, size,
            {p.X - static_cast<int>(std::lround(letters * kLetterPixels / 2 / scale)),
             p.Y - static_cast<int>(std::lround(kLinePixels / 2 / scale))}};
  }

  // The names of places, then those of the streets around them; written
  // streets first, as the map has always had them.
  void AddLabels() {
    const std::vector<Label> places = PlaceLabels();
    std::vector<PlacedLabel> kept;
    for (const Label& l : places) kept.push_back({l.At, l.Size, Cp1251Text::Length(l.Text)});
    std::vector<NamedLine> streets;
    for (const LineFeature& l : f_.Lines) {
      if (l.Kind != LineKind::Street || l.Label.empty()) continue;
      NamedLine line{Field(l.Label), 0, l.LabelSize, proj_->ToMap(l.Line.Points), {}};
      line.Letters = Cp1251Text::Length(line.Text);
      for (GeoPoint p : l.Line.Points) line.Inside.push_back(clip_.Contains(p));
      streets.push_back(std::move(line));
    }
    size_t leftOut = 0;
    city_.Labels = PlaceStreetLabels(std::move(streets), o_.Unit, kept, leftOut, [this] { TakeStop(); });
    if (leftOut > 0) report_.Skip("street name covering another label where it shows", leftOut);
    city_.Labels.insert(city_.Labels.end(), places.begin(), places.end());
  }

  int LineWidth(const LineFeature& line) {
    if (line.WidthMetres <= 0) return line.Width;
    return std::max(line.Width, static_cast<int>(std::lround(proj_->Units(line.WidthMetres))));
  }

  void AddLines() {
    std::map<LineKey, std::vector<GeoLine>> groups;
    std::map<LineKey, const LineFeature*> examples;
    for (LineFeature& line : f_.Lines) {
      const LineKey key = KeyOf(line);
      examples.emplace(key, &line);
      groups[key].push_back(std::move(line.Line));
    }
    for (auto& [key, lines] : groups) {
      const LineFeature& like = *examples.at(key);
      const std::string name = Field(like.Name);
      const int width = LineWidth(like);
      for (GeoLine& chain : JoinLines(std::move(lines))) AddLine(name, like.Type, width, chain.Points);
    }
  }

  void AddLine(const std::string& name, const std::string& type, int width, const std::vector<GeoPoint>& points) {
    std::vector<std::vector<GeoPoint>> parts{points};
    if (AnyOutside(points, clip_)) {
      parts = ClipLine(points, clip_);
      report_.Change("line cut at the edge of the area");
    }
    for (const std::vector<GeoPoint>& part : parts) {
      const std::vector<Point> line = WithoutRepeats(proj_->ToMap(part), false);
      if (line.size() < 2) {
        report_.Skip("line shorter than a map unit");
        continue;
      }
      const std::vector<std::vector<Point>> pieces = Pieces(line, kMaxPoints);
      if (pieces.size() > 1) report_.Change("line of more than 150 points (split into pieces)");
      for (const std::vector<Point>& piece : pieces) city_.Streets.push_back({name, type, width, piece});
    }
  }

  // The outline of an area in map units, holes kept; false when nothing of
  // it is left.
  bool Outline(const GeoPolygon& shape, std::vector<Point>& outline, double* area = nullptr) {
    bool cut = AnyOutside(shape.Outer, clip_);
    const GeoRing outer = cut ? ClipRing(shape.Outer, clip_) : shape.Outer;
    if (outer.empty()) return false;
    std::vector<Point> ring = WithoutRepeats(proj_->ToMap(outer), true);
    if (ring.size() < 3) {
      report_.Skip("area smaller than a map unit");
      return false;
    }
    std::vector<std::vector<Point>> holes;
    for (const GeoRing& inner : shape.Inners) {
      const bool innerCut = AnyOutside(inner, clip_);
      cut = cut || innerCut;
      const GeoRing clipped = innerCut ? ClipRing(inner, clip_) : inner;
      if (clipped.empty()) continue;
      std::vector<Point> hole = WithoutRepeats(proj_->ToMap(clipped), true);
      if (hole.size() >= 3) holes.push_back(std::move(hole));
    }
    if (cut) report_.Change("outline cut at the edge of the area");
    if (!FitOutline(ring, holes, kMaxPoints)) report_.Change("outline of more than 150 points (simplified)");
    if (area) *area = OutlineArea(ring);
    outline = holes.empty() ? std::move(ring) : Keyhole(ring, holes);
    return true;
  }

  void AddBuildings() {
    for (BuildingFeature& b : f_.Buildings) {
      std::vector<Point> outline;
      if (Outline(b.Shape, outline))
        city_.Buildings.push_back({Field(b.Street), Field(b.Number), Field(b.Name), std::move(outline)});
      b = {};
    }
  }

  // Larger regions first, so that what lies inside them is drawn over them.
  void AddRegions() {
    std::vector<std::pair<double, Region>> regions;
    for (RegionFeature& r : f_.Regions) {
      std::vector<Point> outline;
      double area = 0;
      if (Outline(r.Shape, outline, &area)) regions.push_back({area, {r.Kind, std::move(outline)}});
      r = {};
    }
    std::stable_sort(regions.begin(), regions.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (auto& [area, region] : regions) city_.Regions.push_back(std::move(region));
  }

  // The address of a point: its own, else that of the building it lies in.
  bool Address(GeoPoint at, std::string& street, std::string& number, const AddressIndex& addresses) {
    if (!street.empty() && !number.empty()) return true;
    if (const BuildingFeature* b = addresses.At(at)) {
      street = b->Street;
      number = b->Number;
      return true;
    }
    return false;
  }

  void AddObjects(const AddressIndex& addresses) {
    std::vector<bool> present(ObjectKindIcons().size(), false);
    for (const ObjectFeature& o : f_.Objects)
      if (clip_.Contains(o.At)) present[static_cast<size_t>(o.Kind)] = true;
    const std::vector<int> iconOf = AddKinds(present);
    for (ObjectFeature& o : f_.Objects) {
      if (!clip_.Contains(o.At)) continue;
      Address(o.At, o.Street, o.Number, addresses);
      city_.Objects.push_back({ObjectKindIcons()[o.Kind].Name, Field(o.Street), Field(o.Number), Field(o.Name),
                               proj_->ToMap(o.At), iconOf[static_cast<size_t>(o.Kind)]});
    }
  }

  // Every named point of interest is a firm, found by its address: one
  // without an address of its own takes that of the house it stands in, else
  // of the nearest house within kNearHouseMetres, else its own street or the
  // nearest named street, without a number.
  void AddressFirms(const AddressIndex& addresses) {
    const NearestStreet streets(f_.Lines);
    for (FirmFeature& firm : f_.Firms) {
      if (!clip_.Contains(firm.At) || (!firm.Street.empty() && !firm.Number.empty())) continue;
      const BuildingFeature* house = addresses.At(firm.At);
      if (house) {
        report_.Change("firm given the address of the building it stands in");
      } else if ((house = addresses.Near(firm.At, kNearHouseMetres))) {
        report_.Change("firm given the address of a building within 50 m");
      }
      if (house) {
        firm.Street = house->Street;
        firm.Number = house->Number;
      } else if (firm.Street.empty()) {
        firm.Number.clear();
        if (const std::string* street = streets.At(firm.At)) {
          firm.Street = *street;
          report_.Change("firm given the nearest street without a number");
        }
      }
    }
  }

  // Only a map without a named street leaves a firm without an address.
  void AddFirms() {
    for (FirmFeature& firm : f_.Firms) {
      if (!clip_.Contains(firm.At)) continue;
      if (firm.Street.empty()) {
        report_.Skip("firm without an address");
        continue;
      }
      city_.Firms.push_back(MakeFirm(firm));
      keywords_.insert(QString::fromStdString(text_.Line(firm.Title)));
    }
  }

  Firm MakeFirm(const FirmFeature& f) {
    Firm firm;
    firm.Base = f.Base;
    firm.Name = Field(f.Name);
    firm.Street = Field(f.Street);
    firm.Number = Field(f.Number);
    firm.At = proj_->ToMap(f.At);
    // The firm's file holds at most kMaxFirmBody bytes: the keywords take
    // what the other fields leave.
    const size_t others = Cp1251Text::Length(firm.Name) + Cp1251Text::Length(firm.Street) +
                          Cp1251Text::Length(firm.Number) + PointText({firm.At}).size() + 5;
    firm.Keywords = text_.Field(Joined(f.Keywords), std::min(kMaxPlainField, kMaxFirmBody - others));
    firm.Info.push_back(text_.Line(Capitalised(f.Title)));
    firm.Info.push_back(text_.Line("Адрес: " + f.Street + (f.Number.empty() ? "" : ", " + f.Number)));
    for (const std::string& line : f.Info) firm.Info.push_back(text_.Line(line));
    int r = 0, g = 0, b = 0;
    FirmCategoryColour(f.Category, r, g, b);
    firm.Colour = QColor(r, g, b);
    firm.Glyph = QString::fromStdString(f.Title).left(1).toUpper().toStdString();
    return firm;
  }

  void AddRoutes() {
    for (const RouteFeature& r : f_.Routes) {
      size_t gaps = 0;
      std::vector<GeoPoint> line = JoinInOrder(r.Ways, gaps);
      if (gaps > 0) report_.Change("route with gaps between its ways (joined straight)");
      if (AnyOutside(line, clip_)) {
        const std::vector<std::vector<GeoPoint>> parts = ClipLine(line, clip_);
        if (parts.empty()) {
          report_.Skip("route outside the area");
          continue;
        }
        line = *std::max_element(parts.begin(), parts.end(),
                                 [](const auto& a, const auto& b) { return a.size() < b.size(); });
        report_.Change("route cut to its longest part inside the area");
      }
      std::vector<Point> points = WithoutRepeats(proj_->ToMap(line), false);
      if (points.size() < 2) {
        report_.Skip("line shorter than a map unit");
        continue;
      }
      if (points.size() > kMaxPoints) {
        points = Simplified(points, kMaxPoints, false);
        report_.Change("route of more than 150 points (simplified)");
      }
      city_.Routes.push_back({r.Type, Field(r.Name), Field(r.Comment), points});
    }
  }

  std::vector<Label> PlaceLabels() {
    std::vector<const LabelFeature*> kept;
    std::vector<Label> labels;
    for (const LabelFeature& l : f_.Labels) {
      if (!clip_.Contains(l.At)) continue;
      const bool twice = std::any_of(kept.begin(), kept.end(), [&](const LabelFeature* k) {
        return k->Text == l.Text && k->Size == l.Size && GeoDistanceMetres(k->At, l.At) < kSamePlaceMetres;
      });
      if (twice) continue;
      kept.push_back(&l);
      labels.push_back(LabelAt(l.Text, l.Size, l.At));
    }
    return labels;
  }


  void AddKeywordsAndAbout() {
    std::vector<QString> words(keywords_.begin(), keywords_.end());
    std::stable_sort(words.begin(), words.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    for (const QString& w : words) city_.Keywords.push_back(w.toStdString());
    std::set<std::string> streetNames;
    for (const Street& s : city_.Streets)
      if (s.Name != " " && s.Type != "ЖД" && s.Type != "РЕКА" && s.Type != "ГРАНИЦА" && s.Type != "МОСТ")
        streetNames.insert(s.Name);
    char unit[32];
    std::snprintf(unit, sizeof unit, "%g", o_.Unit);
    city_.About = {
        "Карта построена по данным OpenStreetMap.",
        "Улиц: " + std::to_string(streetNames.size()) + ", зданий: " + std::to_string(city_.Buildings.size()) +
            ", областей: " + std::to_string(city_.Regions.size()) + ", объектов: " +
            std::to_string(city_.Objects.size()) + ", фирм: " + std::to_string(city_.Firms.size()) +
            ", маршрутов: " + std::to_string(city_.Routes.size()) + ".",
        std::string("Одна единица карты — ") + unit + " м.",
        "© участники OpenStreetMap, ODbL",
        "Данные доступны по лицензии Open Database License: https://www.openstreetmap.org/copyright",
    };
  }

  // The road graph: a node for every node of the roads, joined where ways
  // share one; the segments with both ends in the area.  Lengths are
  // measured on the globe, not on the map.
  void AddRoads() {
    RoadGraphBuilder graph(o_.Unit);
    for (const RoadWay& road : f_.Roads) {
      const uint32_t name = graph.Name(road.Name.empty() ? std::string() : cp1251::FromUtf8Closest(road.Name));
      for (size_t k = 0; k + 1 < road.Points.size(); ++k) {
        const GeoPoint a = road.Points[k], b = road.Points[k + 1];
        if (!clip_.Contains(a) || !clip_.Contains(b)) continue;
        const Point pa = proj_->ToMap(a), pb = proj_->ToMap(b);
        graph.AddSegment(road.Nodes[k], {pa.X, pa.Y}, road.Nodes[k + 1], {pb.X, pb.Y}, GeoDistanceMetres(a, b), name,
                         static_cast<RoadClass>(road.Class), road.Access);
      }
    }
    out_.Roads = graph.Take();
  }

  // The box of the streets and buildings, else of every record.
  void FindCityBox() {
    bool any = false;
    const auto add = [&](const std::vector<Point>& points) {
      for (const Point& p : points) {
        if (!any) {
          out_.MinX = out_.MaxX = p.X;
          out_.MinY = out_.MaxY = p.Y;
          any = true;
        }
        out_.MinX = std::min(out_.MinX, p.X);
        out_.MinY = std::min(out_.MinY, p.Y);
        out_.MaxX = std::max(out_.MaxX, p.X);
        out_.MaxY = std::max(out_.MaxY, p.Y);
      }
    };
    for (const Street& s : city_.Streets)
      if (s.Type != "ЖД" && s.Type != "РЕКА" && s.Type != "ГРАНИЦА") add(s.Points);
    for (const Building& b : city_.Buildings) add(b.Outline);
    if (any) return;
    for (const Street& s : city_.Streets) add(s.Points);
    for (const Region& r : city_.Regions) add(r.Outline);
    for (const MapObject& o : city_.Objects) add({o.At});
    for (const Firm& firm : city_.Firms) add({firm.At});
    for (const Route& r : city_.Routes) add(r.Points);
    for (const Label& l : city_.Labels) add({l.At});
  }

  Features& f_;
  const AssemblyOptions& o_;
  AssembledCity& out_;
  City& city_;
  ImportReport& report_;
  Cp1251Text text_;
  GeoBox clip_;
  std::unique_ptr<Projection> proj_;
  std::set<QString> keywords_;
};

}  // namespace

bool AssembleCity(Features& features, const AssemblyOptions& options, AssembledCity& city, std::string& error) {
  return CityBuilder(features, options, city).Run(error);
}
