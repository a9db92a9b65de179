#include "importer/PlaceList.h"

#include <osmium/osm/node.hpp>

#include <algorithm>
#include <exception>

#include "importer/CityCentre.h"
#include "importer/FeatureCollector.h"
#include "importer/InputCheck.h"
#include "importer/ObjectLimits.h"
#include "importer/OsmRead.h"
#include "mapdata/NativeName.h"

void CollectSettlements(const osmium::memory::Buffer& buffer, std::vector<SettlementFeature>& settlements) {
  for (const osmium::Node& node : buffer.select<osmium::Node>()) {
    if (node.tags().empty() || !node.location().valid()) continue;
    const GeoPoint at{node.location().x(), node.location().y()};
    if (auto settlement = SettlementOf(node.tags(), at, "n" + std::to_string(node.id())))
      settlements.push_back(std::move(*settlement));
  }
}

void SortSettlements(std::vector<SettlementFeature>& settlements) {
  std::stable_sort(settlements.begin(), settlements.end(), [](const SettlementFeature& a, const SettlementFeature& b) {
    if (MoreImportant(a, b) || MoreImportant(b, a)) return MoreImportant(a, b);
    return a.Names.front() < b.Names.front();
  });
}

bool ListSettlements(const std::filesystem::path& input, std::vector<SettlementFeature>& settlements,
                     std::string& error, const ImportControl& control) {
  settlements.clear();
  try {
    if (!CheckInput(input, error)) return false;
    ReadFilePass(input, osmium::osm_entity_bits::node, ImportStep::ListingPlaces, control, 0, 1,
                 [&](const osmium::memory::Buffer& buffer) { CollectSettlements(buffer, settlements); });
  } catch (const ImportStopped&) {
    throw;
  } catch (const OversizeRecord& e) {
    error = NativeString(input) + ": " + e.what();
    return false;
  } catch (const std::exception& e) {
    error = NativeString(input) + ": not OpenStreetMap data: " + e.what();
    return false;
  }
  SortSettlements(settlements);
  return true;
}
