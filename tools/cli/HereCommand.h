#pragma once
// tellurin-cli here CITY_DIR X,Y [--scale S] [--found-firms KEY]: what lies
// under a map point, as the map window's "Что здесь?" lists it.  Returns the
// exit code (2: usage error).
int RunHereCommand(int argc, char** argv);
