#include "render/LayerFlags.h"

#include "render/MapLayers.h"

LayerFlags::LayerFlags() {
  for (const MapLayer* layer : MapLayers()) SetShown(layer->Code, layer->ShownAtStart);
}
