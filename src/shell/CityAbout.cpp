#include "shell/CityAbout.h"

#include <fstream>

#include "mapdata/ProblemText.h"
#include <iterator>

CityAbout ParseCityAbout(const std::string& bytes) {
  std::vector<std::string> lines = SplitTextLines(bytes);
  CityAbout about;
  if (lines.empty()) return about;
  about.Title = std::move(lines.front());
  about.Description.assign(std::make_move_iterator(lines.begin() + 1), std::make_move_iterator(lines.end()));
  return about;
}

bool ReadCityAbout(const std::filesystem::path& file, CityAbout& about, std::string& error) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes;
  if (in) bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (!in.is_open() || in.bad()) {
    error = "Не удалось прочитать описание города из файла \"" + PathForMessage(file) + "\".";
    return false;
  }
  about = ParseCityAbout(bytes);
  return true;
}
