#include "importer/TagMapping.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace {

bool Is(const osmium::TagList& tags, const char* key, const char* value) {
  const char* v = tags.get_value_by_key(key);
  return v && (!value || std::strcmp(v, value) == 0);
}

bool IsOneOf(const char* value, std::initializer_list<const char*> values) {
  if (!value) return false;
  for (const char* v : values)
    if (std::strcmp(value, v) == 0) return true;
  return false;
}

// A tag test: key and value, or any value of the key when Value is null.
struct TagTest {
  const char* Key;
  const char* Value;
};

// Rules found by a tag's key and value (Value null in a rule: any value),
// each with its place in its table; a tag list is looked up in one pass.
class TagIndex {
 public:
  void Add(const char* key, const char* value, int rule) {
    auto& values = keys_[key];
    if (value)
      values.emplace(value, rule);
    else
      values.emplace(kAnyValue, rule);
  }
  // The first rule (lowest place) that one of the tags matches, -1 for none.
  int First(const osmium::TagList& tags) const {
    int best = -1;
    for (const osmium::Tag& tag : tags) {
      const auto key = keys_.find(tag.key());
      if (key == keys_.end()) continue;
      for (std::string_view value : {std::string_view(tag.value()), kAnyValue}) {
        const auto rule = key->second.find(value);
        if (rule != key->second.end() && (best < 0 || rule->second < best)) best = rule->second;
      }
    }
    return best;
  }

 private:
  static constexpr std::string_view kAnyValue{"\0*"};
  std::unordered_map<std::string_view, std::unordered_map<std::string_view, int>> keys_;
};

const StreetClass kStreetClasses[] = {
    {"motorway", 4, 9, 7, true},      {"trunk", 4, 9, 7, true},         {"motorway_link", 3, 8, 6, true},
    {"trunk_link", 3, 8, 6, true},    {"primary", 5, 9, 5, false},      {"primary_link", 3, 8, 4, false},
    {"secondary", 4, 9, 4, false},    {"secondary_link", 3, 8, 3, false}, {"tertiary", 3, 9, 3, false},
    {"tertiary_link", 2, 8, 2, false}, {"unclassified", 2, 8, 2, false}, {"residential", 2, 8, 2, false},
    {"living_street", 2, 8, 2, false}, {"pedestrian", 2, 8, 2, false},  {"road", 2, 8, 2, false},
    {"service", 1, 8, 1, false},      {"track", 1, 8, 1, false},
    // Paths at the thinnest width the street rules draw, under every road.
    {"footway", 1, 8, 0, false},      {"path", 1, 8, 0, false},         {"cycleway", 1, 8, 0, false},
    {"steps", 1, 8, 0, false},        {"bridleway", 1, 8, 0, false},
};

struct RegionRule {
  TagTest Tag;
  TagTest Also;  // a second tag that must be there too (Key null: none)
  const char* Kind;
};

constexpr TagTest kNone{nullptr, nullptr};

// First match wins: water before anything that may lie around it, special
// uses before the general land use.
const RegionRule kRegionRules[] = {
    {{"natural", "water"}, kNone, "Водоемы"},
    {{"waterway", "riverbank"}, kNone, "Водоемы"},
    {{"landuse", "reservoir"}, kNone, "Водоемы"},
    {{"landuse", "basin"}, kNone, "Водоемы"},
    {{"landuse", "cemetery"}, kNone, "Кладбища"},
    {{"amenity", "grave_yard"}, kNone, "Кладбища"},
    {{"amenity", "marketplace"}, kNone, "Рынки"},
    {{"landuse", "retail"}, kNone, "Рынки"},
    {{"leisure", "pitch"}, kNone, "Спортивные площадки"},
    {{"leisure", "stadium"}, kNone, "Спортивные площадки"},
    {{"leisure", "sports_centre"}, kNone, "Спортивные площадки"},
    {{"leisure", "track"}, kNone, "Спортивные площадки"},
    {{"leisure", "playground"}, kNone, "Спортивные площадки"},
    {{"place", "square"}, kNone, "Площади"},
    {{"highway", "pedestrian"}, kNone, "Площади"},
    {{"amenity", "parking"}, kNone, "Площади"},  // car parks: open paved ground
    {{"landuse", "orchard"}, kNone, "Сады, виноградники"},
    {{"landuse", "vineyard"}, kNone, "Сады, виноградники"},
    {{"landuse", "allotments"}, kNone, "Сады, виноградники"},
    {{"leisure", "garden"}, kNone, "Сады, виноградники"},
    {{"landuse", "farmland"}, kNone, "Технические культуры"},
    {{"landuse", "greenhouse_horticulture"}, kNone, "Технические культуры"},
    {{"landuse", "plant_nursery"}, kNone, "Технические культуры"},
    {{"landuse", "forest"}, kNone, "Леса, парки"},
    {{"natural", "wood"}, kNone, "Леса, парки"},
    {{"leisure", "park"}, kNone, "Леса, парки"},
    {{"leisure", "nature_reserve"}, kNone, "Леса, парки"},
    {{"leisure", "dog_park"}, kNone, "Леса, парки"},
    {{"landuse", "grass"}, kNone, "Леса, парки"},
    {{"landuse", "meadow"}, kNone, "Леса, парки"},
    {{"landuse", "village_green"}, kNone, "Леса, парки"},
    {{"landuse", "recreation_ground"}, kNone, "Леса, парки"},
    {{"natural", "scrub"}, kNone, "Леса, парки"},
    {{"natural", "grassland"}, kNone, "Леса, парки"},
    {{"natural", "heath"}, kNone, "Леса, парки"},
    {{"landuse", "residential"}, {"residential", "rural"}, "В поселках жилого типа"},
    {{"landuse", "residential"}, {"residential", "single_family"}, "В поселках жилого типа"},
    {{"landuse", "residential"}, {"residential", "detached"}, "В поселках жилого типа"},
    {{"place", "village"}, kNone, "В поселках жилого типа"},
    {{"place", "hamlet"}, kNone, "В поселках жилого типа"},
    {{"place", "isolated_dwelling"}, kNone, "В поселках жилого типа"},
    {{"landuse", "residential"}, kNone, "Жилая зона"},
    {{"landuse", "industrial"}, kNone, "Промышленная и хозяйственная"},
    {{"landuse", "commercial"}, kNone, "Промышленная и хозяйственная"},
    {{"landuse", "railway"}, kNone, "Промышленная и хозяйственная"},
    {{"landuse", "garages"}, kNone, "Промышленная и хозяйственная"},
    {{"landuse", "construction"}, kNone, "Промышленная и хозяйственная"},
    {{"landuse", "brownfield"}, kNone, "Промышленная и хозяйственная"},
    {{"landuse", "quarry"}, kNone, "Промышленная и хозяйственная"},
    {{"landuse", "landfill"}, kNone, "Промышленная и хозяйственная"},
    {{"landuse", "depot"}, kNone, "Промышленная и хозяйственная"},
    {{"landuse", "port"}, kNone, "Промышленная и хозяйственная"},
    {{"landuse", "military"}, kNone, "Промышленная и хозяйственная"},
};

struct ObjectKindRule {
  ObjectKindIcon Icon;
  std::vector<TagTest> Tags;
};

const std::vector<ObjectKindRule>& ObjectKindRules() {
  static const std::vector<ObjectKindRule> rules = {
      {{"Школы", "Ш", 230, 130, 20}, {{"amenity", "school"}}},
      {{"Детские сады", "Д", 240, 170, 30}, {{"amenity", "kindergarten"}}},
      {{"Вузы и колледжи", "ВУЗ", 200, 110, 0}, {{"amenity", "university"}, {"amenity", "college"}}},
      {{"Больницы и поликлиники", "+", 210, 30, 40},
       {{"amenity", "hospital"}, {"amenity", "clinic"}, {"healthcare", "hospital"}, {"healthcare", "clinic"}}},
      {{"Аптеки", "+", 20, 150, 60}, {{"amenity", "pharmacy"}, {"healthcare", "pharmacy"}}},
      {{"Банки", "Б", 20, 60, 150}, {{"amenity", "bank"}, {"amenity", "atm"}, {"amenity", "bureau_de_change"}}},
      {{"Почта", "П", 0, 90, 170}, {{"amenity", "post_office"}}},
      {{"Остановки", "А", 30, 120, 200}, {{"highway", "bus_stop"}, {"railway", "tram_stop"}}},
      {{"Вокзалы и станции", "ЖД", 90, 90, 90}, {{"railway", "station"}, {"railway", "halt"}, {"amenity", "bus_station"}}},
      {{"Заправки", "З", 60, 60, 60}, {{"amenity", "fuel"}}},
      {{"Храмы", "Х", 150, 120, 40}, {{"amenity", "place_of_worship"}}},
      {{"Театры и кинотеатры", "Т", 150, 20, 70}, {{"amenity", "theatre"}, {"amenity", "cinema"}}},
      {{"Музеи", "М", 120, 100, 20}, {{"tourism", "museum"}}},
      {{"Библиотеки", "Кн", 120, 60, 20}, {{"amenity", "library"}}},
      {{"Гостиницы", "Г", 0, 130, 130},
       {{"tourism", "hotel"}, {"tourism", "hostel"}, {"tourism", "motel"}, {"tourism", "guest_house"}}},
      {{"Полиция", "МВД", 20, 40, 110}, {{"amenity", "police"}}},
      {{"Пожарные части", "МЧС", 220, 60, 20}, {{"amenity", "fire_station"}}},
      {{"Рынки и торговые центры", "ТЦ", 130, 40, 160},
       {{"amenity", "marketplace"}, {"shop", "mall"}, {"shop", "department_store"}}},
      // The common businesses, each kind with its icon; they stay firms too.
      {{"Кафе и рестораны", "Е", 200, 80, 20},
       {{"amenity", "cafe"}, {"amenity", "restaurant"}, {"amenity", "fast_food"}, {"amenity", "bar"},
        {"amenity", "pub"}, {"amenity", "food_court"}, {"amenity", "canteen"}, {"amenity", "ice_cream"},
        {"amenity", "biergarten"}}},
      {{"Продукты и супермаркеты", "П", 40, 140, 40},
       {{"shop", "supermarket"}, {"shop", "convenience"}, {"shop", "bakery"}, {"shop", "butcher"},
        {"shop", "greengrocer"}, {"shop", "dairy"}, {"shop", "seafood"}, {"shop", "alcohol"}, {"shop", "beverages"},
        {"shop", "confectionery"}, {"shop", "pastry"}}},
      {{"Автосервисы", "СТО", 70, 70, 120},
       {{"shop", "car_repair"}, {"shop", "car"}, {"shop", "car_parts"}, {"shop", "tyres"}, {"amenity", "car_wash"},
        {"amenity", "car_rental"}, {"craft", "car_repair"}}},
      {{"Спорт и фитнес", "Ф", 220, 40, 120},
       {{"leisure", "fitness_centre"}, {"leisure", "sports_hall"}, {"leisure", "swimming_pool"},
        {"shop", "sports"}}},
      {{"Красота и здоровье", "К", 230, 90, 150},
       {{"shop", "hairdresser"}, {"shop", "beauty"}, {"shop", "massage"}, {"shop", "cosmetics"},
        {"amenity", "dentist"}, {"amenity", "doctors"}, {"healthcare", "dentist"}, {"healthcare", "doctor"}}},
      {{"Бытовые услуги", "У", 110, 80, 50},
       {{"craft", nullptr}, {"shop", "outpost"}, {"shop", "laundry"}, {"shop", "dry_cleaning"},
        {"shop", "shoe_repair"}, {"shop", "copyshop"}, {"shop", "funeral_directors"}}},
      {{"Магазины", "М", 130, 40, 160}, {{"shop", nullptr}}},
  };
  return rules;
}

// Firm kinds: OSM key and value, the words in Russian (the first is the
// kind's own name), and the category of the marker.
enum Category { Food, Shop, Health, Finance, Beauty, Car, Lodging, Leisure, Education, Office, Craft, Other };

struct FirmKindRule {
  const char* Key;
  const char* Value;  // null: any value of the key
  const char* Words;
  Category Cat;
};

const FirmKindRule kFirmKinds[] = {
    {"amenity", "cafe", "кафе кофе", Food},
    {"amenity", "restaurant", "ресторан", Food},
    {"amenity", "fast_food", "фастфуд быстрое питание", Food},
    {"amenity", "bar", "бар", Food},
    {"amenity", "pub", "паб пиво", Food},
    {"amenity", "food_court", "фудкорт", Food},
    {"amenity", "ice_cream", "мороженое", Food},
    {"amenity", "biergarten", "пивной сад пиво", Food},
    {"amenity", "canteen", "столовая", Food},
    {"amenity", "pharmacy", "аптека лекарства", Health},
    {"amenity", "hospital", "больница", Health},
    {"amenity", "clinic", "поликлиника врач", Health},
    {"amenity", "doctors", "врач", Health},
    {"amenity", "dentist", "стоматология зубы", Health},
    {"amenity", "veterinary", "ветеринарная клиника", Health},
    {"amenity", "bank", "банк", Finance},
    {"amenity", "atm", "банкомат", Finance},
    {"amenity", "bureau_de_change", "обмен валюты", Finance},
    {"amenity", "money_transfer", "денежные переводы", Finance},
    {"amenity", "post_office", "почта", Office},
    {"amenity", "fuel", "заправка АЗС бензин", Car},
    {"amenity", "car_wash", "автомойка", Car},
    {"amenity", "car_rental", "прокат автомобилей", Car},
    {"amenity", "charging_station", "зарядная станция", Car},
    {"amenity", "driving_school", "автошкола", Education},
    {"amenity", "school", "школа", Education},
    {"amenity", "kindergarten", "детский сад", Education},
    {"amenity", "university", "университет вуз", Education},
    {"amenity", "college", "колледж", Education},
    {"amenity", "language_school", "языковая школа", Education},
    {"amenity", "music_school", "музыкальная школа", Education},
    {"amenity", "library", "библиотека книги", Leisure},
    {"amenity", "cinema", "кинотеатр кино", Leisure},
    {"amenity", "theatre", "театр", Leisure},
    {"amenity", "arts_centre", "центр искусств", Leisure},
    {"amenity", "community_centre", "дом культуры", Leisure},
    {"amenity", "nightclub", "ночной клуб", Leisure},
    {"amenity", "place_of_worship", "храм", Other},
    {"amenity", "police", "полиция", Office},
    {"amenity", "fire_station", "пожарная часть", Office},
    {"amenity", "townhall", "администрация", Office},
    {"amenity", "courthouse", "суд", Office},
    {"amenity", "marketplace", "рынок", Shop},
    {"amenity", "taxi", "такси", Car},
    {"amenity", "bus_station", "автовокзал", Other},
    {"shop", "supermarket", "супермаркет продукты", Shop},
    {"shop", "convenience", "продукты магазин", Shop},
    {"shop", "bakery", "пекарня хлеб выпечка", Food},
    {"shop", "pastry", "кондитерская", Food},
    {"shop", "confectionery", "кондитерская сладости", Food},
    {"shop", "butcher", "мясо", Shop},
    {"shop", "greengrocer", "овощи фрукты", Shop},
    {"shop", "seafood", "рыба морепродукты", Shop},
    {"shop", "dairy", "молочные продукты", Shop},
    {"shop", "alcohol", "алкоголь", Shop},
    {"shop", "beverages", "напитки", Shop},
    {"shop", "tobacco", "табак", Shop},
    {"shop", "kiosk", "киоск", Shop},
    {"shop", "clothes", "одежда", Shop},
    {"shop", "shoes", "обувь", Shop},
    {"shop", "bag", "сумки", Shop},
    {"shop", "jewelry", "ювелирные украшения", Shop},
    {"shop", "watches", "часы", Shop},
    {"shop", "optician", "оптика очки", Health},
    {"shop", "chemist", "бытовая химия", Shop},
    {"shop", "cosmetics", "косметика", Shop},
    {"shop", "perfumery", "парфюмерия", Shop},
    {"shop", "hairdresser", "парикмахерская", Beauty},
    {"shop", "beauty", "салон красоты", Beauty},
    {"shop", "massage", "массаж", Beauty},
    {"shop", "tattoo", "тату", Beauty},
    {"shop", "florist", "цветы", Shop},
    {"shop", "garden_centre", "садовый центр", Shop},
    {"shop", "hardware", "хозтовары", Shop},
    {"shop", "doityourself", "стройматериалы", Shop},
    {"shop", "building_materials", "стройматериалы", Shop},
    {"shop", "paint", "краски", Shop},
    {"shop", "furniture", "мебель", Shop},
    {"shop", "houseware", "товары для дома", Shop},
    {"shop", "interior_decoration", "декор", Shop},
    {"shop", "electronics", "электроника", Shop},
    {"shop", "appliance", "бытовая техника", Shop},
    {"shop", "mobile_phone", "телефоны связь", Shop},
    {"shop", "computer", "компьютеры", Shop},
    {"shop", "books", "книги", Shop},
    {"shop", "stationery", "канцтовары", Shop},
    {"shop", "gift", "подарки сувениры", Shop},
    {"shop", "toys", "игрушки", Shop},
    {"shop", "sports", "спорттовары", Shop},
    {"shop", "outdoor", "туристическое снаряжение", Shop},
    {"shop", "bicycle", "велосипеды", Shop},
    {"shop", "pet", "зоотовары", Shop},
    {"shop", "car", "автосалон", Car},
    {"shop", "car_parts", "автозапчасти", Car},
    {"shop", "car_repair", "автосервис", Car},
    {"shop", "tyres", "шины шиномонтаж", Car},
    {"shop", "mall", "торговый центр", Shop},
    {"shop", "department_store", "универмаг", Shop},
    {"shop", "variety_store", "товары", Shop},
    {"shop", "second_hand", "комиссионный магазин", Shop},
    {"shop", "laundry", "прачечная", Beauty},
    {"shop", "dry_cleaning", "химчистка", Beauty},
    {"shop", "travel_agency", "турагентство путевки", Office},
    {"shop", "funeral_directors", "ритуальные услуги", Other},
    {"shop", "copyshop", "копицентр печать", Office},
    {"shop", "photo", "фото", Shop},
    {"shop", "music", "музыка", Shop},
    {"shop", "fabric", "ткани", Shop},
    {"shop", "frame", "багет рамки", Shop},
    {"shop", "medical_supply", "медтехника", Health},
    {"shop", "hearing_aids", "слуховые аппараты", Health},
    {"shop", "pawnbroker", "ломбард", Finance},
    {"shop", "lottery", "лотереи", Other},
    {"shop", "ticket", "билеты", Other},
    {"shop", "outpost", "пункт выдачи заказов", Shop},
    {"shop", "party", "товары для праздника", Shop},
    {"shop", "shoe_repair", "ремонт обуви", Beauty},
    {"shop", "e-cigarette", "электронные сигареты", Shop},
    {"shop", "tea", "чай", Shop},
    {"shop", "coffee", "кофе", Shop},
    {"shop", "wine", "вино алкоголь", Shop},
    {"shop", "cheese", "сыр", Shop},
    {"shop", "chocolate", "шоколад сладости", Food},
    {"shop", "deli", "деликатесы", Shop},
    {"shop", "farm", "фермерские продукты", Shop},
    {"shop", "frozen_food", "замороженные продукты", Shop},
    {"shop", "health_food", "здоровое питание", Shop},
    {"shop", "nutrition_supplements", "спортивное питание", Shop},
    {"shop", "baby_goods", "детские товары", Shop},
    {"shop", "kitchen", "кухни", Shop},
    {"shop", "bathroom_furnishing", "сантехника", Shop},
    {"shop", "lighting", "освещение светильники", Shop},
    {"shop", "electrical", "электротовары", Shop},
    {"shop", "tools", "инструменты", Shop},
    {"shop", "trade", "оптовая торговля", Shop},
    {"shop", "fishing", "рыболовные товары", Shop},
    {"shop", "hunting", "охотничьи товары", Shop},
    {"shop", "games", "игры", Shop},
    {"shop", "video_games", "видеоигры", Shop},
    {"shop", "art", "искусство", Shop},
    {"shop", "craft", "товары для творчества", Shop},
    {"shop", "sewing", "швейная фурнитура", Shop},
    {"shop", "charity", "благотворительный магазин", Shop},
    {"shop", "herbalist", "травы", Health},
    {"shop", "locksmith", "изготовление ключей", Craft},
    {"shop", "storage_rental", "хранение вещей", Other},
    {"shop", "money_lender", "микрозаймы", Finance},
    {"shop", "bookmaker", "букмекер", Other},
    {"shop", "motorcycle", "мотоциклы", Car},
    {"shop", "gas", "газ", Shop},
    {"shop", "household_linen", "постельное белье", Shop},
    {"shop", "bed", "матрасы", Shop},
    {"shop", "carpet", "ковры", Shop},
    {"shop", "curtain", "шторы", Shop},
    {"shop", "doors", "двери", Shop},
    {"shop", "flooring", "напольные покрытия", Shop},
    {"shop", "windows", "окна", Shop},
    {"shop", "repair", "ремонт", Craft},
    {"shop", "rental", "прокат", Other},
    {"shop", "agrarian", "товары для сада", Shop},
    {"shop", "water", "вода", Shop},
    {"shop", "pasta", "макароны", Shop},
    {"shop", "nuts", "орехи", Shop},
    {"shop", "spices", "специи", Shop},
    {"shop", "pyrotechnics", "пиротехника", Shop},
    {"shop", "printer_ink", "картриджи", Shop},
    {"shop", "mobile_phone_accessories", "аксессуары для телефонов", Shop},
    {"tourism", "hotel", "гостиница отель", Lodging},
    {"tourism", "hostel", "хостел", Lodging},
    {"tourism", "motel", "мотель", Lodging},
    {"tourism", "guest_house", "гостевой дом", Lodging},
    {"tourism", "apartment", "апартаменты", Lodging},
    {"tourism", "museum", "музей", Leisure},
    {"tourism", "gallery", "галерея", Leisure},
    {"tourism", "zoo", "зоопарк", Leisure},
    {"tourism", "theme_park", "парк развлечений", Leisure},
    {"tourism", "camp_site", "кемпинг", Lodging},
    {"leisure", "fitness_centre", "фитнес спорт", Leisure},
    {"leisure", "sports_centre", "спортивный центр спорт", Leisure},
    {"leisure", "water_park", "аквапарк", Leisure},
    {"leisure", "bowling_alley", "боулинг", Leisure},
    {"leisure", "sauna", "сауна баня", Beauty},
    {"leisure", "dance", "танцы", Leisure},
    {"leisure", "amusement_arcade", "игровые автоматы", Leisure},
    {"office", "company", "компания", Office},
    {"office", "government", "госучреждение", Office},
    {"office", "insurance", "страхование", Finance},
    {"office", "estate_agent", "недвижимость", Office},
    {"office", "lawyer", "юрист", Office},
    {"office", "notary", "нотариус", Office},
    {"office", "accountant", "бухгалтер", Office},
    {"office", "it", "информационные технологии", Office},
    {"office", "telecommunication", "связь", Office},
    {"office", "travel_agent", "турагентство", Office},
    {"office", "employment_agency", "кадровое агентство", Office},
    {"office", "advertising_agency", "реклама", Office},
    {"office", "educational_institution", "образование", Education},
    {"office", "ngo", "общественная организация", Office},
    {"office", "logistics", "логистика", Office},
    {"office", "government", "государственное учреждение", Office},
    {"office", "company", "компания", Office},
    {"office", "financial", "финансы", Finance},
    {"office", "tax_advisor", "налоговый консультант", Office},
    {"office", "architect", "архитектор", Office},
    {"office", "association", "ассоциация", Office},
    {"office", "energy_supplier", "энергосбыт", Office},
    {"office", "water_utility", "водоканал", Office},
    {"office", "property_management", "управляющая компания", Office},
    {"office", "courier", "курьерская служба доставка", Office},
    {"office", "security", "охрана", Office},
    {"office", "newspaper", "редакция", Office},
    {"office", "religion", "религиозная организация", Office},
    {"craft", "shoemaker", "ремонт обуви", Craft},
    {"craft", "shoe_repair", "ремонт обуви", Craft},
    {"craft", "car_repair", "автосервис", Car},
    {"craft", "locksmith", "изготовление ключей", Craft},
    {"craft", "window_construction", "окна", Craft},
    {"craft", "handicraft", "рукоделие", Craft},
    {"craft", "jeweller", "ювелир", Craft},
    {"craft", "confectionery", "кондитерская", Food},
    {"craft", "upholsterer", "перетяжка мебели", Craft},
    {"craft", "glaziery", "стекольщик", Craft},
    {"craft", "sewing", "ателье", Craft},
    {"craft", "dressmaker", "ателье", Craft},
    {"craft", "printer", "типография печать", Craft},
    {"craft", "builder", "строительство", Craft},
    {"craft", "hvac", "вентиляция кондиционеры", Craft},
    {"craft", "tailor", "ателье", Craft},
    {"craft", "key_cutter", "изготовление ключей", Craft},
    {"craft", "photographer", "фотограф", Craft},
    {"craft", "electronics_repair", "ремонт техники", Craft},
    {"craft", "watchmaker", "ремонт часов", Craft},
    {"craft", "carpenter", "столяр", Craft},
    {"craft", "plumber", "сантехник", Craft},
    {"craft", "electrician", "электрик", Craft},
    {"craft", "brewery", "пивоварня", Craft},
    {"healthcare", "laboratory", "лаборатория анализы", Health},
    {"healthcare", "dentist", "стоматология", Health},
    {"healthcare", "doctor", "врач", Health},
    {"healthcare", "centre", "медицинский центр", Health},
    // Other values: the key's own word and the value as written.
    {"shop", nullptr, "магазин", Shop},
    {"office", nullptr, "офис", Office},
    {"craft", nullptr, "мастерская", Craft},
    {"healthcare", nullptr, "медицина", Health},
};

// amenity=* values that are no business however they are tagged.
bool IsPublicFurniture(const char* amenity) {
  return IsOneOf(amenity, {"parking", "parking_space", "parking_entrance", "bicycle_parking", "motorcycle_parking",
                           "bench", "waste_basket", "waste_disposal", "recycling", "toilets", "shelter",
                           "drinking_water", "fountain", "vending_machine", "post_box", "telephone", "clock",
                           "grave_yard", "hunting_stand", "bbq", "loading_dock", "compressed_air", "water_point",
                           "watering_place", "give_box", "letter_box", "street_lamp", "smoking_area", "photo_booth"});
}

struct CuisineWord {
  const char* Value;
  const char* Words;
};

const CuisineWord kCuisines[] = {
    {"pizza", "пицца"},          {"bubble_tea", "бабл-ти"},
    {"hot_dog", "хот-доги"},     {"pie", "пироги"},           {"pastry", "выпечка"},      {"wok", "вок"},
    {"ramen", "рамен"},          {"khachapuri", "хачапури"},  {"plov", "плов"},          {"lagman", "лагман"},
    {"buuza", "буузы"},          {"chebureki", "чебуреки"},   {"blini", "блины"},        {"friture", "фритюр"},
    {"dessert", "десерты"},      {"juice", "соки"},           {"international", "международная кухня"},
    {"mediterranean", "средиземноморская кухня"}, {"spanish", "испанская кухня"}, {"greek", "греческая кухня"},
    {"oriental", "восточная кухня"}, {"tatar", "татарская кухня"}, {"pan_asian", "паназиатская кухня"},
          {"sushi", "суши"},           {"burger", "бургеры"},       {"coffee_shop", "кофейня"},
    {"russian", "русская кухня"}, {"italian", "итальянская кухня"}, {"japanese", "японская кухня"},
    {"chinese", "китайская кухня"}, {"georgian", "грузинская кухня"}, {"uzbek", "узбекская кухня"},
    {"caucasian", "кавказская кухня"}, {"european", "европейская кухня"}, {"asian", "азиатская кухня"},
    {"french", "французская кухня"}, {"american", "американская кухня"}, {"mexican", "мексиканская кухня"},
    {"indian", "индийская кухня"}, {"thai", "тайская кухня"},  {"korean", "корейская кухня"},
    {"vietnamese", "вьетнамская кухня"}, {"turkish", "турецкая кухня"}, {"ukrainian", "украинская кухня"},
    {"armenian", "армянская кухня"}, {"azerbaijani", "азербайджанская кухня"}, {"german", "немецкая кухня"},
    {"regional", "местная кухня"}, {"seafood", "морепродукты"}, {"fish", "рыба"},        {"steak_house", "стейки"},
    {"kebab", "кебаб"},          {"shawarma", "шаурма"},      {"chicken", "курица"},      {"donut", "пончики"},
    {"pancake", "блины"},        {"sandwich", "сэндвичи"},    {"noodle", "лапша"},        {"grill", "гриль"},
    {"barbecue", "шашлык"},      {"dumplings", "пельмени"},   {"pelmeni", "пельмени"},    {"tea", "чай"},
    {"coffee", "кофе"},          {"cake", "торты"},           {"beer", "пиво"},           {"wine", "вино"},
    {"ice_cream", "мороженое"},  {"vegetarian", "вегетарианская кухня"}, {"vegan", "веганская кухня"},
    {"bakery", "выпечка"},       {"breakfast", "завтраки"},   {"crepe", "блины"},         {"soup", "супы"},
};

// Text split at one separator, empty pieces left out.
std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> pieces;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find(separator, start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) pieces.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// Lower case of the capital letters of Russian and English text (UTF-8).
std::string Lowered(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i < out.size(); ++i) {
    const auto c = static_cast<unsigned char>(out[i]);
    if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c + 32);
    } else if (c == 0xD0 && i + 1 < out.size()) {
      const auto d = static_cast<unsigned char>(out[i + 1]);
      if (d >= 0x90 && d <= 0x9F) {  // А..П
        out[i + 1] = static_cast<char>(d + 0x20);
      } else if (d >= 0xA0 && d <= 0xAF) {  // Р..Я
        out[i] = static_cast<char>(0xD1);
        out[i + 1] = static_cast<char>(d - 0x20);
      } else if (d == 0x81) {  // Ё
        out[i] = static_cast<char>(0xD1);
        out[i + 1] = static_cast<char>(0x91);
      }
      ++i;
    }
  }
  return out;
}

const char* Value(const osmium::TagList& tags, const char* key) {
  const char* v = tags.get_value_by_key(key);
  return v ? v : "";
}

void AddWord(std::vector<std::string>& words, const std::string& word) {
  if (!word.empty() && std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
}

std::string RawWords(std::string_view value) {
  std::string text(value);
  std::replace(text.begin(), text.end(), '_', ' ');
  return text;
}

struct FirmKindEntry {
  const FirmKindRule* Rule;
  std::vector<std::string> Words;
};

// The firm kinds by key and value, their words split once.
const std::vector<FirmKindEntry>& FirmKindEntries() {
  static const std::vector<FirmKindEntry> entries = [] {
    std::vector<FirmKindEntry> list;
    for (const FirmKindRule& rule : kFirmKinds) list.push_back({&rule, Split(rule.Words, ' ')});
    return list;
  }();
  return entries;
}

const TagIndex& FirmKindIndex() {
  static const TagIndex index = [] {
    TagIndex i;
    for (size_t k = 0; k < std::size(kFirmKinds); ++k) i.Add(kFirmKinds[k].Key, kFirmKinds[k].Value, static_cast<int>(k));
    return i;
  }();
  return index;
}

// The firm kind of one key's value: the exact rule, else the key's own.
const FirmKindEntry* FindFirmKind(const char* key, const char* value) {
  const auto& entries = FirmKindEntries();
  const std::string_view k(key), v(value);
  const FirmKindEntry* any = nullptr;
  for (const FirmKindEntry& e : entries) {
    if (k != e.Rule->Key) continue;
    if (e.Rule->Value && v == e.Rule->Value) return &e;
    if (!e.Rule->Value) any = &e;
  }
  return any;
}

const TagIndex& RegionIndex() {
  static const TagIndex index = [] {
    TagIndex i;
    for (size_t k = 0; k < std::size(kRegionRules); ++k)
      if (!kRegionRules[k].Also.Key) i.Add(kRegionRules[k].Tag.Key, kRegionRules[k].Tag.Value, static_cast<int>(k));
    return i;
  }();
  return index;
}

const TagIndex& ObjectKindIndex() {
  static const TagIndex index = [] {
    TagIndex i;
    const auto& rules = ObjectKindRules();
    for (size_t k = 0; k < rules.size(); ++k)
      for (const TagTest& t : rules[k].Tags) i.Add(t.Key, t.Value, static_cast<int>(k));
    return i;
  }();
  return index;
}

}  // namespace

const StreetClass* FindStreetClass(std::string_view highway) {
  for (const StreetClass& c : kStreetClasses)
    if (highway == c.Highway) return &c;
  return nullptr;
}

int DrawnWidth(const StreetClass& street) {
  if (street.Width < 3) return street.Width;
  if (street.Motorway || street.Width == 3) return 2;
  return 3;
}

bool IsBridge(const osmium::TagList& tags) {
  const char* bridge = tags.get_value_by_key("bridge");
  return bridge && std::strcmp(bridge, "no") != 0;
}

double RailwayWidthMetres(const osmium::TagList& tags) {
  const char* railway = tags.get_value_by_key("railway");
  if (IsOneOf(tags.get_value_by_key("tunnel"), {"yes", "building_passage"})) return 0;
  if (IsOneOf(railway, {"rail"})) return 6;
  if (IsOneOf(railway, {"light_rail", "narrow_gauge", "monorail"})) return 4;
  return 0;
}

double RiverWidthMetres(const osmium::TagList& tags) {
  const char* waterway = tags.get_value_by_key("waterway");
  if (!IsOneOf(waterway, {"river", "canal"})) return 0;
  if (const char* width = tags.get_value_by_key("width")) {
    const double metres = std::atof(width);
    if (metres >= 1 && metres <= 5000) return metres;
  }
  return std::strcmp(waterway, "river") == 0 ? 12 : 8;
}

bool IsDrawnBoundary(const osmium::TagList& tags) {
  if (!Is(tags, "type", "boundary") || !Is(tags, "boundary", "administrative")) return false;
  const char* level = tags.get_value_by_key("admin_level");
  if (!level) return false;
  const int n = std::atoi(level);
  return n >= 2 && n <= 8;
}

const char* RegionKind(const osmium::TagList& tags) {
  if (tags.has_key("boundary")) return nullptr;  // an administrative area is drawn by its border
  const int rule = RegionIndex().First(tags);
  if (rule < 0) return nullptr;
  // Residential land of a village rather than a town.
  for (const RegionRule& r : kRegionRules)
    if (r.Also.Key && Is(tags, r.Tag.Key, r.Tag.Value) && Is(tags, r.Also.Key, r.Also.Value) &&
        &r < &kRegionRules[rule])
      return r.Kind;
  return kRegionRules[rule].Kind;
}

const std::vector<ObjectKindIcon>& ObjectKindIcons() {
  static const std::vector<ObjectKindIcon> icons = [] {
    std::vector<ObjectKindIcon> list;
    for (const ObjectKindRule& rule : ObjectKindRules()) list.push_back(rule.Icon);
    return list;
  }();
  return icons;
}

int ObjectKindOf(const osmium::TagList& tags) {
  const int kind = ObjectKindIndex().First(tags);
  if (kind < 0) return -1;
  // shop=vacant, craft=no: the kind is there by its key only, nothing is open.
  for (const TagTest& t : ObjectKindRules()[static_cast<size_t>(kind)].Tags) {
    const char* value = tags.get_value_by_key(t.Key);
    if (value && (t.Value ? std::strcmp(value, t.Value) == 0 : !IsOneOf(value, {"no", "vacant", "disused"})))
      return kind;
  }
  return -1;
}

const char* MinorObjectReason(const osmium::TagList& tags, int kind) {
  if (kind < 0) return nullptr;
  const std::string_view name = ObjectKindIcons()[static_cast<size_t>(kind)].Name;
  const bool sports = name == "Спорт и фитнес", fuel = name == "Заправки";
  const bool pool = Is(tags, "leisure", "swimming_pool");
  if ((sports || fuel) && IsOneOf(tags.get_value_by_key("access"), {"private", "no"}))
    return "private swimming pool, gym or fuel station";
  const char* title = tags.get_value_by_key("name");
  if (sports && pool && (!title || !*title)) return "unnamed swimming pool";
  return nullptr;
}

bool FindFirmKinds(const osmium::TagList& tags, FirmKinds& kinds) {
  kinds = {};
  if (FirmKindIndex().First(tags) < 0) return false;  // the common case: no kind of firm at all
  std::vector<std::string> raw;
  bool first = true;
  for (const char* key : {"amenity", "shop", "tourism", "leisure", "healthcare", "office", "craft"}) {
    const char* value = tags.get_value_by_key(key);
    if (!value || IsOneOf(value, {"no", "vacant", "disused"})) continue;
    if (std::strcmp(key, "amenity") == 0 && IsPublicFurniture(value)) continue;
    const FirmKindEntry* kind = FindFirmKind(key, value);
    if (!kind) continue;  // amenity, tourism and leisure values of no business
    if (first) {
      kinds.Title = kind->Words.front();
      kinds.Category = kind->Rule->Cat;
      first = false;
    }
    for (const std::string& w : kind->Words) AddWord(kinds.Words, w);
    // "yes" says only that it is a shop: the key's word says that already.
    if (!kind->Rule->Value && std::strcmp(value, "yes") != 0) AddWord(raw, RawWords(value));
  }
  for (const std::string& w : raw) AddWord(kinds.Words, w);
  return !first;
}

void AddKeyword(std::vector<std::string>& keywords, const std::string& word) {
  const std::string trimmed = Trimmed(word);
  const std::string lowered = Lowered(trimmed);
  for (const std::string& k : keywords)
    if (Lowered(k) == lowered) return;
  if (!trimmed.empty()) keywords.push_back(trimmed);
}

void FirmCategoryColour(int category, int& red, int& green, int& blue) {
  static const int kColours[][3] = {{140, 80, 30},  {130, 40, 160}, {210, 30, 40}, {20, 60, 150},
                                    {220, 100, 160}, {60, 60, 60},   {0, 130, 130}, {30, 140, 200},
                                    {240, 140, 0},  {90, 90, 140},  {110, 80, 50}, {80, 80, 80}};
  const int k = category >= 0 && category <= Other ? category : Other;
  red = kColours[k][0];
  green = kColours[k][1];
  blue = kColours[k][2];
}

std::vector<std::string> CuisineWords(std::string_view cuisine) {
  std::vector<std::string> words;
  for (const std::string& piece : Split(cuisine, ';')) {
    const std::string value = Trimmed(piece);
    if (value.empty()) continue;
    const CuisineWord* known = nullptr;
    for (const CuisineWord& c : kCuisines)
      if (value == c.Value) known = &c;
    AddWord(words, known ? known->Words : RawWords(value));
  }
  return words;
}

std::vector<std::string> ServiceWords(const osmium::TagList& tags) {
  std::vector<std::string> words;
  // service=a;b of car services and repair shops.
  static const std::pair<std::string_view, const char*> kServices[] = {
      {"tyres", "шиномонтаж"},     {"oil_change", "замена масла"}, {"body_repair", "кузовной ремонт"},
      {"car_repair", "ремонт автомобилей"}, {"diagnostics", "диагностика"}, {"car_wash", "автомойка"},
      {"glass", "автостекла"},     {"electrical", "автоэлектрик"},  {"painting", "покраска"},
      {"alignment", "развал-схождение"}, {"repair", "ремонт"},     {"parts", "запчасти"}};
  for (const std::string& piece : Split(Value(tags, "service"), ';')) {
    const std::string value = Trimmed(piece);
    for (const auto& [osm, word] : kServices)
      if (value == osm) AddWord(words, word);
  }
  if (Is(tags, "delivery", "yes")) words.push_back("доставка");
  if (Is(tags, "takeaway", "yes")) words.push_back("на вынос");
  if (IsOneOf(tags.get_value_by_key("internet_access"), {"wlan", "yes", "wifi"})) words.push_back("wi-fi");
  if (Is(tags, "drive_through", "yes")) words.push_back("автокафе");
  if (Is(tags, "opening_hours", "24/7")) words.push_back("круглосуточно");
  return words;
}

std::string OpeningHoursText(std::string_view openingHours) {
  if (openingHours == "24/7") return "круглосуточно";
  static const std::pair<std::string_view, const char*> kNames[] = {
      {"Mo", "Пн"}, {"Tu", "Вт"}, {"We", "Ср"}, {"Th", "Чт"},          {"Fr", "Пт"},
      {"Sa", "Сб"}, {"Su", "Вс"}, {"PH", "праздники"}, {"off", "выходной"}, {"closed", "закрыто"}};
  const auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
  std::string text;
  for (size_t i = 0; i < openingHours.size();) {
    const size_t end = i + 1;
    if (isLetter(openingHours[i]) && (i == 0 || !isLetter(openingHours[i - 1]))) {
      size_t wordEnd = i;
      while (wordEnd < openingHours.size() && isLetter(openingHours[wordEnd])) ++wordEnd;
      const std::string_view word = openingHours.substr(i, wordEnd - i);
      const auto name = std::find_if(std::begin(kNames), std::end(kNames), [&](const auto& n) { return n.first == word; });
      text += name != std::end(kNames) ? std::string(name->second) : std::string(word);
      i = wordEnd;
      continue;
    }
    text += openingHours[i];
    i = end;
  }
  return text;
}

const char* RouteType(std::string_view route) {
  if (route == "bus") return "Автобус";
  if (route == "trolleybus") return "Троллейбус";
  if (route == "tram") return "Трамвай";
  if (route == "share_taxi" || route == "minibus") return "Маршрутное такси";
  if (route == "train") return "Поезд";
  return nullptr;
}

int PlaceLabelSize(const osmium::TagList& tags) {
  const char* value = tags.get_value_by_key("place");
  const std::string_view place = value ? value : "";
  const int capital = CapitalLevel(Value(tags, "capital"));
  if ((place == "city" || place == "town") && capital >= 2 && capital <= 4) return 16;
  if (place == "city") return 15;
  if (place == "town") return 14;
  if (place == "suburb" || place == "city_district" || place == "borough") return 12;
  if (place == "village") return 11;
  if (place == "quarter" || place == "neighbourhood" || place == "hamlet" || place == "square") return 10;
  return 0;
}

int AreaLabelSize(const osmium::TagList& tags) {
  if (Is(tags, "leisure", "park") || Is(tags, "highway", "pedestrian")) return 10;
  return 0;
}

bool IsSettlement(std::string_view place) {
  return place == "city" || place == "town" || place == "village" || place == "hamlet" || place == "suburb";
}

int CapitalLevel(std::string_view capital) {
  if (capital == "yes") return 2;
  int level = 0;
  for (char c : capital) {
    if (c < '0' || c > '9' || level > 100) return 0;
    level = level * 10 + (c - '0');
  }
  return level;
}

int64_t Population(std::string_view population) {
  int64_t n = 0;
  for (char c : population) {
    if (c == ' ' || c == ',') continue;
    if (c < '0' || c > '9') break;
    if (n > 10'000'000'000) return 0;  // no settlement is that large: a mistyped value
    n = n * 10 + (c - '0');
  }
  return n;
}
