#include "mapdata/GeoReference.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <map>
#include <vector>

#include "mapdata/DecimalText.h"
#include "mapdata/FileReplace.h"
#include "mapdata/ProblemText.h"

namespace {

constexpr std::string_view kFirstLine = "Tellurin georeference 1";
constexpr std::string_view kFirstLineStem = "Tellurin georeference ";
constexpr int kLineCount = 5;
constexpr FolderWords kInfoFolder{"в папку Info", "папка Info"};

// The bounds a value must keep, and how the file names it.
struct Bounds {
  double Min, Max;
};
constexpr Bounds kLatitude{-90, 90}, kLongitude{-180, 180}, kScaleFactor{0.1, 10}, kFalseOrigin{-1e8, 1e8},
    kUnit{0.001, 10000};

std::string Fixed(double value, int decimals = -1) {
  char text[64];
  const auto end = decimals < 0 ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed)
                                : std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, end.ptr);
}

std::string BoundsText(Bounds b) { return "от " + Fixed(b.Min) + " до " + Fixed(b.Max); }

// The file's lines without their line ends; false when a byte is not
// printable ASCII (the file's line is then in `bad`).
bool SplitLines(std::string_view bytes, std::vector<std::string_view>& lines, int& bad) {
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    for (const char c : line)
      if (c < 0x20 || c > 0x7e) {
        bad = static_cast<int>(lines.size());
        return false;
      }
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
  }
  return true;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  for (size_t start = 0;;) {
    const size_t end = line.find(' ', start);
    words.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return words;
    start = end + 1;
  }
}

class Parser {
 public:
  Parser(GeoReference& geo, std::string& problem) : geo_(geo), problem_(problem) {}

  bool Run(std::string_view bytes) {
    std::vector<std::string_view> lines;
    if (int bad = 0; !SplitLines(bytes, lines, bad))
      return Refuse(bad, "в ней есть знак, кроме печатных знаков ASCII");
    if (lines.empty()) return Fail("файл пуст");
    if (lines[0] != kFirstLine) {
      if (lines[0].starts_with(kFirstLineStem))
        return Fail("версия " + QuotedValue(lines[0].substr(kFirstLineStem.size())) +
                    " не читается этой программой (читается версия 1)");
      return Fail("первая строка не «" + std::string(kFirstLine) + "»");
    }
    if (lines.size() != kLineCount)
      return Fail("строк " + std::to_string(lines.size()) + ", а должно быть " + std::to_string(kLineCount));
    return ProjLine(Words(lines[1])) && UnitLine(Words(lines[2])) && OriginLine(Words(lines[3])) &&
           AxesLine(lines[4]);
  }

 private:
  bool Fail(const std::string& what) {
    problem_ = what;
    return false;
  }
  bool Refuse(int line, const std::string& what) { return Fail("строка " + std::to_string(line) + ": " + what); }

  bool Number(int line, std::string_view name, std::string_view text, Bounds bounds, double& value) {
    const std::optional<double> number = DecimalFractionOf(text);
    if (!number) return Refuse(line, std::string(name) + " " + QuotedValue(text) + " не является числом");
    if (!(*number >= bounds.Min && *number <= bounds.Max))
      return Refuse(line, std::string(name) + " " + QuotedValue(text) + " вне пределов " + BoundsText(bounds));
    value = *number;
    return true;
  }

  // "proj" and the PROJ definition's parameters, each once.
  bool ProjLine(const std::vector<std::string_view>& words) {
    constexpr int line = 2;
    if (words.size() < 2 || words[0] != "proj") return Refuse(line, "ожидается «proj +proj=tmerc …»");
    std::map<std::string_view, std::string_view> given;
    for (size_t i = 1; i < words.size(); ++i) {
      const std::string_view word = words[i];
      if (!word.starts_with('+')) return Refuse(line, "параметр " + QuotedValue(word) + " не начинается с «+»");
      const size_t equals = word.find('=');
      const std::string_view key = word.substr(1, equals == std::string_view::npos ? equals : equals - 1);
      const std::string_view value = equals == std::string_view::npos ? std::string_view() : word.substr(equals + 1);
      if (!Known(key, equals != std::string_view::npos))
        return Refuse(line, "параметр " + QuotedValue(word) + " не поддерживается");
      if (!given.emplace(key, value).second) return Refuse(line, "параметр " + QuotedValue(key) + " повторяется");
    }
    if (!given.contains("proj") || given["proj"] != "tmerc")
      return Refuse(line, "проекция не «+proj=tmerc» (поперечная проекция Меркатора)");
    if (!given.contains("ellps") || given["ellps"] != "WGS84") return Refuse(line, "эллипсоид не «+ellps=WGS84»");
    geo_.Approx = given.contains("approx");
    TransverseMercator& p = geo_.Projection;
    p = {};
    const struct {
      std::string_view Key;
      Bounds Limits;
      double& Value;
    } numbers[] = {{"lat_0", kLatitude, p.OriginLatitude},
                   {"lon_0", kLongitude, p.CentralMeridian},
                   {"k", kScaleFactor, p.ScaleFactor},
                   {"x_0", kFalseOrigin, p.FalseEasting},
                   {"y_0", kFalseOrigin, p.FalseNorthing}};
    for (const auto& n : numbers)
      if (given.contains(n.Key) && !Number(line, "+" + std::string(n.Key), given[n.Key], n.Limits, n.Value))
        return false;
    return true;
  }

  // Which parameters the definition may have: the flag "approx", the rest with values.
  static bool Known(std::string_view key, bool hasValue) {
    if (key == "approx") return !hasValue;
    return hasValue && (key == "proj" || key == "ellps" || key == "lat_0" || key == "lon_0" || key == "k" ||
                        key == "x_0" || key == "y_0");
  }

  bool UnitLine(const std::vector<std::string_view>& words) {
    constexpr int line = 3;
    if (words.size() != 2 || words[0] != "unit") return Refuse(line, "ожидается «unit МЕТРОВ»");
    return Number(line, "единица карты", words[1], kUnit, geo_.Unit);
  }

  bool OriginLine(const std::vector<std::string_view>& words) {
    constexpr int line = 4;
    if (words.size() != 3 || words[0] != "origin") return Refuse(line, "ожидается «origin X Y»");
    for (size_t i = 1; i <= 2; ++i) {
      int32_t value = 0;
      if (!ParseDecimalInt(words[i], value))
        return Refuse(line, "координата " + QuotedValue(words[i]) + " не является целым числом");
      (i == 1 ? geo_.OriginX : geo_.OriginY) = value;
    }
    return true;
  }

  bool AxesLine(std::string_view text) {
    constexpr int line = 5;
    if (text != "axes east south" && text != "axes east north")
      return Refuse(line, "ожидается «axes east south» или «axes east north»");
    geo_.NorthUp = text == "axes east north";
    return true;
  }

  GeoReference& geo_;
  std::string& problem_;
};

}  // namespace

std::optional<LatLon> MapToLatLon(const GeoReference& geo, double x, double y) {
  const double easting = (x - geo.OriginX) * geo.Unit;
  const double northing = (geo.NorthUp ? y - geo.OriginY : geo.OriginY - y) * geo.Unit;
  return InverseTransverseMercator(geo.Projection, easting, northing);
}

std::optional<MapCoordinates> LatLonToMap(const GeoReference& geo, LatLon at) {
  const std::optional<ProjectedPoint> p = ForwardTransverseMercator(geo.Projection, at);
  if (!p) return std::nullopt;
  const double x = geo.OriginX + p->Easting / geo.Unit;
  const double up = p->Northing / geo.Unit;
  return MapCoordinates{x, geo.NorthUp ? geo.OriginY + up : geo.OriginY - up};
}

std::string ProjDefinition(const GeoReference& geo) {
  const TransverseMercator& p = geo.Projection;
  return std::string("+proj=tmerc") + (geo.Approx ? " +approx" : "") + " +lat_0=" + Fixed(p.OriginLatitude, 7) +
         " +lon_0=" + Fixed(p.CentralMeridian, 7) + " +k=" + Fixed(p.ScaleFactor) + " +x_0=" + Fixed(p.FalseEasting) +
         " +y_0=" + Fixed(p.FalseNorthing) + " +ellps=WGS84";
}

std::string GeoReferenceText(const GeoReference& geo) {
  return std::string(kFirstLine) + "\r\n" +                                                  //
         "proj " + ProjDefinition(geo) + "\r\n" +                                            //
         "unit " + Fixed(geo.Unit) + "\r\n" +                                                //
         "origin " + std::to_string(geo.OriginX) + " " + std::to_string(geo.OriginY) + "\r\n" +  //
         "axes east " + (geo.NorthUp ? "north" : "south") + "\r\n";
}

bool ParseGeoReference(std::string_view bytes, GeoReference& geo, std::string& problem) {
  GeoReference read;
  if (!Parser(read, problem).Run(bytes)) return false;
  geo = read;
  return true;
}

GeoReading ReadGeoReference(const CityLocation& city) {
  GeoReading reading;
  reading.File = city.File(kGeoReferenceFile);
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(reading.File, ec))) return reading;
  std::string bytes;
  int error = 0;
  if (!ReadPlainFile(reading.File, bytes, error, kMaxGeoReferenceBytes)) {
    reading.Problem = error == EFBIG ? "файл больше " + std::to_string(kMaxGeoReferenceBytes) + " байт"
                                     : FailureReason(error, false, kInfoFolder);
  } else if (GeoReference geo; ParseGeoReference(bytes, geo, reading.Problem)) {
    reading.Geo = geo;
  }
  if (!reading.Problem.empty()) reading.Problem += "; широта и долгота не показываются";
  return reading;
}

std::string DegreesText(double degrees, int decimals) {
  std::string text = Fixed(degrees, decimals);
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

std::string LatLonText(LatLon at) { return DegreesText(at.Latitude, 5) + ", " + DegreesText(at.Longitude, 5); }
