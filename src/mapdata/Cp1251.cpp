#include "mapdata/Cp1251.h"

#include <QByteArrayView>

#include <iconv.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace cp1251 {
namespace {

// Converts with iconv; on a character that the target lacks, writes '?' and
// skips one input character (one byte of the source's UTF-8 sequence run).
std::string Convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  std::string out;
  out.resize(in.size() * 4 + 4);
  char* inPtr = const_cast<char*>(in.data());
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  while (inLeft > 0) {
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (rc != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) {
      size_t used = out.size() - outLeft;
      out.resize(out.size() * 2);
      outPtr = out.data() + used;
      outLeft = out.size() - used;
      continue;
    }
    // EILSEQ or EINVAL: replace the offending input with '?'.
    if (outLeft == 0) {
      size_t used = out.size() - outLeft;
      out.resize(out.size() * 2);
      outPtr = out.data() + used;
      outLeft = out.size() - used;
    }
    *outPtr++ = '?';
    --outLeft;
    // Skip the whole offending UTF-8 sequence (lead byte plus continuations).
    ++inPtr;
    --inLeft;
    while (inLeft > 0 && (static_cast<unsigned char>(*inPtr) & 0xC0) == 0x80) {
      ++inPtr;
      --inLeft;
    }
  }
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
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
    const char byte = static_cast<char>(b);
    const QString decoded = QString::fromUtf8(Convert("UTF-8", "CP1251", std::string_view(&byte, 1)));
    if (decoded.size() != 1) continue;
    const QString upper = decoded.toUpper();
    if (upper.size() != 1 || upper == decoded) continue;
    const std::string back = Convert("CP1251", "UTF-8", upper.toStdString());
    if (back.size() == 1 && back[0] != '?') table[b] = static_cast<unsigned char>(back[0]);
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
      const char byte = static_cast<char>(b);
      t[b] = Convert("UTF-8", "CP1251", std::string_view(&byte, 1));
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

std::string FromUtf8(std::string_view utf8Text) { return Convert("CP1251", "UTF-8", utf8Text); }

std::string FileNameToCp1251(std::string_view nameOnDisk) {
  return ConvertNameParts(nameOnDisk, FromUtf8, [](std::string_view part) { return std::string(part); });
}

std::string FileNameToUtf8(std::string_view nameOnDisk) {
  return ConvertNameParts(nameOnDisk, [](std::string_view part) { return std::string(part); }, ToUtf8);
}

QString ToQString(std::string_view cp1251Text) { return QString::fromStdString(ToUtf8(cp1251Text)); }

std::string FromQString(const QString& text) { return FromUtf8(text.toStdString()); }

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
