#pragma once
#include <string>

struct MapCore;

void SearchFirms(MapCore& core, const std::string& key);
