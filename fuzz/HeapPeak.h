#pragma once

// The most heap a reader holds at any moment while it works, counted with
// the sanitizer's allocation hooks, so that a target can require memory in
// proportion to the input: a file that makes the program hold far more
// than its own size is a fault even when it fits in the run's memory limit.

#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace heap_peak {

// Signed: blocks made before the hooks were installed may be freed later.
inline std::atomic<std::int64_t> live{0};
inline std::atomic<std::int64_t> peak{0};

inline void onMalloc(const volatile void *, std::size_t size) {
  const std::int64_t now = live.fetch_add(std::int64_t(size)) + size;
  std::int64_t high = peak.load();
  while (now > high && !peak.compare_exchange_weak(high, now)) {
  }
}

inline void onFree(const volatile void *pointer) {
  if (pointer)
    live.fetch_sub(std::int64_t(__sanitizer_get_allocated_size(pointer)));
}

// Once, before the first input.
inline void install() {
  __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);
}

// From its making on, the most held beyond what was held then.
class Measure {
 public:
  Measure() : start_(live.load()) { peak.store(start_); }
  std::int64_t grown() const { return peak.load() - start_; }

 private:
  std::int64_t start_;
};

// The bound the readers keep to: a few dozen times the input, plus room
// for their fixed buffers.
inline bool withinBound(std::int64_t grown, std::size_t inputSize) {
  return grown <= 64 * std::int64_t(inputSize) + (std::int64_t(1) << 20);
}

}  // namespace heap_peak
