#pragma once
// What a street way is called on the map: its record's type and name and the
// text of its label.  A type word at either end of the name, full or
// abbreviated, in Russian or Kazakh ("ул. Мира", "Абая прс.", "Байтурсынова
// көшесі"), is the street's type and leaves the name ("Абая"), and the label
// reads as the status bar does, the type first ("проспект Абая").  A type
// word within the name leaves it too ("2-й Переулок Ленина": переулок
// "2-й Ленина"): the name never repeats its type.  The words
// are those of the search's table of street types (search/StreetTypes.h).
#include <string>
#include <string_view>

#include "importer/TagMapping.h"

struct StreetNaming {
  std::string Type;   // "МОСТ", "ТРАССА", the type the name says, else "улица"
  std::string Name;   // as written, without its type word
  std::string Label;  // "" for an unnamed way
};

// `name` is the way's name as in the data (UTF-8, bridge:name for a bridge).
StreetNaming NameStreet(const StreetClass& street, std::string_view name, bool bridge);
