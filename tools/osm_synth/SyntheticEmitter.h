#pragma once
// Writes made-up OpenStreetMap objects into buffers for the generators of
// extracts.  A generator runs once per kind of object (nodes, then ways, then
// relations, as extracts are sorted); every run hands out the same ids in the
// same order, so a way refers to nodes written in an earlier run without
// anything being kept between runs.
#include <osmium/builder/osm_object_builder.hpp>
#include <osmium/memory/buffer.hpp>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace synth {

constexpr double kLon0 = 37.3, kLat0 = 55.5;  // where (0, 0) metres lies
constexpr size_t kBufferBytes = 4 * 1024 * 1024;

using Tags = std::vector<std::pair<std::string, std::string>>;
using Sink = std::function<void(osmium::memory::Buffer&&)>;

enum class Pass { Nodes, Ways, Relations };

struct Member {
  osmium::item_type Type;
  int64_t Id;
  const char* Role;
};

class Emitter {
 public:
  Emitter(Pass pass, const Sink& sink) : pass_(pass), sink_(sink) {}
  ~Emitter() { Flush(); }
  Emitter(const Emitter&) = delete;
  Emitter& operator=(const Emitter&) = delete;

  // A node at (x, y) metres east and north of (kLon0, kLat0).
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

  // A way's id that is never written, as a way left out of an extract.
  int64_t MissingWay() { return ++ways_; }

  // The id the next way will have.
  int64_t NextWay() const { return ways_ + 1; }

  void Relation(const std::vector<std::pair<int64_t, const char*>>& ways, const Tags& tags) {
    std::vector<Member> members;
    for (const auto& [way, role] : ways) members.push_back({osmium::item_type::way, way, role});
    Relation(members, tags);
  }

  void Relation(const std::vector<Member>& members, const Tags& tags) {
    const int64_t id = ++relations_;
    if (pass_ != Pass::Relations) return;
    {
      osmium::builder::RelationBuilder b{buffer_};
      Meta(b, id);
      {
        osmium::builder::RelationMemberListBuilder list{b};
        for (const Member& m : members) list.add_member(m.Type, m.Id, m.Role);
      }
      AddTags(b, tags);
    }
    Commit();
  }

  // A number from -1 to 1 that looks random but is the same for the same seed.
  static double Scatter(int64_t seed) {
    uint64_t h = static_cast<uint64_t>(seed) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return static_cast<double>(h % 2001) / 1000.0 - 1.0;
  }

 private:
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
  const Sink& sink_;
  osmium::memory::Buffer buffer_{kBufferBytes, osmium::memory::Buffer::auto_grow::yes};
  int64_t nodes_ = 0, ways_ = 0, relations_ = 0;
};

// The made-up city of blocks x blocks blocks (SyntheticExtract.h) with its
// south-west crossing at (x0, y0) metres; returns that crossing's node id.
int64_t Town(Emitter& e, int blocks, double x0, double y0, bool mixedRoads = false);

// The width and height of a town of `blocks` x `blocks`, in metres.
double TownWidth(int blocks);
double TownHeight(int blocks);

}  // namespace synth
