#pragma once
// Numbers in the data files are decimal integer text: an optional leading minus
// sign, then digits, within the 32-bit range.  Nothing else counts as a number
// (no spaces, no plus sign), so a cell that passed this test converts safely
// wherever it is read again.
#include <cstdint>
#include <string>
#include <string_view>

bool ParseDecimalInt(std::string_view text, int32_t& value);
std::string DecimalText(int64_t value);
