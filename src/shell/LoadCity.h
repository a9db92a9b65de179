#pragma once
#include <string>

struct MapCore;

// Loads the city whose directory name is `city` and whose title (the first line
// of its about.inf, Windows-1251) becomes the map window's caption.  Returns
// false after an error in the final drawing (the viewer then ends).  The time
// of each step, then of the whole load ("LoadCity"), is left in
// core.LastLoadTimes.
bool LoadCity(MapCore& core, const std::string& city, const std::string& title);
