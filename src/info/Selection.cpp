// Selecting a street, building, object or route: what the highlight needs is
// copied out of the record's row, the status bar texts are set, and the view
// centre moves to the record's first point (the view itself moves on request).
#include "info/Selection.h"

#include "info/RecordCells.h"
#include "info/SelectionView.h"
#include "render/ViewScale.h"
#include "render/ViewTransform.h"
#include "shell/MapCore.h"

namespace {

bool ValidRow(const LayerTable& table, int row) { return row >= 0 && row < table.Count(); }

// Reads the record's declared number of points; returns how many were read.
int32_t ReadRecordPoints(const LayerTable& table, int row, PointArray& points) {
  const int declared = DeclaredPointCount(ColumnCell(table, row, "Кол-во точек"));
  return ReadPoints(ColumnCell(table, row, "Координаты"), declared, points);
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
  s.SelStreetName = ColumnCell(t, row, "Название");
  s.SelStreetType = ColumnCell(t, row, "Тип");
  s.SelStreetWidth = ReadCellInt(ColumnCell(t, row, "Ширина")).value_or(0);
  s.StatusText1 = s.SelStreetType + " " + s.SelStreetName;
  s.StatusText2.clear();
  s.SelStreetCount = ReadRecordPoints(t, row, s.SelStreetPoints);
  if (s.SelStreetCount > 0) CentreOnSelection(core, s.SelStreetPoints[0], centre, ScreenSize(core));
}

void SelectBuilding(MapCore& core, int row, bool centre) {
  const LayerTable& t = core.Tables.ListOfBuildings;
  if (!ValidRow(t, row)) return;
  SelectionState& s = core.Selection;
  s.BuildingSelected = true;
  s.SelBuildingStreet = ColumnCell(t, row, "Улица");
  s.SelBuildingNumber = ColumnCell(t, row, "Номер");
  s.SelBuildingName = ColumnCell(t, row, "Название");
  s.StatusText1 = s.SelBuildingStreet;
  s.StatusText0 = s.SelBuildingName;
  s.StatusText2 = s.SelBuildingNumber;
  s.SelBuildingCount = ReadRecordPoints(t, row, s.SelBuildingPoints);
  if (s.SelBuildingCount > 0) CentreOnSelection(core, s.SelBuildingPoints[0], centre, ScreenSize(core));
}

void SelectObject(MapCore& core, int row, bool centre) {
  const LayerTable& t = core.Tables.ListOfObjects;
  if (!ValidRow(t, row)) return;
  SelectionState& s = core.Selection;
  s.SelObjectKind = ColumnCell(t, row, "Объект");
  s.SelObjectStreet = ColumnCell(t, row, "Улица");
  s.SelObjectNumber = ColumnCell(t, row, "Номер");
  s.SelObjectName = ColumnCell(t, row, "Название");
  s.SelObjectIcon = ReadCellInt(ColumnCell(t, row, "Картинка")).value_or(-1);
  s.StatusText0 = s.SelObjectKind;
  s.StatusText1 = s.SelObjectName;
  s.StatusText2 = s.SelObjectStreet + " " + s.SelObjectNumber;
  // Without a readable position there is nothing to highlight or centre on.
  const auto point = FirstPoint(ColumnCell(t, row, "Координаты"));
  s.ObjectSelected = point.has_value();
  if (!point) return;
  s.SelObjectPoint = *point;
  CentreOnSelection(core, *point, centre, WindowOuterSize(core));
  if (centre)
    SetTrackBarPosition(core, ScaleToTrackBarPosition(core.View.Scale));
}

void SelectRoute(MapCore& core, int row, bool centre) {
  const LayerTable& names = core.Tables.ListOfPath2;
  if (!ValidRow(names, row)) return;
  SelectionState& s = core.Selection;
  s.RouteSelected = true;
  s.SelRouteName = ColumnCell(names, row, "Название маршрута");
  s.SelRouteType = ColumnCell(names, row, "Тип маршрута");
  // The geometry table runs parallel to the names; a missing row has no points.
  s.SelRouteCount = ReadRecordPoints(core.Tables.ListOfPath1, row, s.SelRoutePoints);
  s.StatusText1 = s.SelRouteType + " " + s.SelRouteName;
  s.StatusText2.clear();
  if (s.SelRouteCount > 0) CentreOnSelection(core, s.SelRoutePoints[0], centre, WindowOuterSize(core));
}
