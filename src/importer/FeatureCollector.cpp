#include "importer/FeatureCollector.h"

#include <algorithm>
#include <cstring>

#include "importer/DataReach.h"
#include "importer/Geometry.h"
#include "importer/RoadTags.h"
#include "importer/StreetNaming.h"
#include "importer/TagMapping.h"

namespace {

const char* Value(const osmium::TagList& tags, const char* key) {
  const char* v = tags.get_value_by_key(key);
  return v ? v : "";
}

bool HasValue(const osmium::TagList& tags, const char* key) { return *Value(tags, key) != '\0'; }

bool IsBuilding(const osmium::TagList& tags) {
  const char* building = tags.get_value_by_key("building");
  return building && std::strcmp(building, "no") != 0;
}

// An address: addr:street, or addr:place where houses are numbered by the
// village rather than the street.
std::string AddressStreet(const osmium::TagList& tags) {
  return HasValue(tags, "addr:street") ? Value(tags, "addr:street") : Value(tags, "addr:place");
}

bool AllLocated(const osmium::WayNodeList& nodes) {
  for (const osmium::NodeRef& n : nodes)
    if (!n.location().valid()) return false;
  return true;
}

// A node the data places off the globe (latitude 91, longitude 181, ...),
// as against one missing from the extract.
bool AnyOffTheGlobe(const osmium::WayNodeList& nodes) {
  for (const osmium::NodeRef& n : nodes)
    if (n.location().is_defined() && !n.location().valid()) return true;
  return false;
}

bool AnyOffTheGlobe(const std::vector<GeoPolygon>& polygons) {
  const auto off = [](const GeoRing& ring) {
    return std::any_of(ring.begin(), ring.end(), [](GeoPoint p) { return !InValidRange(p); });
  };
  for (const GeoPolygon& p : polygons)
    if (off(p.Outer) || std::any_of(p.Inners.begin(), p.Inners.end(), off)) return true;
  return false;
}

std::vector<GeoPoint> Points(const osmium::NodeRefList& nodes) {
  std::vector<GeoPoint> points;
  points.reserve(nodes.size());
  for (const osmium::NodeRef& n : nodes) points.push_back({n.location().x(), n.location().y()});
  return points;
}

GeoLine LineOf(const osmium::Way& way) {
  return {Points(way.nodes()), way.nodes().front().ref(), way.nodes().back().ref()};
}

GeoBox BoundsOf(const std::vector<GeoPoint>& points) {
  GeoBox box;
  box.Add(points);
  return box;
}

// A ring across the 180th meridian as one piece, its longitudes taken around
// its first point's (some then beyond 180), for what is computed from its
// shape; DataReach.h unwraps every point around the city's middle later.
GeoRing OnePiece(const GeoRing& ring) {
  GeoRing piece = ring;
  for (GeoPoint& p : piece) p = Unwrapped(p, ring.front().X);
  return piece;
}

// Tags whose areas make a region, a building, or a point of something.
bool MakesAreaRecord(const osmium::TagList& tags) { return IsBuilding(tags) || RegionKind(tags) != nullptr; }

bool MakesPoint(const osmium::TagList& tags) {
  FirmKinds kinds;
  return ObjectKindOf(tags) >= 0 || (HasValue(tags, "name") && (FindFirmKinds(tags, kinds) || AreaLabelSize(tags) > 0 ||
                                                                  PlaceLabelSize(tags) > 0));
}

// A house mapped as a point: an address of its own and nothing that makes
// an object or a firm (those take the house's address instead), or a
// building node.  Entrances lie on the outline and belong to it.
bool IsAddressPoint(const osmium::TagList& tags) {
  if (tags.has_key("entrance")) return false;
  if (IsBuilding(tags)) return true;
  return HasValue(tags, "addr:housenumber") && !AddressStreet(tags).empty() && !MakesPoint(tags);
}

void AddInfoLine(std::vector<std::string>& info, const char* caption, const char* value) {
  if (value && *value) info.push_back(std::string(caption) + value);
}

std::string FirstOf(const osmium::TagList& tags, std::initializer_list<const char*> keys) {
  for (const char* key : keys)
    if (HasValue(tags, key)) return Value(tags, key);
  return {};
}

}  // namespace

osmium::TagsFilter AreaTagsFilter() {
  osmium::TagsFilter filter{false};
  for (const char* key : {"building", "landuse", "natural", "leisure", "amenity", "shop", "office", "craft", "tourism",
                          "healthcare", "place"})
    filter.add_rule(true, osmium::TagMatcher{key});
  filter.add_rule(true, osmium::TagMatcher{"waterway", "riverbank"});
  filter.add_rule(true, osmium::TagMatcher{"highway", "pedestrian"});
  filter.add_rule(true, osmium::TagMatcher{"railway", "station"});
  return filter;
}

FeatureCollector::FeatureCollector(Features& features, std::optional<GeoBox> box)
    : f_(features), box_(box), areaTags_(AreaTagsFilter()) {}

bool FeatureCollector::Inside(const GeoBox& bounds) {
  if (!box_ || box_->Overlaps(bounds)) return true;
  f_.Report.Skip("outside --bbox");
  return false;
}

void FeatureCollector::node(const osmium::Node& node) {
  const osmium::TagList& tags = node.tags();
  if (tags.empty()) return;
  if (!node.location().valid()) {
    if (node.location().is_defined() && MakesPoint(tags))
      f_.Report.SkipNamed(kOutsideValidRange, "n" + std::to_string(node.id()));
    return;
  }
  const GeoPoint at{node.location().x(), node.location().y()};
  if (box_ && !box_->Contains(at)) {
    if (MakesPoint(tags)) f_.Report.Skip("outside --bbox");
    return;
  }
  CollectPoint(tags, at, "n" + std::to_string(node.id()));
  if (auto settlement = SettlementOf(tags, at, "n" + std::to_string(node.id())))
    f_.Settlements.push_back(std::move(*settlement));
  if (IsAddressPoint(tags))
    f_.AddressPoints.push_back({AddressStreet(tags), Value(tags, "addr:housenumber"), Value(tags, "name"), at,
                                "n" + std::to_string(node.id())});
}

void FeatureCollector::CollectPoint(const osmium::TagList& tags, GeoPoint at, const std::string& base) {
  const int kind = ObjectKindOf(tags);
  if (const char* minor = MinorObjectReason(tags, kind))
    f_.Report.Skip(minor);
  else if (kind >= 0)
    f_.Objects.push_back({kind, Value(tags, "name"), AddressStreet(tags), Value(tags, "addr:housenumber"), at, base});
  CollectFirm(tags, at, base);
  const int placeSize = PlaceLabelSize(tags);
  const int size = placeSize > 0 ? placeSize : AreaLabelSize(tags);
  if (size > 0 && HasValue(tags, "name")) f_.Labels.push_back({Value(tags, "name"), size, at, base});
}

void FeatureCollector::CollectFirm(const osmium::TagList& tags, GeoPoint at, const std::string& base) {
  FirmKinds kinds;
  if (!FindFirmKinds(tags, kinds)) return;
  if (!HasValue(tags, "name")) {
    f_.Report.Skip("firm without a name");
    return;
  }
  FirmFeature firm{base, Value(tags, "name"), AddressStreet(tags), Value(tags, "addr:housenumber"), kinds.Title,
                   kinds.Words, {}, kinds.Category, at};
  for (const std::string& w : CuisineWords(Value(tags, "cuisine"))) AddKeyword(firm.Keywords, w);
  for (const char* key : {"brand", "brand:ru"})
    if (HasValue(tags, key)) AddKeyword(firm.Keywords, Value(tags, key));
  for (const std::string& w : ServiceWords(tags)) AddKeyword(firm.Keywords, w);
  if (HasValue(tags, "opening_hours"))
    firm.Info.push_back("Часы работы: " + OpeningHoursText(Value(tags, "opening_hours")));
  AddInfoLine(firm.Info, "Телефон: ", FirstOf(tags, {"phone", "contact:phone"}).c_str());
  AddInfoLine(firm.Info, "Сайт: ", FirstOf(tags, {"website", "contact:website", "url"}).c_str());
  AddInfoLine(firm.Info, "Эл. почта: ", FirstOf(tags, {"email", "contact:email"}).c_str());
  AddInfoLine(firm.Info, "Организация: ", Value(tags, "operator"));
  if (HasValue(tags, "cuisine")) {
    std::string words;
    for (const std::string& w : CuisineWords(Value(tags, "cuisine"))) words += (words.empty() ? "" : ", ") + w;
    firm.Info.push_back("Кухня: " + words);
  }
  AddInfoLine(firm.Info, "", Value(tags, "description"));
  f_.Firms.push_back(std::move(firm));
}

void FeatureCollector::way(const osmium::Way& way) {
  const osmium::TagList& tags = way.tags();
  if (tags.empty() || way.nodes().size() < 2) return;
  bool missingCounted = false;
  const bool areaOnly = tags.has_tag("area", "yes");
  if (tags.has_key("highway") && !areaOnly) {
    missingCounted = CollectStreet(way);
  } else if (const double rail = RailwayWidthMetres(tags); rail > 0) {
    missingCounted = CollectLine(way, {LineKind::Railway, Value(tags, "name"), "ЖД", 1, rail, 0, 1, {}, {}, {}});
  } else if (const double river = RiverWidthMetres(tags); river > 0) {
    missingCounted = CollectLine(way, {LineKind::River, Value(tags, "name"), "РЕКА", 2, river, 0, 0, {}, {}, {}});
  }
  CountUnassembledArea(way, missingCounted);
}

bool FeatureCollector::CollectStreet(const osmium::Way& way) {
  const osmium::TagList& tags = way.tags();
  const StreetClass* street = FindStreetClass(Value(tags, "highway"));
  if (!street) {
    f_.Report.Skip("highway of a kind not drawn (platform, proposed, ...)");
    return false;
  }
  const bool bridge = IsBridge(tags);
  // Unnamed ways are drawn too (roundabouts, carriageways, links): without
  // them a main road ends in stubs.  They get no label and no row in the
  // street search, which passes over a blank name.
  std::string name = bridge && HasValue(tags, "bridge:name") ? Value(tags, "bridge:name") : Value(tags, "name");
  StreetNaming named = NameStreet(*street, name, bridge);
  CollectRoad(way, *street);
  return CollectLine(way, {LineKind::Street, std::move(named.Name), std::move(named.Type),
                           bridge ? DrawnWidth(*street) : street->Width, 0, street->LabelSize, bridge ? 10 : street->Rank,
                           {}, {}, std::move(named.Label)});
}

// The way as a road of the graph, when someone may use it; a way the
// street layer leaves out (nodes missing, off the globe) is left out here too.
void FeatureCollector::CollectRoad(const osmium::Way& way, const StreetClass& street) {
  const std::optional<RoadUse> use = RoadUseOf(way.tags());
  if (!use || use->Access == 0 || way.nodes().size() < 2 || AnyOffTheGlobe(way.nodes()) || !AllLocated(way.nodes()))
    return;
  RoadWay road;
  road.Class = static_cast<uint8_t>(use->Class);
  road.Access = use->Access;
  road.Name = NameStreet(street, Value(way.tags(), "name"), false).Label;
  road.Nodes.reserve(way.nodes().size());
  for (const osmium::NodeRef& n : way.nodes()) road.Nodes.push_back(n.ref());
  road.Points = Points(way.nodes());
  // Outside the box: the street layer counts it.
  if (road.Points.size() != road.Nodes.size() || (box_ && !box_->Overlaps(BoundsOf(road.Points)))) return;
  f_.Roads.push_back(std::move(road));
}

// True when the way was counted as one with missing nodes.
bool FeatureCollector::CollectLine(const osmium::Way& way, LineFeature line) {
  line.Id = "w" + std::to_string(way.id());
  if (AnyOffTheGlobe(way.nodes())) {
    f_.Report.SkipNamed(kOutsideValidRange, line.Id);
    return true;
  }
  if (!AllLocated(way.nodes())) {
    f_.Report.Skip("way with missing nodes");
    return true;
  }
  line.Line = LineOf(way);
  if (!Inside(BoundsOf(line.Line.Points))) return false;
  f_.Lines.push_back(std::move(line));
  return false;
}

// Outlines the multipolygon manager passes over without a word: too short,
// not closed, or with an end node the extract lacks.  The assembler reports
// the rest (AreaProblems.h).
void FeatureCollector::CountUnassembledArea(const osmium::Way& way, bool missingNodesCounted) {
  const osmium::WayNodeList& nodes = way.nodes();
  const bool closedById = nodes.front().ref() == nodes.back().ref();
  const bool endsLocated = nodes.front().location().valid() && nodes.back().location().valid();
  if (nodes.size() >= 4 && endsLocated && way.ends_have_same_location()) return;  // the assembler's
  const osmium::TagList& tags = way.tags();
  if (tags.has_tag("area", "no") || tags.has_key("highway")) return;
  const bool record = MakesAreaRecord(tags);
  if (!record && !MakesPoint(tags)) return;
  if (nodes.size() < 4) {
    if (record) f_.Report.Skip(closedById ? "area with fewer than three corners" : "area whose outline is not closed");
  } else if (!endsLocated) {
    if (!missingNodesCounted) f_.Report.Skip("way with missing nodes");
  } else if (record) {
    f_.Report.Skip("area whose outline is not closed");
  }
}

void FeatureCollector::relation(const osmium::Relation& relation) {
  const osmium::TagList& tags = relation.tags();
  if (tags.has_tag("type", "route") && tags.has_key("route") && !RouteType(Value(tags, "route")))
    f_.Report.Skip("route of a kind not imported (hiking, bicycle, road, ...)");
}

void FeatureCollector::WayOutside(const osmium::Way& way) {
  const osmium::TagList& tags = way.tags();
  const osmium::WayNodeList& nodes = way.nodes();
  if (tags.empty() || nodes.size() < 2) return;
  if (tags.has_key("highway") && !tags.has_tag("area", "yes")) {
    if (FindStreetClass(Value(tags, "highway")))
      f_.Report.Skip("outside --bbox");
    else
      f_.Report.Skip("highway of a kind not drawn (platform, proposed, ...)");
  } else if (RailwayWidthMetres(tags) > 0 || RiverWidthMetres(tags) > 0) {
    f_.Report.Skip("outside --bbox");
  }
  // The outline the multipolygon manager would have made an area of.
  if (nodes.size() > 3 && nodes.front().ref() == nodes.back().ref() && !tags.has_tag("area", "no") &&
      osmium::tags::match_any_of(tags, areaTags_))
    f_.Report.Skip("outside --bbox");
}

void FeatureCollector::RelationOutside(const osmium::Relation& relation, bool area) {
  if (area)
    f_.Report.Skip("outside --bbox");
  else if (relation.tags().has_tag("type", "route"))
    f_.Report.Skip("route outside the area");
}

void FeatureCollector::area(const osmium::Area& area) {
  const osmium::TagList& tags = area.tags();
  const std::string base = (area.from_way() ? "w" : "r") + std::to_string(area.orig_id());
  std::vector<GeoPolygon> polygons;
  for (const osmium::OuterRing& outer : area.outer_rings()) {
    GeoPolygon polygon{Points(outer), {}};
    for (const osmium::InnerRing& inner : area.inner_rings(outer)) polygon.Inners.push_back(Points(inner));
    polygons.push_back(std::move(polygon));
  }
  if (polygons.empty()) return;
  if (AnyOffTheGlobe(polygons)) {
    if (MakesAreaRecord(tags) || MakesPoint(tags)) f_.Report.SkipNamed(kOutsideValidRange, base);
    return;
  }
  GeoBox bounds;
  for (const GeoPolygon& p : polygons) bounds.Add(p.Outer);
  if (!Inside(bounds)) return;

  // A closed street without area=yes is a loop, not a square.
  if (area.from_way() && tags.has_key("highway") && !tags.has_tag("area", "yes")) return;
  if (IsBuilding(tags))
    for (const GeoPolygon& p : polygons)
      f_.Buildings.push_back({AddressStreet(tags), Value(tags, "addr:housenumber"), Value(tags, "name"), p, base});
  if (const char* kind = RegionKind(tags))
    for (const GeoPolygon& p : polygons) f_.Regions.push_back({kind, p, base});

  if (!MakesPoint(tags)) return;
  const GeoPolygon* largest = &polygons.front();
  for (const GeoPolygon& p : polygons)
    if (RingArea(p.Outer) > RingArea(largest->Outer)) largest = &p;
  const GeoPoint at = InteriorPoint(OnePiece(largest->Outer));
  if (!box_ || box_->Contains(at)) CollectPoint(tags, at, base);
}

// Every name a settlement is known by, and how important it is.
std::optional<SettlementFeature> SettlementOf(const osmium::TagList& tags, GeoPoint at, const std::string& id) {
  const char* place = Value(tags, "place");
  if (!IsSettlement(place)) return std::nullopt;
  SettlementFeature s{place, {}, CapitalLevel(Value(tags, "capital")), Population(Value(tags, "population")), at, id,
                      Value(tags, "name:ru")};
  for (const osmium::Tag& tag : tags) {
    const std::string_view key = tag.key();
    if (key == "name" || key.starts_with("name:") || key == "official_name" || key == "int_name")
      s.Names.push_back(tag.value());
    else if (key == "alt_name" || key == "old_name")
      for (std::string_view rest = tag.value(); !rest.empty();) {
        const size_t end = std::min(rest.find(';'), rest.size());
        s.Names.emplace_back(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
      }
  }
  // The name first: the summary names the place by it.
  const auto name = std::find(s.Names.begin(), s.Names.end(), std::string(Value(tags, "name")));
  if (name != s.Names.end()) std::rotate(s.Names.begin(), name, name + 1);
  if (s.Names.empty()) return std::nullopt;
  return s;
}
