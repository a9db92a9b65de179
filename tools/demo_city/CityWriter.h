#pragma once
// Writes a city folder under the data root: Info, Data (plain or scrambled
// layers), Icons, Firms and Kw.map.  All text goes out as Windows-1251 with
// CR LF line ends; every record is checked against the limits the viewer's
// readers rely on before anything is written.
#include <cstddef>
#include <filesystem>
#include <string>

#include "CityModel.h"

struct WriteOptions {
  bool Scrambled = false;
  unsigned char Mask = 0;
  bool FirmPictures = true;  // the information pictures 1.jpg..3.jpg
};

struct RecordCounts {
  size_t Streets = 0, Buildings = 0, Regions = 0, Labels = 0, Objects = 0, Routes = 0, Firms = 0, Icons = 0;
};

bool WriteCity(const City& city, const std::filesystem::path& root, const WriteOptions& options, RecordCounts& counts,
               std::string& error);

// The splash picture and the logo, for the viewer's resources.
bool WriteArtwork(const City& city, const std::filesystem::path& dir, std::string& error);
