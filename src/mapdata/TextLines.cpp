#include "mapdata/TextLines.h"

std::vector<std::string> SplitTextLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  size_t i = 0;
  while (i < bytes.size()) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') {
      ++i;
      continue;
    }
    lines.emplace_back(bytes, start, i - start);
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = ++i;
  }
  if (start < bytes.size()) lines.emplace_back(bytes, start);
  return lines;
}
