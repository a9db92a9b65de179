#include "search/FoldedText.h"

#include <array>

#include "mapdata/Cp1251.h"

namespace {

constexpr unsigned char kUpperYo = 0xA8;  // Ё
constexpr unsigned char kUpperYe = 0xC5;  // Е

// The letters among Windows-1251's 0x80..0xBF, which otherwise holds
// punctuation and signs: Serbian, Macedonian, Ukrainian and Belarusian
// letters, Ё and ё, and µ.
constexpr std::string_view kLettersBelowC0 =
    "\x80\x81\x83\x8A\x8C\x8D\x8E\x8F\x90\x9A\x9C\x9D\x9E\x9F"
    "\xA1\xA2\xA3\xA5\xA8\xAA\xAF\xB2\xB3\xB4\xB5\xB8\xBA\xBC\xBD\xBE\xBF";

const std::array<bool, 256>& WordBytes() {
  static const std::array<bool, 256> table = [] {
    std::array<bool, 256> t{};
    for (int b = '0'; b <= '9'; ++b) t[b] = true;
    for (int b = 'A'; b <= 'Z'; ++b) t[b] = t[b + ('a' - 'A')] = true;
    for (int b = 0xC0; b <= 0xFF; ++b) t[b] = true;
    for (char c : kLettersBelowC0) t[static_cast<unsigned char>(c)] = true;
    t['-'] = true;
    // "?" is what the import writes for a letter the code page has no likeness
    // for, and what such a letter typed into a key becomes: it holds a letter's
    // place inside a word, and only another "?" matches it.
    t['?'] = true;
    return t;
  }();
  return table;
}

}  // namespace

const unsigned char* FoldTable() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = cp1251::Upper(static_cast<unsigned char>(b));
    t[kUpperYo] = kUpperYe;
    t[cp1251::Upper(kUpperYo)] = kUpperYe;
    t[0xB8] = kUpperYe;  // ё
    return t;
  }();
  return table.data();
}

void AppendFolded(std::string& out, std::string_view cp1251Text) {
  const unsigned char* fold = FoldTable();
  const size_t at = out.size();
  out.resize(at + cp1251Text.size());
  for (size_t i = 0; i < cp1251Text.size(); ++i)
    out[at + i] = static_cast<char>(fold[static_cast<unsigned char>(cp1251Text[i])]);
}

std::string Folded(std::string_view cp1251Text) {
  std::string out;
  AppendFolded(out, cp1251Text);
  return out;
}

bool IsWordByte(unsigned char b) { return WordBytes()[b]; }

std::vector<std::string_view> SplitWords(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && !IsWordByte(static_cast<unsigned char>(text[i]))) ++i;
    const size_t start = i;
    bool hasLetterOrDigit = false;
    for (; i < text.size() && IsWordByte(static_cast<unsigned char>(text[i])); ++i)
      hasLetterOrDigit = hasLetterOrDigit || text[i] != '-';
    if (hasLetterOrDigit) words.push_back(text.substr(start, i - start));
  }
  return words;
}
