#include "search/KeyMatcher.h"

#include <algorithm>
#include <array>
#include <utility>

#include "mapdata/Cp1251.h"
#include "search/FoldedText.h"

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

const unsigned char* Bytes(std::string_view s) { return reinterpret_cast<const unsigned char*>(s.data()); }

}  // namespace

KeyMatcher::KeyMatcher(std::string_view key) : KeyMatcher(cp1251::Upper(key), UpperTable(), true) {}

KeyMatcher::KeyMatcher(std::string key, const unsigned char* table, bool lastTwoStarts)
    : upperKey_(std::move(key)), upper_(table), skipsLastStart_(lastTwoStarts) {}

KeyMatcher KeyMatcher::Folded(std::string_view foldedKey) {
  return KeyMatcher(std::string(foldedKey), FoldTable(), false);
}

// Positions are counted over the whole joined text.  Each part is scanned with
// a plain pointer for the key's first letter; only there is the rest of the key
// compared, walking on into the following parts when the window reaches them.
bool KeyMatcher::Matches(std::span<const std::string_view> parts) const {
  size_t length = 0;
  for (std::string_view part : parts) length += part.size();
  const size_t keyLength = upperKey_.size();
  if (skipsLastStart_ && length < 2) return false;
  if (keyLength > length) return false;
  if (keyLength == 0) return true;  // the empty window at position 0
  // Start positions stop at L - 2 (in the specified test), and a window must
  // end inside the text.
  const size_t lastStart = skipsLastStart_ ? std::min(length - 2, length - keyLength) : length - keyLength;
  const unsigned char* key = Bytes(upperKey_);
  const unsigned char first = key[0];

  size_t base = 0;  // position of the current part's first byte
  for (size_t part = 0; part < parts.size() && base <= lastStart; base += parts[part].size(), ++part) {
    const unsigned char* text = Bytes(parts[part]);
    const size_t size = parts[part].size();
    const size_t end = std::min(size, lastStart - base + 1);  // starts inside this part
    for (size_t q = 0; q < end; ++q) {
      if (upper_[text[q]] != first) continue;
      // Compare key[1..] with the bytes after q, crossing into later parts.
      size_t i = 1;
      size_t at = part;
      size_t pos = q + 1;
      while (i < keyLength) {
        while (pos == parts[at].size()) {  // the window fits, so a later part has the byte
          ++at;
          pos = 0;
        }
        if (upper_[Bytes(parts[at])[pos]] != key[i]) break;
        ++i;
        ++pos;
      }
      if (i == keyLength) return true;
    }
  }
  return false;
}
