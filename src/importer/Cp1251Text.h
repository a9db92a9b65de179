#pragma once
// Text from OpenStreetMap (UTF-8, any script) made fit for the data files:
// every character the Windows-1251 code page lacks is replaced by the closest
// letters it has ("ё" stays, "é" becomes "e", "ә" becomes "а", "ß" becomes
// "ss", what has no likeness becomes "?"; the table is the one the searches
// read typed keys with, mapdata/ClosestLetters.h), line breaks and other control
// characters become spaces, and a value longer than its field is cut at a
// character boundary.  The result is still UTF-8, but every character of it
// is one byte of Windows-1251, so its length in characters is its length in
// the file.  Each change is counted in the report.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "importer/ImportReport.h"

class Cp1251Text {
 public:
  explicit Cp1251Text(ImportReport& report);

  // A field of a data file: never empty (" " stands for nothing), at most
  // maxChars characters.
  std::string Field(std::string_view utf8, size_t maxChars);
  // A line of an information text: may be empty, not cut.
  std::string Line(std::string_view utf8);

  // The number of characters of text this class returned.
  static size_t Length(std::string_view fitted);
  // Cuts fitted text to at most maxChars characters.
  static std::string Cut(std::string_view fitted, size_t maxChars);

 private:
  struct Fitted {
    std::string Text;
    bool Replaced = false;  // a character outside the code page
    bool Controls = false;  // a line break or another control character
  };
  const Fitted& Fit(std::string_view utf8);

  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  ImportReport& report_;
  // Names repeat: each distinct text is fitted once.
  std::unordered_map<std::string, Fitted, Hash, std::equal_to<>> fitted_;
};
