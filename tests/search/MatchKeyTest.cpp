#include <gtest/gtest.h>

#include <random>

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

namespace {

// Testing the parts of a text in place finds exactly what testing the joined
// text finds: random texts over a small alphabet (both cases, CR, space), split
// at random points, some parts empty.
TEST(KeyMatcher, PartsInPlaceAgreeWithTheJoinedText) {
  const std::string alphabet = W("аАбБёЁ") + "aB \r";
  std::mt19937 rng(7);
  auto randomText = [&](size_t maxLength) {
    std::string s(rng() % (maxLength + 1), ' ');
    for (char& c : s) c = alphabet[rng() % alphabet.size()];
    return s;
  };
  int matches = 0;
  for (int round = 0; round < 20000; ++round) {
    const std::string joined = randomText(9);
    const std::string key = randomText(4);
    std::vector<std::string_view> parts;
    size_t at = 0;
    while (at < joined.size() || parts.size() < 1 + rng() % 3) {
      const size_t n = std::min(joined.size() - at, size_t(rng() % 4));
      parts.emplace_back(joined.data() + at, n);
      at += n;
    }
    const KeyMatcher matcher(key);
    const bool expected = matcher.Matches(std::string_view(joined));
    ASSERT_EQ(matcher.Matches(std::span<const std::string_view>(parts)), expected)
        << "text " << U(joined) << " key " << U(key);
    matches += expected;
  }
  EXPECT_GT(matches, 1000);  // both outcomes well represented
  EXPECT_LT(matches, 19000);
}

TEST(KeyMatcher, JoinedPartsFollowTheStartPositionRule) {
  const KeyMatcher a(W("а"));
  EXPECT_FALSE(a.Matches({W("Пицц"), W("а")}));  // the last character of the whole text
  EXPECT_TRUE(a.Matches({W("Пицц"), W("а"), std::string_view(" ")}));
  EXPECT_TRUE(KeyMatcher(W("каМи")).Matches({W("Аптека"), W("Мира"), "3"}));
  EXPECT_FALSE(KeyMatcher(W("мираул")).Matches({W("Мира"), "\r", W("улица")}));
  EXPECT_TRUE(KeyMatcher("").Matches({"", "a", "", "b"}));
  EXPECT_FALSE(KeyMatcher("").Matches({"", "a", ""}));
}

}  // namespace
