#include <gtest/gtest.h>

#include "mapdata/Cp1251.h"

TEST(Cp1251, RoundTripsRussianText) {
  const std::string utf8 = "Ёлка, улица Ленина";
  const std::string bytes = cp1251::FromUtf8(utf8);
  EXPECT_EQ(bytes.size(), 18u);  // one byte a character
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xA8);  // Ё
  EXPECT_EQ(cp1251::ToUtf8(bytes), utf8);
}

TEST(Cp1251, UpperCasesLatinAndCyrillicIncludingYo) {
  EXPECT_EQ(cp1251::ToUtf8(cp1251::Upper(cp1251::FromUtf8("ёжик abc Ленина"))), "ЁЖИК ABC ЛЕНИНА");
  // Non-letters stay as they are.
  EXPECT_EQ(cp1251::Upper(std::string("12 -,\r\n")), std::string("12 -,\r\n"));
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(cp1251::FromUtf8("a\xE2\x82\xACz"), "a\x88z");  // the euro sign exists in 1251 (0x88)
  EXPECT_EQ(cp1251::FromUtf8("a\xE4\xB8\xADz"), "a?z");      // a CJK character does not
}

TEST(Cp1251, EveryByteOfTheCodePageReadsAsItsCharacter) {
  std::string all;
  for (int b = 0; b < 256; ++b)
    if (b != 0x98) all += static_cast<char>(b);  // the one byte the code page leaves undefined
  const std::string utf8 = cp1251::ToUtf8(all);
  EXPECT_EQ(cp1251::FromUtf8(utf8), all);
  for (const char* letters : {"АБВ", "эюя", "Ё©Є«", "ё№є»", "ЂЃ", "€‰"}) EXPECT_NE(utf8.find(letters), std::string::npos) << letters;
  // The undefined byte reads as '?'; the letters after it are not lost with it.
  EXPECT_EQ(cp1251::ToUtf8("a\x98z"), "a?z");
  EXPECT_EQ(cp1251::ToUtf8("a\x98\xC0"), "a?А");
  EXPECT_EQ(cp1251::ToUtf8("a\x98\xA8\xB9z"), "a?Ё№z");
}

// Text from outside (a typed word, a file name) may not be well-formed UTF-8:
// each malformed sequence becomes one '?' and the text after it is kept.
TEST(Cp1251, MalformedUtf8BecomesOneQuestionMarkPerSequence) {
  struct Case {
    const char* Utf8;
    std::string Bytes;
  };
  const Case cases[] = {
      {"a\xC3z", "a?z"},               // cut short
      {"a\xC3", "a?"},                 // cut short at the end
      {"a\x80\x80z", "a?z"},           // stray continuation bytes
      {"a\xC0\xAFz", "a?z"},           // an overlong '/'
      {"a\xED\xA0\x80z", "a?z"},       // a surrogate
      {"a\xF0\x9F\x98\x80z", "a?z"},   // a character beyond the code page
      {"\xD0\x81\xFF\xD0\x81", "\xA8?\xA8"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(cp1251::FromUtf8(c.Utf8), c.Bytes) << c.Utf8;
  EXPECT_EQ(cp1251::FromUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}
