#pragma once
#include "render/CanvasState.h"
#include "render/RenderCache.h"

// What the drawing keeps between redraws: the canvas state of the map picture
// and the converted tables.
struct RenderState {
  CanvasState Canvas;
  RenderCache Cache;
};
