#include "ViewOptions.h"

#include <charconv>

#include "mapdata/Cp1251.h"
#include "render/MapLayers.h"
#include "search/FirmSearch.h"
#include "shell/MapCore.h"

namespace cli {

bool ParseInt(const std::string& v, int& out) {
  try {
    size_t used = 0;
    out = std::stoi(v, &used);
    return used == v.size();
  } catch (...) {
    return false;
  }
}

bool ParsePair(const std::string& v, char separator, int& a, int& b) {
  const size_t at = v.find(separator);
  return at != std::string::npos && ParseInt(v.substr(0, at), a) && ParseInt(v.substr(at + 1), b);
}

bool ParseScale(const std::string& v, float& out) {
  try {
    size_t used = 0;
    out = std::stof(v, &used);
    return used == v.size() && out > 0 && out <= 1000;
  } catch (...) {
    return false;
  }
}

std::string ScaleText(float scale) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, scale).ptr;
  return std::string(text, end);
}

void ShowFoundFirms(MapCore& core, const std::string& utf8Key) {
  SearchState& s = core.Search;
  s.CheckBox1 = s.CheckBox2 = s.CheckBox3 = true;
  SetLayerShown(core.Flags, LayerOf(DrawCode::Firm), true);
  SearchFirms(core, cp1251::FromUtf8(utf8Key));
}

}  // namespace cli
