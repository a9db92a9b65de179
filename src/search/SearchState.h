#pragma once
#include <string>
#include <vector>

#include "mapdata/LayerTable.h"

// Result lists of the two searches and the keyword list.
struct SearchState {
  // List search: the hidden list (with kind code and row index) and the visible one.
  LayerTable ListView1{"ListView1", {"Адрес", "Тип объекта", "Название", "Тип", "№ П/П"}};
  LayerTable SearchListView{"SearchListView", {"Адрес", "Тип объекта", "Название"}};
  std::string Label2;  // number of list search results

  // Firm search: the found firms (caption = row index in ListOfFirms) and the visible list.
  LayerTable ListView2{"ListView2", {"№ П/П"}};
  LayerTable SearchFirmListView{"SearchFirmListView", {"Название", "Адрес"}};
  std::string Label5;  // number of firm search results
  bool CheckBox1 = true;  // search firm names
  bool CheckBox2 = true;  // search firm addresses
  bool CheckBox3 = true;  // search firm keywords

  // Keyword list (ComboBox1 items) in its sorted order; Windows-1251.
  std::vector<std::string> Keywords;
};
