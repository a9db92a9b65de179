#pragma once
// Every picture of a demo city, drawn with QPainter: object icons, firm
// markers and photographs, the city's picture, and the program's own artwork
// (the splash of the progress panel and the logo of the about window).
#include <QImage>

#include "CityModel.h"

QImage KindIcon(const ObjectKind& kind);  // 20 x 20, transparent corners
QImage PlaceholderIcon();                 // 20 x 20, for a missing numbered icon
QImage FirmMarker(const Firm& firm);      // 20 x 20, the firm's mark on the map
QImage FirmPicture(const Firm& firm, int number);  // 1..3: facade, sign, interior
QImage CityPicture(const City& city);     // the picture of the city-selection window
QImage SplashPicture(const City& city);   // 553 x 416 with the word "Tellurin"
QImage LogoPicture();                     // 64 x 64
