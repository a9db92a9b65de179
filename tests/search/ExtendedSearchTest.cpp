// The searches reaching past the key as typed: ё as е, words in any order,
// street types abbreviated, and names nearly typed when nothing is found.
#include <gtest/gtest.h>

#include "search/FirmSearch.h"
#include "search/ListSearch.h"
#include "search/SearchFixture.h"

namespace {

using Texts = std::vector<std::string>;

struct ListCase {
  const char* Key;
  Texts Addresses;  // what the list shows, in order
  const char* Count;  // ListCountText
  int Similar;
};

class ExtendedListSearch : public SearchFixture {
 protected:
  void SetUp() override {
    AddStreet("улица Селезнёва", "улица");
    AddStreet("Берёзовый переулок", "переулок");
    AddStreet("Березовая аллея", "аллея");  // written with е
    // Types in full in their cell, and abbreviated as imported data has them.
    for (const auto& [name, type] : std::vector<std::pair<const char*, const char*>>{
             {"Гоголя", "улица"}, {"Мира", "проспект"}, {"Вишнёвый", "переулок"}, {"Театральная", "площадь"},
             {"Цветной", "бульвар"}, {"Речная", "набережная"}, {"Ленинградское", "шоссе"}, {"Южный", "проезд"},
             {"Садовый", "тупик"}, {"Северный", "микрорайон"}, {"Абая прс.", " "}, {"20 линия ул.", " "},
             {"Кленовый", "пер."}, {"Парковая", "пл."}, {"Липовый", "б-р"}, {"Озёрная", "наб."},
             {"Киевское", "ш."}, {"Западный", "пр-д"}, {"Тихий", "туп."}, {"Восточный", "мкрн"},
             {"Дружбы", "пр."}, {"Сосновый", "бул."}})
      AddStreet(name, type);
    for (const char* number : {"28", "128", "28а", "280"}) AddBuilding("улица Селезнёва", number, "");
    AddFirm("Ёлочка", "Гоголя", "3");
  }
  void Expect(const ListCase& c) {
    FillSearchList(core, W(c.Key));
    EXPECT_EQ(Column(core.Search.FoundRecords, 0), c.Addresses) << c.Key;
    EXPECT_EQ(core.Search.ListCountText, c.Count) << c.Key;
    EXPECT_EQ(core.Search.ListSimilar, c.Similar) << c.Key;
  }
};

const Texts kSelezneva28 = {"улица Селезнёва 28", "улица Селезнёва 28а"};

TEST_F(ExtendedListSearch, RowsFoundAsTypedComeFirstInTheirOrder) {
  for (const ListCase& c : std::vector<ListCase>{
           // As typed: a piece of text, so 280 too; the word test adds no 128.
           {"Селезнёва 28", {"улица Селезнёва 28", "улица Селезнёва 28а", "улица Селезнёва 280"}, "3", 0},
           // As typed first (the street by its name), then by words (the
           // street written "20 линия ул." holds no "улица").
           {"улица", {"улица Селезнёва", "Гоголя", "улица Селезнёва 28", "улица Селезнёва 128",
                      "улица Селезнёва 28а", "улица Селезнёва 280", "20 линия ул."}, "7", 0},
           // As typed the firm's name holds no space after it; as words it does.
           {"ёлочка ", {"Гоголя 3"}, "1", 0},
       })
    Expect(c);
}

TEST_F(ExtendedListSearch, YoAndYeAreOneLetterBothWays) {
  for (const ListCase& c : std::vector<ListCase>{
           {"селезнева 28", kSelezneva28, "2", 0},
           {"СЕЛЕЗНЕВА 28", kSelezneva28, "2", 0},
           {"березовый", {"Берёзовый переулок"}, "1", 0},
           {"Берёзовая", {"Березовая аллея"}, "1", 0},
           {"ЕЛОЧКА", {"Гоголя 3"}, "1", 0},
           {"озерная наб", {"Озёрная"}, "1", 0},
       })
    Expect(c);
}

TEST_F(ExtendedListSearch, WordsMatchInAnyOrderAndHouseWordsAreLeftOut) {
  for (const ListCase& c : std::vector<ListCase>{
           {"28 Селезнёва", kSelezneva28, "2", 0},
           {"Селезнёва, 28", kSelezneva28, "2", 0},
           {"Селезнёва д. 28", kSelezneva28, "2", 0},
           {"Селезнёва д.28", kSelezneva28, "2", 0},
           {"дом 28 селезнева", kSelezneva28, "2", 0},
           {"Селезнёва 28а", {"улица Селезнёва 28а"}, "1", 0},
           {"Селезнёва 12", {"улица Селезнёва 128"}, "1", 0},  // as typed, a piece of text
           {"12 Селезнёва", {}, "0", 0},  // as a word, a whole house number: not 128
       })
    Expect(c);
}

TEST_F(ExtendedListSearch, StreetTypesMatchFullOrAbbreviated) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"ул Гоголя", "Гоголя"},          {"ул. Гоголя", "Гоголя"},         {"пр Мира", "Мира"},
      {"пр. Мира", "Мира"},             {"пр-т Мира", "Мира"},            {"просп. Мира", "Мира"},
      {"пер Вишнёвый", "Вишнёвый"},     {"пер. вишневый", "Вишнёвый"},    {"пл Театральная", "Театральная"},
      {"пл. Театральная", "Театральная"}, {"б-р Цветной", "Цветной"},     {"бул. Цветной", "Цветной"},
      {"наб Речная", "Речная"},         {"наб. Речная", "Речная"},        {"ш Ленинградское", "Ленинградское"},
      {"ш. Ленинградское", "Ленинградское"}, {"пр-д Южный", "Южный"},    {"пр. Южный", "Южный"},
      {"туп. Садовый", "Садовый"},      {"мкр Северный", "Северный"},     {"мкрн Северный", "Северный"},
      {"проспект Абая", "Абая прс."},   {"20 линия улица", "20 линия ул."}, {"переулок Кленовый", "Кленовый"},
      {"площадь Парковая", "Парковая"}, {"бульвар Липовый", "Липовый"},   {"набережная Озёрная", "Озёрная"},
      {"шоссе Киевское", "Киевское"},   {"проезд Западный", "Западный"},  {"тупик Тихий", "Тихий"},
      {"микрорайон Восточный", "Восточный"}, {"проспект Дружбы", "Дружбы"}, {"проезд Дружбы", "Дружбы"},
      {"бульвар Сосновый", "Сосновый"}, {"Сосновый б-р", "Сосновый"},
  };
  for (const auto& [key, street] : cases) Expect({key, {street}, "1", 0});
  // A type stands for itself only: no переулок is a проспект.
  Expect({"переулок Мира", {}, "0", 0});
}

// Houses are imported with their street as their address names it, often
// without its type: a type in the key lets the rows that name no type follow
// those that hold it; a row of another type stays out.
TEST_F(ExtendedListSearch, RowsNamingNoStreetTypeFollowThoseHoldingIt) {
  AddStreet("Абая", "проспект");
  AddStreet("Абая", "улица");
  AddBuilding("Абая", "10", "");
  AddBuilding("проспект Абая", "12", "");
  AddBuilding("улица Абая", "10", "");
  const Texts prospect = {"Абая прс.", "Абая", "проспект Абая 12", "Абая 10"};
  for (const ListCase& c : std::vector<ListCase>{
           {"пр. абая 10", {"Абая 10"}, "1", 0},
           {"ул абая 10", {"улица Абая 10", "Абая 10"}, "2", 0},
           {"пр. абая", prospect, "4", 0},
           {"пр. абаая", prospect, "0", 4},  // suggested in the same order
           {"пр 10", {}, "0", 0},  // a number alone is too little to leave the type out
       })
    Expect(c);
}

TEST_F(ExtendedListSearch, NothingFoundListsTheNamesNearlyTyped) {
  for (const ListCase& c : std::vector<ListCase>{
           // One letter missing, one extra, one wrong, two swapped.
           {"Селезнва 28", kSelezneva28, "0", 2},
           {"Селезнёвва 28", kSelezneva28, "0", 2},
           {"Селезнава 28", kSelezneva28, "0", 2},
           {"Селзенёва 28", kSelezneva28, "0", 2},
           // The closest first: "Театральная" is one letter away, no other row is.
           {"Театралная", {"Театральная"}, "0", 1},
           {"Гогля ул", {"Гоголя"}, "0", 1},
           // Two letters wrong in a word of fewer than ten: too far.
           {"Сулезнва", {}, "0", 0},
           // Numbers and street types are never guessed.
           {"Селезнва 29", {}, "0", 0},
           {"щзхъ", {}, "0", 0},
       })
    Expect(c);
}

struct FirmCase {
  const char* Key;
  Texts Names;
  const char* Count;
  int Similar;
};

class ExtendedFirmSearch : public SearchFixture {
 protected:
  void SetUp() override {
    AddFirm("Аптека «Здоровье»", "улица Королёва", "1", "лекарства");
    AddFirm("Банк", "Ленина", "12", "кредит");
    AddFirm("Ёлочка", "проспект Мира", "3", "игрушки ёлки");
  }
};

TEST_F(ExtendedFirmSearch, FindsByWordsAndSuggestsWhenNothingIsFound) {
  for (const FirmCase& c : std::vector<FirmCase>{
           {"здоровье", {"Аптека «Здоровье»"}, "1", 0},  // as typed, unchanged
           {"елочка", {"Ёлочка"}, "1", 0},
           {"елки", {"Ёлочка"}, "1", 0},  // a keyword
           {"королева 1", {"Аптека «Здоровье»"}, "1", 0},
           {"Королёва ул", {"Аптека «Здоровье»"}, "1", 0},
           {"пр-т Мира ёлочка", {"Ёлочка"}, "1", 0},
           {"12 ленина", {"Банк"}, "1", 0},
           {"ул. Ленина 12", {"Банк"}, "1", 0},  // the firm's street names no type
           {"Аптка", {"Аптека «Здоровье»"}, "0", 1},
           {"кридит", {"Банк"}, "0", 1},
       }) {
    SearchFirms(core, W(c.Key));
    EXPECT_EQ(Column(core.Search.SearchFirmListView, 0), c.Names) << c.Key;
    EXPECT_EQ(Column(core.Search.FoundFirms, 0).size(), c.Names.size()) << c.Key;
    EXPECT_EQ(core.Search.FirmCountText, c.Count) << c.Key;
    EXPECT_EQ(core.Search.FirmSimilar, c.Similar) << c.Key;
  }
}

}  // namespace
