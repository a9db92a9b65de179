#pragma once
// The map window's process-wide state: the tables of the loaded city, the view,
// the layer switches, the interaction mode, the selection, the search results
// and the map picture.  MapWindow owns one; the command-line tool and the tests
// make their own, so that every operation runs without a window.
#include <QImage>

#include <optional>
#include <string>

#include "mapdata/CityLocation.h"
#include "mapdata/CityTables.h"
#include "mapdata/GeoReference.h"
#include "mapdata/LayerLoad.h"
#include "mapdata/LoadProgress.h"
#include "mapdata/MapExtents.h"
#include "mapdata/ScrambleMask.h"
#include "render/LayerFlags.h"
#include "render/RenderState.h"
#include "render/ViewState.h"
#include "state/InfoPanelState.h"
#include "state/InteractionState.h"
#include "state/LoadTimes.h"
#include "state/MeasureState.h"
#include "state/MapHost.h"
#include "state/SearchState.h"
#include "state/SelectionState.h"
#include "state/UiSwitches.h"

struct MapCore {
  // unit start: ScreenWidth and ScreenHeight are half the screen's size.
  explicit MapCore(MapHost& host, fs::path dataRoot = DefaultDataRoot());

  MapHost& Host;
  fs::path DataRoot;        // the data root of the city ("Base" beside the executable at start)
  std::string CurrentCity;  // directory name of the loaded city
  unsigned char ScrambleMask = kScrambleMask;  // the loaded city's, decided by every load
  std::optional<GeoReference> Geo;  // the loaded city's, when it has a good one
  std::string Caption = "Form2";  // the map window's caption, Windows-1251

  CityTables Tables;
  MapExtents Extents;
  ViewState View;
  LayerFlags Flags;
  InteractionState Interaction;
  SelectionState Selection;
  InfoPanelState Info;
  SearchState Search;
  UiSwitches Ui;
  MeasureState Measure;
  LoadProgress Progress;
  LoadTimes LastLoadTimes;  // of the steps of the last LoadCity

  QImage Map;  // the map picture, 2 x ScreenWidth by 2 x ScreenHeight
  RenderState Render;  // canvas state of the picture, tables converted for drawing

  CityLocation City() const { return CityLocation{DataRoot, CurrentCity}; }
  // The parts a loader fills, for the city `city` of the data root.
  LayerLoad Loading(const std::string& city);
  void ShowMessage(const std::string& utf8Text) { Host.ShowMessage(utf8Text); }
};
