#pragma once
// The closest letters Windows-1251 has for a character it lacks: "é" is "e",
// "ß" is "ss", "ł" is "l", "ә" is "а", "→" is "->", and what has no likeness
// is "?".  Imported names and typed search keys both go through this one
// table, so a name typed as it is written abroad ("Fürst") finds what the
// import made of it ("Furst").
#include <string>

namespace cp1251 {

// Whether the code page has the character (ASCII included).
bool InCodePage(char32_t c);

// Appends to `utf8Out` the character itself when the code page has it, else
// its closest letters, as UTF-8 every character of which the code page has.
void AppendClosestUtf8(std::string& utf8Out, char32_t c);

}  // namespace cp1251
