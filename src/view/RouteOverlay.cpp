#include "view/RouteOverlay.h"

#include <QPen>
#include <QPolygonF>

namespace {

constexpr double kLinePixels = 6;
constexpr double kEndRadius = 6;

QPointF OnPicture(const ViewState& v, QPointF map) {
  return {map.x() * v.Scale - static_cast<double>(v.OffsetX), map.y() * v.Scale - static_cast<double>(v.OffsetY)};
}

void MarkEnd(QPainter& painter, QPointF at, const QColor& fill) {
  painter.setPen(QPen(Qt::white, 2));
  painter.setBrush(fill);
  painter.drawEllipse(at, kEndRadius, kEndRadius);
}

}  // namespace

void DrawRouteLine(QPainter& painter, const ViewState& view, const std::vector<QPointF>& line) {
  if (line.empty()) return;
  QPolygonF points;
  points.reserve(static_cast<int>(line.size()));
  for (const QPointF& p : line) points << OnPicture(view, p);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, kLinePixels + 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(points);
  painter.setPen(QPen(kRouteColour, kLinePixels, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(points);
  MarkEnd(painter, points.front(), QColor(46, 160, 67));
  MarkEnd(painter, points.back(), QColor(211, 47, 47));
  painter.restore();
}
