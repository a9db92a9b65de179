#pragma once
// Colours of the map and the classification of street and region types.
#include <QColor>

#include <string_view>

namespace mapstyle {

inline const QColor BackgroundColor{240, 230, 230};
inline const QColor BuildingFill{128, 128, 255};
inline const QColor BuildingNumber{0, 0, 0};
inline const QColor OrdinaryStreet{255, 255, 255};
inline const QColor RailwayStreet{128, 128, 128};
inline const QColor RiverStreet{0, 0, 255};
inline const QColor BorderStreet{0, 0, 0};
inline const QColor RouteCasing{192, 192, 192};
inline const QColor RouteLine{255, 0, 0};
inline const QColor LabelBox{255, 255, 255};
inline const QColor LargeLabelBox{255, 241, 187};
inline const QColor HighlightedLabelBox{255, 255, 0};
inline const QColor White{255, 255, 255};
inline const QColor Black{0, 0, 0};
inline const QColor SelectionRed{255, 0, 0};
inline const QColor SelectionGreen{0, 255, 0};

// Street types with a drawing of their own (upper-cased type text).
enum class StreetKind : signed char { Ordinary, Railway, River, Bridge, Border, Highway };
// `type` is Windows-1251; the comparison is case-insensitive.
StreetKind ClassifyStreet(std::string_view type);

// Region colour by the exact type text (Windows-1251); -1 when the type is
// not one of the known ones.
int RegionColorIndex(std::string_view type);
const QColor& RegionColor(int index);

// Labels of size 10 and more get the pale yellow box.
constexpr int LargeLabelSize = 10;

}  // namespace mapstyle
