#include "support/TabFields.h"

#include <sstream>

std::vector<std::string> TabFields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string f; std::getline(in, f, '\t');) out.push_back(f);
  return out;
}
