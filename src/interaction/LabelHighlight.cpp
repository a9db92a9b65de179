#include "interaction/LabelHighlight.h"

#include "render/Canvas.h"
#include "render/CellNumbers.h"
#include "render/LayerDrawers.h"
#include "render/RedrawView.h"
#include "render/RenderCache.h"
#include "shell/MapCore.h"

namespace {

// Draws, over the picture as it is, every listed label that passes the
// highlight test; the box colour follows the mode.
void RedrawHighlightableLabels(MapCore& core) {
  if (!core.Flags.ShowTexts || core.Map.isNull()) return;
  Canvas canvas(core.Map, core.Render.Canvas);
  MapDrawing drawing = DrawingOf(core, canvas);
  const LayerTable& list = core.Tables.DrawListView;
  for (int k = 0; k < list.Count(); ++k) {
    if (list[k].Cell(draw_list_cell::Code) != "4") continue;
    const int row = CellInt(list, k, draw_list_cell::Row);
    const LayerTable& texts = core.Tables.ListOfTexts;
    if (row < 0 || row >= texts.Count()) continue;
    if (LabelHighlightable(CellInt(texts, row, label_cell::Size), core.View.Scale)) DrawTextLabel(drawing, row);
  }
}

}  // namespace

bool FormKeyDown(MapCore& core, int key) {
  if (key != kCtrlKey) return false;
  InteractionState& in = core.Interaction;
  if (in.Mode != "Normal") return true;  // a held key repeats; a drag runs
  in.PrevMode = in.Mode;
  in.Mode = "StreetSelect";
  RedrawHighlightableLabels(core);
  core.Host.PaintMapWindow();
  return true;
}

bool FormKeyUp(MapCore& core, int key) {
  if (key != kCtrlKey) return false;
  InteractionState& in = core.Interaction;
  if (in.Mode != "StreetSelect") return true;
  in.Mode = in.PrevMode;
  RedrawHighlightableLabels(core);
  core.Host.PaintMapWindow();
  return true;
}
