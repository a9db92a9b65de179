#pragma once
// Texts of the messages about malformed data files (UTF-8).  A message names the
// file, the record (counted from 1; 0 for the file as a whole) and what is wrong:
//   Файл /…/Data/Streets.txt, запись 3: количество точек «x» не является целым числом.
//   Файл /…/Data/Streets.crpt: длина данных 200000 больше допустимой (102400).
#include <filesystem>
#include <string>
#include <string_view>

// A value from a data file (Windows-1251) for a message: «…» around its UTF-8
// text, CR and LF shown as \r and \n, long values cut after 40 characters.
std::string QuotedValue(std::string_view cp1251Value);

// The file's path as the user should read it (UTF-8, native separators).
std::string PathForMessage(const std::filesystem::path& file);

// "Файл PATH, запись N: WHAT." (or "Файл PATH: WHAT." for record 0).
std::string DataProblemMessage(const std::filesystem::path& file, int record, const std::string& what);
