#include "mapdata/CityMask.h"

#include <algorithm>
#include <array>
#include <optional>

#include "mapdata/DirectoryScan.h"
#include "mapdata/FieldReaders.h"
#include "mapdata/FirmFile.h"
#include "mapdata/LayerFile.h"
#include "mapdata/Loaders.h"
#include "mapdata/NativeName.h"

namespace {

using Layout = ScrambledFieldReader::Layout;

constexpr unsigned char kCr = '\r';
constexpr unsigned char kLf = '\n';

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

// The mask that turns the last two bytes of a layer body into CR LF.
std::optional<unsigned char> LayerEndMask(const std::string& body) {
  const size_t n = body.size();
  if (n < 2 || (Byte(body[n - 2]) ^ Byte(body[n - 1])) != (kCr ^ kLf)) return std::nullopt;
  return static_cast<unsigned char>(Byte(body[n - 1]) ^ kLf);
}

// The mask that turns the last byte of a firm body into LF, when the body then
// holds one LF per field (a body cut short has one too few).
std::optional<unsigned char> FirmEndMask(const std::string& body) {
  if (body.empty()) return std::nullopt;
  const auto fields = static_cast<std::ptrdiff_t>(FirmRecordFormat().Fields.size());
  if (std::count(body.begin(), body.end(), body.back()) != fields) return std::nullopt;
  return static_cast<unsigned char>(Byte(body.back()) ^ kLf);
}

std::optional<unsigned char> EndMask(const fs::path& file, Layout layout) {
  ScrambledFieldReader stored(layout, 0);  // mask 0: the body as stored
  if (stored.Open(file) != OpenResult::Opened) return std::nullopt;
  return layout == Layout::Layer ? LayerEndMask(stored.Body()) : FirmEndMask(stored.Body());
}

}  // namespace

unsigned char CityScrambleMask(const CityLocation& city, unsigned char configured) {
  return CityScrambleMask(city, ListEntries(city.File("Firms")), configured);
}

unsigned char CityScrambleMask(const CityLocation& city, const std::vector<std::string>& firmEntries,
                               unsigned char configured) {
  std::array<int, 256> votes{};
  const auto vote = [&](const fs::path& file, Layout layout) {
    if (const std::optional<unsigned char> mask = EndMask(file, layout)) ++votes[*mask];
  };
  for (const LayerReading* layer : LayerReadings()) {
    const fs::path file = city.File(layer->Files.Scrambled);
    if (FileExists(file)) vote(file, Layout::Layer);
  }
  const fs::path firms = city.File("Firms");
  for (const std::string& name : EntriesEndingWith(firmEntries, kFirmScrambledExtension))
    vote(firms / NativePath(name), Layout::Firm);

  unsigned char chosen = configured;
  for (size_t mask = 0; mask < votes.size(); ++mask)
    if (votes[mask] > votes[chosen]) chosen = static_cast<unsigned char>(mask);
  return chosen;
}
