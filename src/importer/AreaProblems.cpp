#include "importer/AreaProblems.h"

namespace {

constexpr const char* kMissingNodes = "missing nodes";

}  // namespace

void AreaProblems::Note(const char* reason) {
  if (type_ != m_object_type || id_ != m_object_id) {
    type_ = m_object_type;
    id_ = m_object_id;
    reason_ = nullptr;
  }
  if (!reason_) reason_ = reason;
}

void AreaProblems::Rejected() {
  Note(nullptr);  // a new object without any report so far
  if (reason_ && std::string(reason_) == kMissingNodes)
    report_.Skip("way with missing nodes");  // worded as for the lines
  else
    report_.Skip(std::string("area rejected by the assembler: ") + (reason_ ? reason_ : "no closed outline"));
}

void AreaProblems::report_intersection(osmium::object_id_type, osmium::Location, osmium::Location,
                                       osmium::object_id_type, osmium::Location, osmium::Location, osmium::Location) {
  Note("self-intersecting outline");
}

void AreaProblems::report_duplicate_segment(const osmium::NodeRef&, const osmium::NodeRef&) {
  Note("overlapping segments");
}

void AreaProblems::report_overlapping_segment(const osmium::NodeRef&, const osmium::NodeRef&) {
  Note("overlapping segments");
}

void AreaProblems::report_ring_not_closed(const osmium::NodeRef&, const osmium::Way*) { Note("ring not closed"); }

void AreaProblems::report_way_in_multiple_rings(const osmium::Way&) { Note("way in several rings"); }

void AreaProblems::report_invalid_location(osmium::object_id_type, osmium::object_id_type) { Note(kMissingNodes); }
