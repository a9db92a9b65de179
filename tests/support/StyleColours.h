#pragma once
// The map's colours as the viewer's style gives them: a test checks a pixel
// against the style, never against a copy of its numbers.
#include <QColor>

#include "mapdata/Cp1251.h"
#include "render/MapLayers.h"
#include "render/MapStyle.h"

inline const QColor& kBackground = mapstyle::BackgroundColor;

// The fill of a region type (UTF-8); the test fails at once on a type the
// style does not know.
inline QColor RegionFill(const char* utf8Type) {
  const int index = mapstyle::RegionColorIndex(cp1251::FromUtf8(utf8Type));
  return index < 0 ? QColor() : mapstyle::RegionColor(index);
}
inline QColor BuildingFill() { return LayerOf(DrawCode::Building).Style->Fill; }
inline QColor LargeLabelBox() { return LayerOf(DrawCode::Label).Style->LargeBox; }
inline QColor StreetLine() { return LayerOf(DrawCode::Street).Style->Line; }
inline QColor RouteLine() { return LayerOf(DrawCode::Route).Style->Line; }
inline QColor RouteCasing() { return LayerOf(DrawCode::Route).Style->Casing; }
