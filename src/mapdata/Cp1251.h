#pragma once
// Text of the data files and of the interface is single-byte Windows-1251.
// Tables keep the bytes as read; these helpers convert at the edges (widgets,
// command-line output, file names) with the system's converter (iconv).
#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace cp1251 {

// Windows-1251 bytes to UTF-8.  Never fails: 0x98, the one byte the code page
// leaves undefined, reads as '?'.  AppendUtf8 adds the UTF-8 to `out`.
std::string ToUtf8(std::string_view cp1251Text);
void AppendUtf8(std::string& out, std::string_view cp1251Text);
// UTF-8 to Windows-1251.  Characters the code page lacks become '?'.
std::string FromUtf8(std::string_view utf8Text);
// UTF-8 to Windows-1251 as names are imported: characters the code page lacks
// become their closest letters (ClosestLetters.h), "?" only where nothing looks
// alike.  What the user types reaches the tables this way, so that a key
// finds what the import made of the same name.
std::string FromUtf8Closest(std::string_view utf8Text);

// The byte of a character in the code page; none when the code page lacks it.
std::optional<char> ByteOf(char32_t c);

// A file name or path as it lies on disk, for showing.  Names are UTF-8 here,
// but data sets unpacked from Windows archives keep Windows-1251 bytes in them:
// a '/'-separated part that is not valid UTF-8 is taken as Windows-1251.  The
// bytes on disk stay what every lookup uses; these are for tables and messages.
std::string FileNameToCp1251(std::string_view nameOnDisk);
std::string FileNameToUtf8(std::string_view nameOnDisk);

QString ToQString(std::string_view cp1251Text);
std::string FromQStringClosest(const QString& text);

// Upper case of one Windows-1251 byte, Latin and Cyrillic letters ("ё" too),
// from a table built once through the converter and Unicode case mapping.
unsigned char Upper(unsigned char c);
std::string Upper(std::string_view cp1251Text);

}  // namespace cp1251
