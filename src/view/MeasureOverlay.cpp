#include "view/MeasureOverlay.h"

#include <QFont>
#include <QFontMetrics>
#include <QLineF>
#include <QPainter>

#include <cmath>
#include <optional>
#include <vector>

#include "render/BundledFonts.h"
#include "state/MapCore.h"

namespace {

const QColor kLineColour(200, 30, 30);
// Window pixels beyond this are clipped off before drawing: a point clicked
// far out and zoomed into lies millions of pixels away.
constexpr double kReach = 1 << 15;

QPointF WindowPixel(const ViewState& v, const MapSpot& p) {
  return {p.X * v.Scale - v.OffsetX - v.ScreenWidth / 2, p.Y * v.Scale - v.OffsetY - v.ScreenHeight / 2};
}

// The part of `line` within kReach of the window's origin (Liang-Barsky).
std::optional<QLineF> Clipped(const QLineF& line) {
  double t0 = 0, t1 = 1;
  const double d[2] = {line.dx(), line.dy()};
  const double p0[2] = {line.x1(), line.y1()};
  for (int axis = 0; axis < 2; ++axis)
    for (const double edge : {-kReach, kReach}) {
      // Inside: the sign of (edge - p) * side stays.
      const double side = edge < 0 ? -1 : 1;
      const double q = side * (edge - p0[axis]);
      const double r = side * d[axis];
      if (r == 0) {
        if (q < 0) return std::nullopt;
        continue;
      }
      const double t = q / r;
      if (r < 0) t0 = std::max(t0, t);
      else t1 = std::min(t1, t);
    }
  if (t0 > t1 || !std::isfinite(t0) || !std::isfinite(t1)) return std::nullopt;
  return QLineF(line.pointAt(t0), line.pointAt(t1));
}

void DrawStretches(QPainter& window, const std::vector<QLineF>& lines, Qt::PenStyle style) {
  for (const auto& [colour, width] : {std::pair{QColor(Qt::white), 5}, std::pair{kLineColour, 2}}) {
    window.setPen(QPen(colour, width, colour == Qt::white ? Qt::SolidLine : style, Qt::RoundCap, Qt::RoundJoin));
    for (const QLineF& line : lines)
      if (const std::optional<QLineF> part = Clipped(line)) window.drawLine(*part);
  }
}

void DrawLengthLabel(QPainter& window, QPointF at, const QString& text) {
  QFont font(kMapFontFamily);
  font.setPointSize(9);
  font.setBold(true);
  window.setFont(font);
  const QFontMetrics metrics(font);
  const QRect box(static_cast<int>(at.x()) + 10, static_cast<int>(at.y()) - metrics.height() - 6,
                  metrics.horizontalAdvance(text) + 8, metrics.height() + 2);
  window.setPen(QPen(kLineColour, 1));
  window.setBrush(QColor(255, 255, 255, 230));
  window.drawRect(box);
  window.setPen(Qt::black);
  window.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

std::string MeasuredLengthText(double metres) {
  const double whole = std::round(metres);
  if (whole < 1000) return QString::number(whole, 'f', 0).toStdString() + " м";
  return QString::number(metres / 1000, 'f', 2).replace('.', ',').toStdString() + " км";
}

void DrawMeasurement(QPainter& window, const MapCore& core) {
  const MeasureState& m = core.Measure;
  if (m.Points.empty()) return;
  std::vector<QPointF> pixels;
  for (const MapSpot& p : m.Points) pixels.push_back(WindowPixel(core.View, p));
  window.save();
  window.setRenderHint(QPainter::Antialiasing);
  std::vector<QLineF> placed;
  for (size_t i = 1; i < pixels.size(); ++i) placed.emplace_back(pixels[i - 1], pixels[i]);
  DrawStretches(window, placed, Qt::SolidLine);
  if (m.Active && core.Interaction.Mode != InteractionMode::MapDrag)
    DrawStretches(window, {QLineF(pixels.back(), QPointF(core.Interaction.MouseX, core.Interaction.MouseY))},
                  Qt::DashLine);
  window.setPen(QPen(kLineColour, 2));
  window.setBrush(Qt::white);
  for (const QPointF& p : pixels)
    if (std::abs(p.x()) < kReach && std::abs(p.y()) < kReach) window.drawEllipse(p, 3.5, 3.5);
  if (std::abs(pixels.back().x()) < kReach && std::abs(pixels.back().y()) < kReach)
    DrawLengthLabel(window, pixels.back(), QString::fromStdString(MeasuredLengthText(m.Metres)));
  window.restore();
}
