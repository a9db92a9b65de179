#include "mapdata/LayerFile.h"

#include "mapdata/CityAccess.h"
#include "mapdata/Cp1251.h"
#include "mapdata/Loaders.h"
#include "mapdata/NativeName.h"
#include "mapdata/ProblemText.h"

OpenedLayer OpenLayerFile(const std::filesystem::path& file, LayerVariant variant, unsigned char mask) {
  OpenedLayer layer;
  if (variant == LayerVariant::Scrambled) {
    auto reader = std::make_unique<ScrambledFieldReader>(ScrambledFieldReader::Layout::Layer, mask);
    layer.Result = reader->Open(file);
    layer.Problem = reader->Problem();
    layer.Count = reader->Count();
    layer.Reader = std::move(reader);
    return layer;
  }
  auto reader = std::make_unique<PlainFieldReader>();
  if (!reader->Open(file)) return layer;
  layer.Result = reader->ReadCount(layer.Count, layer.Problem) ? OpenResult::Opened : OpenResult::Malformed;
  layer.Reader = std::move(reader);
  return layer;
}


void ReadLayerFile(const LayerLoad& load, const std::filesystem::path& file, LayerVariant variant,
                   const RecordFormat& format, const char* openFailure, const AddRecordRow& addRow) {
  OpenedLayer layer = OpenLayerFile(file, variant, load.ScrambleMask);
  if (layer.Result == OpenResult::CannotOpen) {
    load.Host.ShowMessage(openFailure);
    return;
  }
  if (layer.Result == OpenResult::Malformed) {
    load.Host.ShowMessage(DataProblemMessage(file, 0, layer.Problem));
    return;
  }
  ReadRecordResult record;
  for (int32_t i = 0; i < layer.Count; ++i) {
    load.Progress.SetProgress1(layer.Count, i);
    load.Host.RepaintCityWindow();
    ReadRecord(*layer.Reader, format, layer.Count, record);
    if (record.Outcome != ReadRecordResult::Ok) {
      load.Host.ShowMessage(DataProblemMessage(file, i + 1, record.Problem));
      return;
    }
    addRow(record);
  }
}

void LoadLayer(const LayerLoad& load, const LayerReading& reading) {
  reading.Clear(load.Tables);
  const fs::path scrambled = load.City.File(reading.Files.Scrambled);
  const bool isScrambled = FileMayExist(scrambled);
  const fs::path file = isScrambled ? scrambled : load.City.File(reading.Files.Plain);
  if (isScrambled || FileMayExist(file)) {
    const std::string fileCell = FileCell(file);
    ReadLayerFile(load, file, isScrambled ? LayerVariant::Scrambled : LayerVariant::Plain, reading.Format(),
                  isScrambled ? reading.ScrambledOpenFailure : reading.PlainOpenFailure,
                  [&](ReadRecordResult& record) { reading.AddRow(load, fileCell, record); });
  }
  if (reading.Finish) reading.Finish(load);
}

std::span<const LayerReading* const> LayerReadings() {
  static const LayerReading* const readings[] = {&BuildingsReading(), &StreetsReading(), &RoutesReading(),
                                                  &LabelsReading(),    &RegionsReading(), &ObjectsReading()};
  return readings;
}

std::string FileCell(const std::filesystem::path& file) { return cp1251::FileNameToCp1251(NativeString(file)); }
