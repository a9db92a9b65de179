#include "mapdata/GeoUri.h"

#include <QString>

#include <cctype>
#include <charconv>
#include <vector>

#include "mapdata/DecimalText.h"
#include "mapdata/GeoReference.h"

namespace {

constexpr std::string_view kScheme = "geo:";
constexpr int kMaxQuotedLength = 40;

// A part of the URI for a message: «…» around it, its bytes read as UTF-8
// (what is not becomes U+FFFD), control characters as "?", cut after
// kMaxQuotedLength characters.
std::string QuotedValue(std::string_view text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const bool cut = shown.size() > kMaxQuotedLength;
  shown.truncate(kMaxQuotedLength);
  for (QChar& c : shown)
    if (c.category() == QChar::Other_Control) c = u'?';
  return "«" + shown.toStdString() + (cut ? "…" : "") + "»";
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlphanum(char c) { return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

// num = [ "-" ] pnum, pnum = 1*DIGIT [ "." 1*DIGIT ]: the georeference's decimals.
std::optional<double> Number(std::string_view text, bool sign) {
  if (!sign && text.starts_with('-')) return std::nullopt;
  return DecimalFractionOf(text);
}

// labeltext = 1*( alphanum / "-" )
bool IsLabel(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text)
    if (!IsAlphanum(c) && c != '-') return false;
  return true;
}

// pvalue = 1*( "[" / "]" / ":" / "&" / "+" / "$" / unreserved / pct-encoded )
bool IsParameterValue(std::string_view text) {
  if (text.empty()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '%') {
      if (i + 2 >= text.size() || !IsHex(text[i + 1]) || !IsHex(text[i + 2])) return false;
      i += 2;
    } else if (!IsAlphanum(c) && std::string_view("[]:&+$-_.!~*'()").find(c) == std::string_view::npos) {
      return false;
    }
  }
  return true;
}

class Parser {
 public:
  Parser(GeoLink& link, std::string& problem) : link_(link), problem_(problem) {}

  bool Run(std::string_view text) {
    if (text.size() > kMaxGeoUriLength)
      return Fail("ссылка длиннее " + std::to_string(kMaxGeoUriLength) + " байт");
    if (!IsGeoUri(text)) return Fail("ссылка не начинается с «geo:»");
    text.remove_prefix(kScheme.size());
    if (text.find('#') != std::string_view::npos) return Fail("в ссылке есть «#»");
    const size_t query = text.find('?');
    const std::vector<std::string_view> parameters = Split(text.substr(0, query), ';');
    if (!Coordinates(parameters[0])) return false;
    for (size_t i = 1; i < parameters.size(); ++i)
      if (!Parameter(parameters[i])) return false;
    return query == std::string_view::npos || Query(text.substr(query + 1));
  }

 private:
  bool Fail(std::string reason) {
    problem_ = std::move(reason);
    return false;
  }

  bool Coordinate(std::string_view text, const char* what, double bound, double& value) {
    const std::optional<double> number = Number(text, true);
    if (!number) return Fail(std::string(what) + " " + QuotedValue(text) + " не является числом");
    value = *number;
    if (!(value >= -bound && value <= bound))
      return Fail(std::string(what) + " " + QuotedValue(text) + " вне пределов от " + std::to_string(-int(bound)) +
                  " до " + std::to_string(int(bound)));
    return true;
  }

  // coordinates = num "," num [ "," num ]: latitude, longitude, altitude.
  bool Coordinates(std::string_view text) {
    const std::vector<std::string_view> parts = Split(text, ',');
    if (parts.size() < 2 || parts.size() > 3)
      return Fail("после «geo:» ожидаются широта и долгота через запятую");
    if (!Coordinate(parts[0], "широта", 90, link_.At.Latitude)) return false;
    if (!Coordinate(parts[1], "долгота", 180, link_.At.Longitude)) return false;
    if (parts.size() == 3 && !Number(parts[2], true))
      return Fail("высота " + QuotedValue(parts[2]) + " не является числом");
    return true;
  }

  // ";crs=wgs84", ";u=NUMBER", ";name[=value]".
  bool Parameter(std::string_view text) {
    const size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    const std::string_view value = equals == std::string_view::npos ? std::string_view() : text.substr(equals + 1);
    if (!IsLabel(name) || (equals != std::string_view::npos && !IsParameterValue(value)))
      return Fail("параметр " + QuotedValue(";" + std::string(text)) + " записан неверно");
    if (SameLetters(name, "crs")) {
      if (crsSeen_) return Fail("параметр «crs» повторяется");
      crsSeen_ = true;
      if (!SameLetters(value, "wgs84"))
        return Fail("система координат " + QuotedValue(value) + " не поддерживается (читается только wgs84)");
    } else if (SameLetters(name, "u")) {
      if (uSeen_) return Fail("параметр «u» повторяется");
      uSeen_ = true;
      if (!Number(value, false)) return Fail("погрешность u " + QuotedValue(value) + " не является числом");
    }
    return true;
  }

  // "z=N" of "name=value" fields joined by "&"; the others are passed over.
  bool Query(std::string_view text) {
    for (const std::string_view field : Split(text, '&')) {
      const size_t equals = field.find('=');
      if (!SameLetters(field.substr(0, equals), "z")) continue;
      const std::string_view value = equals == std::string_view::npos ? std::string_view() : field.substr(equals + 1);
      int zoom = -1;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), zoom);
      if (value.empty() || !IsDigit(value[0]) || error != std::errc() || end != value.data() + value.size() ||
          zoom > kMaxGeoZoom)
        return Fail("масштаб z " + QuotedValue(value) + " не целое число от 0 до " + std::to_string(kMaxGeoZoom));
      link_.Zoom = zoom;
    }
    return true;
  }

  GeoLink& link_;
  std::string& problem_;
  bool crsSeen_ = false, uSeen_ = false;
};

}  // namespace

bool IsGeoUri(std::string_view text) { return SameLetters(text.substr(0, kScheme.size()), kScheme); }

bool ParseGeoUri(std::string_view text, GeoLink& link, std::string& problem) {
  GeoLink read;
  if (!Parser(read, problem).Run(text)) return false;
  link = read;
  return true;
}

std::string GeoUriProblemMessage(std::string_view text, const std::string& problem) {
  return "Ссылка " + QuotedValue(text) + " не читается: " + problem + ".";
}

std::string GeoUriText(LatLon at) {
  return std::string(kScheme) + DegreesText(at.Latitude, 5) + "," + DegreesText(at.Longitude, 5);
}
