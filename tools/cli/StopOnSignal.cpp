#include "StopOnSignal.h"

#include <atomic>

namespace {

// A lock-free atomic store is all a signal handler may do here.
std::atomic<ImportControl*> watched{nullptr};
volatile std::sig_atomic_t caught = 0;

extern "C" void AskToStop(int signal) {
  caught = signal;
  if (ImportControl* control = watched.load()) control->RequestStop();
}

}  // namespace

StopOnSignal::StopOnSignal(ImportControl& control) {
  static_assert(std::atomic<ImportControl*>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);
  caught = 0;
  watched.store(&control);
  previousInterrupt_ = std::signal(SIGINT, AskToStop);
  previousTerminate_ = std::signal(SIGTERM, AskToStop);
}

StopOnSignal::~StopOnSignal() {
  std::signal(SIGINT, previousInterrupt_ == SIG_ERR ? SIG_DFL : previousInterrupt_);
  std::signal(SIGTERM, previousTerminate_ == SIG_ERR ? SIG_DFL : previousTerminate_);
  watched.store(nullptr);
}

int StopOnSignal::Caught() const { return caught; }
