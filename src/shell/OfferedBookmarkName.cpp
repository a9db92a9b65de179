#include "shell/OfferedBookmarkName.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "interaction/WhatIsHere.h"
#include "mapdata/Cp1251.h"
#include "render/MapLayers.h"
#include "state/MapCore.h"

namespace {

// The parts that are not blank (the data's blank cell is " "), joined by spaces.
std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view part : parts) {
    if (part.find_first_not_of(' ') == std::string_view::npos) continue;
    if (!text.empty()) text += ' ';
    text += part;
  }
  return text;
}

// The selected record's name as the status bar gives it; empty when nothing is selected.
std::string SelectionName(const SelectionState& s) {
  if (s.FirmSelected) return Joined({s.SelFirmName});
  if (s.ObjectSelected) {
    const std::string name = Joined({s.SelObjectName});
    return name.empty() ? Joined({s.SelObjectKind}) : name;
  }
  if (s.BuildingSelected) {
    const std::string name = Joined({s.SelBuildingName});
    return name.empty() ? Joined({s.SelBuildingStreet, s.SelBuildingNumber}) : name;
  }
  if (s.StreetSelected) return Joined({s.SelStreetType, s.SelStreetName});
  if (s.RouteSelected) return Joined({s.SelRouteType, s.SelRouteName});
  return {};
}

// The first address under the point, else the first street's type and name
// (a region's name is only its kind).
std::string AddressUnder(MapCore& core, HitPoint at) {
  const std::vector<Place> places = PlacesUnder(core, at);
  for (const Place& p : places)
    if (!p.Address.empty()) return p.Address;
  for (const Place& p : places)
    if (p.Layer && p.Layer->Code == DrawCode::Street && !p.Name.empty()) return Joined({p.Kind, p.Name});
  return {};
}

}  // namespace

QString OfferedBookmarkName(MapCore& core, HitPoint middle, size_t count) {
  std::string name = SelectionName(core.Selection);
  if (name.empty()) name = AddressUnder(core, middle);
  if (!name.empty()) return QString::fromStdString(cp1251::ToUtf8(name));
  return QString::fromUtf8("Закладка %1").arg(count + 1);
}
