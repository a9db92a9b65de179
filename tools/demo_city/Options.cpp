#include "Options.h"

#include <cstdlib>

namespace {

bool ParseInt(const std::string& text, int base, long low, long high, long& value) {
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, base);
  return !text.empty() && end && *end == '\0' && value >= low && value <= high;
}

}  // namespace

const char* UsageText() {
  return "usage: tellurin-demo-city --out DIR [--plain | --scrambled] [--mask 0xNN]\n"
         "                          [--scale N [--name NAME]] [--artwork DIR]\n"
         "\n"
         "Writes the demo cities as subfolders of the data root DIR (an existing\n"
         "subfolder of the same name is replaced):\n"
         "  Светлогорск  every layer and firm plain (.txt)\n"
         "  Озёрск       every layer and firm scrambled (.crpt)\n"
         "\n"
         "  --out DIR       data root to write the cities into\n"
         "  --plain         write only the plain city\n"
         "  --scrambled     write only the scrambled city\n"
         "  --mask 0xNN     byte mask of the scrambled files (default: the build's)\n"
         "  --scale N       also write a plain city of N copies side by side, for\n"
         "                  benchmarks (N = 100 gives about 100 000 records)\n"
         "  --name NAME     folder and title of that city (default Мегаполис)\n"
         "  --artwork DIR   write the viewer's splash.jpg and logo.png into DIR\n"
         "  --help          show this text\n";
}

bool ParseOptions(int argc, char** argv, unsigned char defaultMask, Options& options, std::string& error) {
  options.Mask = defaultMask;
  bool onlyPlain = false, onlyScrambled = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return false;
      }
      into = argv[++i];
      return true;
    };
    std::string text;
    long number = 0;
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--out") {
      if (!value(options.Out)) return false;
    } else if (arg == "--artwork") {
      if (!value(options.Artwork)) return false;
    } else if (arg == "--name") {
      if (!value(options.ScaleName)) return false;
      if (options.ScaleName.empty() || options.ScaleName.find('/') != std::string::npos) {
        error = "--name must be a plain folder name";
        return false;
      }
    } else if (arg == "--scale") {
      if (!value(text)) return false;
      if (!ParseInt(text, 10, 1, 10000, number)) {
        error = "--scale wants a whole number from 1 to 10000, not \"" + text + "\"";
        return false;
      }
      options.Scale = static_cast<int>(number);
    } else if (arg == "--mask") {
      if (!value(text)) return false;
      if (!ParseInt(text, 0, 1, 255, number)) {
        error = "--mask wants a byte from 0x01 to 0xFF, not \"" + text + "\"";
        return false;
      }
      options.Mask = static_cast<unsigned char>(number);
    } else if (arg == "--plain") {
      onlyPlain = true;
    } else if (arg == "--scrambled") {
      onlyScrambled = true;
    } else {
      error = "unknown argument \"" + arg + "\"";
      return false;
    }
  }
  if (onlyPlain && onlyScrambled) {
    error = "--plain and --scrambled exclude each other (give neither for both cities)";
    return false;
  }
  options.Plain = !onlyScrambled;
  options.Scrambled = !onlyPlain;
  if (!options.Help && options.Out.empty() && options.Artwork.empty()) {
    error = "nothing to do: give --out DIR or --artwork DIR";
    return false;
  }
  if (options.Out.empty() && options.Scale > 0) {
    error = "--scale needs --out DIR";
    return false;
  }
  return true;
}
