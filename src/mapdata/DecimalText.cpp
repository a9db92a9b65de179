#include "mapdata/DecimalText.h"

bool ParseDecimalInt(std::string_view text, int32_t& value) {
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) i = 1;
  if (i == text.size()) return false;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > int64_t{2147483648}) return false;
  }
  const int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT32_MAX || signedValue < INT32_MIN) return false;
  value = static_cast<int32_t>(signedValue);
  return true;
}

std::optional<int32_t> DecimalIntOf(std::string_view text) {
  int32_t value = 0;
  if (!ParseDecimalInt(text, value)) return std::nullopt;
  return value;
}

std::string DecimalText(int64_t value) { return std::to_string(value); }

std::optional<double> DecimalFractionOf(std::string_view text) {
  const size_t digitsFrom = !text.empty() && text[0] == '-' ? 1 : 0;
  const size_t point = text.find('.');
  const auto allDigits = [](std::string_view t) {
    return !t.empty() && t.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (!allDigits(text.substr(digitsFrom, point == std::string_view::npos ? std::string_view::npos : point - digitsFrom)))
    return std::nullopt;
  if (point != std::string_view::npos && !allDigits(text.substr(point + 1))) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<long double> ZoomFieldPercent(std::string_view text) {
  const auto trimmed = [](std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
  };
  text = trimmed(text);
  if (!text.empty() && text.back() == '%') text = trimmed(text.substr(0, text.size() - 1));
  long double whole = 0, fraction = 0, unit = 1;
  bool anyDigit = false, separated = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      anyDigit = true;
      if (separated) fraction += (unit /= 10) * (c - '0');
      else whole = whole * 10 + (c - '0');
    } else if ((c == '.' || c == ',') && !separated) {
      separated = true;
    } else {
      return std::nullopt;
    }
  }
  if (!anyDigit) return std::nullopt;
  return whole + fraction;
}
