// The settlements of a file as the import window lists them, and its filter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "importer/PlaceList.h"
#include "shell/import/SettlementRows.h"

namespace {

const std::filesystem::path kPlaces = std::filesystem::path(TELLURIN_TEST_DATA_DIR) / "osm" / "places.osm";

std::vector<SettlementRow> PlacesRows() {
  std::vector<SettlementFeature> settlements;
  std::string error;
  EXPECT_TRUE(ListSettlements(kPlaces, settlements, error)) << error;
  return SettlementRows(kPlaces, settlements);
}

// Name, kind, population and the city's name of each row.
std::vector<std::string> Described(const std::vector<SettlementRow>& rows, const std::vector<int>& kept) {
  std::vector<std::string> lines;
  for (int i : kept) {
    const SettlementRow& r = rows[static_cast<size_t>(i)];
    lines.push_back((r.Name + "|" + r.Kind + "|" + r.Population + "|").toStdString() + r.CityName + "|" + r.Id);
  }
  return lines;
}

TEST(SettlementRows, WholeFileFirstThenSettlementsMostImportantFirst) {
  const std::vector<SettlementRow> rows = PlacesRows();
  EXPECT_EQ(Described(rows, RowsMatching(rows, "")),
            (std::vector<std::string>{"Весь файл|||places|",
                                      "Светлоград|город, центр региона|250\u00a0000|Светлоград|n1001",
                                      "Косшы|небольшой город|40\u00a0000|Косшы|n1002",
                                      "Берёзовка|село|900|Берёзовка|n1003",
                                      "Ключи|деревня||Ключи|n1004"}));
  EXPECT_EQ(rows[1].Where, "55.00500, 37.01000");
}

TEST(SettlementRows, FilterHoldsAnyNameWhateverTheCaseAndYo) {
  const std::vector<SettlementRow> rows = PlacesRows();
  const struct {
    const char* filter;
    std::vector<int> kept;
  } cases[] = {
      {"", {0, 1, 2, 3, 4}},
      {"  ", {0, 1, 2, 3, 4}},
      {"березов", {0, 3}},   // ё typed as е
      {"БЕРЁЗ", {0, 3}},
      {"svetlo", {0, 1}},    // name:en
      {"Қосшы", {0, 2}},     // name as written
      {"кос", {0, 2}},       // name:ru
      {"москва", {0}},       // the whole file stays
  };
  for (const auto& c : cases) EXPECT_EQ(RowsMatching(rows, QString::fromUtf8(c.filter)), c.kept) << c.filter;
}

}  // namespace
