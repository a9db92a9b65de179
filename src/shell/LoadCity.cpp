#include "shell/LoadCity.h"

#include <exception>

#include "info/Selection.h"
#include "interaction/ViewControl.h"
#include "mapdata/CityMask.h"
#include "mapdata/Loaders.h"
#include "render/DrawList.h"
#include "render/RedrawView.h"
#include "search/FirmSearch.h"
#include "search/Keywords.h"
#include "search/ListSearch.h"
#include "shell/MapCore.h"

namespace {

void ResetViewForLoad(MapCore& core) {
  ViewState& v = core.View;
  v.ScreenWidth = core.Host.ScreenPixelWidth();
  v.ScreenHeight = core.Host.ScreenPixelHeight();
  SizeMapPicture(core);
  v.CenterX = 500;
  v.CenterY = 600;
  v.OffsetX = -500;
  v.OffsetY = 0;
  v.Scale = 1.0f;
  core.Extents.Reset();
  v.DragAnchorX = v.DragAnchorY = 0;
  v.DragShiftAnchorX = v.DragShiftAnchorY = 0;
  v.DragShiftX = v.DragShiftY = 0;
}

// Before each loading step: the step counter moves on, the label names the step
// and the city-selection window is repainted.
void BeginStep(MapCore& core, const char* label) {
  core.Progress.SetProgress2(core.Progress.Progress2Position + 1);
  core.Progress.LoadLabel = label;
  core.Host.RepaintCityWindow();
}

void RunLoadingSteps(MapCore& core, const std::string& city) {
  const CityLocation where = core.City();
  core.ScrambleMask = CityScrambleMask(where);
  BeginStep(core, "Иконки...");
  LoadObjectIcons(core, city);
  BeginStep(core, "Фирмы...");
  LoadFirms(core, city);
  BeginStep(core, "Здания...");
  LoadBuildings(core, city);
  BeginStep(core, "Улицы...");
  LoadStreets(core, city);

  core.Progress.SetProgress2(core.Progress.Progress2Position + 1);
  core.Progress.LoadLabel = "Маршруты...";
  core.Tables.ListOfPath1.Clear();
  core.Tables.ListOfPath2.Clear();
  // The highlighted route belonged to the previous tables.
  core.Selection.RouteSelected = false;
  core.Host.RepaintCityWindow();
  if (FileExists(where.File("Data/Path.crpt")))
    ReadRoutesScrambled(core, city);
  else
    ReadRoutesText(core, city);

  BeginStep(core, "Текстовые метки...");
  if (FileExists(where.File("Data/Texts.crpt")))
    ReadLabelsScrambled(core, city);
  else
    ReadLabelsText(core, city);
  BeginStep(core, "Области...");
  if (FileExists(where.File("Data/Regions.crpt")))
    ReadRegionsScrambled(core, city);
  else
    ReadRegionsText(core, city);
  BeginStep(core, "Объекты...");
  LoadObjects(core, city);
}

}  // namespace

bool LoadCity(MapCore& core, const std::string& city, const std::string& title) {
  core.Selection.StatusText0.clear();
  core.Selection.StatusText1.clear();
  core.Selection.StatusText2.clear();
  ResetViewForLoad(core);
  ResetSelection(core);
  core.Ui.WriteZoomEdit("100%");
  SetTrackBarPosition(core, static_cast<int>(static_cast<long double>(core.View.Scale) * 100 * 0.02L));
  core.CurrentCity = city;

  core.Tables.DrawListView.Clear();
  core.Ui.FirmSearchPanelVisible = false;  // HideFirmSearchPanel
  core.Info.Visible = false;
  ClearFirmResults(core.Search);  // the count shows 0 with the emptied lists
  // A hover hint described the city shown before.
  core.Interaction.HintVisible = false;
  core.Interaction.HintTimerEnabled = false;
  core.Progress.SetProgress2(0);

  RunLoadingSteps(core, city);

  core.Progress.LoadLabel = "Инициализация...";
  core.Host.RepaintCityWindow();
  LoadKeywords(core);
  core.Caption = title;

  core.Progress.SetProgress2(core.Progress.Progress2Position + 1);
  FillSearchList(core, "");
  core.Progress.SetProgress2(core.Progress.Progress2Position + 1);
  core.Host.RepaintCityWindow();

  try {
    const MapExtents& e = core.Extents;
    BuildDrawList(core, e.MapMinX, e.MapMinY, e.MapMaxX, e.MapMaxY);
    RedrawView(core);
    core.Host.PaintMapWindow();
  } catch (const std::exception&) {
    core.ShowMessage("Произошла внутренняя ошибка программы!\nПрограмма завершает работу.");
    return false;
  }
  return true;
}
