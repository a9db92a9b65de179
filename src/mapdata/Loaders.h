#pragma once
// The loaders, in the order the city load runs them: the object icons, the
// firms, then every layer of the Data folder (LayerReadings).  Each empties its
// table(s), reads the scrambled file when it exists and the plain one
// otherwise, widens the map extents and reports problems through the host's
// messages; a file that is missing leaves an empty layer and no message.
#include <span>

#include "mapdata/LayerFile.h"
#include "mapdata/LayerLoad.h"

// The object icons and the object-kind chooser, one entry per icon.
void LoadObjectIcons(const LayerLoad& load);
void LoadFirms(const LayerLoad& load);

// Each layer of the Data folder, read by LoadLayer (LayerFile.h).
const LayerReading& BuildingsReading();
const LayerReading& StreetsReading();
const LayerReading& RoutesReading();
const LayerReading& LabelsReading();
const LayerReading& RegionsReading();
// The objects; each names its kind in the chooser, whose last entry then
// stands for all kinds.
const LayerReading& ObjectsReading();

// The layers of the Data folder in the order the city load reads them (and
// the data check checks them).
std::span<const LayerReading* const> LayerReadings();

inline void LoadBuildings(const LayerLoad& load) { LoadLayer(load, BuildingsReading()); }
inline void LoadStreets(const LayerLoad& load) { LoadLayer(load, StreetsReading()); }
inline void LoadRoutes(const LayerLoad& load) { LoadLayer(load, RoutesReading()); }
inline void LoadLabels(const LayerLoad& load) { LoadLayer(load, LabelsReading()); }
inline void LoadRegions(const LayerLoad& load) { LoadLayer(load, RegionsReading()); }
inline void LoadObjects(const LayerLoad& load) { LoadLayer(load, ObjectsReading()); }
