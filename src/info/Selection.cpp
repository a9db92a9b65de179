// Selecting a street, building, object or route: what the highlight needs is
// copied out of the record's row, the status bar texts are set, and the view
// centre moves to the record's first point (the view itself moves on request).
#include "info/Selection.h"

#include "info/SelectionView.h"
#include "mapdata/DecimalText.h"
#include "render/ViewTransform.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"
#include "view/ViewScale.h"

namespace {

bool ValidRow(const LayerTable& table, int row) { return row >= 0 && row < table.Count(); }

// The track bar takes the step of the scale.  On a step the view stays as it
// is (the redraw moves the bar); between steps its change handler snaps the
// scale, around the selection in the middle of the visible map.
void FollowWithTrackBar(MapCore& core) {
  const int position = ScaleToTrackBarPosition(core.View.Scale);
  if (position >= kTrackBarMin && position <= kTrackBarMax && TrackBarPositionToScale(position) == core.View.Scale)
    core.Ui.ZoomSliderPosition = position;
  else
    SetTrackBarPosition(core, position);
}

}  // namespace

void ResetSelection(MapCore& core) {
  SelectionState& s = core.Selection;
  s.StatusText1.clear();
  s.StatusText2.clear();
  s.StatusText0.clear();
  s.StreetSelected = false;
  s.BuildingSelected = false;
  s.ObjectSelected = false;
  s.FirmSelected = false;
}

void SelectStreet(MapCore& core, int row, bool centre) {
  const LayerTable& t = core.Tables.ListOfStreets;
  if (!ValidRow(t, row)) return;
  SelectionState& s = core.Selection;
  s.StreetSelected = true;
  const LayerRow& r = t[row];
  s.SelStreetName = r.Cell(street_cell::Name);
  s.SelStreetType = r.Cell(street_cell::Type);
  s.SelStreetWidth = DecimalIntOf(r.Cell(street_cell::Width)).value_or(0);
  s.StatusText1 = s.SelStreetType + " " + s.SelStreetName;
  s.StatusText2.clear();
  s.SelStreetCount = ReadRecordPoints(t, row, street_cell::PointCount, street_cell::Points, s.SelStreetPoints);
  if (s.SelStreetCount > 0) CentreOnSelection(core, s.SelStreetPoints[0], centre);
}

void SelectRecord(MapCore& core, SearchKind kind, int row, bool centre) {
  ResetSelection(core);
  switch (kind) {
    case SearchKind::Street: SelectStreet(core, row, centre); break;
    case SearchKind::Building: SelectBuilding(core, row, centre); break;
    case SearchKind::Object: SelectObject(core, row, centre); break;
    case SearchKind::Firm: ShowObjectInfo(core, row, centre); break;
  }
}

void SelectBuilding(MapCore& core, int row, bool centre) {
  const LayerTable& t = core.Tables.ListOfBuildings;
  if (!ValidRow(t, row)) return;
  SelectionState& s = core.Selection;
  s.BuildingSelected = true;
  const LayerRow& r = t[row];
  s.SelBuildingStreet = r.Cell(building_cell::Street);
  s.SelBuildingNumber = r.Cell(building_cell::Number);
  s.SelBuildingName = r.Cell(building_cell::Name);
  s.StatusText1 = s.SelBuildingStreet;
  s.StatusText0 = s.SelBuildingName;
  s.StatusText2 = s.SelBuildingNumber;
  s.SelBuildingCount =
      ReadRecordPoints(t, row, building_cell::PointCount, building_cell::Points, s.SelBuildingPoints);
  if (s.SelBuildingCount > 0) CentreOnSelection(core, s.SelBuildingPoints[0], centre);
}

void SelectObject(MapCore& core, int row, bool centre) {
  const LayerTable& t = core.Tables.ListOfObjects;
  if (!ValidRow(t, row)) return;
  SelectionState& s = core.Selection;
  const LayerRow& r = t[row];
  s.SelObjectKind = r.Cell(object_cell::Kind);
  s.SelObjectStreet = r.Cell(object_cell::Street);
  s.SelObjectNumber = r.Cell(object_cell::Number);
  s.SelObjectName = r.Cell(object_cell::Name);
  s.SelObjectIcon = DecimalIntOf(r.Cell(object_cell::Icon)).value_or(-1);
  s.StatusText0 = s.SelObjectKind;
  s.StatusText1 = s.SelObjectName;
  s.StatusText2 = s.SelObjectStreet + " " + s.SelObjectNumber;
  // Without a readable position there is nothing to highlight or centre on.
  const auto point = FirstPoint(r.Cell(object_cell::Points));
  s.ObjectSelected = point.has_value();
  if (!point) return;
  s.SelObjectPoint = *point;
  CentreOnSelection(core, *point, centre);
  if (centre) FollowWithTrackBar(core);
}

void SelectRoute(MapCore& core, int row, bool centre) {
  const LayerTable& names = core.Tables.ListOfPath2;
  if (!ValidRow(names, row)) return;
  SelectionState& s = core.Selection;
  s.RouteSelected = true;
  s.SelRouteName = names[row].Cell(route_name_cell::Name);
  s.SelRouteType = names[row].Cell(route_name_cell::Type);
  // The geometry table runs parallel to the names; a missing row has no points.
  s.SelRouteCount = ReadRecordPoints(core.Tables.ListOfPath1, row, route_shape_cell::PointCount,
                                     route_shape_cell::Points, s.SelRoutePoints);
  s.StatusText1 = s.SelRouteType + " " + s.SelRouteName;
  s.StatusText2.clear();
  if (s.SelRouteCount > 0) CentreOnSelection(core, s.SelRoutePoints[0], centre);
}

void SelectRouteRow(MapCore& core, int row, bool centre) {
  SelectRoute(core, row, centre);
  RedrawView(core);
  core.Host.PaintMapWindow();
}
