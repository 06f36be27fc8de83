// A seam for tests: file writes that fail on purpose.
#include "model/write_fault.h"

#include <atomic>

namespace kelvane {

namespace {
std::atomic<WriteFault*> installed{nullptr};
}

WriteFault* InstalledWriteFault() { return installed.load(); }

ScopedWriteFault::ScopedWriteFault(WriteFault& fault) : previous_(installed.exchange(&fault)) {}

ScopedWriteFault::~ScopedWriteFault() { installed.store(previous_); }

}  // namespace kelvane
