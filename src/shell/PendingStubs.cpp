// Operations whose modules are still being written.  Each block is removed when
// its module lands; nothing here is the real behaviour.
#include <QPainter>

#include "interaction/ViewControl.h"
#include "mapdata/Loaders.h"
#include "render/DrawList.h"
#include "render/FormPaint.h"
#include "render/RedrawView.h"
#include "search/FirmSearch.h"
#include "search/Keywords.h"
#include "search/ListSearch.h"
#include "shell/MapCore.h"

// --- render ---
void BuildDrawList(MapCore&, int32_t, int32_t, int32_t, int32_t) {}
void SizeMapPicture(MapCore& core) {
  core.Map = QImage(2 * core.View.ScreenWidth, 2 * core.View.ScreenHeight, QImage::Format_RGB32);
}
void RedrawView(MapCore&) {}
void FormPaint(MapCore&, QPainter&) {}

// --- interaction ---
void SetTrackBarPosition(MapCore& core, int position) { core.Ui.TrackBar1Position = position; }
void TrackBar1Change(MapCore&) {}
void Panel5Click(MapCore&) {}
bool ZoomEditEnter(MapCore&, const std::string&) { return false; }

