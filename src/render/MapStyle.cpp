#include "render/MapStyle.h"

#include <array>
#include <string>
#include <utility>

#include "mapdata/Cp1251.h"

namespace mapstyle {
namespace {

struct RegionStyle {
  std::string Type;  // Windows-1251
  QColor Color;
};

const std::array<RegionStyle, 11>& RegionStyles() {
  static const std::array<RegionStyle, 11> styles = {{
      {cp1251::FromUtf8("Жилая зона"), QColor(255, 177, 140)},
      {cp1251::FromUtf8("Промышленная и хозяйственная"), QColor(192, 192, 192)},
      {cp1251::FromUtf8("В поселках жилого типа"), QColor(255, 247, 196)},
      {cp1251::FromUtf8("Рынки"), QColor(251, 125, 166)},
      {cp1251::FromUtf8("Леса, парки"), QColor(176, 215, 142)},
      {cp1251::FromUtf8("Кладбища"), QColor(142, 196, 196)},
      {cp1251::FromUtf8("Сады, виноградники"), QColor(124, 222, 137)},
      {cp1251::FromUtf8("Технические культуры"), QColor(0, 183, 105)},
      {cp1251::FromUtf8("Спортивные площадки"), QColor(166, 202, 240)},
      {cp1251::FromUtf8("Водоемы"), QColor(162, 155, 247)},
      {cp1251::FromUtf8("Площади"), QColor(243, 243, 243)},
  }};
  return styles;
}

struct StreetType {
  std::string UpperType;  // Windows-1251
  StreetKind Kind;
};

const std::array<StreetType, 5>& StreetTypes() {
  static const std::array<StreetType, 5> types = {{
      {cp1251::FromUtf8("ЖД"), StreetKind::Railway},
      {cp1251::FromUtf8("РЕКА"), StreetKind::River},
      {cp1251::FromUtf8("МОСТ"), StreetKind::Bridge},
      {cp1251::FromUtf8("ГРАНИЦА"), StreetKind::Border},
      {cp1251::FromUtf8("ТРАССА"), StreetKind::Highway},
  }};
  return types;
}

}  // namespace

StreetKind ClassifyStreet(std::string_view type) {
  if (type.size() > 16) return StreetKind::Ordinary;  // longer than any special type
  const std::string upper = cp1251::Upper(type);
  for (const StreetType& t : StreetTypes())
    if (upper == t.UpperType) return t.Kind;
  return StreetKind::Ordinary;
}

int RegionColorIndex(std::string_view type) {
  const auto& styles = RegionStyles();
  for (size_t i = 0; i < styles.size(); ++i)
    if (type == styles[i].Type) return static_cast<int>(i);
  return -1;
}

const QColor& RegionColor(int index) { return RegionStyles()[static_cast<size_t>(index)].Color; }

}  // namespace mapstyle
