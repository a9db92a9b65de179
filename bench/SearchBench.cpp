// Speed of the list search and the firm search over a large city.
//
// With TELLURIN_BENCH_CITY=/path/to/Base/City the city is loaded from disk (for
// example the hundredfold demo city: `tellurin-demo-city --out DIR --plain
// --scale 100 --name Big`, then TELLURIN_BENCH_CITY=DIR/Big);
// otherwise a synthetic city of the same order of size is built in memory:
// 4 000 streets, 40 000 buildings, 5 000 firms, 10 000 objects.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "mapdata/Cp1251.h"
#include "search/FirmSearch.h"
#include "search/KeyLimit.h"
#include "search/KeyMatcher.h"
#include "search/ListOrder.h"
#include "search/ListSearch.h"
#include "shell/LoadCity.h"
#include "shell/RecordingHost.h"
#include "state/MapCore.h"

namespace {

std::string W(const char* utf8) { return cp1251::FromUtf8(utf8); }

struct Words {
  std::vector<std::string> streets, types, buildings, firms, keywords, kinds;
  Words() {
    for (const char* s : {"Ленина", "Мира", "Садовая", "Советская", "Гагарина", "Пушкина", "Лесная", "Школьная",
                          "Набережная", "Победы", "Молодёжная", "Заречная", "Кирова", "Чехова", "Горького",
                          "Зелёная", "Полевая", "Новая", "Строителей", "Октябрьская"})
      streets.push_back(W(s));
    for (const char* s : {"улица", "проспект", "переулок", "бульвар", "шоссе"}) types.push_back(W(s));
    for (const char* s : {"", "", "", "Почта", "Магазин", "Жилой дом", "Библиотека", "Поликлиника"})
      buildings.push_back(W(s));
    for (const char* s : {"Аптека", "Банк", "Кафе", "Парикмахерская", "Автосервис", "Гостиница", "Салон связи",
                          "Продукты", "Ателье", "Стоматология"})
      firms.push_back(W(s));
    for (const char* s : {"лекарства", "кредит вклад", "обед кофе", "стрижка", "ремонт шины", "номера",
                          "телефоны", "хлеб молоко", "пошив", "зубы"})
      keywords.push_back(W(s));
    for (const char* s : {"Школа", "Детский сад", "Остановка", "Памятник", "Церковь", "Стадион"})
      kinds.push_back(W(s));
  }
};

void FillSyntheticCity(MapCore& core) {
  const Words w;
  std::mt19937 rng(1234);
  auto pick = [&](const std::vector<std::string>& v) -> const std::string& { return v[rng() % v.size()]; };
  CityTables& t = core.Tables;
  // Only the searched cells are filled; the random draws keep their order.
  for (int i = 0; i < 4000; ++i) {
    RowDraft& r = t.ListOfStreets.AddCells(street_cell::kCells);
    r.At(street_cell::Name) = pick(w.streets) + " " + std::to_string(i / 20 + 1);
    r.At(street_cell::Type) = pick(w.types);
  }
  for (int i = 0; i < 40000; ++i) {
    RowDraft& r = t.ListOfBuildings.AddCells(building_cell::kCells);
    r.At(building_cell::Street) = pick(w.streets) + " " + std::to_string(rng() % 200 + 1);
    r.At(building_cell::Number) = std::to_string(rng() % 150 + 1);
    r.At(building_cell::Name) = pick(w.buildings);
  }
  for (int i = 0; i < 5000; ++i) {
    RowDraft& r = t.ListOfFirms.AddCells(firm_cell::kCells);
    r.At(firm_cell::Name) = pick(w.firms) + " " + std::to_string(i);
    r.At(firm_cell::Street) = pick(w.streets);
    r.At(firm_cell::Number) = std::to_string(rng() % 150 + 1);
    r.At(firm_cell::Keywords) = pick(w.keywords);
    r.At(firm_cell::Picture) = std::to_string(i);
  }
  for (int i = 0; i < 10000; ++i) {
    RowDraft& r = t.ListOfObjects.AddCells(object_cell::kCells);
    r.At(object_cell::Kind) = pick(w.kinds);
    r.At(object_cell::Street) = pick(w.streets);
    r.At(object_cell::Number) = std::to_string(rng() % 150 + 1);
    r.At(object_cell::Name) = W("№ ") + std::to_string(i);
  }
}

// One city for every benchmark.
MapCore& City() {
  static RecordingHost host;
  static std::unique_ptr<MapCore> core = [] {
    const char* dir = std::getenv("TELLURIN_BENCH_CITY");
    if (dir && *dir) {
      const fs::path city = fs::path(dir);
      auto c = std::make_unique<MapCore>(host, city.parent_path());
      LoadCity(*c, city.filename().string(), "bench");
      return c;
    }
    auto c = std::make_unique<MapCore>(host, fs::path("/nonexistent"));
    FillSyntheticCity(*c);
    return c;
  }();
  return *core;
}

// A city of 20 000 streets of distinct made-up names: the word tests' costly case.
std::string MadeUpWord(std::mt19937& rng) {
  static const std::string letters = W("абвгдежзиклмнопрстуфхцчшэюя");
  std::string word;
  for (int n = 5 + static_cast<int>(rng() % 5); n > 0; --n) word += letters[rng() % letters.size()];
  return word;
}

MapCore& DistinctNamesCity() {
  static RecordingHost host;
  static std::unique_ptr<MapCore> core = [] {
    auto c = std::make_unique<MapCore>(host, fs::path("/nonexistent"));
    const Words w;
    std::mt19937 rng(77);
    for (int i = 0; i < 20000; ++i) {
      RowDraft& r = c->Tables.ListOfStreets.AddCells(street_cell::kCells);
      r.At(street_cell::Name) = MadeUpWord(rng) + W("ского");
      r.At(street_cell::Type) = w.types[rng() % w.types.size()];
    }
    return c;
  }();
  return *core;
}

// A pasted text at its costliest: the city's own street names, each with its
// second letter mistyped, so that nothing matches, every search tier runs and
// the names nearly typed are measured against every word in full.
std::string PastedText(const MapCore& core, int words) {
  static const char typo = W("ъ")[0];
  const LayerTable& streets = core.Tables.ListOfStreets;
  std::string text;
  for (int i = 0; i < words; ++i) {
    const std::string_view name = streets[i % streets.Count()].Cell(street_cell::Name);
    std::string word(name.substr(0, name.find(' ')));
    if (word.size() > 2) word[1] = typo;
    text += (i ? " " : "") + word;
  }
  return text;
}

void ReportSize(benchmark::State& state, int results) {
  const CityTables& t = City().Tables;
  state.counters["results"] = results;
  state.counters["rows"] = t.ListOfStreets.Count() + t.ListOfBuildings.Count() + t.ListOfFirms.Count() +
                           t.ListOfObjects.Count();
}

// Each key is searched as typed only (the search as it was) and reaching
// further, side by side; "similar" counts the suggestions.
void BM_FillSearchList(benchmark::State& state, const char* keyUtf8, MatchReach reach) {
  MapCore& core = City();
  const std::string key = W(keyUtf8);
  for (auto _ : state) FillSearchList(core, key, reach);
  ReportSize(state, core.Search.FoundRecords.Count());
  state.counters["similar"] = core.Search.ListSimilar;
}

void BM_SearchFirms(benchmark::State& state, const char* keyUtf8, MatchReach reach) {
  MapCore& core = City();
  const std::string key = W(keyUtf8);
  for (auto _ : state) SearchFirms(core, key, reach);
  state.counters["results"] = core.Search.FoundFirms.Count();
  state.counters["similar"] = core.Search.FirmSimilar;
  state.counters["firms"] = core.Tables.ListOfFirms.Count();
}

// Every named record sorted by a column of the list search, as a header click
// asks.  The hundredfold demo city repeats one city's texts; the synthetic
// city's addresses are nearly all distinct, which is the costly case.
void BM_SortedRows(benchmark::State& state, int cell) {
  MapCore& core = City();
  FillSearchList(core, "");
  const LayerTable& results = core.Search.FoundRecords;
  for (auto _ : state) benchmark::DoNotOptimize(SortedRows(results, cell, SortDirection::Ascending));
  state.counters["results"] = results.Count();
}

// The match test alone over 1 MB of street names: bytes per second.
void BM_MatchesKeyScan(benchmark::State& state) {
  const Words w;
  std::string text;
  while (text.size() < (1u << 20)) text += w.streets[text.size() % w.streets.size()] + " ";
  const KeyMatcher matcher(W("щзхъ"));
  for (auto _ : state) benchmark::DoNotOptimize(matcher.Matches(std::string_view(text)));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

// A key of many words searched for whole (as every key was searched for
// before keys were bounded) and as the search fields search for it now, side
// by side, on the bench city and on the city of distinct street names.
void BM_LongKey(benchmark::State& state, bool distinctNames, bool whole) {
  MapCore& core = distinctNames ? DistinctNamesCity() : City();
  const std::string key = PastedText(core, static_cast<int>(state.range(0)));
  const std::string searched = whole ? key : BoundKey(key).Key;
  int rows = 0;
  for (auto _ : state) rows = static_cast<int>(FindListRows(core, searched, MatchReach::Extended).Rows.size());
  state.counters["results"] = rows;
  state.counters["key_words"] = static_cast<double>(state.range(0));
}

BENCHMARK(BM_MatchesKeyScan)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LongKey, bench_city_whole, false, true)->Arg(1000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LongKey, bench_city_bounded, false, false)->Arg(1000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LongKey, distinct_names_whole, true, true)->Arg(1000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LongKey, distinct_names_bounded, true, false)->Arg(1000)->Arg(8000)->Unit(benchmark::kMillisecond);
constexpr MatchReach kAsTyped = MatchReach::AsTyped;
constexpr MatchReach kFurther = MatchReach::Extended;
// Keys of both cities: the synthetic one's streets and the demo city's.
#define SEARCH_KEY(name, key)                                                                        \
  BENCHMARK_CAPTURE(BM_FillSearchList, name##_as_typed, key, kAsTyped)->Unit(benchmark::kMillisecond); \
  BENCHMARK_CAPTURE(BM_FillSearchList, name##_further, key, kFurther)->Unit(benchmark::kMillisecond)
SEARCH_KEY(typical_key, "чехова");
SEARCH_KEY(demo_key, "пушкина");
SEARCH_KEY(yo_as_ye, "березовый");
SEARCH_KEY(words, "ул пушкина 5");
SEARCH_KEY(typo, "пушкна");
SEARCH_KEY(empty_key, "");
SEARCH_KEY(no_match, "щзхъ");
#undef SEARCH_KEY
BENCHMARK_CAPTURE(BM_SortedRows, address, found_cell::Address)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortedRows, kind, found_cell::Kind)->Unit(benchmark::kMillisecond);
#define FIRM_KEY(name, key)                                                                        \
  BENCHMARK_CAPTURE(BM_SearchFirms, name##_as_typed, key, kAsTyped)->Unit(benchmark::kMicrosecond); \
  BENCHMARK_CAPTURE(BM_SearchFirms, name##_further, key, kFurther)->Unit(benchmark::kMicrosecond)
FIRM_KEY(typical_key, "аптек");
FIRM_KEY(keyword, "ремонт");
FIRM_KEY(typo, "аптка");
FIRM_KEY(empty_key, "");
FIRM_KEY(no_match, "щзхъ");
#undef FIRM_KEY

}  // namespace
