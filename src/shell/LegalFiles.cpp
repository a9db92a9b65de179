#include "shell/LegalFiles.h"

#include <initializer_list>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path FirstFileOf(std::initializer_list<fs::path> candidates) {
  std::error_code error;
  for (const fs::path& file : candidates)
    if (fs::is_regular_file(file, error)) return file.lexically_normal();
  return {};
}

}  // namespace

LegalFiles FindLegalFiles(const fs::path& programDir) {
  const fs::path docs = programDir / ".." / "share" / "doc" / "tellurin";
  return {FirstFileOf({programDir / "LICENSE.txt", docs / "copyright"}),
          FirstFileOf({programDir / "THIRD-PARTY-NOTICES.txt", docs / "THIRD-PARTY-NOTICES.txt"})};
}
