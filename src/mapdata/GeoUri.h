#pragma once
// "geo:" URIs (RFC 5870), as other map applications write and take them:
// "geo:45.03074,39.02428", with an altitude ("geo:45.03,39.02,120"), the
// parameters ";crs=wgs84" and ";u=30" and any other ";name=value", and the
// query "?z=17" (the zoom level of web maps, which the RFC leaves to
// applications).  What does not change the point (the altitude, "u", other
// parameters, other query fields) is read and passed over; anything that is
// not a URI of this form, or a coordinate reference system other than WGS 84,
// is refused with the reason.  The text comes from other programs: it is read
// as a stranger's, at most kMaxGeoUriLength bytes.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "mapdata/TransverseMercator.h"

constexpr size_t kMaxGeoUriLength = 2048;
// The zoom levels of web maps: 0, the whole world in 256 pixels, to 30.
constexpr int kMaxGeoZoom = 30;

struct GeoLink {
  LatLon At;
  std::optional<int> Zoom;  // "z" of the query
};

// Whether the text names the scheme ("geo:", any case): a URI meant for the
// viewer, whether it then reads or not.
bool IsGeoUri(std::string_view text);
// False, with what is wrong (UTF-8), unless `text` is a geo: URI as above.
bool ParseGeoUri(std::string_view text, GeoLink& link, std::string& problem);
// "Ссылка «geo:…» не читается: PROBLEM." (UTF-8), the URI cut short.
std::string GeoUriProblemMessage(std::string_view text, const std::string& problem);
// "geo:45.03074,39.02428": five decimals (about a metre), as LatLonText.
std::string GeoUriText(LatLon at);
