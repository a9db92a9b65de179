// Directions on hand-made graphs (1 m a map unit): who may use which road
// which way, a bridge over a road it does not join, an island, the snapping
// to the nearest road and the steps told.
#include <gtest/gtest.h>

#include "mapdata/Cp1251.h"
#include "route/RoadGraphBuilder.h"
#include "route/Router.h"

namespace {

struct Road {
  std::string Name;
  std::vector<RoadNode> Points;
  RoadClass Class = RoadClass::Residential;
  uint8_t Access = road_access::All;
};

// Roads meet where they share a point; `key` tells points apart that lie at
// the same place but do not meet (a bridge over a road).
RoadNetwork NetworkOf(const std::vector<Road>& roads) {
  RoadGraphBuilder graph(1);
  int64_t bridgeKeys = int64_t{1} << 62;
  for (const Road& road : roads) {
    const uint32_t name = graph.Name(cp1251::FromUtf8(road.Name));
    const bool bridge = road.Name.starts_with("мост");
    for (size_t k = 0; k + 1 < road.Points.size(); ++k) {
      const RoadNode a = road.Points[k], b = road.Points[k + 1];
      const int64_t ka = bridge && k > 0 ? bridgeKeys + k : PointKey(a);
      const int64_t kb = bridge && k + 2 < road.Points.size() ? bridgeKeys + k + 1 : PointKey(b);
      graph.AddSegment(ka, a, kb, b, std::hypot(b.X - a.X, b.Y - a.Y), name, road.Class, road.Access);
    }
    bridgeKeys += 1000;
  }
  return RoadNetwork(graph.Take());
}

// A 200 m square block: north and west streets two-way, the south street
// one-way west to east, the east street one-way south to north (so a car
// goes round it anticlockwise on the map, as y grows to the south).
std::vector<Road> Block() {
  const uint8_t oneWay = road_access::CarForward | road_access::Foot;
  return {{"улица Северная", {{0, 0}, {100, 0}, {200, 0}}},
          {"улица Западная", {{0, 0}, {0, 100}, {0, 200}}},
          {"улица Южная", {{0, 200}, {100, 200}, {200, 200}}, RoadClass::Residential, oneWay},
          {"улица Восточная", {{200, 200}, {200, 100}, {200, 0}}, RoadClass::Residential, oneWay}};
}

std::string Described(const RouteAnswer& answer) {
  if (!answer.Found) return answer.Problem;
  std::string text = std::to_string(std::lround(answer.Found->Metres)) + " м:";
  for (const RouteStep& s : answer.Found->Steps)
    text += " " + cp1251::ToUtf8(s.Street) + " " + std::to_string(std::lround(s.Metres)) + " " + TurnWord(s.TurnOnto) + ";";
  return text;
}

template <typename... More>
std::vector<Road> With(std::vector<Road> roads, More... more) {
  (roads.push_back(more), ...);
  return roads;
}

}  // namespace

TEST(Router, FollowsWhoMayUseWhichRoadWhichWay) {
  struct Case {
    const char* What;
    std::vector<Road> Roads;
    MapPointF From, To;
    TravelMode Mode;
    std::string Expected;
  };
  const Road footway{"аллея Парковая", {{0, 100}, {200, 100}}, RoadClass::Footway, road_access::Foot};
  const Road steps{"лестница", {{0, 100}, {200, 100}}, RoadClass::Steps, road_access::Foot};
  const Road motorway{"трасса", {{0, 100}, {200, 100}}, RoadClass::Motorway, road_access::Car};
  const Case cases[] = {
      {"a car keeps to the one-way streets' way", Block(), {0, 150}, {200, 50}, TravelMode::Car,
       "400 м: улица Западная 50 прямо; улица Южная 200 налево; улица Восточная 150 налево;"},
      {"and goes round against them", Block(), {200, 50}, {0, 180}, TravelMode::Car,
       "430 м: улица Восточная 50 прямо; улица Северная 200 налево; улица Западная 180 налево;"},
      {"a walker goes either way", Block(), {200, 50}, {0, 180}, TravelMode::Foot,
       "370 м: улица Восточная 150 прямо; улица Южная 200 направо; улица Западная 20 направо;"},
      {"a walker takes the footway", With(Block(), footway), {0, 100}, {200, 100}, TravelMode::Foot,
       "200 м: аллея Парковая 200 прямо;"},
      {"and the steps", With(Block(), steps), {0, 100}, {200, 100}, TravelMode::Foot, "200 м: лестница 200 прямо;"},
      {"a car neither", With(Block(), footway), {0, 100}, {200, 110}, TravelMode::Car,
       "390 м: улица Западная 100 прямо; улица Южная 200 налево; улица Восточная 90 налево;"},
      {"a walker no motorway", With(Block(), motorway), {0, 100}, {200, 90}, TravelMode::Foot,
       "390 м: улица Западная 100 прямо; улица Северная 200 направо; улица Восточная 90 направо;"},
      {"a car the motorway", With(Block(), motorway), {0, 100}, {200, 90}, TravelMode::Car,
       "210 м: трасса 200 прямо; улица Восточная 10 налево;"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Described(FindRoute(NetworkOf(c.Roads), c.From, c.To, c.Mode)), c.Expected) << c.What;
}

TEST(Router, NeitherTurnsWhereRoadsOnlyCrossNorReachesAnIsland) {
  // A bridge from the north street to the south one over the footway,
  // without a node where they cross; the island's street joins nothing.
  const std::vector<Road> roads =
      With(Block(), Road{"аллея Парковая", {{0, 100}, {200, 100}}, RoadClass::Footway, road_access::Foot},
           Road{"мост Новый", {{100, 0}, {100, 100}, {100, 200}}}, Road{"улица Островная", {{1000, 0}, {1000, 200}}});
  const RoadNetwork network = NetworkOf(roads);
  EXPECT_EQ(Described(FindRoute(network, {100, 100}, {100, 200}, TravelMode::Car)), "100 м: мост Новый 100 прямо;")
      << "the car starts on the bridge, the nearest road it may use";
  EXPECT_EQ(Described(FindRoute(network, {80, 100}, {100, 200}, TravelMode::Foot)),
            "280 м: аллея Парковая 80 прямо; улица Западная 100 налево; улица Южная 100 налево;")
      << "a walker on the footway under the bridge goes round";
  EXPECT_EQ(Described(FindRoute(network, {0, 100}, {1000, 100}, TravelMode::Foot)),
            "Маршрут не найден: между этими точками нет дороги");
}

TEST(Router, TakesEachEndToTheNearestRoadWithin300MetresOrSaysWhyNot) {
  const RoadNetwork network =
      NetworkOf(With(Block(), Road{"аллея", {{0, 0}, {0, -600}}, RoadClass::Footway, road_access::Foot},
                     Road{"улица Тупиковая", {{200, 0}, {400, 0}}, RoadClass::Residential,
                          road_access::CarBackward | road_access::Foot}));
  struct Case {
    MapPointF From, To;
    TravelMode Mode;
    std::string Expected;
  };
  const Case cases[] = {
      {{-299, 100}, {100, 200}, TravelMode::Foot, "200 м: улица Западная 100 прямо; улица Южная 100 налево;"},
      {{-301, 100}, {100, 200}, TravelMode::Foot, "Рядом нет дорог: у начала маршрута"},
      {{100, 200}, {100, 600}, TravelMode::Foot, "Рядом нет дорог: у конца маршрута"},
      {{0, -500}, {100, 200}, TravelMode::Car, "Маршрут не найден: у начала нет дорог для машин"},
      {{0, 100}, {300, 0}, TravelMode::Car, "Маршрут не найден: мешают улицы с односторонним движением"},
      // As near to the one-way south street as to the west one: the route ends on the west one.
      {{200, 50}, {5, 195}, TravelMode::Car,
       "445 м: улица Восточная 50 прямо; улица Северная 200 налево; улица Западная 195 налево;"},
      {{0, 100}, {300, 0}, TravelMode::Foot, "400 м: улица Западная 100 прямо; улица Северная 200 направо; улица Тупиковая 100 прямо;"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Described(FindRoute(network, c.From, c.To, c.Mode)), c.Expected) << c.From.X << "," << c.From.Y;
}
