// geo: URIs as other map applications hand them over: the point, the zoom
// level, parameters read and passed over, and every malformed one refused
// with the reason.
#include "mapdata/GeoUri.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

TEST(GeoUri, ReadsThePointAndZoomAndRefusesWhatIsMalformed) {
  struct Case {
    std::string Uri;
    std::optional<GeoLink> Link;  // none: refused
    std::string Problem;
  };
  const Case cases[] = {
      {"geo:45.03074,39.02428", GeoLink{{45.03074, 39.02428}, std::nullopt}, ""},
      {"GEO:-33,-18.5", GeoLink{{-33, -18.5}, std::nullopt}, ""},
      {"geo:90,180,1200.5", GeoLink{{90, 180}, std::nullopt}, ""},
      {"geo:45.03074,39.02428?z=17", GeoLink{{45.03074, 39.02428}, 17}, ""},
      {"geo:45,39;crs=WGS84;u=35?q=cafe&z=0", GeoLink{{45, 39}, 0}, ""},
      {"geo:45,39;u=12.5;x-app=a%20b;flag", GeoLink{{45, 39}, std::nullopt}, ""},
      {"geo:", std::nullopt, "после «geo:» ожидаются широта и долгота через запятую"},
      {"geo:45.03074", std::nullopt, "после «geo:» ожидаются широта и долгота через запятую"},
      {"geo:1,2,3,4", std::nullopt, "после «geo:» ожидаются широта и долгота через запятую"},
      {"map:45,39", std::nullopt, "ссылка не начинается с «geo:»"},
      {"geo:45.,39", std::nullopt, "широта «45.» не является числом"},
      {"geo:+45,39", std::nullopt, "широта «+45» не является числом"},
      {"geo:4e1,39", std::nullopt, "широта «4e1» не является числом"},
      {"geo:91,39", std::nullopt, "широта «91» вне пределов от -90 до 90"},
      {"geo:45,-180.001", std::nullopt, "долгота «-180.001» вне пределов от -180 до 180"},
      {"geo:45, 39", std::nullopt, "долгота « 39» не является числом"},
      {"geo:45,39,высота", std::nullopt, "высота «высота» не является числом"},
      {"geo:45,39;crs=epsg3857", std::nullopt, "система координат «epsg3857» не поддерживается (читается только wgs84)"},
      {"geo:45,39;crs=wgs84;crs=wgs84", std::nullopt, "параметр «crs» повторяется"},
      {"geo:45,39;u=-1", std::nullopt, "погрешность u «-1» не является числом"},
      {"geo:45,39;=1", std::nullopt, "параметр «;=1» записан неверно"},
      {"geo:45,39;a=%zz", std::nullopt, "параметр «;a=%zz» записан неверно"},
      {"geo:45,39?z=17.5", std::nullopt, "масштаб z «17.5» не целое число от 0 до 30"},
      {"geo:45,39?z=31", std::nullopt, "масштаб z «31» не целое число от 0 до 30"},
      {"geo:45,39?z=", std::nullopt, "масштаб z «» не целое число от 0 до 30"},
      {"geo:45,39#top", std::nullopt, "в ссылке есть «#»"},
      {"geo:45,39;n=" + std::string(3000, 'a'), std::nullopt, "ссылка длиннее 2048 байт"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Uri.substr(0, 60));
    GeoLink link;
    std::string problem;
    const bool read = ParseGeoUri(c.Uri, link, problem);
    EXPECT_EQ(read, c.Link.has_value());
    EXPECT_EQ(problem, c.Problem);
    if (!read || !c.Link) continue;
    EXPECT_EQ(link.At.Latitude, c.Link->At.Latitude);
    EXPECT_EQ(link.At.Longitude, c.Link->At.Longitude);
    EXPECT_EQ(link.Zoom, c.Link->Zoom);
  }
  EXPECT_EQ(GeoUriText({45.030744, 39.024276}), "geo:45.03074,39.02428");
  EXPECT_EQ(GeoUriText({-0.000001, -180}), "geo:0.00000,-180.00000");
  EXPECT_EQ(GeoUriProblemMessage("geo:\n" + std::string(50, '9'), "причина"),
            "Ссылка «geo:?" + std::string(35, '9') + "…» не читается: причина.");
}
