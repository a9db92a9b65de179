#pragma once
// Numbers in text: one grammar per place where text becomes a number.
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Data files and table cells: an optional leading minus sign, then digits,
// within the 32-bit range.  Nothing else counts as a number (no spaces, no
// plus sign), so that a cell that passed this test converts safely wherever it
// is read again.
bool ParseDecimalInt(std::string_view text, int32_t& value);
// The same, for a cell read where a bad record is simply passed over.
std::optional<int32_t> DecimalIntOf(std::string_view text);
std::string DecimalText(int64_t value);

// Decimal fractions of small text files written by programs (a georeference):
// an optional leading minus sign, digits, and optionally "." and more digits
// ("-12", "4.25"); no exponent, no "inf" or "nan", no spaces, whatever the
// locale.
std::optional<double> DecimalFractionOf(std::string_view text);

// The same text held in place, for a cell written at once (no string of its own).
class NumberText {
 public:
  explicit NumberText(int64_t value)
      : size_(static_cast<size_t>(std::to_chars(text_, text_ + sizeof text_, value).ptr - text_)) {}
  std::string_view View() const { return {text_, size_}; }

 private:
  char text_[20];
  size_t size_;
};

// The zoom field (ZoomEdit) reads a percentage as people type one: a number
// with an optional decimal part after "." or ",", spaces around it and a "%"
// after it allowed ("150", "100.5", "75,5 %").  None for anything else ("1e3",
// "-300", "7 5"), which the field refuses rather than guess at.
std::optional<long double> ZoomFieldPercent(std::string_view text);
