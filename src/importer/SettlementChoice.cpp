#include "importer/SettlementChoice.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <set>
#include <utility>

#include "importer/CityCentre.h"

namespace {

constexpr size_t kNearestNamed = 5;

std::u32string Letters(const std::string& comparable) {
  const QList<uint> codes = QString::fromStdString(comparable).toUcs4();
  return std::u32string(codes.begin(), codes.end());
}

std::vector<std::string> NearestSpellings(const std::vector<SettlementFeature>& settlements,
                                          const std::string& wanted) {
  const std::u32string target = Letters(wanted);
  std::set<std::pair<size_t, std::string>> ranked;  // (distance, name), each name once
  std::set<std::string> seen;
  for (const SettlementFeature& s : settlements)
    for (const std::string& name : s.Names) {
      const std::string comparable = ComparableName(name);
      if (comparable.empty() || !seen.insert(comparable).second) continue;
      ranked.insert({SpellingDistance(Letters(comparable), target), name});
    }
  // Those a few letters off (the closest one whatever its distance).
  const size_t near = std::max<size_t>(2, target.size() / 3);
  std::vector<std::string> nearest;
  for (const auto& [distance, name] : ranked) {
    if (nearest.size() == kNearestNamed || (!nearest.empty() && distance > near)) break;
    nearest.push_back(name);
  }
  return nearest;
}

}  // namespace

size_t SpellingDistance(const std::u32string& a, const std::u32string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

SettlementChoice ChooseSettlement(const std::vector<SettlementFeature>& settlements, const std::string& name,
                                  const std::string& id) {
  SettlementChoice choice;
  const std::string wanted = ComparableName(name);
  for (const SettlementFeature& s : settlements) {
    const bool called = id.empty() ? !wanted.empty() && std::any_of(s.Names.begin(), s.Names.end(),
                                                                    [&](const std::string& n) {
                                                                      return ComparableName(n) == wanted;
                                                                    })
                                   : s.Id == id;
    if (called) choice.Called.push_back(&s);
  }
  if (choice.Called.size() == 1) choice.Chosen = choice.Called.front();
  if (choice.Called.empty() && id.empty()) choice.Nearest = NearestSpellings(settlements, wanted);
  return choice;
}
