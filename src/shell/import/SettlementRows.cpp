#include "shell/import/SettlementRows.h"

#include <QLocale>

#include <cstdio>

#include "importer/CityCentre.h"

namespace {

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString FilterKey(const QString& text) { return text.toCaseFolded().replace(QChar(0x0451), QChar(0x0435)); }

QString PopulationText(int64_t population) {
  return population > 0 ? QLocale(QLocale::Russian).toString(static_cast<qlonglong>(population)) : QString();
}

QString WhereText(GeoPoint at) {
  char text[48];
  std::snprintf(text, sizeof text, "%.5f, %.5f", at.Y / 1e7, at.X / 1e7);
  return QString::fromLatin1(text);
}

SettlementRow WholeFileRow(const std::filesystem::path& input) {
  SettlementRow row;
  row.Name = QString::fromUtf8("Весь файл");
  row.CityName = FileNameOfCity(input);
  return row;
}

SettlementRow RowOf(const SettlementFeature& s) {
  SettlementRow row;
  row.Id = s.Id;
  row.CityName = SettlementCityName(s);
  row.Name = Utf8(row.CityName);
  row.Kind = PlaceKindText(s.Place, s.Capital);
  row.Population = PopulationText(s.Population);
  row.Where = WhereText(s.At);
  for (const std::string& name : s.Names) row.Keys << FilterKey(Utf8(name));
  if (!s.RussianName.empty()) row.Keys << FilterKey(Utf8(s.RussianName));
  return row;
}

}  // namespace

std::vector<SettlementRow> SettlementRows(const std::filesystem::path& input,
                                          const std::vector<SettlementFeature>& settlements) {
  std::vector<SettlementRow> rows{WholeFileRow(input)};
  rows.reserve(settlements.size() + 1);
  for (const SettlementFeature& s : settlements) rows.push_back(RowOf(s));
  return rows;
}

std::vector<int> RowsMatching(const std::vector<SettlementRow>& rows, const QString& filter) {
  const QString key = FilterKey(filter.trimmed());
  std::vector<int> kept;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const SettlementRow& row = rows[static_cast<size_t>(i)];
    bool match = key.isEmpty() || row.Id.empty();
    for (qsizetype k = 0; !match && k < row.Keys.size(); ++k) match = row.Keys[k].contains(key);
    if (match) kept.push_back(i);
  }
  return kept;
}

QString PlaceKindText(const std::string& place, int capitalLevel) {
  QString kind = place == "city"      ? QString::fromUtf8("город")
                 : place == "town"    ? QString::fromUtf8("небольшой город")
                 : place == "village" ? QString::fromUtf8("село")
                 : place == "hamlet"  ? QString::fromUtf8("деревня")
                 : place == "suburb"  ? QString::fromUtf8("район города")
                                      : Utf8(place);
  if (capitalLevel == 2) kind += QString::fromUtf8(", столица");
  else if (capitalLevel == 3 || capitalLevel == 4) kind += QString::fromUtf8(", центр региона");
  return kind;
}

std::string SettlementCityName(const SettlementFeature& settlement) {
  if (!settlement.RussianName.empty()) return settlement.RussianName;
  return settlement.Names.empty() ? std::string() : settlement.Names.front();
}
