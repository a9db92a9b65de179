#include "InputCheck.h"
#include "mapdata/NativeName.h"

#include <osmium/io/file.hpp>

namespace fs = std::filesystem;

bool CheckInput(const fs::path& input, std::string& error) {
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
