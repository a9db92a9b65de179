#include "view/RouteOverlay.h"

#include <QPen>
#include <QPolygonF>

namespace {

constexpr double kLinePixels = 6;
constexpr double kEndRadius = 6;

QPointF OnPicture(const ViewState& v, QPointF map) {
  return {map.x() * v.Scale - static_cast<double>(v.OffsetX), map.y() * v.Scale - static_cast<double>(v.OffsetY)};
}

const QColor kStartFill{46, 160, 67};
const QColor kEndFill{211, 47, 47};

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
  MarkEnd(painter, points.front(), kStartFill);
  MarkEnd(painter, points.back(), kEndFill);
  painter.restore();
}

void DrawRouteEnd(QPainter& painter, const ViewState& view, QPointF at, bool start) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  MarkEnd(painter, OnPicture(view, at), start ? kStartFill : kEndFill);
  painter.restore();
}
