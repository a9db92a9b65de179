#include "importer/StreetNaming.h"

#include <cctype>
#include <optional>

#include "importer/Cp1251Text.h"
#include "mapdata/Cp1251.h"
#include "search/FoldedText.h"
#include "search/StreetTypes.h"

namespace {

// Letters of any script, digits and the hyphen make words; spaces, dots and
// the rest of ASCII part them.
bool IsWordByte(unsigned char b) { return b >= 0x80 || std::isalnum(b) || b == '-'; }
bool HasWord(std::string_view text) {
  for (char c : text)
    if (IsWordByte(static_cast<unsigned char>(c))) return true;
  return false;
}

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The type a word says, the word folded as the import writes names.
std::optional<StreetTypeWord> TypeOfWord(std::string_view utf8Word) {
  if (utf8Word.empty() || utf8Word.size() > 40) return std::nullopt;
  ImportReport unused;
  Cp1251Text text(unused);
  return StreetTypeWordOf(Folded(cp1251::FromUtf8(text.Line(utf8Word))));
}

struct TypeAtEnd {
  StreetTypeWord Word;
  std::string_view Rest;  // the name without the word
};

// "ул. Мира", "ул.Мира", "улица Мира".
std::optional<TypeAtEnd> TypeInFront(std::string_view name) {
  size_t end = 0;
  while (end < name.size() && IsWordByte(static_cast<unsigned char>(name[end]))) ++end;
  size_t rest = end;
  if (rest < name.size() && name[rest] == '.') ++rest;
  while (rest < name.size() && name[rest] == ' ') ++rest;
  if (end == 0 || rest == end || !HasWord(name.substr(rest))) return std::nullopt;
  const auto word = TypeOfWord(name.substr(0, end));
  if (!word) return std::nullopt;
  return TypeAtEnd{*word, name.substr(rest)};
}

// "Абая прс.", "Мира улица".
std::optional<TypeAtEnd> TypeBehind(std::string_view name) {
  size_t end = name.size();
  if (end > 0 && name[end - 1] == '.') --end;
  size_t begin = end;
  while (begin > 0 && IsWordByte(static_cast<unsigned char>(name[begin - 1]))) --begin;
  if (begin == end || begin == 0 || name[begin - 1] != ' ') return std::nullopt;
  const std::string_view rest = Trimmed(name.substr(0, begin));
  if (!HasWord(rest)) return std::nullopt;
  const auto word = TypeOfWord(name.substr(begin, end - begin));
  if (!word) return std::nullopt;
  return TypeAtEnd{*word, rest};
}

// With a type word at both ends, the one that can only be a type wins
// ("Набережная ул."), then "улица" ("улица Набережная"), then the first.
int Strength(const StreetTypeWord& w) {
  return (w.InFull ? 0 : 2) + (std::string_view(w.FullName) == "улица" ? 1 : 0);
}

// A type word elsewhere in the name still says the type.  Written in full it
// leaves the name, the words around it kept in their order ("2-й Переулок
// Ленина": переулок "2-й Ленина"), so that the type is not written twice where
// the two are joined; an abbreviation (an initial, perhaps: "Ш.") stays.
std::optional<TypeAtEnd> TypeWithin(std::string_view name, std::string& rest) {
  for (size_t at = 0; at < name.size();) {
    size_t end = at;
    while (end < name.size() && IsWordByte(static_cast<unsigned char>(name[end]))) ++end;
    if (end > at)
      if (const auto word = TypeOfWord(name.substr(at, end - at))) {
        rest = std::string(Trimmed(name.substr(0, at)));
        const std::string_view after = Trimmed(name.substr(end));
        if (!after.empty()) rest += (rest.empty() ? "" : " ") + std::string(after);
        if (!word->InFull || !HasWord(rest)) rest = name;
        return TypeAtEnd{*word, rest};
      }
    at = end + 1;
  }
  return std::nullopt;
}

}  // namespace

StreetNaming NameStreet(const StreetClass& street, std::string_view name, bool bridge) {
  const std::string written(name);
  if (bridge) return {"МОСТ", written, written};
  if (street.Motorway) return {"ТРАССА", written, written};
  const std::string_view trimmed = Trimmed(name);
  const auto front = TypeInFront(trimmed), behind = TypeBehind(trimmed);
  const std::optional<TypeAtEnd>& type =
      front && behind ? (Strength(behind->Word) > Strength(front->Word) ? behind : front) : front ? front : behind;
  if (type) {
    const std::string rest(type->Rest);
    return {type->Word.FullName, rest, std::string(type->Word.FullName) + " " + rest};
  }
  std::string rest;
  if (const auto within = TypeWithin(trimmed, rest)) {
    if (rest == trimmed) return {within->Word.FullName, written, written};
    return {within->Word.FullName, rest, std::string(within->Word.FullName) + " " + rest};
  }
  return {"улица", written, written};
}
