#pragma once
// The alphabetical order of the interface: the Russian locale's rules (Cyrillic
// letters before Latin ones, "ё" beside "е"), letter case ignored.
#include <QCollator>

// With `numbersByValue`, runs of digits compare as numbers: "2" before "10",
// and "10а" after "10".
QCollator RussianCollator(bool numbersByValue);
