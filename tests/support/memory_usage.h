#pragma once
// Memory readings for tests that bound what hostile input may make the program hold.
#include <sys/resource.h>

namespace quarlo::test {

// A sanitizer's allocator keeps freed blocks and pads every one, so memory is only
// measured without it.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

// The most resident memory the process has had, in kilobytes.
inline long PeakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace quarlo::test
