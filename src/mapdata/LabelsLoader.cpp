// The text labels layer: text, size and anchor point per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "shell/MapCore.h"

namespace {

void AddLabelRow(MapCore& core, ReadRecordResult& record) {
  LayerRow& row = core.Tables.ListOfTexts.Add(std::move(record.Fields[0]));
  row.SubItems.push_back(std::move(record.Fields[1]));
  row.SubItems.push_back(std::move(record.Fields[2]));
  AppendLabelPoint(core, core.Tables.ListOfTexts.Count() - 1);
}

}  // namespace

void ReadLabelsText(MapCore& core, const std::string& city) {
  core.Tables.ListOfTexts.Clear();
  const fs::path file = CityLocation{core.DataRoot, city}.File(LabelsFiles().Plain);
  if (!FileExists(file)) return;
  ReadLayerFile(core, file, LayerVariant::Plain, LabelRecordFormat(), "Ошибка при открытии файла с текстами!",
                [&](ReadRecordResult& record) { AddLabelRow(core, record); });
}

void ReadLabelsScrambled(MapCore& core, const std::string& city) {
  core.Tables.ListOfTexts.Clear();
  const fs::path file = CityLocation{core.DataRoot, city}.File(LabelsFiles().Scrambled);
  ReadLayerFile(core, file, LayerVariant::Scrambled, LabelRecordFormat(), "Ошибка при открытии файла с текстами!",
                [&](ReadRecordResult& record) { AddLabelRow(core, record); });
}

void AppendLabelPoint(MapCore& core, int rowIndex) {
  LayerRow& row = core.Tables.ListOfTexts[rowIndex];
  AppendPointCells(core, row, row.Cell(1));
}
