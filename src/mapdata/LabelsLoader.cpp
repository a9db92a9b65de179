// The text labels layer: text, size and anchor point per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void AddLabelRow(const LayerLoad& load, const fs::path&, ReadRecordResult& record) {
  using namespace label_cell;
  std::vector<std::string>& f = record.Fields;
  LayerRow& row = load.Tables.ListOfTexts.AddCells(kCells);
  row.At(Text) = std::move(f[label_field::Text]);
  row.At(Size) = std::move(f[label_field::Size]);
  row.At(Points) = std::move(f[label_field::Position]);
  PutPointCells(load.Extents, row, kBox, row.Cell(Points));
}

const LayerReading kLabels{LabelsFiles(), LabelRecordFormat, "Ошибка при открытии файла с текстами!",
                           "Ошибка при открытии файла с текстами!", [](CityTables& t) { t.ListOfTexts.Clear(); },
                           AddLabelRow};

}  // namespace

void LoadLabels(const LayerLoad& load) { LoadLayer(load, kLabels); }
