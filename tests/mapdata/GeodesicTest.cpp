// Real lengths on a georeferenced map against PROJ's own `geod`, for lines
// near the city, across it, 1000 km east of the central meridian (where the
// projection stretches a length by 1.2%) and 1500 km west of it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mapdata/Geodesic.h"

namespace {

GeoReference CityGeoReference() {
  GeoReference geo;
  std::string problem;
  EXPECT_TRUE(ParseGeoReference("Tellurin georeference 1\r\n"
                                "proj +proj=tmerc +approx +lat_0=45.0312100 +lon_0=39.0240600 +k=1 +x_0=0 +y_0=0 "
                                "+ellps=WGS84\r\n"
                                "unit 4\r\norigin 500 600\r\naxes east south\r\n",
                                geo, problem))
      << problem;
  return geo;
}

}  // namespace

// The expected lengths were computed once with PROJ's programs (Debian's
// proj-bin), not needed here: each map point (X, Y) as projected metres
// E = (X - 500) * 4, N = (600 - Y) * 4 through
//   invproj -f %.10f +proj=tmerc +approx +lat_0=45.0312100 +lon_0=39.0240600 +k=1 +x_0=0 +y_0=0 +ellps=WGS84
// and each stretch through `geod +ellps=WGS84 -I +units=m -f %.10f -F %.6f`,
// the stretches summed.
TEST(Geodesic, LineLengthsAgreeWithProjsGeod) {
  const GeoReference geo = CityGeoReference();
  struct Case {
    const char* what;
    std::vector<MapSpot> points;
    double geod;  // metres
  };
  const Case cases[] = {
      {"1 km east of the centre", {{500, 600}, {750, 600}}, 999.999998},
      {"three stretches across the city", {{500, 600}, {800, 350}, {1200, 900}, {400, 1000}}, 7507.246886},
      {"1 km, 1000 km east of the central meridian", {{250500, 600}, {250750, 600}}, 987.819253},
      {"400 km east and north", {{500, 600}, {100500, -99400}}, 565315.109265},
      {"1500 km west, then south and east", {{-374500, 600}, {-374500, 100600}, {-374250, 100600}}, 390151.178962},
  };
  for (const Case& k : cases) {
    const std::optional<double> metres = GeodesicLineLength(geo, k.points);
    ASSERT_TRUE(metres.has_value()) << k.what;
    // The viewer is asked for 0.5%; the same series and algorithm give PROJ's
    // value to a millionth.
    EXPECT_NEAR(*metres, k.geod, k.geod * 1e-6) << k.what;
  }
}

TEST(Geodesic, NoLengthWhereAPointHasNoLatitude) {
  const GeoReference geo = CityGeoReference();
  EXPECT_EQ(GeodesicLineLength(geo, {{500, 600}}), 0.0);
  EXPECT_EQ(GeodesicLineLength(geo, {}), 0.0);
  // 2400 km east of the central meridian: beyond the projection's series.
  EXPECT_FALSE(GeodesicLineLength(geo, {{500, 600}, {600500, 600}}).has_value());
  EXPECT_FALSE(GroundMetresPerMapUnit(geo, {600500, 600}, 10).has_value());
  EXPECT_FALSE(GroundMetresPerMapUnit(geo, {500, 600}, 0).has_value());
}
