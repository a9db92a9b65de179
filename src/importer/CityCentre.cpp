#include "importer/CityCentre.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <tuple>

#include "mapdata/ClosestLetters.h"
#include "mapdata/NativeName.h"

namespace {

// A letter Windows-1251 lacks as the import writes it ("Ақтөбе" is "Актобе",
// "Fürth" "Furth"); one without a likeness there (other scripts) stays itself.
QString ClosestLetters(QChar c) {
  if (cp1251::InCodePage(c.unicode())) return QString(c);
  std::string closest;
  cp1251::AppendClosestUtf8(closest, c.unicode());
  return closest == "?" ? QString(c) : QString::fromUtf8(closest.data(), static_cast<qsizetype>(closest.size()));
}

// The words of a name, case folded, accents dropped, letters the code page
// lacks as imported, split at whatever is neither a letter nor a digit.
QStringList Words(std::string_view name) {
  const QString folded = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
                             .toCaseFolded()
                             .normalized(QString::NormalizationForm_KD);
  QStringList words;
  QString word;
  for (const QChar c : folded) {
    if (c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Mark_Enclosing) continue;
    if (c.isLetterOrNumber()) {
      word += ClosestLetters(c);
    } else if (!word.isEmpty()) {
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.isEmpty()) words.push_back(word);
  return words;
}

// Whether `part` is a run of the words of `whole`.
bool RunOf(const QStringList& part, const QStringList& whole) {
  if (part.isEmpty()) return false;
  for (qsizetype at = 0; at + part.size() <= whole.size(); ++at)
    if (std::equal(part.begin(), part.end(), whole.begin() + at)) return true;
  return false;
}

bool Calls(const CityName& name, const SettlementFeature& s) {
  const QStringList wanted = Words(name.Text);
  return std::any_of(s.Names.begin(), s.Names.end(), [&](const std::string& n) {
    const QStringList words = Words(n);
    return name.Part ? RunOf(words, wanted) : !words.isEmpty() && words == wanted;
  });
}

int PlaceRank(const std::string& place) {
  if (place == "city") return 4;
  if (place == "town") return 3;
  if (place == "village") return 2;
  return place == "hamlet" || place == "suburb" ? 1 : 0;
}

// A national capital first, then a region's (a district's centre is often a
// village and says little about where the city is), then by rank and
// population.
auto Importance(const SettlementFeature& s) {
  const int capital = s.Capital >= 2 && s.Capital <= 4 ? 5 - s.Capital : 0;
  return std::make_tuple(capital, PlaceRank(s.Place), s.Population);
}

template <typename Accept>
const SettlementFeature* MostImportant(const std::vector<SettlementFeature>& settlements, const GeoBox& area,
                                       const Accept& accept) {
  const SettlementFeature* best = nullptr;
  for (const SettlementFeature& s : settlements)
    if (area.Contains(s.At) && accept(s) && (!best || Importance(s) > Importance(*best))) best = &s;
  return best;
}

}  // namespace

std::string FileNameOfCity(const std::filesystem::path& input) {
  std::string name = NativeString(input.filename());
  for (const char* ending : {".gz", ".bz2", ".pbf", ".osm"})
    if (name.size() > std::string_view(ending).size() && name.ends_with(ending))
      name.resize(name.size() - std::string_view(ending).size());
  return name;
}

const SettlementFeature* CentralSettlement(const std::vector<SettlementFeature>& settlements, const GeoBox& area,
                                           const std::vector<CityName>& names) {
  for (const CityName& name : names)
    if (const SettlementFeature* called =
            MostImportant(settlements, area, [&](const SettlementFeature& s) { return Calls(name, s); }))
      return called;
  return MostImportant(settlements, area, [](const SettlementFeature& s) { return PlaceRank(s.Place) >= 2; });
}

std::string ComparableName(std::string_view name) { return Words(name).join(' ').toStdString(); }

bool MoreImportant(const SettlementFeature& a, const SettlementFeature& b) { return Importance(a) > Importance(b); }

std::string SettlementText(const SettlementFeature& s) {
  // The name as it came (and so perhaps not UTF-8), made printable.
  const std::string name = s.Names.empty() ? std::string() : s.Names.front();
  return s.Place + " " + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).toStdString();
}
