#include "shell/LoadCity.h"

#include <chrono>
#include <exception>

#include "info/Selection.h"
#include "interaction/ObjectFilter.h"
#include "mapdata/DirectoryScan.h"
#include "mapdata/CityMask.h"
#include "mapdata/GeoReference.h"
#include "mapdata/Loaders.h"
#include "mapdata/ProblemText.h"
#include "render/DrawList.h"
#include "render/ViewTransform.h"
#include "search/FirmSearch.h"
#include "search/Keywords.h"
#include "search/ListSearch.h"
#include "shell/PanelPairs.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"
#include "view/ViewScale.h"

namespace {

// Times one step from its construction to its destruction and adds it to `times`.
class LoadStepTimer {
 public:
  LoadStepTimer(LoadTimes& times, const char* step)
      : times_(times), step_(step), start_(std::chrono::steady_clock::now()) {}
  ~LoadStepTimer() {
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start_;
    times_.Steps.push_back({step_, spent.count()});
  }
  LoadStepTimer(const LoadStepTimer&) = delete;
  LoadStepTimer& operator=(const LoadStepTimer&) = delete;

 private:
  LoadTimes& times_;
  const char* step_;
  std::chrono::steady_clock::time_point start_;
};

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

// Runs one step of the load and adds the wall-clock time it took to the load's timings.
template <typename Step>
void Timed(MapCore& core, const char* name, Step&& step) {
  const LoadStepTimer timer(core.LastLoadTimes, name);
  step();
}

// Whether map points have a latitude and longitude: a bad georeference is told
// as a bad layer file is, and the city loads without one.
void LoadGeoReference(MapCore& core) {
  GeoReading reading = ReadGeoReference(core.City());
  if (!reading.Problem.empty()) core.ShowMessage(DataProblemMessage(reading.File, 0, reading.Problem));
  core.Geo = reading.Geo;
}

// The fixed order of the steps: the objects name their kinds in the chooser
// that the icons step builds, and every layer widens the extents that the draw
// list is then built over.
void RunLoadingSteps(MapCore& core, const std::string& city) {
  const std::vector<std::string> firmEntries = ListEntries(core.City().File("Firms"));  // listed once
  core.ScrambleMask = CityScrambleMask(core.City(), firmEntries);
  LayerLoad load = core.Loading(city);
  load.FirmEntries = &firmEntries;
  BeginStep(core, "Иконки...");
  ForgetObjectFilter(core);
  Timed(core, "LoadObjectIcons", [&] { LoadObjectIcons(load); });
  BeginStep(core, "Фирмы...");
  Timed(core, "LoadFirms", [&] { LoadFirms(load); });
  // The highlighted route belongs to the tables about to be refilled.
  core.Selection.RouteSelected = false;
  for (const LayerReading* layer : LayerReadings()) {
    BeginStep(core, layer->Step);
    Timed(core, layer->Timed, [&] { LoadLayer(load, *layer); });
  }
  if (!core.Tables.ListOfObjects.Empty()) ShowAllObjectKinds(core);
  LoadGeoReference(core);
}

// The final drawing: the draw list over the whole map, the first redraw and the paint.
void DrawFirstView(MapCore& core) {
  Timed(core, "BuildDrawList", [&] { BuildDrawList(core.Tables, core.View, core.Extents.Box()); });
  Timed(core, "RedrawView", [&] {
    RedrawView(core);
    core.Host.PaintMapWindow();
  });
}

}  // namespace

bool LoadCity(MapCore& core, const std::string& city, const std::string& title) {
  core.LastLoadTimes.Clear();
  const LoadStepTimer whole(core.LastLoadTimes, "LoadCity");  // added last, once every step is in
  core.Selection.StatusText0.clear();
  core.Selection.StatusText1.clear();
  core.Selection.StatusText2.clear();
  ResetViewForLoad(core);
  ResetSelection(core);
  core.Ui.WriteZoomEdit("100%");
  // The track bar's change recentres the view.  It runs on every load, also
  // when the bar rests where the load puts it (a second city of the session),
  // so that a city opens in the same place whatever was loaded before it.
  core.Ui.ZoomSliderPosition = ScaleToTrackBarPosition(core.View.Scale);
  ApplyZoomSliderPosition(core);
  core.CurrentCity = city;

  core.Tables.DrawListView.Clear();
  HideFirmSearchPanel(core);
  core.Info.Visible = false;
  ClearFirmResults(core.Search);  // the count shows 0 with the emptied lists
  // A hover hint described the city shown before.
  core.Interaction.HintVisible = false;
  core.Interaction.HintTimerEnabled = false;
  core.Measure = MeasureState{};  // measured on the city shown before
  core.Progress.SetProgress2(0);

  RunLoadingSteps(core, city);

  core.Progress.LoadLabel = "Инициализация...";
  core.Host.RepaintCityWindow();
  Timed(core, "LoadKeywords", [&] { LoadKeywords(core); });
  core.Caption = title;

  core.Progress.SetProgress2(core.Progress.Progress2Position + 1);
  Timed(core, "FillSearchList", [&] { FillSearchList(core, ""); });
  core.Progress.SetProgress2(core.Progress.Progress2Position + 1);
  core.Host.RepaintCityWindow();

  try {
    DrawFirstView(core);
  } catch (const std::exception&) {
    core.ShowMessage("Произошла внутренняя ошибка программы!\nПрограмма завершает работу.");
    return false;
  }
  return true;
}
