#include <gtest/gtest.h>

#include "search/ListSearch.h"
#include "search/SearchFixture.h"

namespace {

bool Match(const std::string& textUtf8, const std::string& keyUtf8) { return MatchesKey(W(textUtf8), W(keyUtf8)); }

TEST(MatchesKey, IgnoresLetterCaseOfCyrillicAndLatin) {
  EXPECT_TRUE(Match("Ленина", "ленина"));
  EXPECT_TRUE(Match("ЛЕНИНА", "ленина"));
  EXPECT_TRUE(Match("улица ленина", "ЛЕНИН"));
  EXPECT_TRUE(Match("Pizza Hut", "ZA h"));
  EXPECT_FALSE(Match("Ленина", "мира"));
}

TEST(MatchesKey, FoldsYoBothWays) {
  EXPECT_TRUE(Match("ЁЛКИНА", "ёлк"));
  EXPECT_TRUE(Match("ёлкина", "ЁЛК"));
  // "Ё" is a letter of its own, not "Е".
  EXPECT_FALSE(Match("Елкина", "ёлк"));
}

TEST(MatchesKey, OneCharacterKeyIsNeverFoundAtTheLastCharacter) {
  EXPECT_FALSE(Match("Пицца", "а"));
  EXPECT_TRUE(Match("Аптека", "а"));    // the first letter
  EXPECT_TRUE(Match("Пицца", "ц"));     // not the last one
  EXPECT_FALSE(MatchesKey("ab", "b"));  // start positions 0 .. L - 2 = 0
  EXPECT_TRUE(MatchesKey("ab", "a"));
}

TEST(MatchesKey, LongerKeysMayEndAtTheLastCharacter) {
  EXPECT_TRUE(MatchesKey("abc", "bc"));
  EXPECT_TRUE(MatchesKey("abc", "abc"));
  EXPECT_TRUE(Match("Мира", "ИРА"));
}

TEST(MatchesKey, WindowRunningPastTheEndDoesNotMatch) {
  EXPECT_FALSE(MatchesKey("abc", "abcd"));
  EXPECT_FALSE(MatchesKey("abc", "cd"));
  EXPECT_FALSE(MatchesKey("ab", "bc"));
}

TEST(MatchesKey, TextsShorterThanTwoCharactersNeverMatch) {
  EXPECT_FALSE(MatchesKey("", ""));
  EXPECT_FALSE(MatchesKey("a", ""));
  EXPECT_FALSE(MatchesKey("a", "a"));
  EXPECT_TRUE(MatchesKey("ab", ""));  // the empty key matches at position 0
}

TEST(MatchesKey, SpacesCountAndAreNotTrimmed) {
  EXPECT_FALSE(Match("Ленина", " ленина"));
  EXPECT_TRUE(Match("ул. Ленина", " ленина"));
  EXPECT_FALSE(Match("Ленина 5", "ленина  5"));
}

TEST(MatchesKey, NonLettersCompareAsTheyAre) {
  EXPECT_TRUE(MatchesKey("No. 12/3", "12/3"));
  EXPECT_FALSE(MatchesKey("Mira\rulica", "miraul"));
  EXPECT_TRUE(MatchesKey("Mira\rulica", "a\ru"));  // the joiner itself is an ordinary byte
}

TEST(MatchesKey, AllBytesOfTheCodePageAreSafe) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_TRUE(MatchesKey(all, all.substr(200, 20)));
  EXPECT_TRUE(MatchesKey(all, std::string(1, '\0')));
  EXPECT_TRUE(MatchesKey(all, std::string(1, '\xFF')));  // "я" finds the "Я" (0xDF) inside
  EXPECT_FALSE(MatchesKey(all.substr(0, 0xDF), std::string(1, '\xFF')));
  EXPECT_FALSE(MatchesKey(all.substr(0, 0xBC), std::string(1, '\xBB')));  // "»" only as the last byte

}

}  // namespace
