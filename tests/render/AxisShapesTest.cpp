// The canvas draws outlines and wide lines along the axes as the rectangles
// of their pixels: the picture is the one the painter leaves for the same
// shapes, for random shapes of every pen width it is used for, near the
// picture, across its edges and reaching far beyond them.
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "render/AxisShapes.h"
#include "render/Canvas.h"
#include "support/StyleColours.h"

namespace {

constexpr int kSide = 100;

struct Shape {
  std::vector<QPoint> Points;
  bool Closed = false;  // a polygon, else a polyline
  int PenWidth = 1;
  QColor Pen{0, 0, 0}, Brush{255, 0, 0};
};

std::string Described(const Shape& s) {
  std::string out = (s.Closed ? "polygon" : "polyline") + std::string(" pen ") + std::to_string(s.PenWidth) +
                    (s.Pen == s.Brush ? " in the brush colour:" : ":");
  for (const QPoint& p : s.Points) out += " " + std::to_string(p.x()) + "," + std::to_string(p.y());
  return out;
}

QImage Blank() {
  QImage picture(kSide, kSide, QImage::Format_RGB32);
  picture.fill(kBackground);
  return picture;
}

QImage ThroughCanvas(const Shape& s) {
  QImage picture = Blank();
  CanvasState state;
  state.PenWidth = s.PenWidth;
  state.PenColor = s.Pen;
  state.BrushColor = s.Brush;
  Canvas canvas(picture, state);
  const auto n = static_cast<int>(s.Points.size());
  s.Closed ? canvas.Polygon(s.Points.data(), n) : canvas.Polyline(s.Points.data(), n);
  return picture;
}

// The painter set up as the canvas sets it up, drawing the shape itself.
QImage ThroughPainter(const Shape& s) {
  QImage picture = Blank();
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setClipRect(picture.rect());
  QPen pen(s.Pen);
  pen.setWidth(s.PenWidth > 1 ? s.PenWidth : 0);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(s.Brush);
  const auto n = static_cast<int>(s.Points.size());
  s.Closed ? painter.drawPolygon(s.Points.data(), n, Qt::OddEvenFill) : painter.drawPolyline(s.Points.data(), n);
  return picture;
}

// Empty when the pictures are the same, else where and how they differ.
std::string Difference(const QImage& painter, const QImage& canvas) {
  int count = 0;
  std::string first;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      if (painter.pixel(x, y) != canvas.pixel(x, y) && count++ == 0)
        first = " first at " + std::to_string(x) + "," + std::to_string(y) + ": painter " +
                QColor(painter.pixel(x, y)).name().toStdString() + ", canvas " +
                QColor(canvas.pixel(x, y)).name().toStdString();
  return count == 0 ? "" : std::to_string(count) + " pixels differ," + first;
}

// Hand-picked shapes: every order of a rectangle's corners, shapes the
// canvas must leave to the painter, lines that turn back on themselves.
std::vector<Shape> ChosenShapes() {
  const QColor red(255, 0, 0), black(0, 0, 0);
  return {
      {{{10, 10}, {50, 10}, {50, 40}, {10, 40}}, true, 1, black, red},
      {{{50, 40}, {50, 10}, {10, 10}, {10, 40}, {50, 40}}, true, 0, black, red},
      {{{10, 40}, {10, 10}, {50, 10}, {50, 40}}, true, 1, red, red},
      {{{10, 10}, {11, 10}, {11, 11}, {10, 11}}, true, 1, black, red},       // sides one pixel long
      {{{-10, 10}, {50, 10}, {50, 40}, {-10, 40}}, true, 1, black, red},     // across the edge
      {{{10, 10}, {50, 10}, {50, 40}, {50, 10}}, true, 1, black, red},       // a spike
      {{{10, 10}, {30, 10}, {50, 10}, {50, 40}, {10, 40}}, true, 1, black, red},  // edges in line
      {{{10, 10}, {50, 10}, {50, 40}, {30, 40}, {30, 20}, {10, 20}}, true, 1, black, red},  // an L
      {{{10, 10}, {50, 10}, {50, 10}, {10, 10}}, true, 1, black, red},       // no area
      {{{10, 10}, {50, 10}, {60, 40}, {10, 40}}, true, 1, black, red},       // a slanted side
      {{{10, 50}, {90, 50}, {20, 50}, {20, 90}, {20, 5}}, false, 3, black, red},
      {{{30, 30}, {30, 30}, {70, 30}, {70, 30}}, false, 4, black, red},
      {{{30, 30}, {30, 30}}, false, 6, black, red},                           // a point
      {{{5, 5}, {60, 70}}, false, 5, black, red},                             // slanted
      {{{-4000000, 20}, {4000000, 20}, {4000000, 60}, {-4000000, 60}}, false, 7, black, red},
      {{{10, 10}, {80, 10}, {80, 80}}, false, 24, black, red},                // wider than the rule is checked for
      {{{10, 10}, {80, 10}}, false, 3, QColor(0, 0, 0, 128), red},            // a colour that lets through
      {{{84, 33}, {84, 33}, {84, 30}, {83, 30}, {83, 44}}, false, 1, black, red},  // one pixel, an empty edge
      {{{10, 20}, {60, 20}, {60, 70}, {30, 70}, {30, 5}}, false, 0, black, red},   // one pixel, turning
  };
}

// Random polylines and polygons whose edges run along the axes, their points
// near the picture or far from it.
std::vector<Shape> RandomShapes() {
  std::mt19937 random(15);
  auto within = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
  std::vector<Shape> shapes;
  for (int k = 0; k < 3000; ++k) {
    const int reach = k % 3 == 0 ? 4000000 : k % 3 == 1 ? 40000 : kSide;
    // One-pixel polylines mostly inside the picture, where the canvas draws them.
    const bool thin = k % 2 == 1 && k % 5 < 2;
    auto coordinate = [&] {
      if (thin && within(0, 9)) return within(0, kSide - 1);
      return within(0, 3) ? within(-30, kSide + 30) : within(-reach, reach);
    };
    Shape s;
    s.Closed = k % 2 == 0;
    s.PenWidth = s.Closed || thin ? within(0, 1) : within(2, kWidestAxisPen);
    if (s.Closed && within(0, 1)) s.Brush = s.Pen;
    if (s.Closed) {
      // Corners (x0, y0), (x1, y0), (x1, y1), (x2, y1) ... (x0, yn): a
      // rectangle for two pairs, outlines that cross themselves for more.
      std::vector<int> xs, ys;
      for (int pairs = within(0, 2) ? 2 : within(3, 6); pairs > 0; --pairs) {
        xs.push_back(coordinate());
        ys.push_back(coordinate());
      }
      for (size_t i = 0; i < xs.size(); ++i) {
        s.Points.emplace_back(xs[i], ys[i]);
        s.Points.emplace_back(xs[(i + 1) % xs.size()], ys[i]);
      }
      std::rotate(s.Points.begin(), s.Points.begin() + within(0, 3), s.Points.end());
      if (within(0, 1)) std::reverse(s.Points.begin(), s.Points.end());
      if (within(0, 2) == 0) s.Points.push_back(s.Points.front());
    } else {
      QPoint at(coordinate(), coordinate());
      s.Points = {at};
      for (int n = within(1, 6); n > 0; --n) {
        const int turn = within(0, 9);
        if (turn > 0 && turn < 5) at.setX(coordinate());
        if (turn >= 5) at.setY(coordinate());
        s.Points.push_back(at);
      }
    }
    shapes.push_back(s);
  }
  return shapes;
}

TEST(AxisShapes, CanvasLeavesThePaintersPixels) {
  std::vector<Shape> shapes = ChosenShapes();
  const std::vector<Shape> random = RandomShapes();
  shapes.insert(shapes.end(), random.begin(), random.end());
  int inside = 0;  // shapes that leave pixels in the picture
  for (const Shape& s : shapes) {
    const QImage expected = ThroughPainter(s);
    inside += expected != Blank();
    ASSERT_EQ(Difference(expected, ThroughCanvas(s)), "") << Described(s);
  }
  EXPECT_GT(inside, 1500);
}

}  // namespace
