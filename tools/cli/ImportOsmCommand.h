#pragma once
// tellurin-cli import-osm INPUT [--out DATA_ROOT] --name CITY [--unit METRES]
//     [--scrambled [--mask 0xNN]] [--bbox MINLON,MINLAT,MAXLON,MAXLAT | --city NAME] [--replace]
// tellurin-cli import-osm INPUT --list-places
//   Imports an OpenStreetMap extract as the city folder DATA_ROOT/CITY and
//   prints what it wrote:  city<TAB>FOLDER<TAB>plain|scrambled,
//   records<TAB>LAYER<TAB>N per layer, plain<TAB>LAYER for a layer too long
//   for the scrambled form, area<TAB>HOW with --city, skipped<TAB>REASON<TAB>N and
//   changed<TAB>REASON<TAB>N.  Exit 0: imported; 1: the input cannot be read
//   or the city cannot be written (the reason on stderr); 2: a wrong call.
//   --list-places prints place<TAB>NAME<TAB>KIND<TAB>POPULATION<TAB>LAT<TAB>LON
//   per settlement instead.
int RunImportOsmCommand(int argc, char** argv);
