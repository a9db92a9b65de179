#include "mapdata/ProblemText.h"

#include "mapdata/Cp1251.h"
#include "mapdata/NativeName.h"

namespace {
constexpr size_t kMaxQuotedBytes = 40;
}

std::string QuotedValue(std::string_view cp1251Value) {
  std::string shown;
  const size_t n = cp1251Value.size() < kMaxQuotedBytes ? cp1251Value.size() : kMaxQuotedBytes;
  for (size_t i = 0; i < n; ++i) {
    const char c = cp1251Value[i];
    if (c == '\r')
      shown += "\\r";
    else if (c == '\n')
      shown += "\\n";
    else
      shown += c;
  }
  std::string text = "«" + cp1251::ToUtf8(shown);
  if (cp1251Value.size() > kMaxQuotedBytes) text += "…";
  return text + "»";
}

std::string PathForMessage(const std::filesystem::path& file) { return cp1251::FileNameToUtf8(NativeString(file)); }

std::string DataProblemMessage(const std::filesystem::path& file, int record, const std::string& what) {
  std::string text = "Файл " + PathForMessage(file);
  if (record > 0) text += ", запись " + std::to_string(record);
  return text + ": " + what + ".";
}
