#include "SyntheticExtract.h"
#include "mapdata/NativeName.h"

#include <osmium/builder/osm_object_builder.hpp>
#include <osmium/io/any_output.hpp>
#include <osmium/io/writer.hpp>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double kBlockWidth = 150, kBlockHeight = 120;  // metres between street axes
constexpr double kLon0 = 37.3, kLat0 = 55.5;
constexpr size_t kBufferBytes = 4 * 1024 * 1024;

using Tags = std::vector<std::pair<std::string, std::string>>;

// The generator runs three times, once per kind of object: ids come out the
// same each time because they are handed out in the same order.
enum class Pass { Nodes, Ways, Relations };

class Emitter {
 public:
  Emitter(Pass pass, const std::function<void(osmium::memory::Buffer&&)>& sink) : pass_(pass), sink_(sink) {}
  ~Emitter() { Flush(); }

  int64_t Node(double x, double y, const Tags& tags = {}) {
    const int64_t id = ++nodes_;
    if (pass_ != Pass::Nodes) return id;
    {
      osmium::builder::NodeBuilder b{buffer_};
      Meta(b, id);
      // Surveyed by hand: each node some decimetres off the drawing board's grid.
      x += Scatter(id) * 0.6;
      y += Scatter(id * 7 + 3) * 0.6;
      const double lat = kLat0 + y / 111320.0, lon = kLon0 + x / (111320.0 * std::cos(kLat0 * M_PI / 180));
      b.set_location(osmium::Location{lon, lat});
      AddTags(b, tags);
    }
    Commit();
    return id;
  }

  int64_t Way(const std::vector<int64_t>& nodes, const Tags& tags) {
    const int64_t id = ++ways_;
    if (pass_ != Pass::Ways) return id;
    {
      osmium::builder::WayBuilder b{buffer_};
      Meta(b, id);
      {
        osmium::builder::WayNodeListBuilder refs{b};
        for (int64_t n : nodes) refs.add_node_ref(n);
      }
      AddTags(b, tags);
    }
    Commit();
    return id;
  }

  void Relation(const std::vector<std::pair<int64_t, const char*>>& ways, const Tags& tags) {
    const int64_t id = ++relations_;
    if (pass_ != Pass::Relations) return;
    {
      osmium::builder::RelationBuilder b{buffer_};
      Meta(b, id);
      {
        osmium::builder::RelationMemberListBuilder members{b};
        for (const auto& [way, role] : ways) members.add_member(osmium::item_type::way, way, role);
      }
      AddTags(b, tags);
    }
    Commit();
  }

 private:
  // A number from -1 to 1 that looks random but is the same for the same seed.
  static double Scatter(int64_t seed) {
    uint64_t h = static_cast<uint64_t>(seed) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return static_cast<double>(h % 2001) / 1000.0 - 1.0;
  }

  // Edited by one of a few hundred mappers over the years, as real data is.
  template <typename Builder>
  void Meta(Builder& b, int64_t id) {
    const auto h = static_cast<uint64_t>((Scatter(id * 13 + 5) + 1) * 1e6);
    const uint32_t mapper = static_cast<uint32_t>(h % 300);
    b.set_id(id)
        .set_version(static_cast<osmium::object_version_type>(1 + h % 9))
        .set_changeset(static_cast<osmium::changeset_id_type>(10000000 + h % 5000000))
        .set_uid(1000 + mapper)
        .set_timestamp(osmium::Timestamp{static_cast<uint32_t>(1262304000 + h % 450000000)});
    b.set_user(("mapper" + std::to_string(mapper)).c_str());
  }

  template <typename Builder>
  void AddTags(Builder& b, const Tags& tags) {
    if (tags.empty()) return;
    osmium::builder::TagListBuilder t{b};
    for (const auto& [k, v] : tags) t.add_tag(k, v);
  }

  void Commit() {
    buffer_.commit();
    if (buffer_.committed() > kBufferBytes - 64 * 1024) Flush();
  }

  void Flush() {
    if (buffer_.committed() == 0) return;
    sink_(std::move(buffer_));
    buffer_ = osmium::memory::Buffer{kBufferBytes, osmium::memory::Buffer::auto_grow::yes};
  }

  Pass pass_;
  const std::function<void(osmium::memory::Buffer&&)>& sink_;
  osmium::memory::Buffer buffer_{kBufferBytes, osmium::memory::Buffer::auto_grow::yes};
  int64_t nodes_ = 0, ways_ = 0, relations_ = 0;
};

std::string StreetName(bool vertical, int k) {
  static const char* kStems[] = {"Садовая", "Лесная", "Школьная", "Полевая", "Речная", "Новая", "Мирная", "Зелёная"};
  const std::string stem = std::string(kStems[k % 8]) + " " + std::to_string(k / 8 + 1) + "-я";
  if (vertical) return k % 5 == 0 ? "проспект " + stem.substr(0, stem.size()) : stem + " линия";
  return stem + " улица";
}

void Generate(Emitter& e, int n) {
  // Street crossings, then each street as one way per block side.
  std::vector<int64_t> crossing((n + 1) * (n + 1));
  for (int j = 0; j <= n; ++j)
    for (int i = 0; i <= n; ++i) crossing[j * (n + 1) + i] = e.Node(i * kBlockWidth, j * kBlockHeight);
  for (int j = 0; j <= n; ++j)
    for (int i = 0; i < n; ++i) {
      const int64_t mid = e.Node(i * kBlockWidth + kBlockWidth / 2, j * kBlockHeight + (i % 3) - 1.0);
      e.Way({crossing[j * (n + 1) + i], mid, crossing[j * (n + 1) + i + 1]},
            {{"highway", j % 6 == 0 ? "secondary" : "residential"}, {"name", StreetName(false, j)}});
    }
  for (int i = 0; i <= n; ++i)
    for (int j = 0; j < n; ++j)
      e.Way({crossing[j * (n + 1) + i], crossing[(j + 1) * (n + 1) + i]},
            {{"highway", i % 5 == 0 ? "primary" : "tertiary"}, {"name", StreetName(true, i)}});
  // Per block: land use, houses along its edges, a shop in one of them.
  std::vector<std::pair<int64_t, const char*>> forest;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const double x0 = i * kBlockWidth, y0 = j * kBlockHeight;
      const int block = j * n + i;
      const auto ring = [&](double ax, double ay, double bx, double by) {
        const int64_t a = e.Node(ax, ay), b = e.Node(bx, ay), c = e.Node(bx, by), d = e.Node(ax, by);
        return std::vector<int64_t>{a, b, c, d, a};
      };
      const char* use = block % 11 == 3 ? "industrial" : "residential";
      if (block % 7 == 2) {
        e.Way(ring(x0 + 12, y0 + 12, x0 + kBlockWidth - 12, y0 + kBlockHeight - 12),
              {{"leisure", "park"}, {"name", "Парк " + std::to_string(block)}});
        continue;
      }
      if (block % 13 == 5) {
        const int64_t outer = e.Way(ring(x0 + 12, y0 + 12, x0 + kBlockWidth - 12, y0 + kBlockHeight - 12), {});
        const int64_t inner = e.Way(ring(x0 + 50, y0 + 40, x0 + 100, y0 + 80), {});
        e.Relation({{outer, "outer"}, {inner, "inner"}}, {{"type", "multipolygon"}, {"landuse", "forest"}});
        continue;
      }
      e.Way(ring(x0 + 10, y0 + 10, x0 + kBlockWidth - 10, y0 + kBlockHeight - 10), {{"landuse", use}});
      const std::string street = StreetName(false, j);
      for (int h = 0; h < 6; ++h) {
        const double hx = x0 + 16 + h * 21, hy = y0 + 16;
        Tags tags{{"building", h % 3 == 0 ? "apartments" : "yes"},
                  {"addr:street", street},
                  {"addr:housenumber", std::to_string(i * 12 + h * 2 + 1)},
                  {"building:levels", std::to_string(2 + h % 7)}};
        const int64_t a = e.Node(hx, hy), b = e.Node(hx + 16, hy), c = e.Node(hx + 16, hy + 10),
                      d = e.Node(hx + 8, hy + 12), f = e.Node(hx, hy + 10);
        e.Way({a, b, c, d, f, a}, tags);
        const double ty = y0 + kBlockHeight - 30;
        const int64_t p = e.Node(hx, ty), q = e.Node(hx + 16, ty), r = e.Node(hx + 16, ty + 12), s = e.Node(hx, ty + 12);
        e.Way({p, q, r, s, p}, {{"building", "house"}});
      }
      if (block % 3 == 0)
        e.Node(x0 + 24, y0 + 21,
               {{"shop", block % 2 ? "convenience" : "bakery"}, {"name", "Магазин №" + std::to_string(block)},
                {"opening_hours", "Mo-Su 08:00-22:00"}});
      if (block % 4 == 1) e.Node(x0 + 5, y0 + 5, {{"highway", "bus_stop"}, {"name", "Остановка " + std::to_string(block)}});
      if (block % 40 == 7) e.Node(x0 + 75, y0 + 60, {{"amenity", "school"}, {"name", "Школа №" + std::to_string(block)}});
    }
  // A bus route along every tenth row of streets.
  for (int j = 0; j <= n; j += 10) {
    std::vector<std::pair<int64_t, const char*>> ways;
    for (int i = 0; i < n; ++i) ways.push_back({1 + j * n + i, ""});  // the row's ways, numbered first above
    e.Relation(ways, {{"type", "route"}, {"route", "bus"}, {"ref", std::to_string(j / 10 + 1)},
                      {"name", "Автобус " + std::to_string(j / 10 + 1)}});
  }
}

}  // namespace

void GenerateSyntheticExtract(const SyntheticSize& size, const std::function<void(osmium::memory::Buffer&&)>& sink) {
  for (Pass pass : {Pass::Nodes, Pass::Ways, Pass::Relations}) {
    Emitter emitter(pass, sink);
    Generate(emitter, size.Blocks);
  }
}

void WriteSyntheticExtract(const SyntheticSize& size, const std::filesystem::path& file) {
  osmium::io::Header header;
  header.set("generator", "tellurin-osm-synth");
  osmium::io::Writer writer{NativeString(file), header, osmium::io::overwrite::allow};
  GenerateSyntheticExtract(size, [&writer](osmium::memory::Buffer&& buffer) { writer(std::move(buffer)); });
  writer.close();
}
