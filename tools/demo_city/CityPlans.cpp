// The two bundled demo cities.  Светлогорск: a river town with a long grid,
// a market and a stadium; Озёрск: a wider grid by a lake.
#include "CityPlan.h"

CityPlan SvetlogorskPlan() {
  CityPlan plan;
  plan.DirName = "Светлогорск";
  plan.Title = "Светлогорск";
  plan.About = {
      "Светлогорск — небольшой город на берегу реки Светлой.",
      "Центр города с площадью Победы, Центральным рынком и парком культуры лежит",
      "между Вокзальной улицей и набережной. На востоке — промышленная зона",
      "с заводами и складами, за рекой — посёлок Заречье с садами и полями.",
      "Карта содержит улицы, здания, районы, объекты, фирмы и маршруты транспорта.",
      "Все слои карты хранятся в открытом текстовом виде.",
  };
  plan.Seed = 20240611;
  plan.X0 = 100, plan.StepX = 160, plan.Columns = 11;
  plan.Y0 = 180, plan.StepY = 130, plan.Rows = 7;
  plan.VerticalNames = {"улица Гагарина",  "улица Пушкина",     "проспект Мира",   "улица Чехова",
                        "улица Горького",  "улица Лермонтова",  "Октябрьский проспект", "улица Кирова",
                        "улица Гоголя",    "улица Заводская",   "улица Складская"};
  plan.HorizontalNames = {"Вокзальная улица", "улица Победы",  "Советская улица", "Центральный проспект",
                          "улица Свободы",    "Школьная улица", "улица Строителей"};
  plan.AvenueColumns = {2, 6};
  plan.AvenueRows = {3};
  plan.Specials = {{3, 3, BlockUse::Square, "площадь Победы"},
                   {4, 4, BlockUse::Park, "Парк культуры"},
                   {1, 2, BlockUse::Market, "Центральный рынок"},
                   {6, 5, BlockUse::Stadium, "Стадион «Труд»"},
                   {0, 5, BlockUse::Park, "Сквер Ветеранов"}};
  plan.IndustrialColumns = 2;
  plan.RiverName = "река Светлая";
  plan.EmbankmentName = "Набережная улица";
  plan.RiverAmplitude = 30;
  plan.BridgeColumns = {2, 6};
  plan.SouthStepX = 110, plan.SouthStepY = 90, plan.SouthColumns = 11, plan.SouthRows = 4;
  plan.SouthVerticalNames = {"Рябиновый переулок", "Вишнёвый переулок", "Яблоневый переулок", "Сиреневый переулок",
                             "Кленовый переулок",  "Берёзовый переулок", "Липовый переулок",   "Тополиный переулок",
                             "Каштановый переулок", "Дубовый переулок",  "Ольховый переулок"};
  plan.SouthHorizontalNames = {"Речная улица", "Луговая улица", "Полевая улица", "Лесная улица"};
  plan.LakeCentre = {1600, 1330};
  plan.LakeRadiusX = 110, plan.LakeRadiusY = 70;
  plan.LakeName = "пруд Зеркальный";
  plan.DistrictNames = {"ЦЕНТР", "Промзона", "Заречье", "Вокзальный район"};
  return plan;
}

CityPlan OzerskPlan() {
  CityPlan plan;
  plan.DirName = "Озёрск";
  plan.Title = "Озёрск";
  plan.About = {
      "Озёрск — город на берегу озера Круглого, у впадения в него реки Быстрой.",
      "Широкие проспекты Курчатова и Победы ведут от вокзала к мостам через реку,",
      "за которой раскинулся посёлок Луговой. В центре — Театральная площадь,",
      "городской парк и стадион «Энергия», на востоке — промышленная зона.",
      "Карта содержит улицы, здания, районы, объекты, фирмы и маршруты транспорта.",
      "Все слои карты и файлы фирм хранятся в закрытом (шифрованном) виде.",
  };
  plan.Seed = 19570929;
  plan.X0 = 120, plan.StepX = 175, plan.Columns = 10;
  plan.Y0 = 200, plan.StepY = 140, plan.Rows = 6;
  plan.VerticalNames = {"улица Ломоносова",  "улица Менделеева",  "проспект Курчатова", "улица Королёва",
                        "улица Циолковского", "проспект Победы",  "улица Строителей",   "улица Энергетиков",
                        "улица Монтажников", "Промышленная улица"};
  plan.HorizontalNames = {"Железнодорожная улица", "улица Дружбы",  "Озёрный проспект",
                          "улица Космонавтов",     "улица Матросова", "улица Мичурина"};
  plan.AvenueColumns = {2, 5};
  plan.AvenueRows = {2};
  plan.Specials = {{3, 2, BlockUse::Square, "Театральная площадь"},
                   {1, 3, BlockUse::Park, "Городской парк"},
                   {4, 1, BlockUse::Market, "Рынок «Озёрный»"},
                   {5, 3, BlockUse::Stadium, "Стадион «Энергия»"}};
  plan.IndustrialColumns = 2;
  plan.RiverName = "река Быстрая";
  plan.EmbankmentName = "Набережная Быстрой";
  plan.RiverAmplitude = 40;
  plan.BridgeColumns = {2, 5};
  plan.SouthStepX = 120, plan.SouthStepY = 95, plan.SouthColumns = 9, plan.SouthRows = 4;
  plan.SouthVerticalNames = {"Первый переулок",  "Второй переулок",  "Третий переулок",
                             "Четвёртый переулок", "Пятый переулок",  "Шестой переулок",
                             "Седьмой переулок", "Восьмой переулок", "Девятый переулок"};
  plan.SouthHorizontalNames = {"Береговая улица", "Садовая улица", "Луговая улица", "Дачная улица"};
  plan.LakeCentre = {1560, 1250};
  plan.LakeRadiusX = 230, plan.LakeRadiusY = 150;
  plan.LakeName = "озеро Круглое";
  plan.DistrictNames = {"ЦЕНТР", "Промзона", "Луговой", "Привокзальный"};
  return plan;
}
