#pragma once
// What an import did besides writing records: what it left out and what it
// changed, each counted by reason.  Printed as the import's summary.
#include <cstddef>
#include <map>
#include <string>

struct ImportReport {
  std::map<std::string, size_t> Skipped;  // reason -> count
  std::map<std::string, size_t> Changed;

  void Skip(const std::string& reason, size_t n = 1) { Skipped[reason] += n; }
  void Change(const std::string& reason, size_t n = 1) { Changed[reason] += n; }
};
