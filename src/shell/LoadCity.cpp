#include "shell/LoadCity.h"

#include <chrono>
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

// The highlighted route belonged to the previous tables.
void ForgetSelectedRoute(MapCore& core) { core.Selection.RouteSelected = false; }

struct LoadingStep {
  const char* Label;                 // LoadLabel while it runs
  const char* Name;                  // in LastLoadTimes
  void (*Load)(const LayerLoad& load);
  void (*Before)(MapCore& core);     // runs after the step's repaint, before the load, untimed; may be none
  void (*After)(MapCore& core);      // runs once the step is done, untimed; may be none
};

void ShowObjectKindsIfAny(MapCore& core) {
  if (!core.Tables.ListOfObjects.Empty()) ShowAllObjectKinds(core);
}

// The fixed order of the layer steps: the objects name their kinds in the
// chooser that the icons step builds, and every layer widens the extents that
// the draw list is then built over.
constexpr LoadingStep kLoadingSteps[] = {
    {"Иконки...", "LoadObjectIcons", LoadObjectIcons, ForgetObjectFilter, nullptr},
    {"Фирмы...", "LoadFirms", LoadFirms, nullptr, nullptr},
    {"Здания...", "LoadBuildings", LoadBuildings, nullptr, nullptr},
    {"Улицы...", "LoadStreets", LoadStreets, nullptr, nullptr},
    {"Маршруты...", "LoadRoutes", LoadRoutes, ForgetSelectedRoute, nullptr},
    {"Текстовые метки...", "LoadLabels", LoadLabels, nullptr, nullptr},
    {"Области...", "LoadRegions", LoadRegions, nullptr, nullptr},
    {"Объекты...", "LoadObjects", LoadObjects, nullptr, ShowObjectKindsIfAny},
};

void RunLoadingSteps(MapCore& core, const std::string& city) {
  core.ScrambleMask = CityScrambleMask(core.City());
  const LayerLoad load = core.Loading(city);
  for (const LoadingStep& step : kLoadingSteps) {
    BeginStep(core, step.Label);
    if (step.Before) step.Before(core);
    {
      LoadStepTimer timer(core.LastLoadTimes, step.Name);
      step.Load(load);
    }
    if (step.After) step.After(core);
  }
}

// The final drawing: the draw list over the whole map, the first redraw and the paint.
void DrawFirstView(MapCore& core) {
  LoadTimes& times = core.LastLoadTimes;
  {
    LoadStepTimer timer(times, "BuildDrawList");
    BuildDrawList(core.Tables, core.View, core.Extents.Box());
  }
  LoadStepTimer timer(times, "RedrawView");
  RedrawView(core);
  core.Host.PaintMapWindow();
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
  core.LastLoadTimes.Clear();

  RunLoadingSteps(core, city);

  core.Progress.LoadLabel = "Инициализация...";
  core.Host.RepaintCityWindow();
  {
    LoadStepTimer timer(core.LastLoadTimes, "LoadKeywords");
    LoadKeywords(core);
  }
  core.Caption = title;

  core.Progress.SetProgress2(core.Progress.Progress2Position + 1);
  {
    LoadStepTimer timer(core.LastLoadTimes, "FillSearchList");
    FillSearchList(core, "");
  }
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
