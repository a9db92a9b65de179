#include "Cp1251Text.h"

#include <QChar>
#include <QList>
#include <QString>

#include <unordered_set>

#include "mapdata/Cp1251.h"

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

// The characters of the code page above ASCII, asked of the system's converter.
const std::unordered_set<char32_t>& CodePageLetters() {
  static const std::unordered_set<char32_t> letters = [] {
    std::unordered_set<char32_t> set;
    for (int b = 0x80; b <= 0xFF; ++b) {
      const char byte = static_cast<char>(b);
      const std::string utf8 = cp1251::ToUtf8(std::string_view(&byte, 1));
      size_t at = 0;
      const char32_t cp = utf8.empty() ? kInvalid : NextCodePoint(utf8, at);
      if (cp != kInvalid && cp != 0xFFFD && at == utf8.size()) set.insert(cp);
    }
    return set;
  }();
  return letters;
}

bool InCodePage(char32_t cp) { return cp < 0x80 || CodePageLetters().count(cp) > 0; }

bool IsControl(char32_t cp) { return cp < 0x20 || cp == 0x7F || cp == 0x85 || cp == 0x2028 || cp == 0x2029; }

// Letters that no decomposition reaches: Latin letters of their own, the
// Cyrillic letters of Kazakh, Tatar, Bashkir and others, punctuation.
const char* Likeness(char32_t cp) {
  switch (cp) {
    case U'ß': return "ss";
    case U'æ': return "ae";
    case U'Æ': return "AE";
    case U'œ': return "oe";
    case U'Œ': return "OE";
    case U'ø': return "o";
    case U'Ø': return "O";
    case U'ł': return "l";
    case U'Ł': return "L";
    case U'đ': return "d";
    case U'Đ': return "D";
    case U'ð': return "d";
    case U'Ð': return "D";
    case U'þ': return "th";
    case U'Þ': return "Th";
    case U'ħ': return "h";
    case U'Ħ': return "H";
    case U'ı': return "i";
    case U'ŋ': return "n";
    case U'ə': return "e";
    case U'Ə': return "E";
    case U'ә': return "а";
    case U'Ә': return "А";
    case U'ғ': return "г";
    case U'Ғ': return "Г";
    case U'қ': return "к";
    case U'Қ': return "К";
    case U'ҡ': return "к";
    case U'Ҡ': return "К";
    case U'ң': return "н";
    case U'Ң': return "Н";
    case U'ө': return "о";
    case U'Ө': return "О";
    case U'ұ': return "у";
    case U'Ұ': return "У";
    case U'ү': return "у";
    case U'Ү': return "У";
    case U'һ': return "х";
    case U'Һ': return "Х";
    case U'ҳ': return "х";
    case U'Ҳ': return "Х";
    case U'ҷ': return "ч";
    case U'Ҷ': return "Ч";
    case U'ҙ': return "з";
    case U'Ҙ': return "З";
    case U'ҫ': return "с";
    case U'Ҫ': return "С";
    case U'ӏ': return "I";
    case U'Ӏ': return "I";
    case U'‐': case U'‑': case U'‒': case U'−': return "-";
    case U'′': return "'";
    case U'″': return "\"";
    case U'→': return "->";
    case U'←': return "<-";
    case U'↔': return "<->";
    case U'×': return "x";
    case U'÷': return ":";
    case U'≤': return "<=";
    case U'≥': return ">=";
    case U'≈': return "~";
    case U'\u2009': case U'\u202F': case U'\u2007': case U'\u2002': case U'\u2003': return " ";
    case U'\u200B': case U'\u200C': case U'\u200D': case U'\u2060': case U'\uFEFF': return "";
    default: return nullptr;
  }
}

// The closest letters of the code page, "?" when nothing looks alike.
void AppendClosest(std::string& out, char32_t cp, int depth = 0) {
  if (cp != kInvalid && InCodePage(cp)) return AppendUtf8(out, cp);
  if (cp != kInvalid) {
    if (const char* like = Likeness(cp)) {
      out += like;
      return;
    }
    const QString parts = QChar::decomposition(cp);
    if (!parts.isEmpty() && depth < 3) {
      std::string letters;
      for (const char32_t part : parts.toUcs4())
        if (QChar::category(part) != QChar::Mark_NonSpacing && QChar::category(part) != QChar::Mark_Enclosing &&
            QChar::category(part) != QChar::Mark_SpacingCombining)
          AppendClosest(letters, part, depth + 1);
      if (!letters.empty() && letters.find('?') == std::string::npos) {
        out += letters;
        return;
      }
    }
  }
  out += '?';
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
    } else if (cp != kInvalid && InCodePage(cp)) {
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
