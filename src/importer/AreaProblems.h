#pragma once
// Why libosmium's assembler turned an outline down, counted by reason.  The
// assembler reports the problems of the object it works on to this reporter;
// CheckedAssembler tells it when the object gave no area at all.
#include <osmium/area/assembler.hpp>
#include <osmium/area/problem_reporter.hpp>

#include <string>
#include <vector>

#include "importer/ImportReport.h"

class AreaProblems : public osmium::area::ProblemReporter {
 public:
  explicit AreaProblems(ImportReport& report) : report_(report) {}

  // The object set by the assembler gave no area.
  void Rejected();

  void report_intersection(osmium::object_id_type, osmium::Location, osmium::Location, osmium::object_id_type,
                           osmium::Location, osmium::Location, osmium::Location) override;
  void report_duplicate_segment(const osmium::NodeRef&, const osmium::NodeRef&) override;
  void report_overlapping_segment(const osmium::NodeRef&, const osmium::NodeRef&) override;
  void report_ring_not_closed(const osmium::NodeRef&, const osmium::Way*) override;
  void report_way_in_multiple_rings(const osmium::Way&) override;
  void report_invalid_location(osmium::object_id_type, osmium::object_id_type) override;

 private:
  void Note(const char* reason);

  ImportReport& report_;
  osmium::item_type type_ = osmium::item_type::undefined;
  osmium::object_id_type id_ = 0;
  const char* reason_ = nullptr;  // the first problem of the current object
};

// libosmium's assembler, telling AreaProblems (the configuration's problem
// reporter) about every object that gave no area.
class CheckedAssembler {
 public:
  using config_type = osmium::area::Assembler::config_type;

  explicit CheckedAssembler(const config_type& config)
      : inner_(config), problems_(static_cast<AreaProblems*>(config.problem_reporter)) {}

  bool operator()(const osmium::Way& way, osmium::memory::Buffer& out) { return Checked(inner_(way, out)); }
  bool operator()(const osmium::Relation& relation, const std::vector<const osmium::Way*>& ways,
                  osmium::memory::Buffer& out) {
    return Checked(inner_(relation, ways, out));
  }
  const osmium::area::area_stats& stats() const noexcept { return inner_.stats(); }

 private:
  bool Checked(bool made) {
    if (!made && problems_) problems_->Rejected();
    return made;
  }

  osmium::area::Assembler inner_;
  AreaProblems* problems_;
};
