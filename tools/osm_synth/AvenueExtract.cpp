#include "AvenueExtract.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iomanip>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr const char* kAvenueName = "проспект Абая";
constexpr double kLat0 = 43.24, kLon0 = 76.93;
constexpr double kMetresPerDegree = 111320.0;
constexpr double kCarriagewayOffset = 14;  // metres either side of the axis
constexpr double kRoundaboutRadius = 38, kRoundaboutGap = 45;

using P = AvenuePoint;
using Tags = std::vector<std::pair<std::string, std::string>>;

// Where the crossings are and what they are called: the street on each side
// of the avenue (the same name or not) and its class.
struct Crossing {
  const char* Left;   // north of the avenue where it runs east
  const char* Right;
  const char* Highway;
};
const Crossing kCrossings[] = {
    {"Богенбай Батыра ул.", "Богенбай Батыра ул.", "tertiary"},
    {"Байтурсынова көшесі", "Байтурсынова көшесі", "residential"},
    {"Назарбаева даңғылы", "Назарбаева даңғылы", "secondary"},
    {"пр. Сейфуллина", "пр. Сейфуллина", "tertiary"},
    {"Жандосова пр-т", "Тимирязева", "tertiary"},
    {"Гагарина просп.", "Гагарина просп.", "secondary"},
    {"пер. Малый", "пер. Малый", "residential"},
    {"б-р Бухар Жырау", "б-р Бухар Жырау", "tertiary"},
    {"Кульджинский ш.", "Кульджинский ш.", "secondary"},
    {"улица Желтоксан", "улица Желтоксан", "tertiary"},
    {"Фурманова улица", "Фурманова улица", "tertiary"},
    {"Наурызбай батыра көш.", "Наурызбай батыра көш.", "residential"},
    {"Төле би көшесі", "Төле би көшесі", "tertiary"},
    {"Сәтпаев көшесi", "Сәтпаев көшесi", "residential"},  // і typed as the Latin i
    {"Достык дангылы", "Достык дангылы", "secondary"},    // даңғылы without its Kazakh letters
    {"ул.Шевченко", "ул.Шевченко", "residential"},
    {"улица Набережная", "улица Набережная", "residential"},
    {"Абылай хана даңғылы", "Абылай хана даңғылы", "secondary"},
    {"Весновка тұйығы", "Весновка тұйығы", "residential"},
    {"Республика алаңы", "Республика алаңы", "tertiary"},
    {"Momyshuly street", "Momyshuly street", "residential"},
    {"2-й Переулок Ленина", "2-й Переулок Ленина", "tertiary"},
    {"Манаса", "Манаса", "residential"},
    {"Радостовца", "Радостовца", "residential"},
    {"Розыбакиева", "Розыбакиева", "tertiary"},
    {"Тургут Озала", "Тургут Озала", "residential"},
    {"Брусиловского", "Брусиловского", "residential"},
    {"Утеген батыра", "Утеген батыра", "tertiary"},
    {"Саина", "Саина", "secondary"},
};

struct Bridge {
  double From, To;
  const char* Name;
  const char* River;
};
const Bridge kBridges[] = {{5600, 5720, "Есентайский мост", "река Есентай"},
                           {10400, 10490, "мост через Весновку", "река Весновка"}};
const double kRoundabouts[] = {3200, 8300, 12900};
// The northern carriageway has no name here: only the southern one says it.
constexpr double kNamelessFrom = 9000, kNamelessTo = 10200;

// A seed from a position along the avenue, negative ones too (a double below
// zero does not convert to an unsigned integer directly).
uint64_t SeedOf(double position) { return static_cast<uint64_t>(static_cast<int64_t>(position)); }

// A number from 0 to 1 that looks random but is the same for the same seed.
double Scatter(uint64_t seed) {
  uint64_t h = seed * 0x9E3779B97F4A7C15ull;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ull;
  h ^= h >> 32;
  return static_cast<double>(h % 10001) / 10000.0;
}

// The avenue's axis, its corners rounded, every 5 m with the distance along it.
class Axis {
 public:
  Axis() {
    std::vector<P> line{{-7000, 0}, {-3000, 200}, {0, 0}, {2500, 800}, {4800, 3300}, {7500, 4300}};
    for (int round = 0; round < 4; ++round) {  // Chaikin's corner cutting
      std::vector<P> cut{line.front()};
      for (size_t i = 1; i < line.size(); ++i) {
        const P a = line[i - 1], b = line[i];
        cut.push_back({a.X * 0.75 + b.X * 0.25, a.Y * 0.75 + b.Y * 0.25});
        cut.push_back({a.X * 0.25 + b.X * 0.75, a.Y * 0.25 + b.Y * 0.75});
      }
      cut.push_back(line.back());
      line = std::move(cut);
    }
    points_ = line;
    along_.push_back(0);
    for (size_t i = 1; i < points_.size(); ++i)
      along_.push_back(along_.back() + std::hypot(points_[i].X - points_[i - 1].X, points_[i].Y - points_[i - 1].Y));
  }

  double Length() const { return along_.back(); }
  const std::vector<P>& Points() const { return points_; }

  P At(double s) const {
    s = std::clamp(s, 0.0, Length());
    const size_t i = std::min<size_t>(std::upper_bound(along_.begin(), along_.end(), s) - along_.begin(), along_.size() - 1);
    const double t = (s - along_[i - 1]) / std::max(1e-9, along_[i] - along_[i - 1]);
    return {points_[i - 1].X + (points_[i].X - points_[i - 1].X) * t, points_[i - 1].Y + (points_[i].Y - points_[i - 1].Y) * t};
  }

  // The unit vector to the left of the way east.
  P Left(double s) const {
    const P a = At(s - 10), b = At(s + 10);
    const double length = std::hypot(b.X - a.X, b.Y - a.Y);
    return {-(b.Y - a.Y) / length, (b.X - a.X) / length};
  }

  P Beside(double s, double offset) const {
    const P at = At(s), left = Left(s);
    return {at.X + left.X * offset, at.Y + left.Y * offset};
  }

 private:
  std::vector<P> points_;
  std::vector<double> along_;
};

const Axis& TheAxis() {
  static const Axis axis;
  return axis;
}

class OsmXml {
 public:
  int64_t Node(P at, const Tags& tags = {}) {
    nodes_.push_back({at, tags});
    return static_cast<int64_t>(nodes_.size());
  }
  void Way(const std::vector<int64_t>& nodes, const Tags& tags) {
    if (nodes.size() >= 2) ways_.push_back({nodes, tags});
  }
  P At(int64_t node) const { return nodes_[static_cast<size_t>(node - 1)].first; }

  void Write(const std::filesystem::path& file) const {
    std::ofstream out(file, std::ios::binary);
    if (!out) throw std::runtime_error("cannot write the file");
    double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
    for (const auto& [at, tags] : nodes_)
      minX = std::min(minX, at.X), minY = std::min(minY, at.Y), maxX = std::max(maxX, at.X), maxY = std::max(maxY, at.Y);
    out << std::fixed << std::setprecision(7);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<osm version=\"0.6\" generator=\"tellurin-osm-synth\">\n";
    out << "  <bounds minlat=\"" << Lat(minY - 200) << "\" minlon=\"" << Lon(minX - 200) << "\" maxlat=\"" << Lat(maxY + 200)
        << "\" maxlon=\"" << Lon(maxX + 200) << "\"/>\n";
    for (size_t i = 0; i < nodes_.size(); ++i) {
      const auto& [at, tags] = nodes_[i];
      out << "  <node id=\"" << i + 1 << "\" version=\"1\" lat=\"" << Lat(at.Y) << "\" lon=\"" << Lon(at.X) << "\"";
      if (tags.empty()) {
        out << "/>\n";
        continue;
      }
      out << ">\n";
      WriteTags(out, tags);
      out << "  </node>\n";
    }
    for (size_t i = 0; i < ways_.size(); ++i) {
      out << "  <way id=\"" << i + 1 << "\" version=\"1\">\n";
      for (int64_t n : ways_[i].first) out << "    <nd ref=\"" << n << "\"/>\n";
      WriteTags(out, ways_[i].second);
      out << "  </way>\n";
    }
    out << "</osm>\n";
    if (!out.flush()) throw std::runtime_error("cannot write the file");
  }

 private:
  static double Lat(double y) { return kLat0 + y / kMetresPerDegree; }
  static double Lon(double x) { return kLon0 + x / (kMetresPerDegree * std::cos(kLat0 * M_PI / 180)); }

  static std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
      if (c == '&') out += "&amp;";
      else if (c == '<') out += "&lt;";
      else if (c == '>') out += "&gt;";
      else if (c == '"') out += "&quot;";
      else out += c;
    }
    return out;
  }

  static void WriteTags(std::ofstream& out, const Tags& tags) {
    for (const auto& [k, v] : tags) out << "    <tag k=\"" << Escaped(k) << "\" v=\"" << Escaped(v) << "\"/>\n";
  }

  std::vector<std::pair<P, Tags>> nodes_;
  std::vector<std::pair<std::vector<int64_t>, Tags>> ways_;
};

bool InRoundabout(double s) {
  return std::any_of(std::begin(kRoundabouts), std::end(kRoundabouts),
                     [&](double r) { return s > r - kRoundaboutGap && s < r + kRoundaboutGap; });
}

const Bridge* BridgeAt(double from, double to) {
  for (const Bridge& b : kBridges)
    if (from >= b.From - 0.01 && to <= b.To + 0.01) return &b;
  return nullptr;
}

// Where streets cross the avenue: every 430 to 700 m, none at a bridge or a
// roundabout.
std::vector<double> CrossingPlaces() {
  std::vector<double> places;
  for (double s = 600; s < TheAxis().Length() - 300 && places.size() < std::size(kCrossings);
       s += 430 + 270 * Scatter(SeedOf(s))) {
    const bool clear = !InRoundabout(s) && std::none_of(std::begin(kRoundabouts), std::end(kRoundabouts),
                                                        [&](double r) { return std::abs(s - r) < 150; }) &&
                       std::none_of(std::begin(kBridges), std::end(kBridges),
                                    [&](const Bridge& b) { return s > b.From - 120 && s < b.To + 120; });
    if (clear) places.push_back(s);
  }
  return places;
}

class AvenueWriter {
 public:
  void Write(const std::filesystem::path& file) {
    crossings_ = CrossingPlaces();
    for (double s : crossings_) shared_.push_back({osm_.Node(TheAxis().Beside(s, kCarriagewayOffset)),
                                                   osm_.Node(TheAxis().Beside(s, -kCarriagewayOffset))});
    for (double r : kRoundabouts) Roundabout(r);
    Carriageway(kCarriagewayOffset);
    Carriageway(-kCarriagewayOffset);
    for (size_t k = 0; k < crossings_.size(); ++k) CrossingStreet(k);
    for (const Bridge& b : kBridges) River(b);
    Surroundings();
    osm_.Write(file);
  }

 private:
  // Nodes every 20 to 40 m, a way ending at every crossing, bridge end and
  // roundabout and wherever the lanes change (every 150 to 700 m).
  void Carriageway(double offset) {
    const Axis& axis = TheAxis();
    std::vector<double> breaks{0, axis.Length()};
    for (double s : crossings_) breaks.push_back(s);
    for (const Bridge& b : kBridges) breaks.insert(breaks.end(), {b.From, b.To});
    for (double r : kRoundabouts) breaks.insert(breaks.end(), {r - kRoundaboutGap, r + kRoundaboutGap});
    std::sort(breaks.begin(), breaks.end());
    std::vector<double> withLanes;
    for (size_t i = 0; i + 1 < breaks.size(); ++i) {
      withLanes.push_back(breaks[i]);
      for (double s = breaks[i] + 150 + 550 * Scatter(SeedOf(breaks[i] * 3 + offset)); s < breaks[i + 1] - 150;
           s += 150 + 550 * Scatter(SeedOf(s)))
        withLanes.push_back(s);
    }
    withLanes.push_back(breaks.back());
    for (size_t i = 0; i + 1 < withLanes.size(); ++i) {
      const double from = withLanes[i], to = withLanes[i + 1];
      if (InRoundabout((from + to) / 2)) continue;
      std::vector<int64_t> nodes;
      for (double s = from;; s += 20 + 20 * Scatter(SeedOf(s * 7 + offset))) {
        if (s > to - 10) s = to;
        nodes.push_back(NodeOnCarriageway(s, offset));
        if (s == to) break;
      }
      if (offset > 0) std::reverse(nodes.begin(), nodes.end());  // the northern one runs west
      Tags tags{{"highway", "primary"}, {"oneway", "yes"}, {"lanes", offset > 0 ? "3" : "2"}, {"maxspeed", "60"}};
      ++ways_;
      const bool nameless = offset > 0 ? from >= kNamelessFrom && to <= kNamelessTo : ways_ % 5 == 0;
      if (!nameless) tags.push_back({"name", kAvenueName});
      if (const Bridge* b = BridgeAt(from, to))
        tags.insert(tags.end(), {{"bridge", "yes"}, {"layer", "1"}, {"bridge:name", b->Name}});
      osm_.Way(nodes, tags);
      if (InRoundabout(to + 1)) ConnectToRing(offset > 0 ? nodes.front() : nodes.back(), to + kRoundaboutGap);
      if (InRoundabout(from - 1)) ConnectToRing(offset > 0 ? nodes.back() : nodes.front(), from - kRoundaboutGap);
    }
  }

  int64_t NodeOnCarriageway(double s, double offset) {
    for (size_t k = 0; k < crossings_.size(); ++k)
      if (std::abs(crossings_[k] - s) < 0.01) return offset > 0 ? shared_[k].first : shared_[k].second;
    const auto key = std::make_pair(static_cast<int64_t>(std::lround(s * 100)), offset > 0);
    if (const auto known = nodes_.find(key); known != nodes_.end()) return known->second;  // a way's end
    P at = TheAxis().Beside(s, offset);
    at.X += Scatter(SeedOf(s * 13)) - 0.5;
    at.Y += Scatter(SeedOf(s * 17)) - 0.5;
    const int64_t id = osm_.Node(at);
    nodes_[key] = id;
    return id;
  }

  // An unnamed link from a carriageway's end to the nearest node of the ring.
  void ConnectToRing(int64_t end, double roundabout) {
    const Ring& ring = RingAt(roundabout);
    osm_.Way({end, ring.Nodes[NearestRingNode(ring, end)]}, {{"highway", "primary"}, {"oneway", "yes"}});
  }

  struct Ring {
    double At = 0;
    std::vector<int64_t> Nodes;
    std::vector<P> Points;
  };

  const Ring& RingAt(double s) const {
    return *std::min_element(rings_.begin(), rings_.end(),
                             [&](const Ring& a, const Ring& b) { return std::abs(a.At - s) < std::abs(b.At - s); });
  }

  size_t NearestRingNode(const Ring& ring, int64_t node) const {
    const P at = osm_.At(node);
    size_t best = 0;
    for (size_t i = 1; i < ring.Points.size(); ++i)
      if (std::hypot(ring.Points[i].X - at.X, ring.Points[i].Y - at.Y) <
          std::hypot(ring.Points[best].X - at.X, ring.Points[best].Y - at.Y))
        best = i;
    return best;
  }

  // An unnamed ring and two streets leaving it across the avenue.
  void Roundabout(double s) {
    const P centre = TheAxis().At(s);
    Ring ring{s, {}, {}};
    for (int k = 0; k < 16; ++k) {
      const double a = k * M_PI / 8;
      const P p{centre.X + kRoundaboutRadius * std::cos(a), centre.Y + kRoundaboutRadius * std::sin(a)};
      ring.Nodes.push_back(osm_.Node(p));
      ring.Points.push_back(p);
    }
    std::vector<int64_t> closed = ring.Nodes;
    closed.push_back(ring.Nodes.front());
    osm_.Way(closed, {{"highway", "primary"}, {"junction", "roundabout"}});
    const P left = TheAxis().Left(s);
    for (double side : {1.0, -1.0}) {
      std::vector<int64_t> nodes;
      for (double t = kRoundaboutRadius + 20; t <= 700; t += 45)
        nodes.push_back(osm_.Node({centre.X + left.X * t * side, centre.Y + left.Y * t * side}));
      nodes.insert(nodes.begin(), ring.Nodes[NearestRingNode(ring, nodes.front())]);
      osm_.Way(nodes, {{"highway", "secondary"}, {"name", side > 0 ? "Ремизовка көшесі" : "Кажымукана ул."}});
    }
    rings_.push_back(std::move(ring));
  }

  // A street across both carriageways: a way either side and one between.
  void CrossingStreet(size_t k) {
    const Crossing& c = kCrossings[k];
    const double s = crossings_[k];
    const P at = TheAxis().At(s), left = TheAxis().Left(s);
    const auto point = [&](double t) { return P{at.X + left.X * t, at.Y + left.Y * t}; };
    const double reachLeft = 500 + 400 * Scatter(k * 5 + 1), reachRight = 500 + 400 * Scatter(k * 5 + 2);
    std::vector<int64_t> north{shared_[k].first}, south{shared_[k].second};
    for (double t = kCarriagewayOffset + 35; t < reachLeft; t += 30 + 30 * Scatter(SeedOf(t + k)))
      north.push_back(osm_.Node(point(t)));
    for (double t = kCarriagewayOffset + 35; t < reachRight; t += 30 + 30 * Scatter(SeedOf(t * 3 + k)))
      south.push_back(osm_.Node(point(-t)));
    osm_.Way(north, {{"highway", c.Highway}, {"name", c.Left}});
    osm_.Way({shared_[k].second, shared_[k].first}, {{"highway", c.Highway}, {"name", c.Left}});
    osm_.Way(south, {{"highway", c.Highway}, {"name", c.Right}});
  }

  void River(const Bridge& b) {
    const double s = (b.From + b.To) / 2;
    const P at = TheAxis().At(s), left = TheAxis().Left(s);
    std::vector<int64_t> nodes;
    for (double t = -900; t <= 900; t += 60)
      nodes.push_back(osm_.Node({at.X + left.X * t + 25 * std::sin(t / 150), at.Y + left.Y * t}));
    osm_.Way(nodes, {{"waterway", "river"}, {"name", b.River}});
  }

  // Districts named beside the avenue, a long street along it and houses on it.
  void Surroundings() {
    const Axis& axis = TheAxis();
    const std::pair<double, const char*> districts[] = {
        {1500, "Бостандыкский район"}, {4200, "Медеуский район"}, {9600, "Самал"}, {14000, "Горный Гигант"}};
    for (const auto& [s, name] : districts)
      osm_.Node(axis.Beside(s, s < 9000 ? 250 : -120), {{"place", s < 9000 ? "suburb" : "neighbourhood"}, {"name", name}});
    for (double from = 400; from < 6400; from += 1200) {
      std::vector<int64_t> nodes;
      for (double s = from; s <= from + 1200; s += 40) nodes.push_back(osm_.Node(axis.Beside(s, 420)));
      osm_.Way(nodes, {{"highway", "tertiary"}, {"name", "Жамбыла көшесі"}});
    }
    for (int n = 0; n < 12; ++n) {
      const double s = 700 + n * 1100;
      const P a = axis.Beside(s, -40), left = axis.Left(s);
      const P d{left.Y, -left.X};  // along the avenue
      std::vector<P> corners{a, {a.X + d.X * 30, a.Y + d.Y * 30}, {a.X + d.X * 30 - left.X * 15, a.Y + d.Y * 30 - left.Y * 15},
                             {a.X - left.X * 15, a.Y - left.Y * 15}};
      std::vector<int64_t> ring;
      for (const P& p : corners) ring.push_back(osm_.Node(p));
      ring.push_back(ring.front());
      osm_.Way(ring, {{"building", "yes"},
                      {"addr:street", n % 3 == 2 ? "Абая прс." : kAvenueName},
                      {"addr:housenumber", std::to_string(10 + n * 2)}});
    }
  }

  OsmXml osm_;
  std::vector<double> crossings_;
  std::vector<std::pair<int64_t, int64_t>> shared_;  // the crossing's node on the northern, southern carriageway
  std::map<std::pair<int64_t, bool>, int64_t> nodes_;  // by centimetres along and side
  std::vector<Ring> rings_;
  int ways_ = 0;
};

}  // namespace

std::vector<AvenuePoint> AvenueCentreLine() { return TheAxis().Points(); }

AvenuePoint AvenueMetres(double latitude, double longitude) {
  return {(longitude - kLon0) * kMetresPerDegree * std::cos(kLat0 * M_PI / 180), (latitude - kLat0) * kMetresPerDegree};
}

void WriteAvenueExtract(const std::filesystem::path& file) { AvenueWriter().Write(file); }
