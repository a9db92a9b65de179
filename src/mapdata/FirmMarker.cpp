#include "mapdata/FirmMarker.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QImage DrawDefaultFirmMarker() {
  QImage marker = BlankListImage();
  QPainter p(&marker);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath pin;
  pin.addEllipse(QRectF(4, 1, 12, 12));
  pin.moveTo(5.5, 10);
  pin.lineTo(10, 19);
  pin.lineTo(14.5, 10);
  pin.closeSubpath();
  p.setPen(QPen(QColor(120, 0, 0), 1));
  p.setBrush(QColor(220, 40, 40));
  p.drawPath(pin.simplified());
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(7.5, 4.5, 5, 5));
  return marker;
}

}  // namespace

QImage BlankListImage() {
  QImage image(kListImageSize, kListImageSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

const QImage& DefaultFirmMarker() {
  static const QImage marker = DrawDefaultFirmMarker();
  return marker;
}
