// A PBF file is a run of blocks, each a 4-byte big-endian length, a
// BlobHeader of that length and a Blob of the BlobHeader's datasize.  The
// file must end exactly after a block.
#include <protozero/pbf_reader.hpp>

#include <cstdint>
#include <fstream>

#include "importer/InputCheck.h"
#include "mapdata/NativeName.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kMaxBlobHeaderBytes = 64 * 1024;
constexpr int32_t kMaxBlobBytes = 32 * 1024 * 1024;
constexpr protozero::pbf_tag_type kDataSizeField = 3;

// The datasize of a BlobHeader, or -1 when it has none or is not one.
int64_t BlobDataSize(const std::string& header) {
  try {
    protozero::pbf_reader message{header};
    int64_t size = -1;
    while (message.next()) {
      if (message.tag() == kDataSizeField && message.wire_type() == protozero::pbf_wire_type::varint)
        size = message.get_int32();
      else
        message.skip();
    }
    return size;
  } catch (const protozero::exception&) {
    return -1;
  }
}

}  // namespace

bool CheckPbfFraming(const fs::path& input, std::string& error) {
  std::ifstream in(input, std::ios::binary);
  std::error_code ec;
  const uintmax_t fileSize = fs::file_size(input, ec);
  if (!in || ec) {
    error = NativeString(input) + ": cannot be read";
    return false;
  }
  uintmax_t at = 0;
  for (size_t block = 1; at < fileSize; ++block) {
    const std::string where = NativeString(input) + ": блок " + std::to_string(block) + " (с байта " + std::to_string(at) + "): ";
    const auto cut = [&](const std::string& what) {
      error = where + "файл обрывается: " + what + ", в файле остаётся " + std::to_string(fileSize - at) + " байт";
      return false;
    };
    if (fileSize - at < 4) return cut("нет полной длины заголовка блока");
    unsigned char prefix[4];
    in.read(reinterpret_cast<char*>(prefix), 4);
    const uint32_t headerBytes = (uint32_t{prefix[0]} << 24) | (uint32_t{prefix[1]} << 16) | (uint32_t{prefix[2]} << 8) | prefix[3];
    if (headerBytes == 0 || headerBytes > kMaxBlobHeaderBytes) {
      error = where + "длина заголовка блока " + std::to_string(headerBytes) + " байт невозможна";
      return false;
    }
    if (fileSize - at - 4 < headerBytes) return cut("заголовок блока длиной " + std::to_string(headerBytes) + " байт не полон");
    std::string header(headerBytes, '\0');
    in.read(header.data(), headerBytes);
    const int64_t dataBytes = BlobDataSize(header);
    if (!in || dataBytes < 0 || dataBytes > kMaxBlobBytes) {
      error = where + "заголовок блока испорчен";
      return false;
    }
    if (fileSize - at - 4 - headerBytes < static_cast<uintmax_t>(dataBytes))
      return cut("данные блока длиной " + std::to_string(dataBytes) + " байт не полны");
    at += 4 + headerBytes + static_cast<uintmax_t>(dataBytes);
    in.seekg(static_cast<std::streamoff>(at));
  }
  return true;
}
