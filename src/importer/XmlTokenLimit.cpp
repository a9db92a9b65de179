// The XML of an extract read once, after decompression, by a scanner that
// knows just enough of XML to tell where a tag, a comment or a run of text
// begins and ends, and refuses the first that is longer than the limit.  It
// also refuses a coordinate with an exponent that makes it huge ("1e300"):
// libosmium's reader overflows on one, its result undefined, so that such a
// point cannot be left out as one off the globe (latitude 91, longitude 181).
// What would bring such a coordinate past it is refused as well: a character
// or entity reference in a coordinate, a declaration (<!DOCTYPE>, whose
// entities and default attributes the XML parser applies) and any encoding
// but UTF-8 (by the byte order mark, by zero bytes at the start or by the XML
// declaration).  An object with more tags than OpenStreetMap takes, or a
// key, value or role longer, is refused here, before libosmium builds the
// whole object in memory (ObjectLimits.h).
#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <osmium/io/any_compression.hpp>
#include <osmium/io/file.hpp>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "importer/InputCheck.h"
#include "importer/ObjectLimits.h"
#include "mapdata/NativeName.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kHeadBytes = 256;  // of a tag: enough for its name and id
constexpr size_t kValueBytes = 64;  // of an attribute's value: enough for a coordinate
// A coordinate libosmium reads without overflow, with room to spare: it
// multiplies the value's digits by powers of ten into 64 bits.
constexpr double kLargestCoordinate = 1000;

bool IsCoordinateName(std::string_view name) {
  for (std::string_view c : {"lat", "lon", "minlat", "minlon", "maxlat", "maxlon", "min_lat", "min_lon", "max_lat",
                             "max_lon"})
    if (name == c) return true;
  return false;
}

// A coordinate whose exponent takes it past what libosmium reads safely.
bool IsHugeCoordinate(const std::string& value, bool cut, bool exponent) {
  if (!exponent) return false;  // plain digits: libosmium checks them
  if (cut) return true;
  const double v = std::strtod(value.c_str(), nullptr);
  return !std::isfinite(v) || std::fabs(v) > kLargestCoordinate;
}

// A tag's key or value, a member's role: text OpenStreetMap limits.
bool IsLimitedText(std::string_view element, std::string_view attribute) {
  return (element == "tag" && (attribute == "k" || attribute == "v")) || (element == "member" && attribute == "role");
}

std::string LimitedTextName(std::string_view attribute) {
  return attribute == "k" ? "ключ тега" : attribute == "v" ? "значение тега" : "роль участника";
}

// Why the first bytes of the XML are not UTF-8, "" when they may be.
std::string OpeningFault(std::string_view opening) {
  static constexpr std::string_view kUtf32Be("\0\0\xFE\xFF", 4), kUtf32Le("\xFF\xFE\0\0", 4);
  const std::string only = ", читается только UTF-8";
  if (opening.starts_with("\xEF\xBB\xBF")) return {};
  if (opening.starts_with(kUtf32Be) || opening.starts_with(kUtf32Le))
    return "файл в кодировке UTF-32 (по метке порядка байтов)" + only;
  if (opening.starts_with("\xFE\xFF") || opening.starts_with("\xFF\xFE"))
    return "файл в кодировке UTF-16 (по метке порядка байтов)" + only;
  if (opening.find('\0') != std::string_view::npos)
    return "файл в кодировке UTF-16 или UTF-32 (нулевые байты в начале)" + only;
  return {};
}

// The encoding an XML declaration (<?xml ... ?>, from "?xml") names, "" when
// it names none.
std::string DeclaredEncoding(std::string_view declaration) {
  const size_t name = declaration.find("encoding");
  if (name == std::string_view::npos) return {};
  size_t at = declaration.find_first_not_of(" \t\r\n=", name + 8);
  if (at == std::string_view::npos || (declaration[at] != '"' && declaration[at] != '\'')) return {};
  const size_t end = declaration.find(declaration[at], at + 1);
  if (end == std::string_view::npos) return {};
  return std::string(declaration.substr(at + 1, end - at - 1));
}

bool IsUtf8Name(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name == "utf-8";
}

bool IsNameByte(char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '=' && c != '/' && c != '>'; }

class XmlTokenScanner {
 public:
  explicit XmlTokenScanner(size_t maxBytes) : max_(maxBytes) {}

  // False at the first token longer than the limit or other fault.
  bool Feed(std::string_view bytes) {
    if (opening_.size() < kOpeningBytes) {
      opening_ += bytes.substr(0, kOpeningBytes - opening_.size());
      if (opening_.size() == kOpeningBytes && !Finish()) return false;
    }
    for (const char c : bytes) {
      if (c == '\n') ++line_;
      Step(c);
      if (length_ > max_ || !fault_.empty()) return false;
      before_ = last_;
      last_ = c;
    }
    return true;
  }

  // False when the file's first bytes (all of them, in a file shorter than
  // that) are not UTF-8.
  bool Finish() {
    if (fault_.empty()) fault_ = OpeningFault(opening_);
    return fault_.empty();
  }

  // Where the token the scanner stopped at lies and what it is.
  std::string Fault() const {
    std::string where = "строка " + std::to_string(line_);
    const std::string own = RecordOf(head_);
    if (InTag() && !own.empty())
      where += ", запись " + own;
    else if (!record_.empty())
      where += (inRecord_ ? ", запись " : ", после записи ") + record_;
    if (!fault_.empty()) return where + ": " + fault_;
    return where + ": " + TokenName() + " длиннее " + std::to_string(max_) + " байт";
  }

 private:
  enum class State { Text, MarkupStart, Tag, Quoted, Comment, CData, Instruction };

  bool InTag() const { return state_ == State::MarkupStart || state_ == State::Tag || state_ == State::Quoted; }

  std::string TokenName() const {
    switch (state_) {
      case State::Text: return "текст";
      case State::Comment: return "комментарий";
      case State::CData: return "раздел CDATA";
      case State::Instruction: return "инструкция обработки";
      default: return "тег <" + TagName(head_) + ">";
    }
  }

  void Step(char c) {
    switch (state_) {
      case State::Text:
        if (c == '<') {
          state_ = State::MarkupStart;
          length_ = 1;
          head_.clear();
        } else {
          ++length_;
        }
        return;
      case State::MarkupStart:
        ++length_;
        head_ += c;
        Classify();
        if (state_ == State::Tag) InTagStep(c);
        return;
      case State::Tag:
      case State::Quoted:
        ++length_;
        if (head_.size() < kHeadBytes) head_ += c;
        InTagStep(c);
        return;
      case State::Comment:
        ++length_;
        if (c == '>' && last_ == '-' && before_ == '-') EndMarkup();
        return;
      case State::CData:
        ++length_;
        if (c == '>' && last_ == ']' && before_ == ']') EndMarkup();
        return;
      case State::Instruction:
        ++length_;
        head_ += c;  // bounded by the limit of a token
        if (c == '>' && last_ == '?') {
          CheckDeclaration();
          EndMarkup();
        }
        return;
    }
  }

  // What a markup is, once its first bytes tell.
  void Classify() {
    static constexpr std::string_view kComment = "!--", kCData = "![CDATA[";
    if (head_ == kComment) {
      state_ = State::Comment;
    } else if (head_ == kCData) {
      state_ = State::CData;
    } else if (head_ == "?") {
      state_ = State::Instruction;
    } else if (!kComment.starts_with(head_) && !kCData.starts_with(head_)) {
      state_ = State::Tag;
    }
  }

  void InTagStep(char c) {
    if (state_ == State::Quoted) {
      if (c == quote_) {
        state_ = State::Tag;
        CheckValue();
      } else {
        NoteValueByte(c);
      }
    } else if (c == '"' || c == '\'') {
      state_ = State::Quoted;
      quote_ = c;
      valueName_ = attribute_;
      value_.clear();
      valueCut_ = reference_ = inReference_ = exponent_ = false;
      valueCharacters_ = 0;
      attribute_.clear();
    } else if (IsNameByte(c)) {
      if (nameEnded_) attribute_.clear();
      nameEnded_ = false;
      if (attribute_.size() < kValueBytes) attribute_ += c;
    } else if (c != '=') {
      nameEnded_ = true;
      if (c == '>') {
        NoteRecord(last_ == '/');
        EndMarkup();
      }
    }
  }

  void NoteValueByte(char c) {
    // Kept to a character's end past the bytes shown, so that what is shown
    // is cut at a character (Utf8Prefix).
    if (value_.size() < kValueBytes + 3)
      value_ += c;
    else
      valueCut_ = true;
    if (c == 'e' || c == 'E') exponent_ = true;
    if (c == '&') {
      reference_ = inReference_ = true;
      ++valueCharacters_;
    } else if (inReference_) {
      inReference_ = c != ';';
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++valueCharacters_;
    }
  }

  std::string ShownValue() const {
    const bool cut = valueCut_ || value_.size() > kValueBytes;
    return "\"" + Utf8Prefix(value_, kValueBytes) + (cut ? "...\"" : "\"");
  }

  void CheckValue() {
    if (IsCoordinateName(valueName_)) {
      const std::string coordinate = "координата " + valueName_ + "=" + ShownValue();
      if (reference_)
        fault_ = coordinate + " записана ссылкой на знак, а в координате ссылки не читаются";
      else if (IsHugeCoordinate(value_, valueCut_, exponent_))
        fault_ = coordinate + " не читается";
    } else if (valueCharacters_ > kMaxTextCharacters && IsLimitedText(TagName(head_), valueName_)) {
      fault_ = LimitedTextName(valueName_) + " " + ShownValue() + " длиннее " + std::to_string(kMaxTextCharacters) +
               " знаков";
    }
  }

  void CheckDeclaration() {
    if (TagName(head_) != "?xml") return;
    if (const std::string encoding = DeclaredEncoding(head_); !encoding.empty() && !IsUtf8Name(encoding))
      fault_ = "кодировка \"" + Utf8Prefix(encoding, kValueBytes) + "\" в объявлении XML, читается только UTF-8";
  }

  void EndMarkup() {
    state_ = State::Text;
    length_ = 0;
    attribute_.clear();
    nameEnded_ = true;
  }

  // The node, way or relation a tag opens or closes.
  // Also: a tag of a record counted, and a declaration refused.
  void NoteRecord(bool selfClosing) {
    const std::string name = TagName(head_);
    if (name == "/node" || name == "/way" || name == "/relation") {
      inRecord_ = false;
    } else if (const std::string record = RecordOf(head_); !record.empty()) {
      record_ = record;
      inRecord_ = !selfClosing;
      tags_ = 0;
    } else if (name == "tag" && inRecord_ && ++tags_ > kMaxObjectTags) {
      fault_ = "больше " + std::to_string(kMaxObjectTags) + " тегов";
    } else if (name.starts_with('!')) {
      fault_ = "объявление <" + Utf8Prefix(name, kValueBytes) + "> в данных не принимается";
    }
  }

  static std::string TagName(const std::string& head) {
    return head.substr(0, head.find_first_of(" \t\r\n/>", head.starts_with('/') ? 1 : 0));
  }

  // "way 12" for the head of <way id="12" ...>, else "".
  static std::string RecordOf(const std::string& head) {
    const std::string name = TagName(head);
    if (name != "node" && name != "way" && name != "relation") return {};
    for (const char* id : {" id=\"", " id='"}) {
      const size_t at = head.find(id);
      if (at == std::string::npos) continue;
      const size_t from = at + 5;
      const size_t to = head.find_first_not_of("-0123456789", from);
      if (to != std::string::npos && to > from) return name + " " + head.substr(from, to - from);
    }
    return {};
  }

  static constexpr size_t kOpeningBytes = 4;  // enough for any byte order mark

  size_t max_;
  std::string opening_;
  State state_ = State::Text;
  size_t length_ = 0;
  std::string head_;
  char quote_ = 0, last_ = 0, before_ = 0;
  size_t line_ = 1;
  std::string record_;
  bool inRecord_ = false;
  std::string attribute_, valueName_, value_;  // the attribute being read and its value
  bool nameEnded_ = true, valueCut_ = false;
  bool reference_ = false, inReference_ = false, exponent_ = false;  // of the value
  size_t valueCharacters_ = 0;  // a reference counted as one
  size_t tags_ = 0;             // of the record being read
  std::string fault_;           // what is wrong with the token the scanner stopped at
};

}  // namespace

bool CheckXmlTokens(const fs::path& input, size_t maxTokenBytes, std::string& error) {
  const osmium::io::File file{NativeString(input)};
#ifdef _WIN32
  const int fd = _wopen(input.c_str(), _O_RDONLY | _O_BINARY);  // the wide name: any letters
#else
  const int fd = open(input.c_str(), O_RDONLY | O_CLOEXEC);
#endif
  if (fd < 0) {
    error = NativeString(input) + ": cannot be read";
    return false;
  }
  // The decompressor owns the descriptor from here on.
  const std::unique_ptr<osmium::io::Decompressor> bytes =
      osmium::io::CompressionFactory::instance().create_decompressor(file.compression(), fd);
  XmlTokenScanner scanner{maxTokenBytes};
  bool good = true;
  for (std::string data = bytes->read(); good && !data.empty(); data = bytes->read()) good = scanner.Feed(data);
  good = good && scanner.Finish();
  bytes->close();
  if (!good) error = NativeString(input) + ": " + scanner.Fault();
  return good;
}
