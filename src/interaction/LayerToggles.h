#pragma once
// The layer switches of the menu, the tool bar and the firm search panel, and
// the click-selection switch.  The windows map their controls to these (the
// menu item and the tool button of a layer to the same call); the
// command-line tool sets the switches with SetLayerShown (MapLayers.h) before
// its one redraw.
#include "render/MapLayers.h"

struct MapCore;

// The layer is shown or hidden (a layer always shown stays shown), the picture
// redrawn and the window painted: texts ("Текст", LabelsButton), objects
// ("Отобразить", ObjectsButton), routes ("Рисовать все маршруты"), found
// firms (ShowFoundBox).
void ShowLayer(MapCore& core, DrawCode layer, bool shown);

// "Все значки": every icon and house number drawn where it lies (on), or
// those that would crowd one drawn before them left out (off); redrawn and painted.
void ShowAllIcons(MapCore& core, bool on);

// "Выделение щелчком": whether a left click on the map selects objects.
void SetClickSelect(MapCore& core, bool on);
