#pragma once
// The demo city's own pictures, drawn with QPainter: firm photographs, the
// city's picture, and the program's own artwork (the splash of the progress
// panel and the logo of the about window).  Icons and markers: CityIcons.h.
#include <QImage>

#include "citywriter/CityModel.h"

QImage FirmPicture(const Firm& firm, int number);  // 1..3: facade, sign, interior
QImage CityPicture(const City& city);     // the picture of the city-selection window
QImage SplashPicture(const City& city);   // 553 x 416 with the word "Tellurin"
QImage LogoPicture();                     // 64 x 64
