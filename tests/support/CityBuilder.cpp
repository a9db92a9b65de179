#include "support/CityBuilder.h"

#include "mapdata/Cp1251.h"

std::string W(const std::string& utf8) { return cp1251::FromUtf8(utf8); }

CityBuilder::CityBuilder(std::string cityName) : root_(temp_.Path() / "Base"), name_(std::move(cityName)) {
  fs::create_directories(CityDir());
  About(name_);  // what makes the folder a city
}

fs::path CityBuilder::Plain(const std::string& relative, const std::vector<LayerRecord>& records) const {
  return Raw(relative, PlainLayerBytes(records));
}

fs::path CityBuilder::Scrambled(const std::string& relative, const std::vector<LayerRecord>& records,
                                unsigned char mask) const {
  return Raw(relative, ScrambledLayerBytes(records, mask));
}

fs::path CityBuilder::Raw(const std::string& relative, const std::string& bytes) const {
  const fs::path file = PathOf(relative);
  WriteBytes(file, bytes);
  return file;
}

fs::path CityBuilder::Folder(const std::string& relative) const {
  const fs::path dir = PathOf(relative);
  fs::create_directories(dir);
  return dir;
}

fs::path CityBuilder::About(const std::string& titleUtf8) const {
  return Raw("Info/about.inf", W(titleUtf8) + "\r\n");
}

LayerRecord StreetRecord(const std::string& nameUtf8, const std::string& points, int pointCount,
                         const std::string& width, const std::string& typeUtf8) {
  return {W(nameUtf8), W(typeUtf8), width, std::to_string(pointCount), points};
}
