#pragma once
// What the caller of an import sees while it runs, and how it stops it: the
// import reports its step and the share of that step done (from the thread
// it runs on), and looks at the stop flag between buffers of the file and
// between the steps of writing.  A stopped import ends with
// ImportResult::Outcome::Cancelled and leaves nothing behind.
#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>

enum class ImportStep {
  ListingPlaces,     // reading the settlements of the file
  FindingArea,       // finding the settlement's area in a region
  ReadingRelations,  // the first pass: relations (for a cut, what its area needs: two passes)
  ReadingData,       // the main pass: nodes, ways, areas
  Assembling,        // features into the city's records
  Writing,           // the layers and firms
  Drawing,           // the city's picture
  Publishing,        // onto the disk and into place
};

class ImportControl {
 public:
  using ProgressFn = std::function<void(ImportStep step, double share)>;

  ImportControl() = default;
  explicit ImportControl(ProgressFn progress) : progress_(std::move(progress)) {}

  // share runs from 0 to 1 within a step.
  void Report(ImportStep step, double share) const {
    if (progress_) progress_(step, share);
  }
  // Reports where the import is and takes a stop asked for there.
  void At(ImportStep step, double share) const {
    Report(step, share);
    ThrowIfStopped();
  }
  void RequestStop() { stop_.store(true, std::memory_order_relaxed); }
  bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }
  // Thrown where the import looks at the flag; caught by ImportOsm.
  void ThrowIfStopped() const;

 private:
  ProgressFn progress_;
  std::atomic<bool> stop_{false};
};

struct ImportStopped : std::exception {
  const char* what() const noexcept override { return "the import was stopped"; }
};

inline void ImportControl::ThrowIfStopped() const {
  if (StopRequested()) throw ImportStopped{};
}

// The control of a call that neither watches nor stops the import.
const ImportControl& UnwatchedImport();
