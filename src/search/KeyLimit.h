#pragma once
// The bound on a search key.  The word tests cost the words of the key times
// the distinct words of the city: a pasted text would freeze the window for a
// minute.  A key is searched for by its first words only; the field's length
// is bounded as well.
#include <string>
#include <string_view>

// The words (as the word test splits them) and characters of a key searched for.
constexpr size_t kMaxKeyWords = 10;
constexpr size_t kMaxKeyChars = 200;
// The most a search field holds.
constexpr int kKeyFieldMaxLength = 1000;

struct BoundedKey {
  std::string Key;   // the key's beginning: at most kMaxKeyChars, up to the end of its kMaxKeyWords-th word
  bool Cut = false;  // something of the key was left out
};
BoundedKey BoundKey(std::string_view key);

// What the window says beside a field whose key was cut (UTF-8).
std::string KeyCutNote();
