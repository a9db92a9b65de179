#include "mapdata/ClosestLetters.h"

#include <QChar>
#include <QList>
#include <QString>

#include "mapdata/Cp1251.h"

namespace cp1251 {
namespace {

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

bool IsMark(char32_t c) {
  const QChar::Category category = QChar::category(c);
  return category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing ||
         category == QChar::Mark_SpacingCombining;
}

// A look-alike first; else the letters the character decomposes into, less
// their accents, when none of them is without likeness; else "?".
void AppendClosest(std::string& out, char32_t c, int depth) {
  if (const std::optional<char> byte = ByteOf(c)) return AppendUtf8(out, std::string_view(&*byte, 1));
  if (const char* like = Likeness(c)) {
    out += like;
    return;
  }
  const QString parts = QChar::decomposition(c);
  if (!parts.isEmpty() && depth < 3) {
    std::string letters;
    for (const char32_t part : parts.toUcs4())
      if (!IsMark(part)) AppendClosest(letters, part, depth + 1);
    if (!letters.empty() && letters.find('?') == std::string::npos) {
      out += letters;
      return;
    }
  }
  out += '?';
}

}  // namespace

bool InCodePage(char32_t c) { return ByteOf(c).has_value(); }

void AppendClosestUtf8(std::string& utf8Out, char32_t c) { AppendClosest(utf8Out, c, 0); }

}  // namespace cp1251
