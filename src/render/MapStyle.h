#pragma once
// The colours the map is drawn in apart from the layers' own (MapLayers.cpp):
// the background, the canvas's plain colours, the selection highlights, and the
// type tables of streets and regions.
#include <QColor>

#include <string_view>

namespace mapstyle {

inline const QColor BackgroundColor{240, 230, 230};
inline const QColor White{255, 255, 255};
inline const QColor Black{0, 0, 0};
inline const QColor SelectionRed{255, 0, 0};
inline const QColor SelectionGreen{0, 255, 0};

// Street types with a drawing of their own (upper-cased type text).
enum class StreetKind : signed char { Ordinary, Railway, River, Bridge, Border, Highway };
// `type` is Windows-1251; the comparison is case-insensitive.
StreetKind ClassifyStreet(std::string_view type);
inline const QColor RailwayStreet{128, 128, 128};
inline const QColor RiverStreet{0, 0, 255};
inline const QColor BorderStreet{0, 0, 0};

// Region colour by the exact type text (Windows-1251); -1 when the type is
// not one of the known ones.
int RegionColorIndex(std::string_view type);
const QColor& RegionColor(int index);

}  // namespace mapstyle
