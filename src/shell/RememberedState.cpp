#include "shell/RememberedState.h"

#include <algorithm>

#include "interaction/ObjectFilter.h"
#include "interaction/ViewMoves.h"
#include "render/MapLayers.h"
#include "render/ViewTransform.h"
#include "shell/PanelPairs.h"
#include "state/MapCore.h"

namespace {

bool Inside(const PointBox& box, int32_t x, int32_t y) {
  return x >= box.MinX && x <= box.MaxX && y >= box.MinY && y <= box.MaxY;
}

// The layers a control can hide, each with its place in LayerSwitches.
struct SwitchedLayer {
  DrawCode Code;
  bool LayerSwitches::*Flag;
};
constexpr SwitchedLayer kSwitchedLayers[] = {{DrawCode::Label, &LayerSwitches::Texts},
                                             {DrawCode::Object, &LayerSwitches::Objects},
                                             {DrawCode::Route, &LayerSwitches::Routes},
                                             {DrawCode::Firm, &LayerSwitches::FoundFirms}};

}  // namespace

CityView CaptureCityView(const MapCore& core) {
  ViewState v = core.View;
  CentreFromOffsets(v);
  return CityView{v.CenterX, v.CenterY, v.Scale, core.Flags.ObjectFilter};
}

bool RestoreCityView(MapCore& core, const CityView& view, float floor) {
  if (!Inside(core.Extents.Box(), view.CenterX, view.CenterY)) return false;
  if (!ChooseObjectKind(core, view.ObjectFilter)) ChooseObjectKind(core, -1);
  return ShowViewAt(core, view.CenterX, view.CenterY, std::max(view.Scale, floor));
}

LayerSwitches CaptureLayerSwitches(const MapCore& core) {
  LayerSwitches layers;
  for (const SwitchedLayer& s : kSwitchedLayers) layers.*s.Flag = LayerShown(core.Flags, LayerOf(s.Code));
  layers.AllIcons = core.Flags.AllIcons;
  layers.ScaleBar = core.Ui.ShowScaleBar;
  return layers;
}

void RestoreLayerSwitches(MapCore& core, const LayerSwitches& layers) {
  for (const SwitchedLayer& s : kSwitchedLayers) SetLayerShown(core.Flags, LayerOf(s.Code), layers.*s.Flag);
  core.Flags.AllIcons = layers.AllIcons;
  core.Ui.ShowScaleBar = layers.ScaleBar;
}

void CapturePanels(const MapCore& core, ViewerSettings& values) {
  const UiSwitches& ui = core.Ui;
  values.Left = ui.PanelSearchVisible ? LeftPanel::ListSearch : ui.PanelPathVisible ? LeftPanel::Routes : LeftPanel::None;
  values.FirmSearchOpen = ui.FirmSearchPanelVisible;
}

void RestorePanels(MapCore& core, const ViewerSettings& values) {
  switch (values.Left) {
    case LeftPanel::ListSearch:
      ShowListSearchPanel(core);
      break;
    case LeftPanel::Routes:
      ShowRoutesPanel(core);
      break;
    case LeftPanel::None:
      HideListSearchPanel(core);
      HideRoutesPanel(core);
      break;
  }
  values.FirmSearchOpen ? ShowFirmSearchPanel(core) : HideFirmSearchPanel(core);
}
