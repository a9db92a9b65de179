// The text labels layer: text, size and anchor point per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

using namespace label_cell;

const FieldCell kPlaces[] = {{label_field::Text, Text}, {label_field::Size, Size}, {label_field::Position, Points}};

void AddLabelRow(const LayerLoad& load, const fs::path&, ReadRecordResult& record) {
  LayerRow& row = AddFieldsRow(load.Tables.ListOfTexts, kCells, record.Fields, kPlaces);
  PutPointCells(load.Extents, row, kBox, row.Cell(Points));
}

const LayerReading kLabels{"Текстовые метки...", {"Data/Texts.txt", "Data/Texts.crpt"}, LabelRecordFormat, "Ошибка при открытии файла с текстами!",
                           "Ошибка при открытии файла с текстами!", [](CityTables& t) { t.ListOfTexts.Clear(); },
                           AddLabelRow};

}  // namespace

const LayerReading& LabelsReading() { return kLabels; }
