#pragma once
// The node locations of a cut: only those of the nodes chosen beforehand
// (AreaSelection.h), in a vector beside their sorted ids, so that memory
// follows the area, not the file.  Nodes come by ascending id in a sorted
// file: a cursor walks the ids along with them, other orders search.
#include <osmium/index/index.hpp>
#include <osmium/index/map.hpp>
#include <osmium/osm/location.hpp>

#include <algorithm>
#include <vector>

class SelectedLocations : public osmium::index::map::Map<osmium::unsigned_object_id_type, osmium::Location> {
 public:
  using Id = osmium::unsigned_object_id_type;

  // `ids` ascending, each once; those below zero are never asked for (the
  // location handler keeps negative ids apart).
  explicit SelectedLocations(std::vector<osmium::object_id_type> ids) : ids_(std::move(ids)), locations_(ids_.size()) {}

  void set(const Id unsignedId, const osmium::Location value) final {
    const auto id = static_cast<osmium::object_id_type>(unsignedId);
    if (next_ == ids_.size() || id < ids_[next_])
      next_ = static_cast<size_t>(std::lower_bound(ids_.begin(), ids_.end(), id) - ids_.begin());
    else
      while (next_ < ids_.size() && ids_[next_] < id) ++next_;
    if (next_ < ids_.size() && ids_[next_] == id) locations_[next_] = value;
  }

  osmium::Location get(const Id id) const final {
    const osmium::Location location = get_noexcept(id);
    if (!location) throw osmium::not_found{id};
    return location;
  }

  osmium::Location get_noexcept(const Id unsignedId) const noexcept final {
    const auto id = static_cast<osmium::object_id_type>(unsignedId);
    const auto at = std::lower_bound(ids_.begin(), ids_.end(), id);
    return at != ids_.end() && *at == id ? locations_[static_cast<size_t>(at - ids_.begin())] : osmium::Location{};
  }

  size_t size() const final { return ids_.size(); }
  size_t used_memory() const final { return ids_.capacity() * sizeof(osmium::object_id_type) + locations_.capacity() * sizeof(osmium::Location); }
  void clear() final {
    ids_.clear();
    locations_.clear();
    next_ = 0;
  }

 private:
  std::vector<osmium::object_id_type> ids_;
  std::vector<osmium::Location> locations_;
  size_t next_ = 0;
};
