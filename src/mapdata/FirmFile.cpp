#include "mapdata/FirmFile.h"

#include "mapdata/CityLocation.h"
#include "mapdata/FieldReaders.h"

namespace {

FirmFileResult ReadRecordOf(FieldSource& reader) {
  FirmFileResult result;
  result.Record = ReadRecord(reader, FirmRecordFormat(), 1);
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
    if (!FileExists(file)) return Failed(FirmFileResult::Missing);
    PlainFieldReader reader;
    if (!reader.Open(file)) return Failed(FirmFileResult::CannotOpen);
    return ReadRecordOf(reader);
  }
  ScrambledFieldReader reader(ScrambledFieldReader::Layout::Firm, mask);
  switch (reader.Open(file)) {
    case OpenResult::CannotOpen:
      return Failed(FirmFileResult::CannotOpen);
    case OpenResult::Malformed:
      return Failed(FirmFileResult::Bad, reader.Problem());
    case OpenResult::Opened:
      break;
  }
  return ReadRecordOf(reader);
}

std::string FirmBaseName(const std::filesystem::path& file, FirmVariant variant) {
  const size_t cut = variant == FirmVariant::Plain ? kFirmPlainExtension.size() : kFirmScrambledExtension.size();
  std::string name = file.filename().string();
  name.erase(name.size() >= cut ? name.size() - cut : 0);
  return name;
}
