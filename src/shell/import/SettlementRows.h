#pragma once
// The settlements of an OpenStreetMap file as the import window lists them:
// a row per settlement (its name, its kind in Russian, its population), most
// important first as ListSettlements gives them, after a first row that
// stands for the whole file; and the filter typed over them.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "importer/Features.h"

struct SettlementRow {
  std::string Id;        // the settlement's node ("n123"); empty for the whole file
  QString Name;          // as listed: the Russian name, else the first name
  QString Kind;          // "город", "село", ...; empty for the whole file
  QString Population;    // "12 345"; empty when unknown
  QString Where;         // "55.75580, 37.61730"; empty for the whole file
  std::string CityName;  // what the city is called by default (UTF-8)
  QStringList Keys;      // every name, folded, for the filter
};

// The whole file first, then every settlement in the given order.
std::vector<SettlementRow> SettlementRows(const std::filesystem::path& input,
                                          const std::vector<SettlementFeature>& settlements);

// The rows a filter keeps, by index: those with a name holding the typed text
// whatever its case, ё read as е.  The whole file's row is always kept; an
// empty filter keeps every row.
std::vector<int> RowsMatching(const std::vector<SettlementRow>& rows, const QString& filter);

// "город", "небольшой город", "село", "деревня", "район города", with
// ", столица" or ", центр региона" for a capital.
QString PlaceKindText(const std::string& place, int capitalLevel);

// The settlement's Russian name, else its first name (`name` when it has one).
std::string SettlementCityName(const SettlementFeature& settlement);
