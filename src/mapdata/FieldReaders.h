#pragma once
// The two readers of the data files.  Both hold the bytes they need in memory
// (the plain reader the whole file, the scrambled reader the unscrambled body)
// and hand out one field at a time.
//
// Plain files: a field runs from its start to the first CR and has at least one
// byte: the byte at its start is taken whatever it is, so an empty line (CR LF)
// swallows the following line; the byte after the CR is skipped unseen; an LF
// without a CR before it is an ordinary byte.  A field must fit in the read
// block of 10240 bytes (at most 10239 bytes before its CR); only the point
// lists of streets and buildings may run longer.
//
// Scrambled files: a little-endian header (layer files: record count and body
// length; firm files: body length only), then the body, each byte combined with
// the scrambling mask.  Fields of a layer body end with CR (the LF after it is
// skipped); fields of a firm body end with LF (a CR before it stays in the
// field).  Parsing runs on from record to record through the whole body.
#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <string_view>

#include "mapdata/ScrambleMask.h"

constexpr size_t kReadBlockBytes = 10240;
constexpr int32_t kLayerBodyLimit = 102400;
constexpr int32_t kFirmBodyLimit = 10240;

enum class FieldStatus {
  Ok,
  TooLong,       // longer than the read block; the field is still returned whole
  Unterminated,  // the data ends before the field's end mark; field = the rest
  NoData,        // no byte left for a field
};

// What every loader reads fields from.  A field is a view into the reader's
// bytes, valid as long as the reader is.
class FieldSource {
 public:
  virtual ~FieldSource() = default;
  // The next field.  `mayExceedBlock`: the field is a street's or building's
  // point list, which the block limit does not bind.
  virtual FieldStatus NextField(std::string_view& field, bool mayExceedBlock = false) = 0;
  // The bytes of the file (of the body, for a scrambled one).
  virtual size_t ByteCount() const = 0;
};

enum class OpenResult {
  Opened,
  CannotOpen,  // exists but cannot be opened or read
  Malformed,   // opened, but its header is outside the limits (see Problem())
};

class PlainFieldReader : public FieldSource {
 public:
  // Reads the whole file into memory.  False when it cannot be opened or read.
  bool Open(const std::filesystem::path& file);
  // The same on bytes already in memory.
  void OpenBytes(std::string bytes);
  void Close();

  // Line 1, the record count.  False with the problem (UTF-8) when the file has
  // no count line or it is not a decimal integer.
  bool ReadCount(int32_t& count, std::string& problem);
  FieldStatus NextField(std::string_view& field, bool mayExceedBlock = false) override;
  size_t ByteCount() const override { return bytes_.size(); }

 private:
  std::string bytes_;
  size_t offset_ = 0;
};

class ScrambledFieldReader : public FieldSource {
 public:
  enum class Layout {
    Layer,  // record count, body length; fields end with CR LF
    Firm,   // body length; fields end with LF
  };

  // `mask`: the city's (CityMask.h); 0 leaves the body as stored.
  explicit ScrambledFieldReader(Layout layout = Layout::Layer, unsigned char mask = kScrambleMask);

  // Reads header and body, closes the file and unscrambles the body.  A header
  // whose body length is negative, beyond the body buffer or beyond the file is
  // refused (Malformed) before anything of that length is allocated.
  OpenResult Open(const std::filesystem::path& file);
  // The same on the bytes of a whole file.
  OpenResult OpenBytes(const std::string& fileBytes);

  int32_t Count() const { return count_; }
  const std::string& Problem() const { return problem_; }
  const std::string& Body() const { return body_; }

  FieldStatus NextField(std::string_view& field, bool mayExceedBlock = false) override;
  size_t ByteCount() const override { return body_.size(); }

 private:
  OpenResult Decode(std::istream& in, uint64_t fileSize);
  OpenResult Refuse(std::string problem);

  Layout layout_;
  unsigned char mask_;
  int32_t count_ = 0;
  std::string body_;
  size_t position_ = 0;
  std::string problem_;
};
