// The text labels layer: text, size and anchor point per record.
#include "mapdata/BoxCells.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"

namespace {

void AddLabelRow(const LayerLoad& load, std::string_view, ReadRecordResult& record) {
  const std::vector<std::string_view>& f = record.Fields;
  const MapPoint p = WidenByPoint(load.Extents, record.Points);
  // In the order of label_cell.
  load.Tables.ListOfTexts.AddRow({f[label_field::Text], f[label_field::Size], f[label_field::Position],
                                  NumberText(p.X).View(), NumberText(p.Y).View()});
}

const LayerReading kLabels{.Step = "Текстовые метки...",
                           .Timed = "LoadLabels",
                           .Files = {.Plain = "Data/Texts.txt", .Scrambled = "Data/Texts.crpt"},
                           .Format = LabelRecordFormat,
                           .PlainOpenFailure = "Ошибка при открытии файла с текстами!",
                           .ScrambledOpenFailure = "Ошибка при открытии файла с текстами!",
                           .Clear = [](CityTables& t) { t.ListOfTexts.Clear(); },
                           .AddRow = AddLabelRow};

}  // namespace

const LayerReading& LabelsReading() { return kLabels; }
