#include "interaction/LabelHighlight.h"

#include "render/Canvas.h"
#include "render/CellNumbers.h"
#include "render/LayerDrawers.h"
#include "render/MapLayers.h"
#include "render/RenderCache.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"

namespace {

// Draws, over the picture as it is, every listed label that passes the
// highlight test; the box colour follows the mode.
void RedrawHighlightableLabels(MapCore& core) {
  if (!LayerShown(core.Flags, LayerOf(DrawCode::Label)) || core.Map.isNull()) return;
  Canvas canvas(core.Map, core.Render.Canvas);
  MapDrawing drawing = DrawingOf(core, canvas);
  const MapLayer& labels = LayerOf(DrawCode::Label);
  const std::string code = DrawCodeText(labels.Code);
  const LayerTable& list = core.Tables.DrawListView;
  const LayerTable& texts = TableOf(core.Tables, labels);
  for (int k = 0; k < list.Count(); ++k) {
    if (list[k].Cell(draw_list_cell::Code) != code) continue;
    const int row = CellInt(list, k, draw_list_cell::Row);
    if (row < 0 || row >= texts.Count()) continue;
    if (LabelHighlightable(CellInt(texts, row, label_cell::Size), core.View.Scale)) labels.Draw(drawing, labels, row);
  }
}

}  // namespace

bool PressHighlightKey(MapCore& core, int key) {
  if (key != kCtrlKey) return false;
  InteractionState& in = core.Interaction;
  if (in.Mode != InteractionMode::Normal) return true;  // a held key repeats; a drag runs
  in.PrevMode = in.Mode;
  in.Mode = InteractionMode::StreetSelect;
  RedrawHighlightableLabels(core);
  core.Host.PaintMapWindow();
  return true;
}

bool ReleaseHighlightKey(MapCore& core, int key) {
  if (key != kCtrlKey) return false;
  InteractionState& in = core.Interaction;
  if (in.Mode != InteractionMode::StreetSelect) return true;
  in.Mode = in.PrevMode;
  RedrawHighlightableLabels(core);
  core.Host.PaintMapWindow();
  return true;
}
