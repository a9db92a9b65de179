#pragma once
// Every table and picture list of a loaded city.  Loaders refill them, never
// replace them; a row's index is the record's identity everywhere.
#include <QImage>

#include <string>
#include <vector>

#include "mapdata/LayerTable.h"

// One entry of the object-kind chooser: caption (Windows-1251) and the index of
// its picture in ImageListObject (-1: none).
struct ObjectKindEntry {
  std::string Caption;
  int ImageIndex = -1;
};

struct CityTables {
  LayerTable ListOfStreets{"ListOfStreets",
                           {"Название", "Тип", "Ширина", "Кол-во точек", "Координаты", "Файл",
                            "Кол-во точек названия", "Точки названия", "MinX", "MinY", "MaxX", "MaxY"}};
  LayerTable ListOfBuildings{"ListOfBuildings",
                             {"Улица", "Номер", "Название", "Кол-во точек", "Координаты", "Файл", "MinX",
                              "MinY", "MaxX", "MaxY"}};
  LayerTable ListOfRegions{"ListOfRegions",
                           {"Тип области", "Кол-во координат", "Координаты", "Кол-во номеров",
                            "Координаты номеров", "MinX", "MinY", "MaxX", "MaxY"}};
  LayerTable ListOfTexts{"ListOfTexts", {"Текст", "Размер", "Координаты", "X", "Y"}};
  LayerTable ListOfObjects{"ListOfObjects",
                           {"Объект", "Улица", "Номер", "Название", "Координаты", "Файл", "Картинка", "X", "Y"}};
  LayerTable ListOfFirms{"ListOfFirms",
                         {"Название", "Улица", "Номер", "Координаты", "Файл", "X", "Y", "Ключевые слова"}};
  LayerTable ListOfPath1{"ListOfPath1", {"Кол-во точек", "Координаты", "MinX", "MinY", "MaxX", "MaxY"}};
  LayerTable ListOfPath2{"ListOfPath2", {"Тип маршрута", "Название маршрута", "Комментарии"}};
  LayerTable DrawListView{"DrawListView", {"Тип", "№ П/П"}};

  // Object icons (20 x 20), icon i of the city's Icons folder is image i.
  std::vector<QImage> ImageListObject;
  // The object-kind chooser, one entry per icon.
  std::vector<ObjectKindEntry> ObjectComboBox;
  // Firm markers (20 x 20), in the order the firm files were read.
  std::vector<QImage> FirmsImageList;
  // Each firm's base name as its files are named on disk (bytes, not always
  // UTF-8), indexed like FirmsImageList: the firm's files are looked up by it,
  // while the 'Файл' cell holds the name converted for showing.
  std::vector<std::string> FirmFileNames;
};
