#include "CityPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

#include "citywriter/CityIcons.h"
#include "mapdata/Cp1251.h"
#include "render/LayerDrawers.h"
#include "render/MapLayers.h"
#include "render/MapStyle.h"

namespace {

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }

// The map's colours are the viewer's own (its style keys the types in
// Windows-1251); a type the style does not colour shows the background.
QColor RegionColour(const std::string& type) {
  const int index = mapstyle::RegionColorIndex(cp1251::FromUtf8(type));
  return index < 0 ? mapstyle::BackgroundColor : mapstyle::RegionColor(index);
}

QColor StreetColour(const std::string& type) {
  return StreetPenColor(mapstyle::ClassifyStreet(cp1251::FromUtf8(type)), *LayerOf(DrawCode::Street).Style);
}

QPolygonF Polygon(const std::vector<Point>& points) {
  QPolygonF polygon;
  for (const Point& p : points) polygon << QPointF(p.X, p.Y);
  return polygon;
}

// The map in its own colours, fitted into the target rectangle.
void DrawCityMap(QPainter& p, const City& city, const QRectF& target, bool withBuildings, bool cover) {
  p.save();
  p.setClipRect(target);
  p.fillRect(target, mapstyle::BackgroundColor);
  const double sx = target.width() / city.Width, sy = target.height() / city.Height;
  const double scale = cover ? std::max(sx, sy) : std::min(sx, sy);
  p.translate(target.center());
  p.scale(scale, scale);
  p.translate(-city.Width / 2.0, -city.Height / 2.0);
  p.setRenderHint(QPainter::Antialiasing);
  for (const Region& r : city.Regions) {
    p.setPen(Qt::NoPen);
    p.setBrush(RegionColour(r.Type));
    p.drawPolygon(Polygon(r.Outline));
  }
  p.setBrush(Qt::NoBrush);
  for (const Street& s : city.Streets) {
    QPen pen(StreetColour(s.Type), s.Type == "ГРАНИЦА" ? 2.0 / scale : std::max(2.0, s.Width * 1.6), Qt::SolidLine,
             Qt::RoundCap, Qt::RoundJoin);
    if (s.Type == "ГРАНИЦА") pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    p.drawPolyline(Polygon(s.Points));
  }
  if (withBuildings) {
    p.setPen(Qt::NoPen);
    p.setBrush(LayerOf(DrawCode::Building).Style->Fill);
    for (const Building& b : city.Buildings) p.drawPolygon(Polygon(b.Outline));
  }
  p.restore();
}

// A classic map pin: a drop with a white dot.
void DrawPin(QPainter& p, QPointF tip, double size, const QColor& colour) {
  QPainterPath pin;
  const double r = size / 2;
  const QPointF centre(tip.x(), tip.y() - size * 1.1);
  pin.moveTo(tip);
  pin.cubicTo(tip.x() - r * 0.35, tip.y() - r * 0.9, centre.x() - r, centre.y() + r * 0.5, centre.x() - r, centre.y());
  pin.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 180, -180);
  pin.cubicTo(centre.x() + r, centre.y() + r * 0.5, tip.x() + r * 0.35, tip.y() - r * 0.9, tip.x(), tip.y());
  p.setPen(QPen(colour.darker(160), std::max(1.0, size / 16)));
  p.setBrush(colour);
  p.drawPath(pin);
  p.setBrush(Qt::white);
  p.setPen(Qt::NoPen);
  p.drawEllipse(centre, r * 0.42, r * 0.42);
}

}  // namespace

QImage FirmPicture(const Firm& firm, int number) {
  const int w = 320, h = 240;
  QImage picture(w, h, QImage::Format_RGB32);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0, QColor(120, 170, 230));
  sky.setColorAt(1, QColor(220, 235, 250));
  p.fillRect(picture.rect(), sky);
  if (number == 1) {  // the facade with the sign
    p.fillRect(QRect(30, 60, 260, 150), QColor(200, 180, 150));
    for (int x = 46; x + 30 <= 280; x += 48)
      for (int y = 110; y < 190; y += 45)
        if (x + 30 < 130 || x > 190 || y < 150) p.fillRect(QRect(x, y, 30, 30), QColor(80, 110, 150));
    p.fillRect(QRect(135, 160, 50, 50), QColor(90, 60, 40));
    p.fillRect(QRect(40, 68, 240, 30), firm.Colour);
    p.setPen(Qt::white);
    p.setFont(PictureFont(14, true));
    p.drawText(QRect(40, 68, 240, 30), Qt::AlignCenter, Q(firm.Name));
    p.fillRect(QRect(0, 210, w, 30), QColor(120, 120, 120));
  } else if (number == 2) {  // the sign close up
    p.fillRect(picture.rect(), QColor(60, 60, 70));
    p.setBrush(firm.Colour);
    p.setPen(QPen(Qt::white, 4));
    p.drawRoundedRect(QRect(20, 50, 280, 140), 18, 18);
    p.setPen(Qt::white);
    p.setFont(PictureFont(18, true));
    p.drawText(QRect(30, 60, 260, 80), Qt::AlignCenter | Qt::TextWordWrap, Q(firm.Name));
    p.setFont(PictureFont(13));
    p.drawText(QRect(30, 140, 260, 40), Qt::AlignCenter, Q(firm.Street + ", " + firm.Number));
  } else {  // the room inside
    p.fillRect(picture.rect(), QColor(235, 225, 205));
    p.fillRect(QRect(0, 170, w, 70), QColor(150, 110, 70));
    p.fillRect(QRect(40, 120, 240, 60), firm.Colour.lighter(130));
    for (int x = 20; x + 50 <= w; x += 70) {  // shelves with goods
      p.fillRect(QRect(x, 30, 50, 70), QColor(250, 250, 240));
      for (int y = 40; y < 100; y += 20) p.fillRect(QRect(x + 4, y, 42, 8), firm.Colour.lighter(150));
    }
    p.setPen(QColor(60, 40, 20));
    p.setFont(PictureFont(12));
    p.drawText(QRect(0, 200, w, 30), Qt::AlignCenter, Q(firm.Name));
  }
  return picture;
}

QImage CityPicture(const City& city) {
  QImage picture(480, 360, QImage::Format_RGB32);
  QPainter p(&picture);
  DrawCityMap(p, city, QRectF(0, 0, 480, 360), true, false);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF banner(10, 300, 300, 52);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 40, 70, 170));
  p.drawRoundedRect(banner, 8, 8);
  p.setPen(Qt::white);
  p.setFont(PictureFont(24, true));
  p.drawText(banner.adjusted(10, 0, 0, -20), Qt::AlignLeft | Qt::AlignVCenter, Q(city.Title));
  p.setFont(PictureFont(11));
  p.drawText(banner.adjusted(11, 32, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
             QString("Улиц: %1   Зданий: %2   Фирм: %3")
                 .arg(city.Streets.size())
                 .arg(city.Buildings.size())
                 .arg(city.Firms.size()));
  DrawPin(p, QPointF(420, 250), 34, QColor(220, 50, 40));
  return picture;
}

QImage SplashPicture(const City& city) {
  const int w = 553, h = 416;
  QImage picture(w, h, QImage::Format_RGB32);
  QPainter p(&picture);
  DrawCityMap(p, city, QRectF(0, 0, w, h), false, true);
  p.setRenderHint(QPainter::Antialiasing);
  // Soften the map so that the title and the progress texts read well on it.
  QRadialGradient veil(QPointF(w / 2.0, h / 2.0), w * 0.7);
  veil.setColorAt(0, QColor(255, 255, 255, 200));
  veil.setColorAt(1, QColor(255, 255, 255, 60));
  p.fillRect(picture.rect(), veil);
  DrawPin(p, QPointF(w / 2.0, 170), 70, QColor(220, 50, 40));
  p.setFont(PictureFont(64, true));
  p.setPen(QColor(255, 255, 255));
  p.drawText(QRectF(3, 183, w, 90), Qt::AlignCenter, "Tellurin");
  p.setPen(QColor(25, 45, 90));
  p.drawText(QRectF(0, 180, w, 90), Qt::AlignCenter, "Tellurin");
  p.setFont(PictureFont(17));
  p.setPen(QColor(40, 60, 100));
  p.drawText(QRectF(0, 268, w, 30), Qt::AlignCenter, "Карты городов");
  return picture;
}

QImage LogoPicture() {
  QImage logo(64, 64, QImage::Format_ARGB32);
  logo.fill(Qt::transparent);
  QPainter p(&logo);
  p.setRenderHint(QPainter::Antialiasing);
  // A folded map with a pin on it.
  const QColor panels[] = {QColor(176, 215, 142), QColor(255, 247, 196), QColor(166, 202, 240)};
  for (int k = 0; k < 3; ++k) {
    QPolygonF panel;
    const double x0 = 4 + k * 18.6, x1 = x0 + 18.6;
    const double top = k % 2 ? 14 : 10, bottom = k % 2 ? 58 : 54;
    panel << QPointF(x0, k % 2 ? 10 : 14) << QPointF(x1, top) << QPointF(x1, bottom) << QPointF(x0, k % 2 ? 54 : 58);
    p.setPen(QPen(QColor(90, 100, 110), 1.2));
    p.setBrush(panels[k]);
    p.drawPolygon(panel);
  }
  p.setPen(QPen(QColor(255, 255, 255), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(8, 44), QPointF(56, 26));
  p.setPen(QPen(QColor(0, 0, 255), 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10, 24), QPointF(30, 30));
  DrawPin(p, QPointF(34, 44), 22, QColor(220, 50, 40));
  return logo;
}
