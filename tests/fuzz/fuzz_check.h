// The one way a fuzz target reports a broken promise: abort with the reason, so libFuzzer
// keeps the input that got there.
#pragma once
#include <cstdio>
#include <cstdlib>

namespace vireloc::fuzz {

[[noreturn]] inline void fail(const char* why) {
  std::fprintf(stderr, "fuzz check failed: %s\n", why);
  std::abort();
}
inline void check(bool holds, const char* why) {
  if (!holds) fail(why);
}

}  // namespace vireloc::fuzz
