#pragma once
// tellurin-cli dump CITY_DIR
//   Loads the city as the viewer does and prints the map extents and every
//   table:  extents<TAB>MapMinX<TAB>MapMinY<TAB>MapMaxX<TAB>MapMaxY, then per
//   table  table<TAB>NAME<TAB>ROWCOUNT  and one line per row:
//   ROWINDEX<TAB>CAPTION<TAB>CELL0<TAB>CELL1...  (ObjectComboBox: the caption
//   and the image index).  The load's messages go to stderr.
// tellurin-cli check CITY_DIR
//   Reads every data file of the city with the loaders' rules and lists each
//   problem as FILE<TAB>RECORD<TAB>PROBLEM (FILE relative to the city folder,
//   RECORD from 1, 0 for the file as a whole).  Exit 0: clean; 1: problems.
// tellurin-cli stats CITY_DIR
//   Loads the city and prints what the load cost: records<TAB>TABLE<TAB>ROWS
//   per table, time<TAB>STEP<TAB>MILLISECONDS per load step and the first
//   redraw, peak-memory<TAB>KIB.
int RunDumpCommand(int argc, char** argv);
int RunCheckCommand(int argc, char** argv);
int RunStatsCommand(int argc, char** argv);
