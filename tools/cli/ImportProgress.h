#pragma once
// import-osm's progress on standard error: the step, with the share of the
// file read for the steps that read it ("reading data 34%", "writing"), at
// most once a second and only when it says something new.  On a terminal the
// line is written over (\r) and ended with a newline when the import ends;
// elsewhere (--progress into a file or a pipe) every report is a line.
//
// For tests, TELLURIN_PROGRESS_INTERVAL_MS sets the least time between two
// reports (0: every report the import gives).
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "importer/ImportControl.h"

class ImportProgress {
 public:
  ImportProgress(std::FILE* out, bool terminal);
  void Show(ImportStep step, double share);
  // Ends the line written over on a terminal; called before anything else
  // is written to the same stream.
  void Finish();

 private:
  std::FILE* out_;
  bool terminal_;
  std::chrono::milliseconds interval_;
  std::optional<std::chrono::steady_clock::time_point> shown_;
  std::string line_;
};

// The report as printed: "reading relations 34%".
std::string ProgressText(ImportStep step, double share);

// Whether standard error is a terminal (a console on Windows).
bool StderrIsTerminal();
