#include "ViewOptions.h"

#include <charconv>
#include <cstdint>

#include <cstdio>

#include "Output.h"
#include "mapdata/Cp1251.h"
#include "render/MapLayers.h"
#include "render/MapPicture.h"
#include "search/FirmSearch.h"
#include "state/MapCore.h"

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

bool ParseScreen(const std::string& v, int& width, int& height) {
  return ParsePair(v, 'x', width, height) && width >= 1 && height >= 1 && width <= kMaxScreenSide &&
         height <= kMaxScreenSide;
}

bool ParseRatio(const std::string& v, double& out) {
  try {
    size_t used = 0;
    out = std::stod(v, &used);
    return used == v.size() && out >= 1 && out <= 4;
  } catch (...) {
    return false;
  }
}

bool PictureFits(int width, int height, double ratio) {
  const auto side = [ratio](int screen) { return static_cast<int64_t>(DevicePixels(2 * screen, ratio)); };
  constexpr int64_t kMaxPictureBytes = int64_t{4} * 2 * kMaxScreenSide * 2 * kMaxScreenSide;
  return side(width) * side(height) * 4 <= kMaxPictureBytes;
}

std::string ScaleProblem(const std::string& v) {
  return "--scale " + v + ": масштаб должен быть числом от 0 (не включая) до 1000 пикселей на единицу карты";
}

// The map picture is twice the screen each way in 32-bit pixels: at the largest
// screen it takes 1 GiB.
std::string ScreenProblem(const std::string& v) {
  const std::string side = std::to_string(kMaxScreenSide);
  return "--screen " + v + ": экран должен быть от 1x1 до " + side + "x" + side +
         " пикселей (картинка карты вдвое больше экрана по каждой стороне и при " + side + "x" + side +
         " занимает 1 ГиБ памяти)";
}

std::string RatioProblem(const std::string& v) {
  return "--ratio " + v + ": отношение пикселей устройства к пикселям окна должно быть числом от 1 до 4";
}

std::string PictureSizeProblem(int width, int height, double ratio) {
  return "--screen " + std::to_string(width) + "x" + std::to_string(height) + " --ratio " + ScaleText(float(ratio)) +
         ": картинка карты в пикселях устройства заняла бы больше 1 ГиБ памяти";
}

std::string PointProblem(const char* option, const std::string& v) {
  return std::string(option) + " " + v + ": нужны два целых числа через запятую, X,Y";
}

std::string WholeNumberProblem(const char* option, const std::string& v) {
  return std::string(option) + " " + v + ": нужно целое число";
}

std::string OnOffProblem(const std::string& option, const std::string& v) {
  return option + " " + v + ": нужно on или off";
}

std::string UnknownOptionProblem(const std::string& option) { return "неизвестный параметр " + option; }

std::string MissingValueProblem(const std::string& option) { return option + ": нет значения"; }

std::string MissingArgumentProblem(const std::string& argument) { return "не указан " + argument; }

std::string ExtraArgumentProblem(const std::string& argument) { return "лишний аргумент " + argument; }

int Refuse(const std::string& why, const std::string& usage) {
  cli::Print(stderr, "tellurin-cli: %s\n", why.c_str());
  return Usage(usage);
}

void ShowFoundFirms(MapCore& core, const std::string& utf8Key) {
  SearchState& s = core.Search;
  s.SearchFirmNames = s.SearchFirmAddresses = s.SearchFirmKeywords = true;
  SetLayerShown(core.Flags, LayerOf(DrawCode::Firm), true);
  SearchFirms(core, cp1251::FromUtf8Closest(utf8Key));
}

}  // namespace cli
