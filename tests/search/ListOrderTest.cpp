// The order of a list sorted by a column: Russian alphabetical order, letter
// case ignored, digit runs by value; rows that collate equal keep their order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mapdata/Cp1251.h"
#include "mapdata/LayerTable.h"
#include "search/ListOrder.h"

namespace {

using Texts = std::vector<std::string>;

// The texts (UTF-8) as the given direction orders them, each from a caption of
// a table row, and the same for a cell after the caption.
Texts Sorted(const Texts& texts, SortDirection direction) {
  LayerTable table("List", {"Caption", "Cell"});
  for (const std::string& text : texts) {
    RowDraft& row = table.AddCells(1);
    row.At(kCaption) = cp1251::FromUtf8(text);
    row.At(0) = cp1251::FromUtf8(text);
  }
  Texts byCaption, byCell;
  for (int row : SortedRows(table, kCaption, direction)) byCaption.push_back(cp1251::ToUtf8(table[row].Cell(kCaption)));
  for (int row : SortedRows(table, 0, direction)) byCell.push_back(cp1251::ToUtf8(table[row].Cell(0)));
  EXPECT_EQ(byCaption, byCell);
  return byCaption;
}

TEST(ListOrder, SortsTheWayAReaderOfRussianExpects) {
  struct Case {
    const char* What;
    Texts Given, Ascending, Descending;
  };
  const std::vector<Case> cases = {
      {"house numbers by value, a letter after the plain number",
       {"10", "2", "10а", "1", "10б", "2а", "9"},
       {"1", "2", "2а", "9", "10", "10а", "10б"},
       {"10б", "10а", "10", "9", "2а", "2", "1"}},
      {"addresses: the street alphabetically, then the number by value, case ignored",
       {"Мира 10", "мира 2", "Ленина 10а", "ЛЕНИНА 10", "Мира 1"},
       {"ЛЕНИНА 10", "Ленина 10а", "Мира 1", "мира 2", "Мира 10"},
       {"Мира 10", "мира 2", "Мира 1", "Ленина 10а", "ЛЕНИНА 10"}},
      {"the Russian alphabet, ё beside е, Latin after Cyrillic",
       {"Zeta", "Яблочная", "Ельник", "Жуковского", "Ёлочная", "Абрикосовая", "alpha"},
       {"Абрикосовая", "Ёлочная", "Ельник", "Жуковского", "Яблочная", "alpha", "Zeta"},
       {"Zeta", "alpha", "Яблочная", "Жуковского", "Ельник", "Ёлочная", "Абрикосовая"}},
      {"punctuation before digits, digits before letters; the other Cyrillic letters beside their neighbours",
       {"Б", "5", "«Ива»", "-1", "й", "і", "и"},
       {"-1", "«Ива»", "5", "Б", "и", "і", "й"},
       {"й", "і", "и", "Б", "5", "«Ива»", "-1"}},
      {"route names with the number sign",
       {"№ 12", "№ 5", "№ 105", "№ 5а"},
       {"№ 5", "№ 5а", "№ 12", "№ 105"},
       {"№ 105", "№ 12", "№ 5а", "№ 5"}},
      {"texts equal but for case keep their order both ways, empty texts first",
       {"ленина", "", "ЛЕНИНА", "Ленина", ""},
       {"", "", "ленина", "ЛЕНИНА", "Ленина"},
       {"ленина", "ЛЕНИНА", "Ленина", "", ""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sorted(c.Given, SortDirection::Ascending), c.Ascending) << c.What;
    EXPECT_EQ(Sorted(c.Given, SortDirection::Descending), c.Descending) << c.What;
  }
}

}  // namespace
