#include "importer/PbfTagText.h"

#include <protozero/pbf_reader.hpp>

#include <cstdint>
#include <string_view>
#include <vector>

#include "importer/ObjectLimits.h"

namespace {

// PrimitiveBlock's fields, of its groups and of their objects.
constexpr protozero::pbf_tag_type kStringTable = 1, kGroup = 2, kString = 1;
constexpr protozero::pbf_tag_type kNodes = 1, kDense = 2, kWays = 3, kRelations = 4;
constexpr protozero::pbf_tag_type kId = 1, kKeys = 2, kVals = 3, kRoles = 8, kDenseKeysVals = 10;

class BlockTags {
 public:
  explicit BlockTags(protozero::data_view block) {
    protozero::pbf_reader message{block};
    while (message.next(kStringTable, protozero::pbf_wire_type::length_delimited)) {
      protozero::pbf_reader table = message.get_message();
      while (table.next(kString, protozero::pbf_wire_type::length_delimited)) lengths_.push_back(table.get_view().size());
    }
  }

  std::string Fault(protozero::data_view block) {
    protozero::pbf_reader message{block};
    while (fault_.empty() && message.next(kGroup, protozero::pbf_wire_type::length_delimited)) {
      protozero::pbf_reader group = message.get_message();
      while (fault_.empty() && group.next()) {
        switch (group.tag()) {
          case kNodes: Object(group.get_message(), "node", true); break;
          case kWays: Object(group.get_message(), "way", false); break;
          case kRelations: Object(group.get_message(), "relation", false); break;
          case kDense: Dense(group.get_message()); break;
          default: group.skip();
        }
      }
    }
    return fault_;
  }

 private:
  // One string the decoder copies, with its end; an index past the table is
  // the decoder's to refuse.
  void Add(uint64_t index) {
    text_ += (index < lengths_.size() ? lengths_[index] : 0) + 1;
    if (text_ > kMaxBlockTagText)
      fault_ = "блок данных, теги которого раскрываются больше чем в " + std::to_string(kMaxBlockTagText >> 20) +
               " МБ текста";
  }

  void Count(size_t tags, const char* type, int64_t id) {
    if (tags > kMaxObjectTags && fault_.empty())
      fault_ = std::string("запись ") + type + " " + std::to_string(id) + ": больше " +
               std::to_string(kMaxObjectTags) + " тегов";
  }

  // A Node (its id zigzag-coded), Way or Relation.
  void Object(protozero::pbf_reader object, const char* type, bool zigzagId) {
    int64_t id = 0;
    size_t tags = 0;
    while (object.next()) {
      const bool packed = object.wire_type() == protozero::pbf_wire_type::length_delimited;
      if (object.tag() == kId && object.wire_type() == protozero::pbf_wire_type::varint) {
        id = zigzagId ? object.get_sint64() : object.get_int64();
      } else if (packed && (object.tag() == kKeys || object.tag() == kVals)) {
        for (const uint32_t index : object.get_packed_uint32()) {
          tags += object.tag() == kKeys;
          Add(index);
        }
      } else if (packed && object.tag() == kRoles && std::string_view(type) == "relation") {
        for (const int32_t role : object.get_packed_int32()) Add(static_cast<uint32_t>(role));
      } else {
        object.skip();
      }
    }
    Count(tags, type, id);
  }

  // DenseNodes: ids delta-coded, every node's keys and values in one list,
  // each node's ended by a 0.
  void Dense(protozero::pbf_reader dense) {
    std::vector<int64_t> ids;
    protozero::iterator_range<protozero::pbf_reader::const_int32_iterator> keysVals;
    while (dense.next()) {
      const bool packed = dense.wire_type() == protozero::pbf_wire_type::length_delimited;
      if (packed && dense.tag() == kId) {
        int64_t id = 0;
        for (const int64_t delta : dense.get_packed_sint64()) ids.push_back(id += delta);
      } else if (packed && dense.tag() == kDenseKeysVals) {
        keysVals = dense.get_packed_int32();
      } else {
        dense.skip();
      }
    }
    size_t node = 0, tags = 0;
    bool value = false;
    const auto idOf = [&] { return node < ids.size() ? ids[node] : 0; };
    for (const int32_t index : keysVals) {
      if (!fault_.empty()) return;
      if (index == 0 && !value) {
        Count(tags, "node", idOf());
        ++node;
        tags = 0;
        continue;
      }
      Add(static_cast<uint32_t>(index));
      tags += !value;
      value = !value;
    }
    Count(tags, "node", idOf());
  }

  std::vector<size_t> lengths_;
  size_t text_ = 0;
  std::string fault_;
};

}  // namespace

std::string PbfBlockTagFault(protozero::data_view block) {
  try {
    BlockTags tags{block};
    return tags.Fault(block);
  } catch (const protozero::exception&) {
    return {};
  }
}
