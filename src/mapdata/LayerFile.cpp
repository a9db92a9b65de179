#include "mapdata/LayerFile.h"

#include "mapdata/Cp1251.h"
#include "mapdata/ProblemText.h"
#include "shell/MapCore.h"

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

LayerFiles StreetsFiles() { return {"Data/Streets.txt", "Data/Streets.crpt"}; }
LayerFiles BuildingsFiles() { return {"Data/Buildings.txt", "Data/Buildings.crpt"}; }
LayerFiles RoutesFiles() { return {"Data/Path.txt", "Data/Path.crpt"}; }
LayerFiles LabelsFiles() { return {"Data/Texts.txt", "Data/Texts.crpt"}; }
LayerFiles RegionsFiles() { return {"Data/Regions.txt", "Data/Regions.crpt"}; }
LayerFiles ObjectsFiles() { return {"Data/Objects.txt", "Data/Objects.crpt"}; }

void ReadLayerFile(MapCore& core, const std::filesystem::path& file, LayerVariant variant, const RecordFormat& format,
                   const char* openFailure, const AddRecordRow& addRow, const std::function<void()>& beforeRecords) {
  OpenedLayer layer = OpenLayerFile(file, variant, core.ScrambleMask);
  if (layer.Result == OpenResult::CannotOpen) {
    core.ShowMessage(openFailure);
    return;
  }
  if (beforeRecords) beforeRecords();
  if (layer.Result == OpenResult::Malformed) {
    core.ShowMessage(DataProblemMessage(file, 0, layer.Problem));
    return;
  }
  for (int32_t i = 0; i < layer.Count; ++i) {
    core.Progress.SetProgress1(layer.Count, i);
    core.Host.RepaintCityWindow();
    ReadRecordResult record = ReadRecord(*layer.Reader, format, layer.Count);
    if (record.Outcome != ReadRecordResult::Ok) {
      core.ShowMessage(DataProblemMessage(file, i + 1, record.Problem));
      return;
    }
    addRow(record);
  }
}

std::string FileCell(const std::filesystem::path& file) { return cp1251::FileNameToCp1251(file.string()); }
