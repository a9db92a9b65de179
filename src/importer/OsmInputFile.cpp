#include "importer/OsmInputFile.h"
#include "importer/PbfBlocks.h"
#include "mapdata/NativeName.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <system_error>
#endif

osmium::io::File OsmInputFile(const std::filesystem::path& input) {
  UseRememberingPbfParser();
  osmium::io::File named{NativeString(input)};  // its format and compression, from the name
#ifdef _WIN32
  const int fd = _wopen(input.c_str(), _O_RDONLY | _O_BINARY);
  if (fd < 0) throw std::system_error(errno, std::generic_category(), NativeString(input));
  // A reader before this one closed standard input, so the file may have got
  // descriptor 0 already.
  if (fd != 0) {
    const bool redirected = _dup2(fd, 0) == 0;
    const int error = errno;
    _close(fd);
    if (!redirected) throw std::system_error(error, std::generic_category(), NativeString(input));
  }
  osmium::io::File standardInput{"-"};
  standardInput.set_format(named.format()).set_compression(named.compression());
  return standardInput;
#else
  return named;
#endif
}
