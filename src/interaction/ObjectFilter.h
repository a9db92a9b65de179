#pragma once
struct MapCore;

// A choice in ObjectComboBox: only objects of that kind (the entry's index) are
// drawn; the last entry ("Все") shows every kind.  Redraws and paints.
void ObjectComboBoxSelect(MapCore& core, int index);
