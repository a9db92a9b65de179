#include "route/DirectionsSession.h"

#include <filesystem>
#include <system_error>

#include "mapdata/ProblemText.h"

void DirectionsSession::Forget() {
  prepared_ = false;
  network_.reset();
  unavailable_.clear();
  Clear();
}

std::string DirectionsSession::Prepare(const CityLocation& city) {
  if (prepared_) return {};
  prepared_ = true;
  RoadGraphReading reading = ReadRoadGraph(city);
  if (reading.Graph) {
    network_ = std::make_unique<RoadNetwork>(std::move(*reading.Graph));
    unavailable_.clear();
    return {};
  }
  std::error_code ec;
  const bool present = std::filesystem::exists(std::filesystem::symlink_status(reading.File, ec));
  // A city without the file was made without directions: greyed items say
  // so, with no message; a damaged file is worth telling about, once.
  unavailable_ = present ? "граф дорог города повреждён (" + PathForMessage(reading.File) + ")"
                         : "у города нет графа дорог (Data/Roads.gr)";
  return present ? DataProblemMessage(reading.File, 0, reading.Problem) : std::string();
}

void DirectionsSession::SetStart(MapPointF at) {
  start_ = at;
  Recompute();
}

void DirectionsSession::SetEnd(MapPointF at) {
  end_ = at;
  Recompute();
}

void DirectionsSession::SetMode(TravelMode mode) {
  mode_ = mode;
  Recompute();
}

void DirectionsSession::Clear() {
  start_.reset();
  end_.reset();
  answer_.reset();
}

void DirectionsSession::Recompute() {
  answer_.reset();
  if (network_ && start_ && end_) answer_ = FindRoute(*network_, *start_, *end_, mode_);
}
