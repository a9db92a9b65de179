#pragma once
// The remembered values (ViewerSettings.h) taken from the map state and given
// back to it.  A value that does not fit the loaded city (a centre outside its
// map extents, an object kind it has not) is passed over.
#include "shell/ViewerSettings.h"

struct MapCore;

// The view as it is: the map point in the middle of the picture (as after a
// drag), the scale and the object filter.
CityView CaptureCityView(const MapCore& core);
// The city's remembered view, redrawn and painted, its scale no lower than
// `floor` (the zoom floor of the city in the window: ZoomFloor); false, with
// nothing changed, when its centre lies outside the city's map extents.  An
// object kind the city has not leaves every kind shown.
bool RestoreCityView(MapCore& core, const CityView& view, float floor);

LayerSwitches CaptureLayerSwitches(const MapCore& core);
// Sets the switches only: the next redraw, and the city load that brings the
// menus and buttons into line, show them.
void RestoreLayerSwitches(MapCore& core, const LayerSwitches& layers);

// The side panels open now, into `values`.
void CapturePanels(const MapCore& core, ViewerSettings& values);
// Opens and closes the side panels through their pairs.
void RestorePanels(MapCore& core, const ViewerSettings& values);
