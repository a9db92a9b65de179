#pragma once
// Writes a city folder: Data (plain or scrambled layers), Icons, Firms, Kw.map
// and Info.  All text goes out as Windows-1251 with CR LF line ends; every
// record is checked against the limits the viewer's readers rely on before
// anything is written.
#include <QImage>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "citywriter/CityModel.h"

struct WriteOptions {
  bool Scrambled = false;
  unsigned char Mask = 0;
  // Draws picture k (1..3) of a firm with Pictures >= k; without it firms get
  // only their marker and information text.
  std::function<QImage(const Firm&, int)> FirmPicture;
  // A scrambled layer whose body would pass the readers' limit is written
  // plain (and named in RecordCounts::PlainLayers) instead of refused.
  bool PlainWhenTooLong = false;
  // Called after each layer and each firm with the share of the city's
  // records written; it may throw to stop the writing (the caller removes
  // what was written).
  std::function<void(double share)> Between;
};

struct RecordCounts {
  size_t Streets = 0, Buildings = 0, Regions = 0, Labels = 0, Objects = 0, Routes = 0, Firms = 0, Icons = 0;
  std::vector<std::string> PlainLayers;  // "Buildings", ...: written plain although scrambled was asked for
};

// Data/, Icons/, Firms/ and Kw.map of the city into cityDir.
bool WriteCityData(const City& city, const std::filesystem::path& cityDir, const WriteOptions& options,
                   RecordCounts& counts, std::string& error);

// Info/Picture.jpg and then Info/about.inf (title and description): the file
// that makes the folder a city comes last.
bool WriteCityInfo(const City& city, const std::filesystem::path& cityDir, const QImage& picture, std::string& error);

// One file of exactly these bytes, its folder made as needed; and a JPEG.
bool WriteFileBytes(const std::filesystem::path& file, const std::string& bytes, std::string& error);
bool WriteJpegFile(const std::filesystem::path& file, const QImage& image, std::string& error);
