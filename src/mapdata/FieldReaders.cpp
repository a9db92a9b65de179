#include "mapdata/FieldReaders.h"

#include <fstream>
#include <sstream>

#include "mapdata/CityLocation.h"
#include "mapdata/DecimalText.h"
#include "mapdata/ProblemText.h"

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

// A field starting at `start`: its first byte is taken whatever it is, then
// bytes up to (not including) the next `endMark`.  Returns the index of the end
// mark, or npos when the data ends first.
size_t FieldEnd(const std::string& data, size_t start, char endMark) {
  return data.find(endMark, start + 1);
}

int32_t LittleEndianInt32(const unsigned char* b) {
  const uint32_t u = uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24);
  return static_cast<int32_t>(u);
}

}  // namespace

// --- plain ---

bool PlainFieldReader::Open(const std::filesystem::path& file) {
  Close();
  if (!FileExists(file)) return false;
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  // Read in one go into a buffer of the file's size; a file that changes size
  // meanwhile is read to its end all the same.
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size < 0 || !in) return false;
  bytes_.resize(static_cast<size_t>(size));
  in.read(bytes_.data(), size);
  bytes_.resize(static_cast<size_t>(in.gcount()));
  if (in.bad()) return false;
  if (!in.eof()) {
    in.clear();
    std::ostringstream rest;
    rest << in.rdbuf();
    bytes_ += std::move(rest).str();
  }
  return true;
}

void PlainFieldReader::OpenBytes(std::string bytes) {
  bytes_ = std::move(bytes);
  offset_ = 0;
}

void PlainFieldReader::Close() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  offset_ = 0;
}

bool PlainFieldReader::ReadCount(int32_t& count, std::string& problem) {
  std::string_view line;
  const FieldStatus status = NextField(line);
  if (status == FieldStatus::NoData) {
    problem = "файл пуст: нет строки с количеством записей";
    return false;
  }
  if (status == FieldStatus::TooLong) {
    problem = "строка с количеством записей длиннее " + std::to_string(kReadBlockBytes - 1) + " байт";
    return false;
  }
  if (!ParseDecimalInt(line, count)) {
    problem = "количество записей " + QuotedValue(line) + " не является целым числом";
    return false;
  }
  return true;
}

FieldStatus PlainFieldReader::NextField(std::string_view& field, bool mayExceedBlock) {
  field = {};
  if (offset_ >= bytes_.size()) return FieldStatus::NoData;
  const size_t start = offset_;
  const size_t cr = FieldEnd(bytes_, start, kCr);
  const std::string_view bytes(bytes_);
  if (cr == std::string::npos) {
    field = bytes.substr(start);
    offset_ = bytes_.size();
    return FieldStatus::Unterminated;
  }
  field = bytes.substr(start, cr - start);
  offset_ = cr + 2;  // the CR and the byte after it
  if (!mayExceedBlock && field.size() > kReadBlockBytes - 1) return FieldStatus::TooLong;
  return FieldStatus::Ok;
}

// --- scrambled ---

ScrambledFieldReader::ScrambledFieldReader(Layout layout, unsigned char mask) : layout_(layout), mask_(mask) {}

OpenResult ScrambledFieldReader::Open(const std::filesystem::path& file) {
  if (!FileExists(file)) return OpenResult::CannotOpen;
  std::ifstream in(file, std::ios::binary);
  if (!in) return OpenResult::CannotOpen;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size < 0 || !in) return OpenResult::CannotOpen;
  return Decode(in, static_cast<uint64_t>(size));
}

OpenResult ScrambledFieldReader::OpenBytes(const std::string& fileBytes) {
  std::istringstream in(fileBytes);
  return Decode(in, fileBytes.size());
}

OpenResult ScrambledFieldReader::Refuse(std::string problem) {
  problem_ = std::move(problem);
  body_.clear();
  count_ = 0;
  return OpenResult::Malformed;
}

OpenResult ScrambledFieldReader::Decode(std::istream& in, uint64_t fileSize) {
  body_.clear();
  position_ = 0;
  count_ = 0;
  problem_.clear();
  const bool layer = layout_ == Layout::Layer;
  const uint64_t headerBytes = layer ? 8 : 4;
  if (fileSize < headerBytes)
    return Refuse("заголовок короче " + std::to_string(headerBytes) + " байт (в файле " + std::to_string(fileSize) +
                  " байт)");
  unsigned char header[8];
  if (!in.read(reinterpret_cast<char*>(header), static_cast<std::streamsize>(headerBytes)))
    return OpenResult::CannotOpen;
  const int32_t length = LittleEndianInt32(layer ? header + 4 : header);
  const int32_t limit = layer ? kLayerBodyLimit : kFirmBodyLimit;
  if (length < 0) return Refuse("длина данных " + std::to_string(length) + " отрицательна");
  if (length > limit)
    return Refuse("длина данных " + std::to_string(length) + " больше допустимой (" + std::to_string(limit) + ")");
  if (static_cast<uint64_t>(length) > fileSize - headerBytes)
    return Refuse("длина данных " + std::to_string(length) + " больше, чем осталось в файле (" +
                  std::to_string(fileSize - headerBytes) + " байт)");
  body_.resize(static_cast<size_t>(length));
  if (length > 0 && !in.read(body_.data(), length)) {
    body_.clear();
    return OpenResult::CannotOpen;
  }
  count_ = layer ? LittleEndianInt32(header) : 1;
  for (char& c : body_) c = static_cast<char>(static_cast<unsigned char>(c) ^ mask_);
  return OpenResult::Opened;
}

FieldStatus ScrambledFieldReader::NextField(std::string_view& field, bool) {
  field = {};
  if (position_ >= body_.size()) return FieldStatus::NoData;
  const bool layer = layout_ == Layout::Layer;
  const size_t start = position_;
  const size_t end = FieldEnd(body_, start, layer ? kCr : kLf);
  const std::string_view body(body_);
  if (end == std::string::npos) {
    field = body.substr(start);
    position_ = body_.size();
    return FieldStatus::Unterminated;
  }
  field = body.substr(start, end - start);
  position_ = end + (layer ? 2 : 1);
  return FieldStatus::Ok;
}
