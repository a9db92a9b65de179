// Text from OpenStreetMap made fit for the data files: the closest letters of
// Windows-1251 for what it lacks (as search keys are read), spaces for line
// breaks, fields cut at a character boundary, every change counted.
#include <gtest/gtest.h>

#include "importer/Cp1251Text.h"
#include "mapdata/Cp1251.h"

namespace {

TEST(Cp1251Text, WritesTheClosestLettersAndCountsTheChange) {
  struct Case {
    const char* In;
    const char* Out;
    bool Replaced;
  };
  const Case cases[] = {
      {"улица Ленина", "улица Ленина", false},
      {"ёЁ №5 «Ромашка» — 10 €", "ёЁ №5 «Ромашка» — 10 €", false},
      {"Ґанок і ї є ў", "Ґанок і ї є ў", false},  // Ukrainian and Belarusian letters are in the code page
      {"Әуезов көшесі", "Ауезов кошесі", true},
      {"Straße", "Strasse", true},
      {"Café Rømer", "Cafe Romer", true},
      {"Łódź", "Lodz", true},
      {"Север → Восток", "Север -> Восток", true},
      {"кофе ☕", "кофе ?", true},
      {"\xff\xfe", "??", true},  // not UTF-8 at all
  };
  for (const Case& c : cases) {
    ImportReport report;
    Cp1251Text text(report);
    const std::string fitted = text.Line(c.In);
    EXPECT_EQ(fitted, c.Out) << c.In;
    EXPECT_EQ(cp1251::ToUtf8(cp1251::FromUtf8(fitted)), fitted) << "every letter is one of the code page: " << c.In;
    EXPECT_EQ(report.Changed.size(), c.Replaced ? 1u : 0u) << c.In;
    EXPECT_EQ(cp1251::FromUtf8Closest(c.In), cp1251::FromUtf8(fitted)) << "a key typed so finds the name: " << c.In;
  }
}

TEST(Cp1251Text, FieldsAreNeverEmptyHoldNoLineBreakAndAreCutAtTheirLimit) {
  ImportReport report;
  Cp1251Text text(report);
  EXPECT_EQ(text.Field("", 10), " ");
  EXPECT_EQ(text.Field("два\r\nряда", 20), "два  ряда");
  EXPECT_EQ(text.Field("абвгдеж", 3), "абв");
  EXPECT_EQ(text.Field("Straße", 5), "Stras");  // cut after the closest letters are written
  EXPECT_EQ(report.Changed, (std::map<std::string, size_t>{
                                {"line break or control character in a text (a space written)", 1},
                                {"text longer than its field (cut)", 2},
                                {"text with characters outside Windows-1251 (closest letters written)", 1}}));
}

}  // namespace
