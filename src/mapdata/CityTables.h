#pragma once
// Every table and picture list of a loaded city.  Loaders refill them, never
// replace them; a row's index is the record's identity everywhere.  The cells
// of each table are named in CityColumns.h.
#include <QImage>

#include <array>
#include <string>
#include <vector>

#include "mapdata/FirmMarkerList.h"
#include "mapdata/CityColumns.h"
#include "mapdata/LayerTable.h"

// One entry of the object-kind chooser: caption (Windows-1251) and the index of
// its picture in ImageListObject (-1: none).
struct ObjectKindEntry {
  std::string Caption;
  int ImageIndex = -1;
};

struct CityTables {
  LayerTable ListOfStreets{"ListOfStreets", ColumnList(street_cell::kColumns)};
  LayerTable ListOfBuildings{"ListOfBuildings", ColumnList(building_cell::kColumns)};
  LayerTable ListOfRegions{"ListOfRegions", ColumnList(region_cell::kColumns)};
  LayerTable ListOfTexts{"ListOfTexts", ColumnList(label_cell::kColumns)};
  LayerTable ListOfObjects{"ListOfObjects", ColumnList(object_cell::kColumns)};
  LayerTable ListOfFirms{"ListOfFirms", ColumnList(firm_cell::kColumns)};
  LayerTable ListOfPath1{"ListOfPath1", ColumnList(route_shape_cell::kColumns)};
  LayerTable ListOfPath2{"ListOfPath2", ColumnList(route_name_cell::kColumns)};
  LayerTable DrawListView{"DrawListView", ColumnList(draw_list_cell::kColumns)};

  // Object icons (20 x 20), icon i of the city's Icons folder is image i.
  std::vector<QImage> ImageListObject;
  // The object-kind chooser, one entry per icon.
  std::vector<ObjectKindEntry> ObjectComboBox;
  // Firm markers (20 x 20), in the order the firm files were read, each
  // decoded when first shown.
  FirmMarkerList FirmsImageList;
  // Each firm's base name as its files are named on disk (bytes, not always
  // UTF-8), indexed like FirmsImageList: the firm's files are looked up by it,
  // while the 'Файл' cell holds the name converted for showing.
  std::vector<std::string> FirmFileNames;

  // The tables the city's files fill, in the order the tools list them (its
  // size counts them; a test names a layer's table missing here).
  auto DataTables() const {
    return std::array{&ListOfStreets, &ListOfBuildings, &ListOfRegions, &ListOfTexts,
                      &ListOfObjects, &ListOfFirms,     &ListOfPath1,   &ListOfPath2};
  }
};
