#include "search/KeyLimit.h"

#include <vector>

#include "search/FoldedText.h"

BoundedKey BoundKey(std::string_view key) {
  const std::string_view head = key.substr(0, kMaxKeyChars);
  const std::vector<std::string_view> words = SplitWords(head);
  if (words.size() <= kMaxKeyWords) return {std::string(head), head.size() < key.size()};
  const std::string_view last = words[kMaxKeyWords - 1];
  return {std::string(head.substr(0, static_cast<size_t>(last.data() - head.data()) + last.size())), true};
}

std::string KeyCutNote() {
  return "Ключ сокращён: ищутся первые " + std::to_string(kMaxKeyWords) + " слов, не больше " +
         std::to_string(kMaxKeyChars) + " знаков";
}
