#include "importer/InputCheck.h"
#include "mapdata/NativeName.h"

#include <osmium/io/file.hpp>

#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string KindOf(const fs::file_status& status) {
  switch (status.type()) {
    case fs::file_type::directory: return "a folder";
    case fs::file_type::fifo: return "a named pipe (FIFO)";
    case fs::file_type::block:
    case fs::file_type::character: return "a device";
    case fs::file_type::socket: return "a socket";
    default: return "a special file";
  }
}

}  // namespace

bool CheckRegularFile(const fs::path& input, std::string& error) {
  std::error_code ec;
  const fs::file_status status = fs::status(input, ec);
  if (ec || !fs::exists(status)) {
    error = NativeString(input) + ": cannot be read";
    return false;
  }
  if (!fs::is_regular_file(status)) {
    error = NativeString(input) + ": " + KindOf(status) + ", not a file: only a regular file is read";
    return false;
  }
  if (!std::ifstream(input, std::ios::binary)) {
    error = NativeString(input) + ": cannot be read";
    return false;
  }
  return true;
}

bool CheckInput(const fs::path& input, std::string& error) {
  if (!CheckRegularFile(input, error)) return false;
  const osmium::io::File file{NativeString(input)};
  switch (file.format()) {
    case osmium::io::file_format::pbf:
      return CheckPbfFraming(input, error);
    case osmium::io::file_format::xml:
      return CheckXmlTokens(input, kMaxXmlTokenBytes, error);
    default:
      return true;
  }
}
