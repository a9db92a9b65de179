#pragma once
// A set of object ids that is filled and then asked about every object of a
// file: sorted ids behind a bitmap of their low bits, so that the usual
// answer, "no", costs one memory access.  Its size follows the ids put in,
// not the file.  Ids come in ascending in a sorted file; others wait in a
// small hash set, merged in as it grows, so that no order of a hostile file
// makes it slow.
#include <osmium/osm/types.hpp>

#include <algorithm>
#include <cstdint>
#include <unordered_set>
#include <vector>

class IdSet {
 public:
  void Add(osmium::object_id_type id) {
    bits_[Bit(id) / 64] |= uint64_t{1} << (Bit(id) % 64);
    if (later_.empty() && (sorted_.empty() || id > sorted_.back())) {
      sorted_.push_back(id);
      return;
    }
    later_.insert(id);
    if (later_.size() > std::max<size_t>(4096, sorted_.size() / 4)) Merge();
  }
  template <typename Range>
  void AddAll(const Range& ids) {
    for (const auto& id : ids) Add(id);
  }

  bool Contains(osmium::object_id_type id) const {
    if (!(bits_[Bit(id) / 64] & (uint64_t{1} << (Bit(id) % 64)))) return false;
    return std::binary_search(sorted_.begin(), sorted_.end(), id) || later_.count(id) > 0;
  }

  // Ascending, each once.
  const std::vector<osmium::object_id_type>& Ids() {
    Merge();
    return sorted_;
  }
  // The ids, ascending, leaving the set empty.
  std::vector<osmium::object_id_type> Take() {
    Merge();
    std::vector<osmium::object_id_type> ids = std::move(sorted_);
    *this = IdSet{};
    return ids;
  }
  bool Empty() const { return sorted_.empty() && later_.empty(); }

 private:
  // 2^26 bits (8 MB): a city's ids leave most of them clear.
  static constexpr uint64_t kBits = uint64_t{1} << 26;
  static uint64_t Bit(osmium::object_id_type id) { return static_cast<uint64_t>(id) % kBits; }

  void Merge() {
    if (later_.empty()) return;
    const auto middle = static_cast<std::ptrdiff_t>(sorted_.size());
    sorted_.insert(sorted_.end(), later_.begin(), later_.end());
    later_.clear();
    std::sort(sorted_.begin() + middle, sorted_.end());
    std::inplace_merge(sorted_.begin(), sorted_.begin() + middle, sorted_.end());
    sorted_.erase(std::unique(sorted_.begin(), sorted_.end()), sorted_.end());
  }

  std::vector<osmium::object_id_type> sorted_;
  std::unordered_set<osmium::object_id_type> later_;
  std::vector<uint64_t> bits_ = std::vector<uint64_t>(kBits / 64);
};
