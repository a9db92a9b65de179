#include "mapdata/Cp1251.h"

#include <QByteArrayView>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <array>
#include <stdexcept>
#include <unordered_map>

#include "mapdata/ClosestLetters.h"

namespace cp1251 {
namespace {

// The character of a byte of the code page, from the system's converter (iconv
// or Windows' own); 0 for the one byte the code page leaves undefined (0x98).
char32_t DecodeByte(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte == 0x98) return 0;
#ifdef _WIN32
  const char in = static_cast<char>(byte);
  wchar_t out = 0;
  if (MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, &in, 1, &out, 1) != 1) return 0;
  return out;
#else
  iconv_t cd = iconv_open("UTF-32LE", "CP1251");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  char in = static_cast<char>(byte);
  unsigned char out[4] = {};
  char* inPtr = &in;
  char* outPtr = reinterpret_cast<char*>(out);
  size_t inLeft = 1, outLeft = sizeof out;
  const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1) || outLeft != 0) return 0;
  return out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24;
#endif
}

const std::array<char32_t, 256>& CharacterOfByte() {
  static const std::array<char32_t, 256> table = [] {
    std::array<char32_t, 256> t{};
    for (int b = 0; b < 256; ++b) t[b] = DecodeByte(static_cast<unsigned char>(b));
    return t;
  }();
  return table;
}

// The byte of a character, '?' where the code page lacks it.
char ByteOfCharacter(char32_t c) {
  if (c < 0x80) return static_cast<char>(c);
  static const std::unordered_map<char32_t, char> bytes = [] {
    std::unordered_map<char32_t, char> m;
    for (int b = 0x80; b < 256; ++b)
      if (CharacterOfByte()[b] != 0) m.emplace(CharacterOfByte()[b], static_cast<char>(b));
    return m;
  }();
  const auto it = bytes.find(c);
  return it == bytes.end() ? '?' : it->second;
}

void AppendCharacterUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// One UTF-8 sequence at `at`: its character, or 0 when it is no well-formed
// sequence (overlong, a surrogate, cut short, a stray continuation byte).
char32_t DecodeUtf8(std::string_view in, size_t at, size_t& length) {
  const auto lead = static_cast<unsigned char>(in[at]);
  const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  length = 1;
  if (lead < 0x80) return lead;
  if (IsContinuation(lead) || lead > 0xF4) return 0;
  char32_t c = lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    if (at + i >= in.size()) return 0;
    const auto next = static_cast<unsigned char>(in[at + i]);
    if (!IsContinuation(next)) return 0;
    c = c << 6 | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  length = static_cast<size_t>(extra) + 1;
  return c;
}

// Each '/'-separated part of a name converted on its own: a UTF-8 part by
// `fromUtf8`, any other by `fromCp1251`.
template <typename FromUtf8Part, typename FromCp1251Part>
std::string ConvertNameParts(std::string_view name, FromUtf8Part fromUtf8, FromCp1251Part fromCp1251) {
  std::string out;
  out.reserve(name.size());
  size_t start = 0;
  while (true) {
    const size_t slash = name.find('/', start);
    const std::string_view part = name.substr(start, slash == std::string_view::npos ? slash : slash - start);
    const bool utf8 = QByteArrayView(part.data(), static_cast<qsizetype>(part.size())).isValidUtf8();
    out += utf8 ? fromUtf8(part) : fromCp1251(part);
    if (slash == std::string_view::npos) return out;
    out += '/';
    start = slash + 1;
  }
}

std::array<unsigned char, 256> BuildUpperTable() {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b) {
    table[b] = static_cast<unsigned char>(b);
    if (b < 0x80) {
      if (b >= 'a' && b <= 'z') table[b] = static_cast<unsigned char>(b - 'a' + 'A');
      continue;
    }
    const char32_t decoded = CharacterOfByte()[b];
    if (decoded == 0) continue;
    const char32_t upper = QChar::toUpper(decoded);
    if (upper == decoded) continue;
    const char back = ByteOfCharacter(upper);
    if (back != '?') table[b] = static_cast<unsigned char>(back);
  }
  return table;
}

// The UTF-8 of every byte of the code page, converted once: the tables and the
// lists convert cell after cell, and opening the converter for each cell cost
// more than the rest of a dump.  The one byte the code page leaves undefined
// (0x98) reads as '?'.
const std::array<std::string, 256>& Utf8OfBytes() {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> t;
    for (int b = 0; b < 256; ++b) {
      const char32_t c = CharacterOfByte()[b];
      AppendCharacterUtf8(t[b], c == 0 && b >= 0x80 ? U'?' : c);
    }
    return t;
  }();
  return table;
}

}  // namespace

// Byte by byte; the bytes after an undefined one are read as themselves.
void AppendUtf8(std::string& out, std::string_view cp1251Text) {
  const std::array<std::string, 256>& table = Utf8OfBytes();
  for (const char c : cp1251Text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80)
      out += c;
    else
      out += table[byte];
  }
}

std::string ToUtf8(std::string_view cp1251Text) {
  std::string out;
  out.reserve(cp1251Text.size() * 2);
  AppendUtf8(out, cp1251Text);
  return out;
}

std::optional<char> ByteOf(char32_t c) {
  const char byte = ByteOfCharacter(c);
  if (byte == '?' && c != U'?') return std::nullopt;
  return byte;
}

namespace {

// A malformed sequence becomes one '?' with the continuation bytes that follow
// it; a well-formed character the code page lacks is written by `lacking`.
template <typename WriteLacking>
std::string FromUtf8With(std::string_view utf8Text, WriteLacking lacking) {
  std::string out;
  out.reserve(utf8Text.size());
  for (size_t at = 0; at < utf8Text.size();) {
    size_t length = 1;
    const char32_t c = DecodeUtf8(utf8Text, at, length);
    const bool malformed = c == 0 && utf8Text[at] != 0;
    if (malformed) {
      out += '?';
    } else if (const std::optional<char> byte = ByteOf(c)) {
      out += *byte;
    } else {
      lacking(out, c);
    }
    at += length;
    if (malformed)
      while (at < utf8Text.size() && IsContinuation(static_cast<unsigned char>(utf8Text[at]))) ++at;
  }
  return out;
}

}  // namespace

std::string FromUtf8(std::string_view utf8Text) {
  return FromUtf8With(utf8Text, [](std::string& out, char32_t) { out += '?'; });
}

// The closest letters are written as UTF-8 of the code page's characters only,
// so converting them back cannot lose anything.
std::string FromUtf8Closest(std::string_view utf8Text) {
  return FromUtf8With(utf8Text, [](std::string& out, char32_t c) {
    std::string letters;
    AppendClosestUtf8(letters, c);
    out += FromUtf8(letters);
  });
}

std::string FileNameToCp1251(std::string_view nameOnDisk) {
  return ConvertNameParts(nameOnDisk, FromUtf8, [](std::string_view part) { return std::string(part); });
}

std::string FileNameToUtf8(std::string_view nameOnDisk) {
  return ConvertNameParts(nameOnDisk, [](std::string_view part) { return std::string(part); }, ToUtf8);
}

QString ToQString(std::string_view cp1251Text) { return QString::fromStdString(ToUtf8(cp1251Text)); }

std::string FromQStringClosest(const QString& text) { return FromUtf8Closest(text.toStdString()); }

unsigned char Upper(unsigned char c) {
  static const std::array<unsigned char, 256> table = BuildUpperTable();
  return table[c];
}

std::string Upper(std::string_view cp1251Text) {
  std::string out(cp1251Text);
  for (char& c : out) c = static_cast<char>(Upper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace cp1251
