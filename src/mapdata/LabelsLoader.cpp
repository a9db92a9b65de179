// The text labels layer: text, size and anchor point per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void AddLabelRow(const LayerLoad& load, const fs::path&, ReadRecordResult& record) {
  LayerRow& row = load.Tables.ListOfTexts.Add(std::move(record.Fields[0]));
  row.SubItems.push_back(std::move(record.Fields[1]));
  row.SubItems.push_back(std::move(record.Fields[2]));
  AppendPointCells(load.Extents, row, row.Cell(1));
}

const LayerReading kLabels{LabelsFiles(), LabelRecordFormat, "Ошибка при открытии файла с текстами!",
                           "Ошибка при открытии файла с текстами!", [](CityTables& t) { t.ListOfTexts.Clear(); },
                           AddLabelRow};

}  // namespace

void LoadLabels(const LayerLoad& load) { LoadLayer(load, kLabels); }
