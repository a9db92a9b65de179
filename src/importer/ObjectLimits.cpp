#include "importer/ObjectLimits.h"

#include <osmium/builder/osm_object_builder.hpp>
#include <osmium/osm/relation.hpp>
#include <osmium/osm/way.hpp>

#include <algorithm>
#include <cstring>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

// What a text is shown by in a message: enough to know it by.
constexpr size_t kTextShown = 64;

bool IsLongWay(const osmium::OSMEntity& item) {
  return item.type() == osmium::item_type::way && static_cast<const osmium::Way&>(item).nodes().size() > kMaxWayNodes;
}

bool IsLargeRelation(const osmium::OSMEntity& item) {
  return item.type() == osmium::item_type::relation &&
         static_cast<const osmium::Relation&>(item).members().size() > kMaxRelationMembers;
}

using MemberKey = std::pair<osmium::item_type, osmium::object_id_type>;

struct MemberKeyHash {
  size_t operator()(const MemberKey& k) const {
    return std::hash<osmium::object_id_type>()(k.second) * 31 + static_cast<size_t>(k.first);
  }
};

bool HasRepeatedMembers(const osmium::OSMEntity& item) {
  if (item.type() != osmium::item_type::relation) return false;
  const auto& members = static_cast<const osmium::Relation&>(item).members();
  std::vector<MemberKey> keys;
  keys.reserve(members.size());
  for (const osmium::RelationMember& m : members) keys.emplace_back(m.type(), m.ref());
  std::sort(keys.begin(), keys.end());
  return std::adjacent_find(keys.begin(), keys.end()) != keys.end();
}

// The relation with each member (type and id) at its first place only.
void AddWithMembersOnce(osmium::memory::Buffer& out, const osmium::Relation& r) {
  {
    osmium::builder::RelationBuilder builder{out};
    builder.set_id(r.id())
        .set_version(r.version())
        .set_changeset(r.changeset())
        .set_timestamp(r.timestamp())
        .set_uid(r.uid())
        .set_visible(r.visible());
    builder.set_user(r.user());
    builder.add_item(r.tags());
    osmium::builder::RelationMemberListBuilder members{builder};
    std::unordered_set<MemberKey, MemberKeyHash> seen;
    for (const osmium::RelationMember& m : r.members())
      if (seen.emplace(m.type(), m.ref()).second) members.add_member(m.type(), m.ref(), m.role());
  }
  out.commit();
}

std::string RecordName(const osmium::OSMObject& object) {
  return std::string("запись ") + osmium::item_type_to_name(object.type()) + " " + std::to_string(object.id());
}

std::string Quoted(const char* text) { return "\"" + Utf8Prefix(text, kTextShown) + "...\""; }

bool TooLong(const char* text) {
  return std::strlen(text) > kMaxTextCharacters && Utf8Characters(text) > kMaxTextCharacters;
}

std::string TooLongFault(const osmium::OSMObject& object) {
  const std::string longer = " длиннее " + std::to_string(kMaxTextCharacters) + " знаков";
  for (const osmium::Tag& tag : object.tags()) {
    if (TooLong(tag.key())) return RecordName(object) + ": ключ тега " + Quoted(tag.key()) + longer;
    if (TooLong(tag.value())) return RecordName(object) + ": значение тега " + Quoted(tag.value()) + longer;
  }
  if (object.type() == osmium::item_type::relation)
    for (const osmium::RelationMember& m : static_cast<const osmium::Relation&>(object).members())
      if (TooLong(m.role())) return RecordName(object) + ": роль участника " + Quoted(m.role()) + longer;
  return {};
}

}  // namespace

size_t Utf8Characters(std::string_view text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Utf8Prefix(std::string_view text, size_t bytes) {
  if (text.size() <= bytes) return std::string(text);
  size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return std::string(text.substr(0, end));
}

std::string TagLimitFault(const osmium::OSMObject& object) {
  if (object.tags().size() > kMaxObjectTags)
    return RecordName(object) + ": больше " + std::to_string(kMaxObjectTags) + " тегов";
  return TooLongFault(object);
}

void KeepWithinLimits(osmium::memory::Buffer& buffer, ImportReport* report) {
  bool trimmed = false;
  for (const osmium::OSMObject& object : buffer.select<osmium::OSMObject>()) {
    if (const std::string fault = TagLimitFault(object); !fault.empty()) throw OversizeRecord(fault);
    trimmed = trimmed || IsLongWay(object) || IsLargeRelation(object) || HasRepeatedMembers(object);
  }
  if (!trimmed) return;
  osmium::memory::Buffer out{buffer.committed(), osmium::memory::Buffer::auto_grow::yes};
  for (const osmium::OSMObject& object : buffer.select<osmium::OSMObject>()) {
    const std::string id = osmium::item_type_to_char(object.type()) + std::to_string(object.id());
    if (IsLongWay(object) || IsLargeRelation(object)) {
      if (report) report->SkipNamed(IsLongWay(object) ? kLongWay : kLargeRelation, id);
    } else if (HasRepeatedMembers(object)) {
      if (report) report->Change(kRepeatedMembers);
      AddWithMembersOnce(out, static_cast<const osmium::Relation&>(object));
    } else {
      out.add_item(object);
      out.commit();
    }
  }
  buffer = std::move(out);
}
