#include "view/PictureRatio.h"

#include <algorithm>

#include "render/MapPicture.h"
#include "render/MapStyle.h"
#include "state/MapCore.h"
#include "view/RedrawView.h"

bool SetPictureRatio(MapCore& core, double ratio) {
  // A ratio below 1 would only lose detail.
  ratio = std::max(1.0, ratio);
  if (core.Map.isNull() || core.Map.devicePixelRatio() == ratio) return false;
  core.Map = NewMapPicture(2 * core.View.ScreenWidth, 2 * core.View.ScreenHeight, ratio);
  RedrawView(core);
  return true;
}
