// tellurin-cli: the viewer's core without windows.  Each command is a function
// in its own file taking the arguments after its name; to add one, declare it
// in a header of its own and add a line to kCommands.
#include <cstdio>
#include <string_view>

#include "HereCommand.h"
#include "ImportOsmCommand.h"
#include "MapDataCommands.h"
#include "MeasureCommand.h"
#include "Output.h"
#include "RenderCommand.h"
#include "RouteCommand.h"
#include "SearchCommands.h"
#include "mapdata/NativeName.h"
#include "shell/AppIdentity.h"

namespace {

struct Command {
  const char* Name;
  const char* Arguments;  // for the usage text
  int (*Run)(int argc, char** argv);
};

const Command kCommands[] = {
    {"dump", "CITY_DIR", RunDumpCommand},
    {"check", "CITY_DIR", RunCheckCommand},
    {"stats", "CITY_DIR", RunStatsCommand},
    {"search", "CITY_DIR KEY", RunSearchCommand},
    {"firms", "CITY_DIR KEY [--name on|off] [--address on|off] [--keywords on|off]", RunFirmsCommand},
    {"add-keyword", "CITY_DIR WORD", RunAddKeywordCommand},
    {"render",
     "CITY_DIR -o OUT.png [--screen WxH] [--scale S] [--center X,Y] [--whole-city] [--texts on|off] [--objects on|off] "
     "[--routes on|off] [--filter N] [--all-icons] [--found-firms KEY] [--picture] [--select street|building|object|firm|route:ROW]... "
     "[--centre] [--click X,Y]... [--hover X,Y]... [--scale-bar] [--route X1,Y1:X2,Y2 [--mode foot|car]] "
     "[--ratio R]",
     RunRenderCommand},
    {"here", "CITY_DIR X,Y [--scale S] [--found-firms KEY]", RunHereCommand},
    {"measure", "CITY_DIR X1,Y1 X2,Y2 [X,Y]...", RunMeasureCommand},
    {"route", "CITY_DIR X1,Y1 X2,Y2 [--mode foot|car] [--line]", RunRouteCommand},
    {"import-osm",
     "INPUT [--out DATA_ROOT] --name CITY [--unit METRES] [--scrambled [--mask 0xNN]] "
      "[--bbox MINLON,MINLAT,MAXLON,MAXLAT | --city NAME] [--replace] [--progress]; INPUT --list-places",
     RunImportOsmCommand},
};

void PrintCommands(FILE* out) {
  cli::Print(out, "usage: tellurin-cli COMMAND ARGUMENTS...\ncommands:\n");
  for (const Command& c : kCommands) cli::Print(out, "  %s %s\n", c.Name, c.Arguments);
  cli::Print(out, "tellurin-cli COMMAND --help tells more about a command; tellurin-cli --version\n"
                  "prints the version.\n");
}

bool IsHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

}  // namespace

int main(int argc, char** argv) {
  const Utf8Arguments utf8Arguments(argc, argv);
  SetApplicationIdentity();  // the viewer's data folders (QStandardPaths) are ours too
  if (argc == 2 && IsHelp(argv[1])) {
    PrintCommands(stdout);
    return 0;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    cli::Print(stdout, "tellurin-cli %s\n", app_identity::kVersion);
    return 0;
  }
  if (argc >= 2) {
    for (const Command& c : kCommands)
      if (std::string_view(argv[1]) == c.Name) return c.Run(argc - 2, argv + 2);
    cli::Print(stderr, "tellurin-cli: неизвестная команда «%s»\n", argv[1]);
  }
  PrintCommands(stderr);
  return 2;
}
