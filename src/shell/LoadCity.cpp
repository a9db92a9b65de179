#include "shell/LoadCity.h"

#include <exception>

#include "info/Selection.h"
#include "interaction/ObjectFilter.h"
#include "mapdata/CityMask.h"
#include "mapdata/Loaders.h"
#include "render/DrawList.h"
#include "render/RedrawView.h"
#include "render/ViewScale.h"
#include "render/ViewTransform.h"
#include "search/FirmSearch.h"
#include "search/Keywords.h"
#include "search/ListSearch.h"
#include "shell/MapCore.h"
#include "shell/PanelPairs.h"

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
  core.ScrambleMask = CityScrambleMask(core.City());
  const LayerLoad load = core.Loading(city);
  BeginStep(core, "Иконки...");
  ForgetObjectFilter(core);
  LoadObjectIcons(load);
  BeginStep(core, "Фирмы...");
  LoadFirms(load);
  // The highlighted route belongs to the tables about to be refilled.
  core.Selection.RouteSelected = false;
  for (const LayerReading* layer : LayerReadings()) {
    BeginStep(core, layer->Step);
    LoadLayer(load, *layer);
  }
  if (!core.Tables.ListOfObjects.Empty()) ShowAllObjectKinds(core);
}

}  // namespace

bool LoadCity(MapCore& core, const std::string& city, const std::string& title) {
  core.Selection.StatusText0.clear();
  core.Selection.StatusText1.clear();
  core.Selection.StatusText2.clear();
  ResetViewForLoad(core);
  ResetSelection(core);
  core.Ui.WriteZoomEdit("100%");
  SetTrackBarPosition(core, ScaleToTrackBarPosition(core.View.Scale));
  core.CurrentCity = city;

  core.Tables.DrawListView.Clear();
  HideFirmSearchPanel(core);
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
    BuildDrawList(core.Tables, core.View, e.Box());
    RedrawView(core);
    core.Host.PaintMapWindow();
  } catch (const std::exception&) {
    core.ShowMessage("Произошла внутренняя ошибка программы!\nПрограмма завершает работу.");
    return false;
  }
  return true;
}
