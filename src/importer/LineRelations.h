#pragma once
// Relations drawn as lines: public-transport routes (type=route of buses,
// trolleybuses, trams, share taxis and trains) and administrative borders
// (type=boundary); and named place areas the extract holds only part of,
// whose name is written at their label node or amid the ways it has.  Their
// member ways are collected by libosmium's relations
// manager; a relation the extract holds only part of is taken with the ways
// it has.
#include <osmium/relations/relations_manager.hpp>

#include <cstddef>
#include <optional>
#include <unordered_set>

#include "importer/Features.h"
#include "importer/GeoBox.h"

class LineRelations : public osmium::relations::RelationsManager<LineRelations, true, true, false> {
 public:
  LineRelations(Features& features, std::optional<GeoBox> box);

  // The manager's hooks (first and second pass).
  bool new_relation(const osmium::Relation& relation) const;
  bool new_member(const osmium::Relation& relation, const osmium::RelationMember& member, std::size_t n) const;
  void complete_relation(const osmium::Relation& relation);

  // After the second pass: the relations whose ways were not all there.
  void TakeIncomplete();

 private:
  void Take(const osmium::Relation& relation);
  void TakeRoute(const osmium::Relation& relation);
  void TakeBorder(const osmium::Relation& relation);
  void TakePlaceLabel(const osmium::Relation& relation);

  Features& f_;
  std::optional<GeoBox> box_;
  std::unordered_set<osmium::object_id_type> borderWays_;  // a way shared by two borders is drawn once
};
