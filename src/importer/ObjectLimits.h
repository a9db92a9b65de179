#pragma once
// OpenStreetMap's own limits per object, held against what a file brings: a
// way of millions of node references or a relation repeating one member
// without end makes millions of records or takes time with the square of its
// length, and one object with millions of tags takes the memory of all of
// them.  The XML pre-scan (InputCheck.h) holds an XML file to the tag limits
// before libosmium builds the object; a PBF block is at most 32 MB, so what
// one object there costs is bounded, and it is checked once read.
#include <osmium/memory/buffer.hpp>
#include <osmium/osm/object.hpp>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "importer/ImportReport.h"

constexpr size_t kMaxWayNodes = 2000;
constexpr size_t kMaxRelationMembers = 32000;
constexpr size_t kMaxObjectTags = 5000;
// Of a tag's key or value and of a member's role, in characters.
constexpr size_t kMaxTextCharacters = 255;

inline const std::string kLongWay = "way with more than 2000 nodes";
inline const std::string kLargeRelation = "relation with more than 32000 members";
inline const std::string kRepeatedMembers = "relation members listed more than once, read once";

// An object beyond the tag limits: the file is refused, the object named.
class OversizeRecord : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The ways and relations of `buffer` beyond the limits left out, each counted
// and named in `report` when one is given (one pass of several counts), and
// a relation's members listed more than once (the same object) kept once.
// Throws OversizeRecord for an object beyond the tag limits.
void KeepWithinLimits(osmium::memory::Buffer& buffer, ImportReport* report);

// Why the tags of `object` are beyond the limits ("запись node 5: больше 5000
// тегов"), "" when they are not.
std::string TagLimitFault(const osmium::OSMObject& object);

// Characters of UTF-8 text (its bytes but continuation bytes).
size_t Utf8Characters(std::string_view text);

// `text` cut to at most `bytes` bytes, at a character's boundary.
std::string Utf8Prefix(std::string_view text, size_t bytes);
