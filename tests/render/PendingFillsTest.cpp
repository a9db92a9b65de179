// A canvas that holds its opaque fills back per tile after clearing the whole
// picture leaves the picture a canvas writing every fill at once leaves:
// random scenes of every kind of drawing, near and across the picture's
// edges, through both.
#include <QImage>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "render/Canvas.h"

namespace {

constexpr int kWidth = 700;  // several tiles each way, none of them whole at the right and bottom
constexpr int kHeight = 300;
const QColor kClear(240, 230, 230);

class Scene {
 public:
  explicit Scene(unsigned seed) : seed_(seed), random_(seed) {}

  // Every drawing of the scene, the same each time it is played.
  void Play(Canvas& canvas) {
    std::mt19937 random = random_;
    auto within = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    // Large shapes write out most tiles early; in small ones (every other
    // scene) a pixel short of a stroke's reach leaves a held fill over it.
    const bool small = seed_ % 2 == 0;
    QPoint centre;
    auto coordinate = [&](int side) {
      if (small) return (side == kWidth ? centre.x() : centre.y()) + within(-12, 12);
      return within(0, 5) ? within(-40, side + 40) : within(-100000, 100000);
    };
    auto colour = [&](bool opaque) {
      return QColor(within(0, 255), within(0, 255), within(0, 255), opaque || within(0, 3) ? 255 : 128);
    };
    CanvasState& st = canvas.State();
    TextStamp stamps[3];
    const QString texts[3] = {QStringLiteral("Вокзальная 12"), QStringLiteral("ЦЕНТР"), QStringLiteral("р. Светлая")};
    QImage icon(20, 20, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    for (int i = 0; i < 20; ++i) icon.setPixelColor(i, i, QColor(0, 128, 0));
    for (int k = 0; k < (small ? 1500 : 160); ++k) {
      st.PenColor = colour(within(0, 4) > 0);
      st.BrushColor = within(0, 1) ? st.PenColor : colour(within(0, 4) > 0);
      st.PenWidth = within(0, 3) ? within(0, 1) : within(2, 24);
      centre = QPoint(within(-20, kWidth + 20), within(-20, kHeight + 20));
      std::vector<QPoint> points;
      const int x = coordinate(kWidth), y = coordinate(kHeight);
      points.emplace_back(x, y);
      const bool axis = within(0, 2) > 0;
      for (int n = within(1, 5); n > 0; --n) {
        QPoint next(coordinate(kWidth), coordinate(kHeight));
        if (axis) (n % 2 ? next.setY(points.back().y()) : next.setX(points.back().x()));
        points.push_back(next);
      }
      const int count = static_cast<int>(points.size());
      switch (within(0, 8)) {
        case 0:
        case 1:
          if (axis) {
            // Corners (x0, y0), (x1, y0), (x1, y1), (x0, y1) ...: edges along the axes by turns.
            std::vector<QPoint> corners;
            for (int i = 0; i < count; ++i) {
              corners.emplace_back(points[i].x(), points[i].y());
              corners.emplace_back(points[(i + 1) % count].x(), points[i].y());
            }
            canvas.Polygon(corners.data(), static_cast<int>(corners.size()));
          } else {
            canvas.Polygon(points.data(), count);
          }
          break;
        case 2:
        case 3: canvas.Polyline(points.data(), count); break;
        case 4: canvas.FillRect(QRect(QPoint(x, y), points[1]).normalized()); break;
        case 5: canvas.Ellipse(x, y, x + within(2, 200), y + within(2, 100)); break;
        case 6:
        case 7: {
          st.FontColor = colour(true);
          st.FontSize = within(6, 14);
          st.FontItalic = within(0, 3) == 0;
          st.TransparentText = within(0, 1);
          const int t = within(0, 2);
          within(0, 1) ? canvas.TextOut(x, y, texts[t], stamps[t]) : canvas.TextOut(x, y, texts[t]);
          break;
        }
        default: canvas.Draw(x, y, icon);
      }
    }
  }

 private:
  unsigned seed_;
  std::mt19937 random_;
};

// The scene on a picture cleared through the canvas (its fills held back) or
// filled before the canvas takes it (every fill written at once).
QImage Drawn(Scene& scene, bool clearedByCanvas) {
  QImage picture(kWidth, kHeight, QImage::Format_RGB32);
  picture.fill(clearedByCanvas ? Qt::black : kClear);
  CanvasState state;
  Canvas canvas(picture, state);
  if (clearedByCanvas) {
    state.BrushColor = kClear;
    canvas.FillRect(picture.rect());
  }
  scene.Play(canvas);
  return picture;
}

int PixelsDiffering(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) count += a.pixel(x, y) != b.pixel(x, y);
  return count;
}

TEST(PendingFills, HeldBackFillsLeaveThePictureOfFillsWrittenAtOnce) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    Scene scene(seed);
    const QImage atOnce = Drawn(scene, false);
    const QImage heldBack = Drawn(scene, true);
    ASSERT_EQ(PixelsDiffering(atOnce, heldBack), 0) << "scene " << seed;
    // The scene drew over much of the cleared picture.
    QImage blank(kWidth, kHeight, QImage::Format_RGB32);
    blank.fill(kClear);
    EXPECT_GT(PixelsDiffering(atOnce, blank), kWidth * kHeight / 20) << "scene " << seed;
  }
}

}  // namespace
