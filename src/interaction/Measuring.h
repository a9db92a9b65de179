#pragma once
// «Измерить расстояние», a georeferenced city's only: the point the map's
// context menu was opened on is the first; each left click (not a drag, which
// still pans) adds one; a double click or Enter ends, Esc cancels.  The line
// and its running length are drawn (view/MeasureOverlay.h) and the status bar
// tells the length, which stays there, with the line, until the next click on
// the map.  Every change paints the window.
#include <cstdint>

#include "mapdata/Geodesic.h"

struct MapCore;

// Starts measuring from map point `first`; nothing without a georeference.
void StartMeasuring(MapCore& core, MapSpot first);
// While measuring: the map point under window pixel (x, y) is added.
void AddMeasurePoint(MapCore& core, int32_t x, int32_t y);
// Ends measuring: the line and its length stay shown.
void FinishMeasuring(MapCore& core);
// Esc: the line and its length are gone, measuring or not.
void CancelMeasuring(MapCore& core);
// A click after the end takes the line and its length away.
void ClearMeasurement(MapCore& core);

// Enter (either key) ends and Esc cancels while measuring, Esc also takes a
// shown length away; true when the key was taken.
bool RunMeasureKey(MapCore& core, int key);

// The status bar's text for `metres`: while measuring it also says how to end.
std::string MeasureStatusText(double metres, bool measuring);
