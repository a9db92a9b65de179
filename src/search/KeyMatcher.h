#pragma once
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// The case-insensitive "contains" test of both searches over Windows-1251 text.
// The key is upper-cased once; each searched text is compared byte by byte
// through the upper-case table, at start positions 0 to L - 2 (L its length):
// a one-character key is never found at the last character, a text shorter
// than two characters never matches (not even the empty key), and a window that
// runs past the end does not match.  No trimming: spaces count.
class KeyMatcher {
 public:
  explicit KeyMatcher(std::string_view key);
  // A plain "contains" test with ё read as е as well as case folded: at every
  // start position, for texts of any length.  Used to pass over, in one scan,
  // the rows that neither the test above nor the word test could match.
  static KeyMatcher Folded(std::string_view foldedKey);

  bool Matches(std::string_view searched) const { return Matches(std::span<const std::string_view>(&searched, 1)); }
  // The text made of `parts` joined end to end, tested without building it.
  bool Matches(std::span<const std::string_view> parts) const;
  bool Matches(std::initializer_list<std::string_view> parts) const {
    return Matches(std::span<const std::string_view>(parts.begin(), parts.size()));
  }

 private:
  KeyMatcher(std::string key, const unsigned char* table, bool lastTwoStarts);
  std::string upperKey_;
  const unsigned char* upper_;  // upper case (or folded form) of every Windows-1251 byte
  bool skipsLastStart_;         // start positions stop at L - 2
};
