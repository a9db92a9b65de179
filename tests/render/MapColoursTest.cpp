// The map's colours as the documents give them, written out here as numbers:
// the one place a test holds them, checked against the style the drawing
// uses, and for a few against the picture of a demo city.  The other tests
// read their colours from the style (support/StyleColours.h).
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <functional>
#include <string>

#include "mapdata/Cp1251.h"
#include "mapdata/PictureLoader.h"
#include "render/LayerDrawers.h"
#include "render/MapLayers.h"
#include "render/MapStyle.h"
#include "shell/LoadCity.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"
#include "support/DemoCities.h"
#include "support/TempDir.h"
#include "mapdata/NativeName.h"
#include "view/ViewScale.h"

namespace {

const LayerStyle& StyleOf(DrawCode code) { return *LayerOf(code).Style; }

// A street type's pen colour (the type as the data files write it, UTF-8).
QColor StreetOfType(const char* utf8Type) {
  return StreetPenColor(mapstyle::ClassifyStreet(cp1251::FromUtf8(utf8Type)), StyleOf(DrawCode::Street));
}

// A region type's colour; invalid for a type the style does not know.
QColor RegionOfType(const char* utf8Type) {
  const int index = mapstyle::RegionColorIndex(cp1251::FromUtf8(utf8Type));
  return index < 0 ? QColor() : mapstyle::RegionColor(index);
}

struct MapColour {
  const char* Use;
  QColor Documented;
  std::function<QColor()> Styled;
  bool InDemoCity = false;  // the demo city's picture at scale 2 shows it
};

const MapColour kMapColours[] = {
    {"background", QColor(240, 230, 230), [] { return mapstyle::BackgroundColor; }, true},
    {"building fill", QColor(128, 128, 255), [] { return StyleOf(DrawCode::Building).Fill; }, true},
    {"house number", QColor(0, 0, 0), [] { return StyleOf(DrawCode::Building).Text; }},
    {"ordinary street", QColor(255, 255, 255), [] { return StreetOfType("улица"); }, true},
    {"street ТРАССА", QColor(255, 255, 255), [] { return StreetOfType("ТРАССА"); }},
    {"street МОСТ", QColor(255, 255, 255), [] { return StreetOfType("МОСТ"); }},
    {"street ЖД", QColor(128, 128, 128), [] { return StreetOfType("ЖД"); }},
    {"street РЕКА", QColor(0, 0, 255), [] { return StreetOfType("РЕКА"); }},
    {"street ГРАНИЦА", QColor(0, 0, 0), [] { return StreetOfType("ГРАНИЦА"); }},
    {"route, first pass", QColor(192, 192, 192), [] { return StyleOf(DrawCode::Route).Casing; }},
    {"route, second pass", QColor(255, 0, 0), [] { return StyleOf(DrawCode::Route).Line; }},
    {"label box", QColor(255, 255, 255), [] { return StyleOf(DrawCode::Label).Box; }},
    {"label box, size 10 and more", QColor(255, 241, 187), [] { return StyleOf(DrawCode::Label).LargeBox; }},
    {"label box while Ctrl is held", QColor(255, 255, 0), [] { return StyleOf(DrawCode::Label).HighlightedBox; }},
    {"label text", QColor(0, 0, 0), [] { return StyleOf(DrawCode::Label).Text; }},
    {"region Жилая зона", QColor(255, 177, 140), [] { return RegionOfType("Жилая зона"); }, true},
    {"region Промышленная и хозяйственная", QColor(192, 192, 192),
     [] { return RegionOfType("Промышленная и хозяйственная"); }},
    {"region В поселках жилого типа", QColor(255, 247, 196), [] { return RegionOfType("В поселках жилого типа"); }},
    {"region Рынки", QColor(251, 125, 166), [] { return RegionOfType("Рынки"); }},
    {"region Леса, парки", QColor(176, 215, 142), [] { return RegionOfType("Леса, парки"); }, true},
    {"region Кладбища", QColor(142, 196, 196), [] { return RegionOfType("Кладбища"); }},
    {"region Сады, виноградники", QColor(124, 222, 137), [] { return RegionOfType("Сады, виноградники"); }},
    {"region Технические культуры", QColor(0, 183, 105), [] { return RegionOfType("Технические культуры"); }},
    {"region Спортивные площадки", QColor(166, 202, 240), [] { return RegionOfType("Спортивные площадки"); }},
    {"region Водоемы", QColor(162, 155, 247), [] { return RegionOfType("Водоемы"); }},
    {"region Площади", QColor(243, 243, 243), [] { return RegionOfType("Площади"); }, true},
    {"selection ring", QColor(255, 0, 0), [] { return mapstyle::SelectionRed; }},
    {"selection fill and line", QColor(0, 255, 0), [] { return mapstyle::SelectionGreen; }},
};

// Whether any pixel of the picture is exactly `colour`.
bool Shows(const QImage& picture, const QColor& colour) {
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if ((picture.pixel(x, y) & 0xFFFFFF) == (colour.rgb() & 0xFFFFFF)) return true;
  return false;
}

}  // namespace

TEST(MapColours, AreTheDocumentedOnes) {
  TempDir root;
  const GeneratorRun run =
      RunDemoGenerator({"--out", QString::fromStdString(NativeString(root.Path())), "--plain"});
  ASSERT_EQ(run.ExitCode, 0) << run.Err;
  RegisterStandardPictureDecoders();
  RecordingHost host;
  MapCore core(host, root.Path());
  ASSERT_TRUE(LoadCity(core, kPlainDemoCity, cp1251::FromUtf8(kPlainDemoCity)));
  SetTrackBarPosition(core, 4);  // scale 2: buildings drawn
  ASSERT_EQ(core.View.Scale, 2.0f);

  for (const MapColour& c : kMapColours) {
    SCOPED_TRACE(c.Use);
    EXPECT_EQ(c.Styled().rgba(), c.Documented.rgba()) << "the style's " << c.Styled().name().toStdString();
    if (c.InDemoCity) EXPECT_TRUE(Shows(core.Map, c.Documented)) << "in the demo city's picture";
  }
}
