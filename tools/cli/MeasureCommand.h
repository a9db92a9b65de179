#pragma once
// tellurin-cli measure CITY_DIR X1,Y1 X2,Y2 ...: the real length of the line
// through map points of a georeferenced city, as the map window's
// "Измерить расстояние" measures it.  Returns the exit code (2: usage error).
int RunMeasureCommand(int argc, char** argv);
