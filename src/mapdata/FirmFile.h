#pragma once
// Reading one firm file, scrambled or plain, into its checked record: shared by
// the firms loader and the data check.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "mapdata/LayerRecords.h"

enum class FirmVariant { Plain, Scrambled };

constexpr std::string_view kFirmScrambledExtension = ".crpt";
constexpr std::string_view kFirmPlainExtension = ".txt";

struct FirmFileResult {
  enum Status {
    Read,
    Missing,     // no such file (a folder bearing the name counts as missing)
    CannotOpen,  // exists but cannot be opened
    Bad,         // header, a field or a number outside the limits (Problem, ProblemRecord)
  };
  Status Outcome = Missing;
  int ProblemRecord = 0;  // 0: the header; 1: the record
  std::string Problem;    // UTF-8
  ReadRecordResult Record;  // its fields are views into Source's bytes
  std::unique_ptr<FieldSource> Source;
};

// `mask`: the city's scrambling mask (CityMask.h), for a scrambled firm file.
FirmFileResult ReadFirmFile(const std::filesystem::path& file, FirmVariant variant, unsigned char mask);

// The firm's base name: the file name without its extension (".crpt"/".txt").
std::string FirmBaseName(const std::filesystem::path& file, FirmVariant variant);
