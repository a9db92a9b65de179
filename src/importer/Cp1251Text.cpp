#include "importer/Cp1251Text.h"

#include "mapdata/ClosestLetters.h"

namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// The next code point of UTF-8 text, kInvalid for a broken sequence (one
// byte is consumed then).
char32_t NextCodePoint(std::string_view text, size_t& at) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(at);
  int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || at + length > text.size()) {
    ++at;
    return kInvalid;
  }
  char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    if ((byte(at + k) & 0xC0) != 0x80) {
      ++at;
      return kInvalid;
    }
    cp = (cp << 6) | (byte(at + k) & 0x3F);
  }
  at += length;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsControl(char32_t cp) { return cp < 0x20 || cp == 0x7F || cp == 0x85 || cp == 0x2028 || cp == 0x2029; }

// The closest letters of the code page, as the search reads typed keys; "?"
// for a broken sequence.
void AppendClosest(std::string& out, char32_t cp) {
  if (cp == kInvalid)
    out += '?';
  else
    cp1251::AppendClosestUtf8(out, cp);
}

// Printable ASCII is the same in both and needs no fitting.
bool IsPlainAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) return false;
  return true;
}

}  // namespace

Cp1251Text::Cp1251Text(ImportReport& report) : report_(report) {}

const Cp1251Text::Fitted& Cp1251Text::Fit(std::string_view utf8) {
  const auto known = fitted_.find(utf8);
  if (known != fitted_.end()) return known->second;
  Fitted fitted;
  fitted.Text.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, at);
    if (cp != kInvalid && IsControl(cp)) {
      fitted.Controls = true;
      fitted.Text += ' ';
    } else if (cp != kInvalid && cp1251::InCodePage(cp)) {
      AppendUtf8(fitted.Text, cp);
    } else {
      fitted.Replaced = true;
      AppendClosest(fitted.Text, cp);
    }
  }
  return fitted_.emplace(std::string(utf8), std::move(fitted)).first->second;
}

std::string Cp1251Text::Line(std::string_view utf8) {
  if (IsPlainAscii(utf8)) return std::string(utf8);
  const Fitted& fitted = Fit(utf8);
  if (fitted.Replaced) report_.Change("text with characters outside Windows-1251 (closest letters written)");
  if (fitted.Controls) report_.Change("line break or control character in a text (a space written)");
  return fitted.Text;
}

std::string Cp1251Text::Field(std::string_view utf8, size_t maxChars) {
  std::string text = Line(utf8);
  if (Length(text) > maxChars) {
    text = Cut(text, maxChars);
    report_.Change("text longer than its field (cut)");
  }
  return text.empty() ? std::string(" ") : text;
}

size_t Cp1251Text::Length(std::string_view fitted) {
  size_t n = 0;
  for (char c : fitted)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

std::string Cp1251Text::Cut(std::string_view fitted, size_t maxChars) {
  size_t n = 0, at = 0;
  for (; at < fitted.size(); ++at)
    if ((static_cast<unsigned char>(fitted[at]) & 0xC0) != 0x80 && n++ == maxChars) break;
  return std::string(fitted.substr(0, at));
}
