#include "importer/LineRelations.h"

#include <cstring>

#include "importer/TagMapping.h"

namespace {

const char* Value(const osmium::TagList& tags, const char* key) {
  const char* v = tags.get_value_by_key(key);
  return v ? v : "";
}

// Stops and platforms are members of a route too; only its ways of travel count.
bool IsTravelRole(const char* role) {
  return std::strncmp(role, "platform", 8) != 0 && std::strncmp(role, "stop", 4) != 0;
}

bool Located(const osmium::Way& way) {
  if (way.nodes().size() < 2) return false;
  for (const osmium::NodeRef& n : way.nodes())
    if (!n.location().valid()) return false;
  return true;
}

GeoLine LineOf(const osmium::Way& way) {
  GeoLine line{{}, way.nodes().front().ref(), way.nodes().back().ref()};
  line.Points.reserve(way.nodes().size());
  for (const osmium::NodeRef& n : way.nodes()) line.Points.push_back({n.location().x(), n.location().y()});
  return line;
}

// The route's name in the list and its comment: the number (ref) and the
// full name, or the name and where it runs from and to.
void NameRoute(const osmium::TagList& tags, RouteFeature& route) {
  const std::string ref = Value(tags, "ref"), name = Value(tags, "name");
  const std::string from = Value(tags, "from"), to = Value(tags, "to");
  route.Name = !ref.empty() ? ref : name;
  if (!ref.empty() && !name.empty() && name != ref)
    route.Comment = name;
  else if (!from.empty() && !to.empty())
    route.Comment = from + " — " + to;
}

// A route whose route=* is missing is still one of public transport when its
// members are stops and platforms.
bool HasStopRoles(const osmium::Relation& relation) {
  for (const osmium::RelationMember& member : relation.members())
    if (!IsTravelRole(member.role())) return true;
  return false;
}

// Its type then by the words of its name, buses being the commonest.
const char* GuessedRouteType(const osmium::TagList& tags) {
  const std::string name = std::string(Value(tags, "name")) + " " + Value(tags, "description");
  static const std::pair<const char*, const char*> kWords[] = {
      {"Троллейбус", "trolleybus"}, {"троллейбус", "trolleybus"}, {"Трамвай", "tram"},   {"трамвай", "tram"},
      {"Маршрутное такси", "share_taxi"}, {"маршрутное такси", "share_taxi"}, {"Маршрутка", "share_taxi"},
      {"маршрутка", "share_taxi"}, {"Электричка", "train"}, {"электричка", "train"}};
  for (const auto& [word, route] : kWords)
    if (name.find(word) != std::string::npos) return RouteType(route);
  return RouteType("bus");
}

// The type of a route=* relation, or of one without route=* that has stops.
const char* RouteTypeOf(const osmium::Relation& relation) {
  const osmium::TagList& tags = relation.tags();
  if (tags.has_key("route")) return RouteType(Value(tags, "route"));
  return HasStopRoles(relation) ? GuessedRouteType(tags) : nullptr;
}

// A named place drawn as an area (a district, a village): the assembler
// labels it when it is whole, this class when members are missing.
bool IsPlaceArea(const osmium::TagList& tags) {
  return (tags.has_tag("type", "multipolygon") || tags.has_tag("type", "boundary")) && *Value(tags, "name") &&
         PlaceLabelSize(tags) > 0;
}

bool IsLabelRole(const char* role) { return std::strcmp(role, "label") == 0; }

}  // namespace

LineRelations::LineRelations(Features& features, std::optional<GeoBox> box) : f_(features), box_(box) {}

bool LineRelations::new_relation(const osmium::Relation& relation) const {
  const osmium::TagList& tags = relation.tags();
  if (tags.has_tag("type", "route")) return RouteTypeOf(relation) != nullptr;
  return IsDrawnBoundary(tags) || IsPlaceArea(tags);
}

bool LineRelations::new_member(const osmium::Relation& relation, const osmium::RelationMember& member,
                               std::size_t) const {
  if (member.type() == osmium::item_type::node) return IsPlaceArea(relation.tags()) && IsLabelRole(member.role());
  return member.type() == osmium::item_type::way && IsTravelRole(member.role());
}

void LineRelations::complete_relation(const osmium::Relation& relation) { Take(relation); }

void LineRelations::TakeIncomplete() {
  for_each_incomplete_relation([this](const osmium::relations::RelationHandle& handle) {
    Take(*handle);
    if (IsPlaceArea(handle->tags())) TakePlaceLabel(*handle);
  });
}

void LineRelations::Take(const osmium::Relation& relation) {
  if (relation.tags().has_tag("type", "route"))
    TakeRoute(relation);
  else if (IsDrawnBoundary(relation.tags()))
    TakeBorder(relation);
}

// At its label node when the extract has it, else amid the ways it has; a
// place whose ways are all there is the assembler's.
void LineRelations::TakePlaceLabel(const osmium::Relation& relation) {
  GeoBox present;
  bool missing = false;
  std::optional<GeoPoint> at;
  for (const osmium::RelationMember& member : relation.members()) {
    if (member.type() == osmium::item_type::node && IsLabelRole(member.role())) {
      const osmium::Node* node = get_member_node(member.ref());
      if (node && node->location().valid()) at = GeoPoint{node->location().x(), node->location().y()};
    } else if (member.type() == osmium::item_type::way) {
      const osmium::Way* way = get_member_way(member.ref());
      if (way && Located(*way))
        present.Add(LineOf(*way).Points);
      else
        missing = true;
    }
  }
  if (!missing) return;
  if (!at && present.Empty()) {
    f_.Report.Skip("place with none of its outline in the extract");
    return;
  }
  if (!at) at = GeoPoint{present.MinX / 2 + present.MaxX / 2, present.MinY / 2 + present.MaxY / 2};
  if (box_ && !box_->Contains(*at)) return;
  const osmium::TagList& tags = relation.tags();
  f_.Labels.push_back({Value(tags, "name"), PlaceLabelSize(tags), *at, "r" + std::to_string(relation.id())});
  f_.Report.Change("place with members missing labelled at what the extract has");
}

void LineRelations::TakeRoute(const osmium::Relation& relation) {
  RouteFeature route;
  route.Id = "r" + std::to_string(relation.id());
  route.Type = RouteTypeOf(relation);
  if (!relation.tags().has_key("route")) f_.Report.Change("route without route=* taken by its stops");
  NameRoute(relation.tags(), route);
  for (const osmium::RelationMember& member : relation.members()) {
    if (member.type() != osmium::item_type::way || !IsTravelRole(member.role())) continue;
    const osmium::Way* way = get_member_way(member.ref());
    if (way && Located(*way))
      route.Ways.push_back(LineOf(*way));
    else
      ++route.MissingWays;
  }
  if (route.Ways.empty()) {
    f_.Report.Skip("route with none of its ways in the extract");
    return;
  }
  if (route.MissingWays > 0) f_.Report.Change("route with ways missing from the extract (joined from the rest)");
  f_.Routes.push_back(std::move(route));
}

void LineRelations::TakeBorder(const osmium::Relation& relation) {
  for (const osmium::RelationMember& member : relation.members()) {
    if (member.type() != osmium::item_type::way || !borderWays_.insert(member.ref()).second) continue;
    const osmium::Way* way = get_member_way(member.ref());
    if (!way || !Located(*way)) continue;  // the border runs on outside the extract
    LineFeature line{LineKind::Boundary, "", "ГРАНИЦА", 1, 0, 0, -1, LineOf(*way), "w" + std::to_string(way->id()), {}};
    GeoBox bounds;
    bounds.Add(line.Line.Points);
    if (!box_ || box_->Overlaps(bounds)) f_.Lines.push_back(std::move(line));
  }
}
