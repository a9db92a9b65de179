#include "citywriter/CityIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// The letters as their outlines, unhinted and centred by their ink, filled by
// Qt's own rasteriser: the same pixels whichever font engine the platform
// uses, so that a city imported on Windows is the one imported on Linux.
void DrawGlyph(QPainter& p, const QRectF& box, const std::string& glyph, const QColor& colour, int pixels) {
  QFont font = PictureFont(pixels, true);
  font.setHintingPreference(QFont::PreferNoHinting);
  QPainterPath outline;
  outline.addText(0, 0, font, QString::fromStdString(glyph));
  outline.translate(box.center() - outline.boundingRect().center());
  p.fillPath(outline, colour);
}

}  // namespace

QFont PictureFont(int pixels, bool bold) {
  QFont font("DejaVu Sans");
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QImage KindIcon(const ObjectKind& kind) {
  QImage icon(20, 20, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kind.Colour.darker(170), 1));
  p.setBrush(kind.Glyph == "+" ? QColor(255, 255, 255) : kind.Colour);
  p.drawRoundedRect(QRectF(0.5, 0.5, 19, 19), 4, 4);
  if (kind.Glyph == "+") {
    p.setPen(Qt::NoPen);
    p.setBrush(kind.Colour);
    p.drawRect(QRectF(8, 3, 4, 14));
    p.drawRect(QRectF(3, 8, 14, 4));
  } else {
    DrawGlyph(p, QRectF(0, 0, 20, 20), kind.Glyph, Qt::white, kind.Glyph.size() > 2 ? 9 : 13);
  }
  return icon;
}

QImage PlaceholderIcon() {
  QImage icon(20, 20, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(90, 90, 90), 1));
  p.setBrush(QColor(225, 225, 225));
  p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
  DrawGlyph(p, QRectF(0, 0, 20, 20), "?", QColor(90, 90, 90), 13);
  return icon;
}

QImage FirmMarker(const Firm& firm) {
  QImage marker(20, 20, QImage::Format_RGB32);
  marker.fill(Qt::white);
  QPainter p(&marker);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(firm.Colour.darker(160), 1));
  p.setBrush(firm.Colour);
  p.drawEllipse(QRectF(0.5, 0.5, 19, 19));
  DrawGlyph(p, QRectF(0, 0, 20, 20), firm.Glyph, Qt::white, 12);
  return marker;
}
