#pragma once
// Our licence and the third parties' notices as the packages install them:
// beside the programs (the Windows folder and archive, and the build), or in
// share/doc/tellurin beside bin/ (the Debian package, whose licence is its
// copyright file).
#include <filesystem>

struct LegalFiles {
  std::filesystem::path Licence;  // empty: not found
  std::filesystem::path Notices;  // empty: not found
};

LegalFiles FindLegalFiles(const std::filesystem::path& programDir);
