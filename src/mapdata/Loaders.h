#pragma once
// The loaders, in the order the city load runs them.  Each empties its
// table(s), reads the scrambled file when it exists and the plain one
// otherwise, widens the map extents and reports problems through the host's
// messages; a file that is missing leaves an empty layer and no message.
#include "mapdata/LayerLoad.h"

// The object icons and the object-kind chooser, one entry per icon.
void LoadObjectIcons(const LayerLoad& load);
void LoadFirms(const LayerLoad& load);
void LoadBuildings(const LayerLoad& load);
void LoadStreets(const LayerLoad& load);
void LoadRoutes(const LayerLoad& load);
void LoadLabels(const LayerLoad& load);
void LoadRegions(const LayerLoad& load);
// The objects; each names its kind in the chooser, whose last entry then
// stands for all kinds.
void LoadObjects(const LayerLoad& load);
