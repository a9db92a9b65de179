#pragma once
// Ctrl+C (SIGINT) or SIGTERM during an import: rather than die with the city
// half written in its temporary folder, the import is asked to stop, which it
// does within a second, removing what it wrote; the command then exits with
// 128 + the signal's number, as a shell reports a program killed by it.
#include <csignal>

#include "importer/ImportControl.h"

class StopOnSignal {
 public:
  // Only one at a time; the handlers before are restored when it goes.
  explicit StopOnSignal(ImportControl& control);
  ~StopOnSignal();
  StopOnSignal(const StopOnSignal&) = delete;
  StopOnSignal& operator=(const StopOnSignal&) = delete;

  // The signal that asked the import to stop, 0 for none.
  int Caught() const;

 private:
  using Handler = void (*)(int);
  Handler previousInterrupt_;
  Handler previousTerminate_;
};
