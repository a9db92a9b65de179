#include <algorithm>
#include <array>

#include "mapdata/Cp1251.h"
#include "search/ListSearch.h"

namespace {

// The converter's upper case of every byte, copied once so that the scan is a
// plain table look-up per byte.
const unsigned char* UpperTable() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = cp1251::Upper(static_cast<unsigned char>(b));
    return t;
  }();
  return table.data();
}

}  // namespace

KeyMatcher::KeyMatcher(std::string_view key) : upperKey_(cp1251::Upper(key)), upper_(UpperTable()) {}

bool KeyMatcher::Matches(std::string_view searched) const {
  const size_t length = searched.size();
  const size_t keyLength = upperKey_.size();
  if (length < 2 || keyLength > length) return false;
  if (keyLength == 0) return true;  // the empty window at position 0
  // Start positions stop at L - 2, and a window must end inside the text.
  const size_t lastStart = std::min(length - 2, length - keyLength);
  const auto* text = reinterpret_cast<const unsigned char*>(searched.data());
  const auto* key = reinterpret_cast<const unsigned char*>(upperKey_.data());
  const unsigned char first = key[0];
  for (size_t p = 0; p <= lastStart; ++p) {
    if (upper_[text[p]] != first) continue;
    size_t i = 1;
    while (i < keyLength && upper_[text[p + i]] == key[i]) ++i;
    if (i == keyLength) return true;
  }
  return false;
}

bool MatchesKey(std::string_view searched, std::string_view key) { return KeyMatcher(key).Matches(searched); }
