#pragma once
// The keyboard on the map area, while it has the focus (it takes the focus on
// a click): the arrows pan by a quarter of the visible map, with Shift by a
// whole one; "+", "=" and "-" (with or without Ctrl, and on the keypad) zoom
// one track bar step around the middle of the visible map; Home shows the
// whole city.  Every key goes through the view moves of ViewMoves.h.
#include <QRect>
#include <Qt>

struct MapCore;

enum class MapKeyCommand { None, PanLeft, PanRight, PanUp, PanDown, ZoomIn, ZoomOut, WholeCity };

struct MapKeyAction {
  MapKeyCommand Command = MapKeyCommand::None;
  bool Whole = false;  // a pan by the whole visible map (Shift)
};

// What a key (Qt::Key) with its modifiers does on the map; None for every key
// the map leaves alone (Alt and the system key leave every key alone).
MapKeyAction MapKeyActionOf(int key, Qt::KeyboardModifiers modifiers);

// Runs the key's command over the visible map (window pixels).  True when the
// key is one of the map's, whether or not the view could move (a zoom beyond
// the track bar's range, a key during a drag); false leaves it to others.
bool RunMapKey(MapCore& core, int key, Qt::KeyboardModifiers modifiers, const QRect& visible);
