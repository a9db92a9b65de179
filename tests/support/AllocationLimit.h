#pragma once
// Whether code stays within a memory budget: no single allocation of `bytes`
// or more while it runs.  A reader that believed a file's header and reserved
// what it declares fails this even when the reservation itself succeeds.
//
// Under AddressSanitizer the allocator's hooks see every allocation in this
// process.  Otherwise the code runs in a child process whose address space is
// limited to what it already has plus `bytes`: an allocation that large fails
// there and the child ends abnormally.
#include <cstddef>
#include <functional>
#include <string>

struct AllocationCheck {
  bool StayedUnder = true;
  std::string Detail;  // what went over, for the test's failure text
};

AllocationCheck RunWithAllocationLimit(size_t bytes, const std::function<void()>& code);
// False where no limit can be set (Windows): the checks are skipped there.
bool AllocationLimitAvailable();
