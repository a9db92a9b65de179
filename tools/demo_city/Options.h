#pragma once
// Command line of tellurin-demo-city.
#include <string>

struct Options {
  std::string Out;        // data root: every city is written as a subfolder
  std::string Artwork;    // folder for the viewer's splash.jpg and logo.png
  int Scale = 0;          // > 0: also write the big city of that many tiles
  std::string ScaleName = "Мегаполис";
  bool Plain = true;      // write the plain demo city
  bool Scrambled = true;  // write the scrambled demo city
  unsigned char Mask = 0;
  bool Help = false;
};

// False with a message for the user when the arguments make no sense.
bool ParseOptions(int argc, char** argv, unsigned char defaultMask, Options& options, std::string& error);
const char* UsageText();
