#pragma once
// Directions drawn over the map: the route's line in a colour no layer uses,
// wide enough to read over the widest street, with its start and its end
// marked, onto the map picture after its redraw (so above the streets).
#include <QColor>
#include <QPainter>
#include <QPointF>

#include <vector>

#include "render/ViewState.h"

inline const QColor kRouteColour{142, 36, 170};  // violet: no street, region or route of the map has it

// `line`: the route's points in map units, start first.
void DrawRouteLine(QPainter& painter, const ViewState& view, const std::vector<QPointF>& line);
// One end of a route still being chosen, marked as the line marks it.
void DrawRouteEnd(QPainter& painter, const ViewState& view, QPointF at, bool start);
