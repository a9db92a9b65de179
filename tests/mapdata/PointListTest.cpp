#include <gtest/gtest.h>

#include "mapdata/MapExtents.h"
#include "mapdata/PointList.h"

TEST(ParsePointList, ReadsPairsXThenY) {
  const PointListResult r = ParsePointList("10 20 30 40", 2);
  ASSERT_TRUE(r.Ok()) << r.Problem;
  EXPECT_EQ(r.Points, (std::vector<MapPoint>{{10, 20}, {30, 40}}));
  EXPECT_EQ(BoxOf(r.Points), (PointBox{10, 20, 30, 40}));
}

TEST(ParsePointList, StopsAfterTheRequestedPairs) {
  const PointListResult r = ParsePointList("1 2 3 4 junk", 1);
  ASSERT_TRUE(r.Ok()) << r.Problem;
  EXPECT_EQ(r.Points, (std::vector<MapPoint>{{1, 2}}));
}

TEST(ParsePointList, NegativeNumbersAndACrEndingY) {
  const PointListResult r = ParsePointList("-5 -7\r", 1);
  ASSERT_TRUE(r.Ok()) << r.Problem;
  EXPECT_EQ(r.Points, (std::vector<MapPoint>{{-5, -7}}));
}

TEST(ParsePointList, CountZeroReadsNothingAndBoxIsZero) {
  const PointListResult r = ParsePointList("garbage", 0);
  EXPECT_TRUE(r.Ok());
  EXPECT_TRUE(r.Points.empty());
  EXPECT_EQ(BoxOf(r.Points), (PointBox{0, 0, 0, 0}));
}

TEST(ParsePointList, TheCharacterAfterADelimiterJoinsTheNextNumberUntested) {
  // A double space puts a space into y, which is then not a number.
  const PointListResult r = ParsePointList("10  20", 1);
  EXPECT_FALSE(r.Ok());
  EXPECT_EQ(r.Problem, "координата « 20» в списке точек не является целым числом");
}

TEST(ParsePointList, FewerPairsThanCountFails) {
  PointListResult r = ParsePointList("1 2 3 4", 3);
  EXPECT_FALSE(r.Ok());
  EXPECT_EQ(r.Problem, "в списке точек меньше пар, чем указано: 2 из 3");
  r = ParsePointList("7", 1);
  EXPECT_EQ(r.Problem, "в списке точек меньше пар, чем указано: 0 из 1");
  r = ParsePointList("7 ", 1);
  EXPECT_FALSE(r.Ok());
  r = ParsePointList("", 1);
  EXPECT_FALSE(r.Ok());
}

TEST(ParsePointList, NumbersMustBeDecimalIntegers) {
  EXPECT_EQ(ParsePointList("1x 2", 1).Problem, "координата «1x» в списке точек не является целым числом");
  EXPECT_EQ(ParsePointList("1 2,5", 1).Problem, "координата «2,5» в списке точек не является целым числом");
  EXPECT_FALSE(ParsePointList(" 1 2", 1).Ok());
  EXPECT_FALSE(ParsePointList("1 3000000000", 1).Ok());
}

TEST(ParsePointList, OneHundredFiftyPointsAndItsBox) {
  std::string text;
  for (int i = 0; i < 150; ++i) text += (i ? " " : "") + std::to_string(i - 50) + " " + std::to_string(1000 - i);
  const PointListResult r = ParsePointList(text, 150);
  ASSERT_TRUE(r.Ok()) << r.Problem;
  ASSERT_EQ(r.Points.size(), 150u);
  EXPECT_EQ(BoxOf(r.Points), (PointBox{-50, 851, 99, 1000}));
}

TEST(BoxOf, ASinglePointIsItsOwnBox) {
  const std::vector<MapPoint> one{{-3, 8}};
  EXPECT_EQ(BoxOf(one), (PointBox{-3, 8, -3, 8}));
}

TEST(WidenMapExtents, AlwaysKeepsTheOriginAndWidensStrictly) {
  MapExtents e;
  WidenMapExtents(e, 10, 20, 30, 40);
  EXPECT_EQ(e.MapMinX, 0);
  EXPECT_EQ(e.MapMinY, 0);
  EXPECT_EQ(e.MapMaxX, 30);
  EXPECT_EQ(e.MapMaxY, 40);
  WidenMapExtents(e, -5, 3, 12, 50);
  EXPECT_EQ(e.MapMinX, -5);
  EXPECT_EQ(e.MapMinY, 0);
  EXPECT_EQ(e.MapMaxX, 30);
  EXPECT_EQ(e.MapMaxY, 50);
}
