#pragma once
// Cells of the layer tables that the searches read (index into SubItems; the
// first column is the row's caption).
#include <cstddef>

namespace search_columns {

// ListOfStreets: caption "Название".
constexpr size_t kStreetType = 0;  // "Тип"
// ListOfBuildings: caption "Улица".
constexpr size_t kBuildingNumber = 0;  // "Номер"
constexpr size_t kBuildingName = 1;    // "Название"
// ListOfFirms: caption "Название".
constexpr size_t kFirmStreet = 0;    // "Улица"
constexpr size_t kFirmNumber = 1;    // "Номер"
constexpr size_t kFirmKeywords = 6;  // "Ключевые слова"
// ListOfObjects: caption "Объект" (the kind).
constexpr size_t kObjectStreet = 0;  // "Улица"
constexpr size_t kObjectNumber = 1;  // "Номер"
constexpr size_t kObjectName = 2;    // "Название"

}  // namespace search_columns
