#pragma once
// The order of a list sorted by one of its columns (a click on the column's
// header): alphabetical by the Russian locale's rules with letter case ignored,
// and runs of digits by value, so that house "2" comes before "10" and "10а"
// after "10".  Rows whose cells collate equal keep their order.
#include <vector>

class LayerTable;

enum class SortDirection { Ascending, Descending };

// The rows of `table` ordered by their cell `cell` (kCaption: the caption):
// entry i is the table row that comes i-th.  The table itself is not changed,
// so its rows keep the indices that the hidden lists and the selection use.
std::vector<int> SortedRows(const LayerTable& table, int cell, SortDirection direction);
