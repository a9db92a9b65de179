#include "route/RoadGraph.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "mapdata/FileReplace.h"

namespace {

template <typename T>
void Put(std::string& out, T value) {
  static_assert(std::endian::native == std::endian::little, "the file is little-endian, as the machines we build for");
  char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  out.append(bytes, sizeof(T));
}

// Takes values off the front of the bytes, never past their end.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : rest_(bytes) {}

  template <typename T>
  bool Take(T& value) {
    if (rest_.size() < sizeof(T)) return false;
    std::memcpy(&value, rest_.data(), sizeof(T));
    rest_.remove_prefix(sizeof(T));
    return true;
  }
  bool TakeText(size_t length, std::string_view& text) {
    if (rest_.size() < length) return false;
    text = rest_.substr(0, length);
    rest_.remove_prefix(length);
    return true;
  }
  size_t Left() const { return rest_.size(); }

 private:
  std::string_view rest_;
};

constexpr size_t kNodeBytes = 8;
constexpr size_t kEdgeBytes = 18;

bool Fail(std::string& problem, std::string what) {
  problem = std::move(what);
  return false;
}

bool ReadNames(ByteReader& in, uint32_t count, RoadGraph& graph, std::string& problem) {
  graph.Names.reserve(count);
  for (uint32_t k = 0; k < count; ++k) {
    uint16_t length = 0;
    std::string_view text;
    if (!in.Take(length) || !in.TakeText(length, text)) return Fail(problem, "файл обрывается среди названий");
    for (unsigned char c : text)
      if (c < 0x20 || c == 0x7f) return Fail(problem, "управляющий символ в названии " + std::to_string(k));
    if ((k == 0) != text.empty()) return Fail(problem, "пустое название не на своём месте (" + std::to_string(k) + ")");
    graph.Names.emplace_back(text);
  }
  return true;
}

bool ReadNodes(ByteReader& in, uint32_t count, RoadGraph& graph, std::string& problem) {
  graph.Nodes.resize(count);
  for (uint32_t k = 0; k < count; ++k) {
    RoadNode& n = graph.Nodes[k];
    in.Take(n.X), in.Take(n.Y);  // the counts were checked against the size
    if (std::abs(int64_t{n.X}) > kMaxRoadCoordinate || std::abs(int64_t{n.Y}) > kMaxRoadCoordinate)
      return Fail(problem, "узел " + std::to_string(k) + " далеко за пределами карты");
  }
  return true;
}

bool ReadEdges(ByteReader& in, uint32_t count, RoadGraph& graph, std::string& problem) {
  graph.Edges.resize(count);
  const size_t nodes = graph.Nodes.size(), names = graph.Names.size();
  for (uint32_t k = 0; k < count; ++k) {
    uint32_t from = 0, to = 0, name = 0;
    float metres = 0;
    uint8_t roadClass = 0, access = 0;
    in.Take(from), in.Take(to), in.Take(metres), in.Take(name), in.Take(roadClass), in.Take(access);
    const std::string edge = "дорога " + std::to_string(k) + ": ";
    if (from >= nodes || to >= nodes || from == to) return Fail(problem, edge + "нет такого узла");
    if (!std::isfinite(metres) || metres < 0 || metres > kMaxEdgeMetres) return Fail(problem, edge + "неверная длина");
    if (name >= names) return Fail(problem, edge + "нет такого названия");
    if (roadClass >= static_cast<uint8_t>(RoadClass::Count)) return Fail(problem, edge + "неизвестный класс дороги");
    if (access == 0 || (access & ~road_access::All) != 0) return Fail(problem, edge + "неверные права проезда");
    graph.Edges[k] = RoadEdge(from, to, metres, name, static_cast<RoadClass>(roadClass), access);
  }
  return true;
}

}  // namespace

std::string RoadGraphBytes(const RoadGraph& graph) {
  std::string out(kRoadGraphMagic);
  Put(out, graph.Unit);
  Put(out, static_cast<uint32_t>(graph.Nodes.size()));
  Put(out, static_cast<uint32_t>(graph.Edges.size()));
  Put(out, static_cast<uint32_t>(graph.Names.size()));
  for (const std::string& name : graph.Names) {
    Put(out, static_cast<uint16_t>(name.size()));
    out += name;
  }
  out.reserve(out.size() + graph.Nodes.size() * kNodeBytes + graph.Edges.size() * kEdgeBytes);
  for (const RoadNode& n : graph.Nodes) Put(out, n.X), Put(out, n.Y);
  for (const RoadEdge& e : graph.Edges) {
    Put(out, e.From), Put(out, e.To), Put(out, e.Metres), Put(out, e.Name());
    Put(out, static_cast<uint8_t>(e.Class())), Put(out, e.Access());
  }
  return out;
}

bool ParseRoadGraph(std::string_view bytes, RoadGraph& graph, std::string& problem) {
  graph = {};
  if (!bytes.starts_with(kRoadGraphMagic)) return Fail(problem, "не граф дорог или неизвестная версия");
  ByteReader in(bytes.substr(kRoadGraphMagic.size()));
  uint32_t nodes = 0, edges = 0, names = 0;
  if (!in.Take(graph.Unit) || !in.Take(nodes) || !in.Take(edges) || !in.Take(names))
    return Fail(problem, "файл обрывается в заголовке");
  if (!(graph.Unit >= 0.01 && graph.Unit <= 1000)) return Fail(problem, "неверная единица карты");
  if (names == 0 || names > kMaxRoadNames || names > in.Left() / 2)
    return Fail(problem, "неверное число названий");
  if (!ReadNames(in, names, graph, problem)) return false;
  if (nodes > in.Left() / kNodeBytes || edges > (in.Left() - size_t{nodes} * kNodeBytes) / kEdgeBytes ||
      in.Left() != size_t{nodes} * kNodeBytes + size_t{edges} * kEdgeBytes)
    return Fail(problem, "размер файла не сходится с числом узлов и дорог");
  return ReadNodes(in, nodes, graph, problem) && ReadEdges(in, edges, graph, problem);
}

RoadGraphReading ReadRoadGraph(const CityLocation& city) {
  RoadGraphReading reading;
  reading.File = city.File(kRoadGraphFile);
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(reading.File, ec))) {
    reading.Problem = "у города нет графа дорог";
    return reading;
  }
  std::string bytes;
  int error = 0;
  if (!ReadPlainFile(reading.File, bytes, error, kMaxRoadGraphBytes)) {
    reading.Problem = error == EFBIG ? "файл больше " + std::to_string(kMaxRoadGraphBytes) + " байт"
                                     : FailureReason(error, false, {"в папку Data", "папка Data"});
  } else if (RoadGraph graph; ParseRoadGraph(bytes, graph, reading.Problem)) {
    reading.Graph = std::move(graph);
  }
  if (!reading.Problem.empty()) reading.Problem += "; маршруты не прокладываются";
  return reading;
}
