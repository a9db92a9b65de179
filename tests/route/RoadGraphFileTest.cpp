// The road graph file (Data/Roads.gr) comes with a city folder from anywhere:
// what the writer writes reads back the same, and a damaged file is refused
// with what is wrong, never read past its end or trusted for an index.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "route/RoadGraph.h"
#include "route/RoadGraphBuilder.h"
#include "support/TempDir.h"

namespace {

RoadGraph TwoRoads() {
  RoadGraphBuilder graph(4);
  const uint32_t name = graph.Name("\xcc\xe8\xf0\xe0");  // "Мира"
  graph.AddSegment(1, {0, 0}, 2, {100, 0}, 400, name, RoadClass::Primary, road_access::All);
  graph.AddSegment(2, {100, 0}, 3, {100, -50}, 200, 0, RoadClass::Steps, road_access::Foot);
  return graph.Take();
}

// The bytes of TwoRoads with `count` bytes at `at` (from the end when
// negative) replaced by `bytes`.
std::string Damaged(long at, const std::string& bytes) {
  std::string file = RoadGraphBytes(TwoRoads());
  const size_t place = at < 0 ? file.size() + at : static_cast<size_t>(at);
  file.replace(place, bytes.size(), bytes);
  return file;
}

std::string Float(float value) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

// Where the parts of the file of TwoRoads begin: header (22 + 8 + 12), names (2 + 0, 2 + 4), nodes (3 x 8), edges (2 x 18).
constexpr long kNames = 42, kNodes = kNames + 8, kEdges = kNodes + 24;

}  // namespace

TEST(RoadGraphFile, ReadsBackWhatIsWritten) {
  RoadGraph read;
  std::string problem;
  ASSERT_TRUE(ParseRoadGraph(RoadGraphBytes(TwoRoads()), read, problem)) << problem;
  EXPECT_EQ(RoadGraphBytes(read), RoadGraphBytes(TwoRoads()));
  EXPECT_EQ(read.Nodes.size(), 3u);
  ASSERT_EQ(read.Edges.size(), 2u);
  EXPECT_EQ(read.Names[read.Edges[0].Name()], "\xcc\xe8\xf0\xe0");
  EXPECT_EQ(read.Edges[1].Class(), RoadClass::Steps);
  EXPECT_EQ(read.Edges[1].Access(), road_access::Foot);
}

TEST(RoadGraphFile, RefusesADamagedFileSayingWhatIsWrong) {
  const std::string good = RoadGraphBytes(TwoRoads());
  struct Case {
    std::string Bytes;
    std::string Says;
  };
  const Case cases[] = {
      {"", "не граф дорог или неизвестная версия"},
      {Damaged(20, "2"), "не граф дорог или неизвестная версия"},
      {good.substr(0, 30), "файл обрывается в заголовке"},
      {Damaged(22, std::string(8, '\0')), "неверная единица карты"},
      {Damaged(38, std::string("\xff\xff\xff\x7f", 4)), "неверное число названий"},
      {good.substr(0, kNames + 5), "файл обрывается среди названий"},
      {Damaged(kNames + 4, "\t"), "управляющий символ в названии 1"},
      {good + "x", "размер файла не сходится с числом узлов и дорог"},
      {good.substr(0, good.size() - 1), "размер файла не сходится с числом узлов и дорог"},
      {Damaged(30, std::string("\xff\xff\xff\x0f", 4)), "размер файла не сходится с числом узлов и дорог"},
      {Damaged(kNodes, std::string("\0\0\0\x40", 4)), "узел 0 далеко за пределами карты"},
      {Damaged(kEdges + 4, std::string("\x07\0\0\0", 4)), "дорога 0: нет такого узла"},
      {Damaged(kEdges + 4, std::string("\0\0\0\0", 4)), "дорога 0: нет такого узла"},
      {Damaged(kEdges + 8, Float(std::nanf(""))), "дорога 0: неверная длина"},
      {Damaged(kEdges + 8, Float(-1)), "дорога 0: неверная длина"},
      {Damaged(kEdges + 12, std::string("\x02\0\0\0", 4)), "дорога 0: нет такого названия"},
      {Damaged(-2, std::string(1, '\x0c')), "дорога 1: неизвестный класс дороги"},
      {Damaged(-1, std::string(1, '\0')), "дорога 1: неверные права проезда"},
      {Damaged(-1, std::string(1, '\x08')), "дорога 1: неверные права проезда"},
  };
  for (const Case& c : cases) {
    RoadGraph graph;
    std::string problem;
    EXPECT_FALSE(ParseRoadGraph(c.Bytes, graph, problem)) << c.Says;
    EXPECT_EQ(problem, c.Says);
  }
}

TEST(RoadGraphFile, ACityWithoutAGoodOneHasNoDirectionsAndIsToldWhy) {
  TempDir root;
  const CityLocation city{root.Path(), "Город"};
  EXPECT_EQ(ReadRoadGraph(city).Problem, "у города нет графа дорог");
  WriteBytes(city.File(kRoadGraphFile), RoadGraphBytes(TwoRoads()).substr(0, 60));
  const RoadGraphReading damaged = ReadRoadGraph(city);
  EXPECT_FALSE(damaged.Graph);
  EXPECT_EQ(damaged.File, city.File(kRoadGraphFile));
  EXPECT_EQ(damaged.Problem, "размер файла не сходится с числом узлов и дорог; маршруты не прокладываются");
  WriteBytes(city.File(kRoadGraphFile), RoadGraphBytes(TwoRoads()));
  EXPECT_TRUE(ReadRoadGraph(city).Graph);
}
