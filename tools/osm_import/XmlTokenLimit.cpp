// The XML of an extract read once, after decompression, by a scanner that
// knows just enough of XML to tell where a tag, a comment or a run of text
// begins and ends, and refuses the first that is longer than the limit.  It
// also refuses a coordinate with an exponent that makes it huge ("1e300"):
// libosmium's reader overflows on one, its result undefined, so that such a
// point cannot be left out as one off the globe (latitude 91, longitude 181).
#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <osmium/io/any_compression.hpp>
#include <osmium/io/file.hpp>

#include <cmath>
#include <cstdlib>
#include <string_view>

#include "InputCheck.h"
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
bool IsHugeCoordinate(const std::string& value, bool cut) {
  if (value.find_first_of("eE") == std::string::npos) return false;  // plain digits: libosmium checks them
  if (cut) return true;
  const double v = std::strtod(value.c_str(), nullptr);
  return !std::isfinite(v) || std::fabs(v) > kLargestCoordinate;
}

bool IsNameByte(char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '=' && c != '/' && c != '>'; }

class XmlTokenScanner {
 public:
  explicit XmlTokenScanner(size_t maxBytes) : max_(maxBytes) {}

  // False at the first token longer than the limit or huge coordinate.
  bool Feed(std::string_view bytes) {
    for (const char c : bytes) {
      if (c == '\n') ++line_;
      Step(c);
      if (length_ > max_ || !hugeCoordinate_.empty()) return false;
      before_ = last_;
      last_ = c;
    }
    return true;
  }

  // Where the token the scanner stopped at lies and what it is.
  std::string Fault() const {
    std::string where = "строка " + std::to_string(line_);
    const std::string own = RecordOf(head_);
    if (InTag() && !own.empty())
      where += ", запись " + own;
    else if (!record_.empty())
      where += (inRecord_ ? ", запись " : ", после записи ") + record_;
    if (!hugeCoordinate_.empty()) return where + ": координата " + hugeCoordinate_ + " не читается";
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
        if (c == '>' && last_ == '?') EndMarkup();
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
        if (IsCoordinateName(valueName_) && IsHugeCoordinate(value_, valueCut_))
          hugeCoordinate_ = valueName_ + "=\"" + value_ + (valueCut_ ? "...\"" : "\"");
      } else if (value_.size() < kValueBytes) {
        value_ += c;
      } else {
        valueCut_ = true;
      }
    } else if (c == '"' || c == '\'') {
      state_ = State::Quoted;
      quote_ = c;
      valueName_ = attribute_;
      value_.clear();
      valueCut_ = false;
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

  void EndMarkup() {
    state_ = State::Text;
    length_ = 0;
    attribute_.clear();
    nameEnded_ = true;
  }

  // The node, way or relation a tag opens or closes.
  void NoteRecord(bool selfClosing) {
    const std::string name = TagName(head_);
    if (name == "/node" || name == "/way" || name == "/relation") {
      inRecord_ = false;
    } else if (const std::string record = RecordOf(head_); !record.empty()) {
      record_ = record;
      inRecord_ = !selfClosing;
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

  size_t max_;
  State state_ = State::Text;
  size_t length_ = 0;
  std::string head_;
  char quote_ = 0, last_ = 0, before_ = 0;
  size_t line_ = 1;
  std::string record_;
  bool inRecord_ = false;
  std::string attribute_, valueName_, value_;  // the attribute being read and its value
  bool nameEnded_ = true, valueCut_ = false;
  std::string hugeCoordinate_;  // name="value" of the coordinate refused
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
  for (std::string data = bytes->read(); !data.empty(); data = bytes->read()) {
    if (!scanner.Feed(data)) {
      bytes->close();
      error = NativeString(input) + ": " + scanner.Fault();
      return false;
    }
  }
  bytes->close();
  return true;
}
