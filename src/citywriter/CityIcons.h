#pragma once
// The small pictures every city has: one icon per object kind, the placeholder
// icon, and the firm markers, all 20 x 20 and drawn with QPainter.
#include <QFont>
#include <QImage>

#include "citywriter/CityModel.h"

QImage KindIcon(const ObjectKind& kind);  // transparent corners
QImage PlaceholderIcon();                 // for a missing numbered icon
QImage FirmMarker(const Firm& firm);      // the firm's mark on the map

// The sans-serif font the pictures are lettered in, sized in pixels.
QFont PictureFont(int pixels, bool bold = false);
