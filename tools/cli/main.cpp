#include <cstdio>
#include <string_view>

#include "RenderCommand.h"
#include "SearchCommands.h"

int main(int argc, char** argv) {
  if (argc >= 2) {
    const std::string_view command = argv[1];
    if (command == "render") return RunRenderCommand(argc - 2, argv + 2);
    if (command == "search") return RunSearchCommand(argc - 2, argv + 2);
    if (command == "firms") return RunFirmsCommand(argc - 2, argv + 2);
    if (command == "add-keyword") return RunAddKeywordCommand(argc - 2, argv + 2);
  }
  std::fprintf(stderr, "usage: tellurin-cli COMMAND ...\n");
  return 2;
}
