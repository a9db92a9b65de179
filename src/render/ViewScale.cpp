#include "render/ViewScale.h"

#include <algorithm>

#include "render/RedrawView.h"
#include "render/ViewTransform.h"
#include "shell/MapCore.h"

void SetViewScale(MapCore& core, float scale) {
  core.View.Scale = scale;
  RecentreOffsets(core.View);
  core.Interaction.HintVisible = false;
  RedrawView(core);
  core.Host.PaintMapWindow();
}

void SetTrackBarPosition(MapCore& core, int position) {
  position = std::clamp(position, kTrackBarMin, kTrackBarMax);
  if (position == core.Ui.TrackBar1Position) return;
  core.Ui.TrackBar1Position = position;
  TrackBar1Change(core);
}

void TrackBar1Change(MapCore& core) { SetViewScale(core, TrackBarPositionToScale(core.Ui.TrackBar1Position)); }
