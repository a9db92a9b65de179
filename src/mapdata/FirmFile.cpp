#include "mapdata/FirmFile.h"

#include "mapdata/CityLocation.h"
#include "mapdata/FieldReaders.h"
#include "mapdata/NativeName.h"

namespace {

FirmFileResult ReadRecordOf(std::unique_ptr<FieldSource> reader) {
  FirmFileResult result;
  ReadRecord(*reader, FirmRecordFormat(), 1, result.Record);
  result.Source = std::move(reader);
  if (result.Record.Outcome == ReadRecordResult::Ok) {
    result.Outcome = FirmFileResult::Read;
  } else {
    result.Outcome = FirmFileResult::Bad;
    result.ProblemRecord = 1;
    result.Problem = result.Record.Problem;
  }
  return result;
}

FirmFileResult Failed(FirmFileResult::Status status, std::string problem = {}) {
  FirmFileResult result;
  result.Outcome = status;
  result.Problem = std::move(problem);
  return result;
}

}  // namespace

FirmFileResult ReadFirmFile(const std::filesystem::path& file, FirmVariant variant, unsigned char mask) {
  if (variant == FirmVariant::Plain) {
    auto reader = std::make_unique<PlainFieldReader>();
    // Whether it is there is asked only when it does not open: a stat a firm.
    if (!reader->Open(file)) return Failed(FileExists(file) ? FirmFileResult::CannotOpen : FirmFileResult::Missing);
    return ReadRecordOf(std::move(reader));
  }
  auto reader = std::make_unique<ScrambledFieldReader>(ScrambledFieldReader::Layout::Firm, mask);
  switch (reader->Open(file)) {
    case OpenResult::CannotOpen:
      return Failed(FirmFileResult::CannotOpen);
    case OpenResult::Malformed:
      return Failed(FirmFileResult::Bad, reader->Problem());
    case OpenResult::Opened:
      break;
  }
  return ReadRecordOf(std::move(reader));
}

std::string FirmBaseName(const std::filesystem::path& file, FirmVariant variant) {
  const size_t cut = variant == FirmVariant::Plain ? kFirmPlainExtension.size() : kFirmScrambledExtension.size();
  std::string name = NativeString(file.filename());
  name.erase(name.size() >= cut ? name.size() - cut : 0);
  return name;
}
