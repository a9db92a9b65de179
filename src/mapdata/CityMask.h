#pragma once
// The scrambling mask of a city, decided once per load for all its scrambled
// files: the configured byte, unless the city's well-formed scrambled files
// agree on another (a data set made with another mask).  Every file is then
// read with that one mask, so a file that is merely cut short is read as far as
// it goes and reported where it ends, instead of choosing a mask of its own.
#include <string>
#include <vector>

#include "mapdata/CityLocation.h"
#include "mapdata/ScrambleMask.h"

// Each scrambled file that ends as a well-formed file ends under exactly one
// mask votes for it (a layer body: CR LF; a firm body: LF, and one LF per field
// of the firm record).  The mask with the most votes wins; the configured mask
// wins a tie, and a city without a vote keeps it.
unsigned char CityScrambleMask(const CityLocation& city, unsigned char configured = kScrambleMask);
// The same with the names in the city's Firms folder listed already (a big
// city's holds some 100 000, which the firms' load lists too).
unsigned char CityScrambleMask(const CityLocation& city, const std::vector<std::string>& firmEntries,
                               unsigned char configured = kScrambleMask);
