#include <gtest/gtest.h>

#include <random>

#include "search/KeyMatcher.h"
#include "search/SearchFixture.h"

namespace {

// The match test on one text, as both searches call it: Windows-1251 text and key.
TEST(KeyMatcher, FindsTheKeyInATextAsTheSearchesNeedIt) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  struct Case {
    std::string Text, Key;
    bool Matches;
    const char* Why;
  };
  const std::vector<Case> cases{
      {W("Ленина"), W("ленина"), true, "letter case of Cyrillic and Latin is ignored"},
      {W("ЛЕНИНА"), W("ленина"), true, ""},
      {W("улица ленина"), W("ЛЕНИН"), true, ""},
      {"Pizza Hut", "ZA h", true, ""},
      {W("Ленина"), W("мира"), false, ""},
      {W("ЁЛКИНА"), W("ёлк"), true, "ё folds both ways"},
      {W("ёлкина"), W("ЁЛК"), true, ""},
      {W("Елкина"), W("ёлк"), false, "ё is a letter of its own, not е"},
      {W("Пицца"), W("а"), false, "a one-character key is never found at the last character"},
      {W("Аптека"), W("а"), true, "the first letter"},
      {W("Пицца"), W("ц"), true, "not the last one"},
      {"ab", "b", false, "start positions 0 .. L - 2 = 0"},
      {"ab", "a", true, ""},
      {"abc", "bc", true, "longer keys may end at the last character"},
      {"abc", "abc", true, ""},
      {W("Мира"), W("ИРА"), true, ""},
      {"abc", "abcd", false, "a window running past the end does not match"},
      {"abc", "cd", false, ""},
      {"ab", "bc", false, ""},
      {"", "", false, "texts shorter than two characters never match"},
      {"a", "", false, ""},
      {"a", "a", false, ""},
      {"ab", "", true, "the empty key matches at position 0"},
      {W("Ленина"), W(" ленина"), false, "spaces count and are not trimmed"},
      {W("ул. Ленина"), W(" ленина"), true, ""},
      {W("Ленина 5"), W("ленина  5"), false, ""},
      {"No. 12/3", "12/3", true, "non-letters compare as they are"},
      {"Mira\rulica", "miraul", false, ""},
      {"Mira\rulica", "a\ru", true, "the joiner itself is an ordinary byte"},
      {all, all.substr(200, 20), true, "all bytes of the code page are safe"},
      {all, std::string(1, '\0'), true, ""},
      {all, std::string(1, '\xFF'), true, "я finds the Я (0xDF) inside"},
      {all.substr(0, 0xDF), std::string(1, '\xFF'), false, ""},
      {all.substr(0, 0xBC), std::string(1, '\xBB'), false, "» only as the last byte"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(KeyMatcher(c.Key).Matches(std::string_view(c.Text)), c.Matches)
        << U(c.Text.substr(0, 40)) << " / " << U(c.Key) << ": " << c.Why;
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
