#include "interaction/MapKeys.h"

#include "interaction/ViewMoves.h"

MapKeyAction MapKeyActionOf(int key, Qt::KeyboardModifiers modifiers) {
  if (modifiers & (Qt::AltModifier | Qt::MetaModifier)) return {};
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      return {MapKeyCommand::ZoomIn};
    case Qt::Key_Minus:
      return {MapKeyCommand::ZoomOut};
    default:
      break;
  }
  if (ctrl) return {};
  switch (key) {
    case Qt::Key_Left:
      return {MapKeyCommand::PanLeft, shift};
    case Qt::Key_Right:
      return {MapKeyCommand::PanRight, shift};
    case Qt::Key_Up:
      return {MapKeyCommand::PanUp, shift};
    case Qt::Key_Down:
      return {MapKeyCommand::PanDown, shift};
    case Qt::Key_Home:
      return shift ? MapKeyAction{} : MapKeyAction{MapKeyCommand::WholeCity};
    default:
      return {};
  }
}

bool RunMapKey(MapCore& core, int key, Qt::KeyboardModifiers modifiers, const QRect& visible) {
  const MapKeyAction action = MapKeyActionOf(key, modifiers);
  const double part = action.Whole ? 1.0 : 0.25;
  const QPoint middle = VisibleMapCentre(visible);
  switch (action.Command) {
    case MapKeyCommand::None:
      return false;
    case MapKeyCommand::PanLeft:
      PanView(core, visible, -part, 0);
      break;
    case MapKeyCommand::PanRight:
      PanView(core, visible, part, 0);
      break;
    case MapKeyCommand::PanUp:
      PanView(core, visible, 0, -part);
      break;
    case MapKeyCommand::PanDown:
      PanView(core, visible, 0, part);
      break;
    case MapKeyCommand::ZoomIn:
      ZoomAroundPoint(core, 1, middle.x(), middle.y(), ZoomFloor(core, visible));
      break;
    case MapKeyCommand::ZoomOut:
      ZoomAroundPoint(core, -1, middle.x(), middle.y(), ZoomFloor(core, visible));
      break;
    case MapKeyCommand::WholeCity:
      ShowWholeCity(core, visible);
      break;
  }
  return true;
}
