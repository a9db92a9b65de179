#include "search/Collation.h"

#include <QString>

#include <array>

#include "mapdata/Cp1251.h"

namespace {

// Every character Windows-1251 holds, in order, lower case only; the letters
// of each alphabet in their readers' order, the other Cyrillic letters beside
// their Russian neighbours.  "ё" is "е" but for the second level.
constexpr char16_t kOrder[] =
    u"\t\n\r \u00A0"
    u"_-\u2013\u2014,;:!?.\u2026'\u2018\u2019\u201A\"\u201C\u201D\u201E\u00AB\u00BB()[]{}\u00A7\u00B6@*/\\&#%\u2030"
    u"\u2020\u2021\u2022`\u00B4^\u00B0\u00A9\u00AE+\u00B1<=>\u00AC|\u00A6~\u00A4\u00B5$\u20AC\u2122\u2116"
    u"0123456789"
    u"\u0430\u0431\u0432\u0433\u0491\u0434\u0452\u0453\u0435\u0454\u0436\u0437\u0455\u0438\u0456\u0457\u0439\u0458"
    u"\u043A\u043B\u0459\u043C\u043D\u045A\u043E\u043F\u0440\u0441\u0442\u045B\u045C\u0443\u045E\u0444\u0445\u0446"
    u"\u0447\u045F\u0448\u0449\u044A\u044B\u044C\u044D\u044E\u044F"
    u"abcdefghijklmnopqrstuvwxyz";

constexpr unsigned char kEndOfFirstLevel = 0x00;

struct Weight {
  unsigned char First = 0x02;  // characters left out of kOrder (controls) come first
  unsigned char Second = 0x00;
  bool Digit = false;
};

std::array<Weight, 256> BuildWeights() {
  const std::u16string_view order(kOrder);
  std::array<Weight, 256> weights{};
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    QString text = cp1251::ToQString(std::string_view(&byte, 1)).toLower();
    Weight& w = weights[static_cast<size_t>(b)];
    if (text == QString(QChar(0x0451))) {  // ё
      text = QString(QChar(0x0435));
      w.Second = 1;
    }
    if (text.size() != 1) continue;
    const size_t at = order.find(text[0].unicode());
    if (at == std::u16string_view::npos) continue;
    w.First = static_cast<unsigned char>(0x03 + at);
    w.Digit = text[0] >= u'0' && text[0] <= u'9';
  }
  return weights;
}

const std::array<Weight, 256>& Weights() {
  static const std::array<Weight, 256> weights = BuildWeights();
  static_assert(sizeof(kOrder) / sizeof(char16_t) + 0x03 < 256, "the weights fit a byte");
  return weights;
}

// A run of digits by its value: its length without leading zeros first, then
// its digits, so that a longer number is the greater.
size_t AppendNumber(std::string_view text, size_t at, std::string& key) {
  const auto& weights = Weights();
  size_t end = at;
  while (end < text.size() && weights[static_cast<unsigned char>(text[end])].Digit) ++end;
  size_t first = at;
  while (first + 1 < end && text[first] == '0') ++first;
  key.push_back(static_cast<char>(weights['0'].First));  // among the digits, after punctuation
  key.push_back(static_cast<char>(0x02 + std::min<size_t>(end - first, 250)));
  for (size_t i = first; i < end; ++i) key.push_back(static_cast<char>(weights[static_cast<unsigned char>(text[i])].First));
  return end;
}

}  // namespace

std::string RussianSortKey(std::string_view cp1251Text, bool numbersByValue) {
  const auto& weights = Weights();
  std::string key;
  key.reserve(cp1251Text.size() * 2 + 1);
  for (size_t i = 0; i < cp1251Text.size();) {
    const Weight& w = weights[static_cast<unsigned char>(cp1251Text[i])];
    if (numbersByValue && w.Digit) {
      i = AppendNumber(cp1251Text, i, key);
      continue;
    }
    key.push_back(static_cast<char>(w.First));
    ++i;
  }
  key.push_back(static_cast<char>(kEndOfFirstLevel));
  for (const char c : cp1251Text) key.push_back(static_cast<char>(weights[static_cast<unsigned char>(c)].Second));
  return key;
}
