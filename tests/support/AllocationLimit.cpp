#include "support/AllocationLimit.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TELLURIN_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TELLURIN_UNDER_ASAN 1
#endif

#ifdef TELLURIN_UNDER_ASAN
#include <sanitizer/allocator_interface.h>

namespace {

std::atomic<size_t> largestAllocation{0};

void OnMalloc(const volatile void*, size_t size) {
  size_t seen = largestAllocation.load(std::memory_order_relaxed);
  while (size > seen && !largestAllocation.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
  }
}
void OnFree(const volatile void*) {}

}  // namespace

bool AllocationLimitAvailable() { return true; }

AllocationCheck RunWithAllocationLimit(size_t bytes, const std::function<void()>& code) {
  static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
  AllocationCheck check;
  if (!installed) {
    check.StayedUnder = false;
    check.Detail = "the allocator hooks could not be installed";
    return check;
  }
  largestAllocation = 0;
  code();
  const size_t largest = largestAllocation.load();
  if (largest >= bytes) {
    check.StayedUnder = false;
    check.Detail = "an allocation of " + std::to_string(largest) + " bytes";
  }
  return check;
}

#elif defined(_WIN32)

// Windows has no limit of a child's address space to run the code under.
bool AllocationLimitAvailable() { return false; }

AllocationCheck RunWithAllocationLimit(size_t, const std::function<void()>&) {
  return {false, "no allocation limit on Windows"};
}

#else

namespace {

// The process's address space in bytes now (VmSize of /proc/self/status).
size_t AddressSpaceInUse() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmSize:") {
      size_t kilobytes = 0;
      status >> kilobytes;
      return kilobytes * 1024;
    }
    status.ignore(1 << 20, '\n');
  }
  return 0;
}

}  // namespace

bool AllocationLimitAvailable() { return true; }

AllocationCheck RunWithAllocationLimit(size_t bytes, const std::function<void()>& code) {
  AllocationCheck check;
  const size_t limit = AddressSpaceInUse() + bytes;
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) {
    check.StayedUnder = false;
    check.Detail = "fork failed";
    return check;
  }
  if (child == 0) {
    const rlimit r{limit, limit};
    if (setrlimit(RLIMIT_AS, &r) != 0) _exit(3);
    try {
      code();
    } catch (const std::bad_alloc&) {
      _exit(4);
    } catch (...) {
      _exit(5);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return check;
  check.StayedUnder = false;
  check.Detail = WIFEXITED(status) && WEXITSTATUS(status) == 4
                     ? "an allocation failed in the limited child"
                     : "the limited child ended abnormally (status " + std::to_string(status) + ")";
  return check;
}

#endif
