#include <cstdio>

#include "MapDataCommands.h"
#include "Output.h"
#include "mapdata/CityCheck.h"
#include "mapdata/Cp1251.h"
#include "mapdata/NativeName.h"

namespace {

constexpr const char* kCheckHelp =
    "usage: tellurin-cli check CITY_DIR\n"
    "Reads every data file of the city folder CITY_DIR (layers, firm files, icons,\n"
    "firm pictures, the georeference) with the rules the viewer loads them by, and\n"
    "lists every problem, one a line: FILE<TAB>RECORD<TAB>PROBLEM, FILE relative to CITY_DIR,\n"
    "RECORD counted from 1 (0: the file as a whole).  A load stops a file at its\n"
    "first bad record; the check goes on with the next record where it can.\n"
    "A layer may be left out, but a folder, FIFO or link at a layer file's name is\n"
    "listed, and a city without any layer lists each layer's file as missing.\n"
    "Exit 0: no problem; 1: problems listed, or 1 when it or a layer file cannot be\n"
    "read; 2: a wrong call or a CITY_DIR that is not a city folder (no Info/about.inf).\n";

}  // namespace

int RunCheckCommand(int argc, char** argv) {
  if (cli::WantsHelp(argc, argv)) {
    cli::Write(stdout, kCheckHelp);
    return 0;
  }
  if (argc != 1) return cli::Usage("check CITY_DIR");
  fs::path dataRoot;
  std::string city;
  if (const int refused = cli::TakeCityDir(argv[0], dataRoot, city)) return refused;
  cli::EnsureApplication();
  const CityLocation where{dataRoot, city};
  const fs::path cityDir = where.CityDir();
  const std::vector<DataProblem> problems = CheckCity(where);
  for (const DataProblem& p : problems)
    cli::PrintLine({cli::Escape(cp1251::FileNameToUtf8(GenericNativeString(p.File.lexically_relative(cityDir)))),
                    std::to_string(p.Record),
                    cli::Escape(p.What)});
  return problems.empty() ? 0 : 1;
}
