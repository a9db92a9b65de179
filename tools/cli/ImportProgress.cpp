#include "ImportProgress.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "Output.h"

namespace {

constexpr std::chrono::milliseconds kDefaultInterval{1000};

std::chrono::milliseconds IntervalAsked() {
  const char* text = std::getenv("TELLURIN_PROGRESS_INTERVAL_MS");
  if (!text || !*text) return kDefaultInterval;
  char* end = nullptr;
  const long ms = std::strtol(text, &end, 10);
  return *end == '\0' && ms >= 0 ? std::chrono::milliseconds(ms) : kDefaultInterval;
}

const char* StepWords(ImportStep step) {
  switch (step) {
    case ImportStep::ListingPlaces: return "listing places";
    case ImportStep::FindingArea: return "finding the area";
    case ImportStep::ReadingRelations: return "reading relations";
    case ImportStep::ReadingData: return "reading data";
    case ImportStep::Assembling: return "assembling";
    case ImportStep::Writing: return "writing";
    case ImportStep::Drawing: return "drawing";
    case ImportStep::Publishing: return "publishing";
  }
  return "importing";
}

// The other steps work on what was read; their share says nothing of the file.
bool ReadsTheFile(ImportStep step) {
  return step == ImportStep::ListingPlaces || step == ImportStep::FindingArea ||
         step == ImportStep::ReadingRelations || step == ImportStep::ReadingData;
}

}  // namespace

std::string ProgressText(ImportStep step, double share) {
  std::string text = StepWords(step);
  if (ReadsTheFile(step))
    text += " " + std::to_string(static_cast<int>(std::floor(std::clamp(share, 0.0, 1.0) * 100))) + "%";
  return text;
}

ImportProgress::ImportProgress(std::FILE* out, bool terminal)
    : out_(out), terminal_(terminal), interval_(IntervalAsked()) {}

void ImportProgress::Show(ImportStep step, double share) {
  const auto now = std::chrono::steady_clock::now();
  if (shown_ && now - *shown_ < interval_) return;
  std::string text = ProgressText(step, share);
  if (text == line_) return;
  if (terminal_) {
    // Spaces over what is left of a longer line before.
    const size_t longer = line_.size() > text.size() ? line_.size() - text.size() : 0;
    cli::Print(out_, "\r%s%s", text.c_str(), std::string(longer, ' ').c_str());
  } else {
    cli::Print(out_, "%s\n", text.c_str());
  }
  std::fflush(out_);
  line_ = std::move(text);
  shown_ = now;
}

void ImportProgress::Finish() {
  if (terminal_ && !line_.empty()) cli::Write(out_, "\n");
  std::fflush(out_);
  line_.clear();
}

bool StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(fileno(stderr)) != 0;
#endif
}
