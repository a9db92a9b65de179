// The tables keep their cells packed; what is read back is what was written,
// however the rows were written and changed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mapdata/LayerTable.h"

namespace {

using Cells = std::vector<std::string>;  // caption first

Cells RowCells(const LayerTable& table, int row) {
  Cells cells{std::string(table[row].Cell(kCaption))};
  for (const std::string& cell : table[row].SubItems()) cells.push_back(cell);
  return cells;
}

void AddCells(LayerTable& table, const Cells& cells) {
  std::vector<std::string_view> views(cells.begin(), cells.end());
  table.AddRow(views);
}

TEST(LayerTable, ReadsBackEveryRowAsWritten) {
  const std::string path = "/data/Base/Город/Data/Buildings.txt";
  const std::string large(70000, 'x');  // more than a block of the buffer
  const std::vector<Cells> rows = {
      {"Ленина", "5", " ", "4", "0 0 10 0 10 10 0 10", path, "0", "0", "10", "10"},
      {"Ленина", "7", " ", "4", "20 0 30 0 30 10 20 10", path, "20", "0", "30", "10"},  // repeats refer back
      {"", "", "", ""},                                                                  // empty cells
      {"Мира", std::string("\0\r\n\t", 4), large, path},
      {"Мира", large, large, path},  // a repeat of text in a large row's block
      {"x"},
  };
  LayerTable table("ListOfTest", {"A"});
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i % 2 == 0) {
      AddCells(table, rows[i]);
    } else {  // a draft, filled cell by cell
      RowDraft& draft = table.AddCells(static_cast<int>(rows[i].size()) - 1);
      for (size_t c = 0; c < rows[i].size(); ++c) draft.At(static_cast<int>(c) + kCaption) = rows[i][c];
    }
  }
  ASSERT_EQ(table.Count(), static_cast<int>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(RowCells(table, static_cast<int>(i)), rows[i]);
    EXPECT_EQ(table.CellAt(static_cast<int>(i), static_cast<int>(rows[i].size())), "");  // past the last cell
  }
  EXPECT_EQ(table.CellAt(-1, 0), "");
  EXPECT_EQ(table.CellAt(table.Count(), kCaption), "");
  EXPECT_EQ(table.CellAt(0, -2), "");
}

TEST(LayerTable, CellsChangeRowsSortAndTheTableEmpties) {
  LayerTable table("ListOfTest", {"A"});
  for (const char* name : {"beta", "Alpha", "alpha2", "beta"}) table.AddRow({name, std::to_string(table.Count())});
  const uint64_t before = table.Revision();
  table.SetCell(1, 0, "one");
  table.SetCell(2, 3, "far");  // beyond the row's cells: the cells between are empty
  EXPECT_GT(table.Revision(), before);
  table.Last().At(0) = "three";
  table.AddRow({"gamma", "4"});
  EXPECT_EQ(RowCells(table, 1), (Cells{"Alpha", "one"}));
  EXPECT_EQ(RowCells(table, 2), (Cells{"alpha2", "2", "", "", "far"}));
  EXPECT_EQ(RowCells(table, 3), (Cells{"beta", "three"}));

  table.StableSort([](const LayerRow& a, const LayerRow& b) { return a.Cell(kCaption) < b.Cell(kCaption); });
  std::vector<std::string> order;
  for (const LayerRow& row : table.Rows()) order.push_back(std::string(row.Cell(kCaption)) + ":" + std::string(row.Cell(0)));
  EXPECT_EQ(order, (std::vector<std::string>{"Alpha:one", "alpha2:2", "beta:0", "beta:three", "gamma:4"}));

  table.Clear();
  EXPECT_TRUE(table.Empty());
  EXPECT_EQ(table.BytesHeld(), 0u);
}

// A layer of a hundred thousand rows costs little beyond its text: the file
// cell that every row repeats is held once.
TEST(LayerTable, HoldsLittleBeyondTheTextOfItsCells) {
  const std::string path = "/data/Base/Мегаполис/Data/Buildings.txt";
  LayerTable table("ListOfBuildings", {"A"});
  size_t text = path.size();
  for (int i = 0; i < 100000; ++i) {
    const std::string street = "Street " + std::to_string(i % 700), number = std::to_string(i % 90);
    const std::string points = std::to_string(i) + " 1 " + std::to_string(i) + " 9";
    table.AddRow({street, number, " ", "2", points, path, "1", "2", "3", "4"});
    text += street.size() + number.size() + 1 + 1 + points.size() + 4;
  }
  // Per row: the row's place (4 bytes), a byte per cell and a reference to the file cell.
  EXPECT_LE(table.BytesHeld(), text + 100000 * (4 + 10 + 4) + (64u << 10));
}

}  // namespace
