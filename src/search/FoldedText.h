#pragma once
#include <string>
#include <string_view>
#include <vector>

// Text as the word searches compare it: Windows-1251 upper case with Ё read
// as Е, so that a key typed with е finds a name written with ё and back.
const unsigned char* FoldTable();  // the folded form of every byte
void AppendFolded(std::string& out, std::string_view cp1251Text);
std::string Folded(std::string_view cp1251Text);

// Letters (Latin and every Cyrillic letter of Windows-1251), digits, the
// hyphen ("пр-т", "Нарьян-Мар") and "?" (a letter the code page lacks, as
// imported and as typed) make words; everything else separates them, the dot
// included ("ул.Мира" is two words).
bool IsWordByte(unsigned char b);
inline bool IsDigitByte(unsigned char b) { return b >= '0' && b <= '9'; }

// The words of a text, in order, as views into it.  Runs of hyphens alone
// are no word.
std::vector<std::string_view> SplitWords(std::string_view text);
