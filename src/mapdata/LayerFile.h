#pragma once
// Opening a layer file in its variant and reading its records into rows, the
// part every layer loader shares: the progress step before each record, the
// message when the file cannot be opened, and the stop at the first bad record
// with one message naming the file, the record and what is wrong (the rows read
// before it stay).
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "mapdata/FieldReaders.h"
#include "mapdata/LayerLoad.h"
#include "mapdata/LayerRecords.h"

enum class LayerVariant { Plain, Scrambled };

struct OpenedLayer {
  OpenResult Result = OpenResult::CannotOpen;
  std::string Problem;  // UTF-8, for Malformed: what is wrong with the header
  int32_t Count = 0;    // records declared by the header or the count line
  std::unique_ptr<FieldSource> Reader;
};

// `mask`: the city's scrambling mask (CityMask.h); the plain variant has none.
OpenedLayer OpenLayerFile(const std::filesystem::path& file, LayerVariant variant, unsigned char mask);

// A layer's two files, relative to the city directory.
struct LayerFiles {
  const char* Plain;      // "Data/Streets.txt"
  const char* Scrambled;  // "Data/Streets.crpt"
};

using AddRecordRow = std::function<void(ReadRecordResult& record)>;

// Opens `file` (a scrambled one with the city's mask); when it cannot be opened
// shows `openFailure` (UTF-8) and returns.  Otherwise reads the declared
// records with `format`, handing each good one to `addRow`.
void ReadLayerFile(const LayerLoad& load, const std::filesystem::path& file, LayerVariant variant,
                   const RecordFormat& format, const char* openFailure, const AddRecordRow& addRow);

// How a layer's records become rows: the step of the city load that reads it,
// its files, its record layout, the messages when a file cannot be opened,
// where the rows go, and what is done once they are all read.
struct LayerReading {
  const char* Step;   // the progress panel's label ("Улицы...")
  const char* Timed;  // the step's name in the load's timings ("LoadStreets")
  LayerFiles Files;
  const RecordFormat& (*Format)();
  const char* PlainOpenFailure;
  const char* ScrambledOpenFailure;
  void (*Clear)(CityTables& tables);
  // `fileCell`: the "Файл" cell of the file's rows (FileCell).
  void (*AddRow)(const LayerLoad& load, std::string_view fileCell, ReadRecordResult& record);
  void (*Finish)(const LayerLoad& load) = nullptr;
};

// Empties the layer's tables, then reads its scrambled file when it exists and
// its plain one otherwise (with neither the layer stays empty, without a
// message), then finishes the rows read.
void LoadLayer(const LayerLoad& load, const LayerReading& reading);

// The "Файл" cell: the full path as opened, in Windows-1251.
std::string FileCell(const std::filesystem::path& file);
