#pragma once
// The side panels are shown and hidden in pairs of operations that keep the
// panel, its tool button and its menu tick in step (the widgets mirror
// MapCore::Ui).  The list search panel and the routes panel share the left
// edge: showing one hides the other.
struct MapCore;

void ShowListSearchPanel(MapCore& core);
void HideListSearchPanel(MapCore& core);
void ShowFirmSearchPanel(MapCore& core);
void HideFirmSearchPanel(MapCore& core);
void ShowRoutesPanel(MapCore& core);
void HideRoutesPanel(MapCore& core);
