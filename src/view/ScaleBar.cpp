#include "view/ScaleBar.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <array>
#include <cmath>

#include "render/BundledFonts.h"
#include "render/VisibleMiddle.h"
#include "state/MapCore.h"

namespace {

constexpr int kCornerMargin = 12;  // from the visible map's left and bottom edges
constexpr int kLineHeight = 4;
constexpr int kTickHeight = 8;     // the ends rise above the line
constexpr int kPad = 4;            // the backing's room around bar and label
constexpr int kLabelPointSize = 8;

// The pixels of `metres` at `metresPerPixel`, rounded.
double BarPixels(double metres, double metresPerPixel) { return std::round(metres / metresPerPixel); }

// How far a length lies outside the bounds, as a ratio (1 within them).
double OutsideBy(double pixels) {
  if (pixels < kScaleBarShortest) return kScaleBarShortest / pixels;
  if (pixels > kScaleBarLongest) return pixels / kScaleBarLongest;
  return 1;
}

// A decimal with a decimal comma and no trailing zeros ("0,5", "2", "1000").
std::string RoundNumberText(double value) {
  QString text = QString::number(value, 'f', 2);
  while (text.endsWith('0')) text.chop(1);
  if (text.endsWith('.')) text.chop(1);
  return text.replace('.', ',').toStdString();
}

QFont LabelFont() {
  QFont font(kMapFontFamily);
  font.setPointSize(kLabelPointSize);
  return font;
}

}  // namespace

std::string ScaleBarLabel(double metres) {
  if (metres >= 1000) return RoundNumberText(metres / 1000) + " км";
  return RoundNumberText(metres) + " м";
}

std::optional<ScaleBar> RoundScaleBar(double metresPerPixel) {
  if (!(metresPerPixel > 0) || !std::isfinite(metresPerPixel)) return std::nullopt;
  // The round lengths around the longest bar: the power of ten below it and
  // the steps on either side.
  const double power = std::pow(10.0, std::floor(std::log10(kScaleBarLongest * metresPerPixel)));
  std::optional<ScaleBar> best;
  double bestOutside = 0;
  for (const double decade : {power / 10, power, power * 10})
    for (const double step : std::array{1.0, 2.0, 5.0}) {
      const double metres = step * decade;
      const double pixels = BarPixels(metres, metresPerPixel);
      if (!(pixels >= 1) || pixels > 1e6) continue;
      const double outside = OutsideBy(pixels);
      // Among lengths within the bounds the longest: the steps rise.
      if (!best || outside < bestOutside || (outside == 1 && bestOutside == 1)) {
        best = ScaleBar{static_cast<int>(pixels), metres, ScaleBarLabel(metres)};
        bestOutside = outside;
      }
    }
  return best;
}

MapSpot WindowToMapSpot(const ViewState& v, double x, double y) {
  const double scale = v.Scale;
  return {(x + v.OffsetX + v.ScreenWidth / 2) / scale, (y + v.OffsetY + v.ScreenHeight / 2) / scale};
}

std::optional<ScaleBar> ScaleBarOf(const MapCore& core, const QRect& visible) {
  if (!core.Geo || !core.Ui.ShowScaleBar || visible.isEmpty() || !(core.View.Scale > 0)) return std::nullopt;
  const QPoint middle = VisibleMapCentre(visible);
  // Measured over the longest bar, at the scale's map units.
  const double span = kScaleBarLongest / static_cast<double>(core.View.Scale);
  const std::optional<double> perUnit =
      GroundMetresPerMapUnit(*core.Geo, WindowToMapSpot(core.View, middle.x(), middle.y()), span);
  if (!perUnit) return std::nullopt;
  return RoundScaleBar(*perUnit / core.View.Scale);
}

QRect ScaleBarLine(const QRect& visible, const ScaleBar& bar) {
  return QRect(visible.left() + kCornerMargin, visible.bottom() - kCornerMargin - kLineHeight + 1, bar.Pixels,
               kLineHeight);
}

// A white backing under a black bar with raised ends, the label over its
// middle: legible on every colour the map has.
void DrawScaleBar(QPainter& window, const QRect& visible, const ScaleBar& bar) {
  const QRect line = ScaleBarLine(visible, bar);
  const QString label = QString::fromStdString(bar.Label);
  window.save();
  window.setFont(LabelFont());
  const QFontMetrics metrics(window.font());
  const int labelWidth = metrics.horizontalAdvance(label);
  const int top = line.bottom() - kTickHeight - metrics.height() + 1;
  const QRect backing = QRect(QPoint(line.left(), top), QPoint(line.right(), line.bottom()))
                            .united(QRect(line.center().x() - labelWidth / 2, top, labelWidth, metrics.height()))
                            .adjusted(-kPad, -kPad / 2, kPad, kPad);
  window.fillRect(backing, QColor(255, 255, 255, 200));
  window.fillRect(line, Qt::black);
  window.fillRect(QRect(line.left(), line.bottom() - kTickHeight + 1, 2, kTickHeight), Qt::black);
  window.fillRect(QRect(line.right() - 1, line.bottom() - kTickHeight + 1, 2, kTickHeight), Qt::black);
  window.setPen(Qt::black);
  window.drawText(QRect(line.center().x() - labelWidth / 2 - 1, top, labelWidth + 2, metrics.height()),
                  Qt::AlignCenter, label);
  window.restore();
}
