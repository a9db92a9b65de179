#pragma once
// The object-kind filter and its chooser, ObjectComboBox: the chooser lists one
// entry per icon, its last entry ("Все") standing for all kinds.
#include <cstdint>

struct CityTables;
struct LayerFlags;
struct MapCore;

// Only objects of icon kind `kind` are drawn; -1: every kind.
void FilterObjectKind(LayerFlags& switches, int32_t kind);
// The kind an entry of the chooser stands for: its index; -1 for the last.
int32_t ObjectKindOfEntry(const CityTables& tables, int index);

// A choice in ObjectComboBox: only objects of that kind (the entry's index) are
// drawn; the last entry ("Все") shows every kind.  Redraws and paints.
void ChooseObjectEntry(MapCore& core, int index);

// The chooser shows the entry of kind `kind` (-1: "Все") and only that kind is
// drawn, without a redraw; false, with nothing changed, when the loaded city
// has no such kind.
bool ChooseObjectKind(MapCore& core, int32_t kind);

// A city's icons are read: the chooser shows no entry, and every kind is drawn.
void ForgetObjectFilter(MapCore& core);
// A city's objects are read: the chooser reads "Все" again, and so every kind
// is shown again; a filter chosen in an earlier city would otherwise hide
// objects behind a chooser that says all are shown.
void ShowAllObjectKinds(MapCore& core);
