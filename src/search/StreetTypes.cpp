#include "search/StreetTypes.h"

#include <string>
#include <utility>
#include <vector>

#include "mapdata/Cp1251.h"
#include "search/FoldedText.h"

namespace {

// Each type with its full name first, then the forms people and imported
// data abbreviate it to (without their dots), then its Kazakh words as the
// importer folds them into Windows-1251 (ң г ө ү ұ қ ә written н г о у у к а;
// і kept, and also typed as the Latin i).
constexpr const char* kTypeForms[][8] = {
    {"улица", "ул", "кошесі", "кошесi", "кош"},
    {"проспект", "пр", "пр-т", "просп", "прс", "пр-кт", "дангылы", "дан"},
    {"переулок", "пер"},
    {"площадь", "пл", "пл-дь", "аланы"},
    {"бульвар", "б-р", "бул", "бульв", "бульвары"},
    {"набережная", "наб", "жагалауы"},
    {"шоссе", "ш", "тасжолы"},
    {"проезд", "пр-д", "пр", "пр-зд"},
    {"тупик", "туп", "туйык", "туйыгы"},
    {"микрорайон", "мкр", "мкрн", "мкр-н"},
    {"аллея", "аллеясы"},
    {"линия", "лин"},
    {"тракт"},
    {"дорога", "дор", "жолы"},
    {"спуск"},
    {"въезд"},
};
static_assert(std::size(kTypeForms) <= 8 * sizeof(StreetTypeSet), "a bit for every type");

struct Form {
  std::string Folded;
  size_t Type = 0;
  bool InFull = false;
};

const std::vector<Form>& Forms() {
  static const std::vector<Form> forms = [] {
    std::vector<Form> out;
    for (size_t type = 0; type < std::size(kTypeForms); ++type)
      for (size_t k = 0; k < std::size(kTypeForms[type]) && kTypeForms[type][k]; ++k)
        out.push_back({Folded(cp1251::FromUtf8(kTypeForms[type][k])), type, k == 0});
    return out;
  }();
  return forms;
}

}  // namespace

StreetTypeSet StreetTypesOf(std::string_view foldedWord) {
  if (foldedWord.size() > 10) return 0;  // longer than any form
  StreetTypeSet types = 0;
  for (const Form& form : Forms())
    if (form.Folded == foldedWord) types |= StreetTypeSet(1u << form.Type);
  return types;
}

std::optional<StreetTypeWord> StreetTypeWordOf(std::string_view foldedWord) {
  for (const Form& form : Forms())
    if (form.Folded == foldedWord) return StreetTypeWord{kTypeForms[form.Type][0], form.InFull};
  return std::nullopt;
}
