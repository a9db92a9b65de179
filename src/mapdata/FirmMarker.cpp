#include "mapdata/FirmMarker.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstring>

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
  QImage image(kIconSide, kIconSide, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

const QImage& DefaultFirmMarker() {
  static const QImage marker = DrawDefaultFirmMarker();
  return marker;
}

QImage MarkerFromPicture(const QImage& picture) {
  QImage marker = BlankListImage();
  if (picture.hasAlphaChannel()) {
    {
      QPainter painter(&marker);
      QImage unscaled = picture;
      unscaled.setDevicePixelRatio(1.0);
      painter.drawImage(QPoint(0, 0), unscaled);
    }
    // A copy leaves behind the paint engine that painting attached to the image.
    return marker.copy();
  }
  // An opaque picture covers what it reaches: its pixels are the marker's.
  const QImage opaque = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int width = std::min(opaque.width(), kIconSide);
  const int height = std::min(opaque.height(), kIconSide);
  for (int y = 0; y < height; ++y)
    std::memcpy(marker.scanLine(y), opaque.constScanLine(y), static_cast<size_t>(width) * 4);
  return marker;
}
