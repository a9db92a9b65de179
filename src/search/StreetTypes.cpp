#include "search/StreetTypes.h"

#include <string>
#include <utility>
#include <vector>

#include "mapdata/Cp1251.h"
#include "search/FoldedText.h"

namespace {

// Each type with its full name first, then the forms people and imported
// data abbreviate it to (without their dots).
constexpr const char* kTypeForms[][6] = {
    {"улица", "ул"},
    {"проспект", "пр", "пр-т", "просп", "прс", "пр-кт"},
    {"переулок", "пер"},
    {"площадь", "пл"},
    {"бульвар", "б-р", "бул"},
    {"набережная", "наб"},
    {"шоссе", "ш"},
    {"проезд", "пр-д", "пр"},
    {"тупик", "туп"},
    {"микрорайон", "мкр", "мкрн"},
};

const std::vector<std::pair<std::string, StreetTypeSet>>& Forms() {
  static const std::vector<std::pair<std::string, StreetTypeSet>> forms = [] {
    std::vector<std::pair<std::string, StreetTypeSet>> out;
    for (size_t type = 0; type < std::size(kTypeForms); ++type)
      for (const char* form : kTypeForms[type])
        if (form) out.emplace_back(Folded(cp1251::FromUtf8(form)), StreetTypeSet(1u << type));
    return out;
  }();
  return forms;
}

}  // namespace

StreetTypeSet StreetTypesOf(std::string_view foldedWord) {
  if (foldedWord.size() > 10) return 0;  // longer than any form
  StreetTypeSet types = 0;
  for (const auto& [form, type] : Forms())
    if (form == foldedWord) types |= type;
  return types;
}
